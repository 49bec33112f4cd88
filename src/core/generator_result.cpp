#include "core/generator_result.h"

namespace brendax {

std::string ErrorBoxText(const GeneratorResult& result) {
  const std::string code = std::to_string(result.errorCode);
  switch (result.boxStyle) {
    case ErrorBoxStyle::kFehlerCodeMessage: return "Fehler: " + code + " / " + result.errorMessage;
    case ErrorBoxStyle::kFehlerCode: return "Fehler: " + code;
    case ErrorBoxStyle::kMessageOnly: return result.errorMessage;
    case ErrorBoxStyle::kErrorCodeMessage: break;
  }
  return "Error: " + code + " / " + result.errorMessage;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string SymbolRowsText(const std::vector<SymbolRow>& rows) {
  std::string text;
  for (const auto& row : rows) {
    text += row.symbol + '\t' + row.address + '\t' + row.type + '\t' + row.comment + "\r\n";
  }
  return text;
}

}  // namespace brendax
