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

namespace {

// A refused run whose message names a field by its caption: the words
// before it, the caption without the colon that ends some of them
// ("Anzahl Variablen:"), and " !". A style that shows the code alone shows
// the message too.
GeneratorResult FieldFailure(int code, std::string_view wordsUtf8, std::string_view captionUtf8, const char* option,
                             ErrorBoxStyle style) {
  std::string_view caption = captionUtf8;
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.remove_suffix(1);
  GeneratorResult result;
  result.errorCode = code;
  result.errorMessage = Ansi(wordsUtf8) + " \"" + Ansi(caption) + "\" !";
  result.boxStyle = style == ErrorBoxStyle::kFehlerCode ? ErrorBoxStyle::kFehlerCodeMessage : style;
  result.errorField = option;
  return result;
}

}  // namespace

GeneratorResult ControlCharacterFailure(std::string_view captionUtf8, const char* option, ErrorBoxStyle style) {
  return FieldFailure(kControlCharacterCode, "Steuerzeichen im Feld", captionUtf8, option, style);
}

GeneratorResult NameTooLongFailure(std::string_view captionUtf8, const char* option, ErrorBoxStyle style) {
  return FieldFailure(kNameTooLongCode, "Name länger als 24 Zeichen aus Feld", captionUtf8, option, style);
}

}  // namespace brendax
