#include "core/field_table.h"

#include "text/cp1252.h"

namespace brendax {

bool HoldsControlCharacter(std::string_view text, bool multiLine) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20) continue;
    if (multiLine && (c == '\r' || c == '\n' || c == '\t')) continue;
    return true;
  }
  return false;
}

GeneratorResult ControlCharacterFailure(std::string_view captionUtf8, const char* option, ErrorBoxStyle style) {
  // The caption without the colon that ends some of them ("Anzahl Variablen:").
  std::string_view caption = captionUtf8;
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.remove_suffix(1);
  GeneratorResult result;
  result.errorCode = kControlCharacterCode;
  result.errorMessage = Ansi("Steuerzeichen im Feld \"") + Ansi(caption) + "\" !";
  result.boxStyle = style == ErrorBoxStyle::kFehlerCode ? ErrorBoxStyle::kFehlerCodeMessage : style;
  result.errorField = option;
  return result;
}

}  // namespace brendax
