#include "text/banner.h"

#include "core/version.h"
#include "text/text_routines.h"

namespace brendax {

const std::string& FrameRule() {
  static const std::string line = "// " + std::string(53, '#');
  return line;
}

const std::string& FrameEmpty() {
  static const std::string line = "//" + std::string(53, ' ') + "#";
  return line;
}

std::string FrameCentered(std::string_view text) { return "// " + CenterPad(text, 51) + " #"; }

std::string FrameValue(std::string_view value) { return "//" + std::string(11, ' ') + RightPad(value, 42) + "#"; }

const std::vector<std::string>& ContactTexts() {
  static const std::vector<std::string> texts = {
      "Brendax - Werkzeugkasten fuer S7-Programmierer",
      "Freie Software, weitergeben erlaubt",
      "Fehler und Wuensche bitte als Issue melden",
      "im Projekt-Repository von Brendax",
  };
  return texts;
}

void AppendBannerHead(Lines& lines, std::string_view introduction) {
  const auto& contacts = ContactTexts();
  lines.push_back(FrameRule());
  lines.push_back(FrameEmpty());
  lines.emplace_back(introduction);
  lines.push_back(FrameEmpty());
  lines.push_back(FrameCentered(kVersionLine));
  lines.push_back(FrameCentered(contacts[0]));
  lines.push_back(FrameEmpty());
  lines.push_back(FrameCentered(contacts[1]));
  lines.push_back(FrameCentered(contacts[2]));
  lines.push_back(FrameCentered(contacts[3]));
  lines.push_back(FrameEmpty());
  lines.push_back(FrameEmpty());
  lines.push_back(FrameRule());
  lines.push_back(FrameEmpty());
  lines.push_back(FrameEmpty());
}

}  // namespace brendax
