#include "stepseq/step_common.h"

#include "text/text_routines.h"

namespace brendax {
namespace {

// The texts both step sequences show for the same codes.
constexpr ErrorText kSharedTexts[] = {
    {5, 5, "\"FC- Name\" ist ung\xFCltig !"},
    {8, 8, "\"In-Variable Freigabe 1\" ist ung\xFCltig !"},
    {9, 10, "\"In-Variable Freigabe 2\" ist ung\xFCltig !"},
    {11, 13, "\"In-Variable Freigabe 3\" ist ung\xFCltig !"},
    {14, 17, "\"In-Variable Freigabe 4\" ist ung\xFCltig !"},
    {20, 21, "\"FC- Nummer\" ist ung\xFCltig !"},
    {30, 31, "Erste Schrittnr. ist ung\xFCltig !"},
    {32, 33, "Schrittabstand ist ung\xFCltig !"},
    {34, 35, "Schrittanzahl ist ung\xFCltig !"},
    {36, 36, "Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!"},
};

}  // namespace

bool InvalidBlockName(std::string_view name) {
  return name.empty() || SymbolTooLong(name) || name.find('"') != std::string_view::npos;
}

GeneratorResult StepFailure(int code, std::span<const ErrorText> ownTexts) {
  GeneratorResult result;
  result.errorCode = code;
  auto find = [&](const auto& table) {
    for (const ErrorText& row : table) {
      if (code >= row.firstCode && code <= row.lastCode) {
        result.errorMessage = row.text;
        return true;
      }
    }
    return false;
  };
  if (!find(ownTexts)) find(kSharedTexts);
  return result;
}

}  // namespace brendax
