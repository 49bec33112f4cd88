#include "text/cp1252.h"

#include <array>
#include <cstdint>

namespace brendax {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

Utf8Unit NextUtf8Unit(std::string_view utf8, std::size_t pos) {
  const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(utf8[i]); };
  const std::uint8_t lead = byteAt(pos);
  if (lead < 0x80) return {lead, 1, true};
  // The lead byte fixes the length and the range of the second byte; every
  // further byte is 80..BF. C0, C1 and F5..FF never start a sequence.
  std::size_t length = 0;
  std::uint8_t secondLow = 0x80;
  std::uint8_t secondHigh = 0xBF;
  char32_t codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) secondLow = 0xA0;   // no overlong forms
    if (lead == 0xED) secondHigh = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) secondLow = 0x90;   // no overlong forms
    if (lead == 0xF4) secondHigh = 0x8F;  // nothing above U+10FFFF
  } else {
    return {0, 1, false};
  }
  std::size_t taken = 1;
  while (taken < length) {
    if (pos + taken >= utf8.size()) return {0, taken, false};
    const std::uint8_t next = byteAt(pos + taken);
    const std::uint8_t low = taken == 1 ? secondLow : 0x80;
    const std::uint8_t high = taken == 1 ? secondHigh : 0xBF;
    if (next < low || next > high) return {0, taken, false};
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++taken;
  }
  return {codePoint, length, true};
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const Utf8Unit unit = NextUtf8Unit(utf8, pos);
    out += unit.valid ? FromCodePoint(unit.codePoint) : '?';
    pos += unit.length;
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  for (const char ch : cp1252) {
    const auto byte = static_cast<std::uint8_t>(ch);
    if (byte < 0x80) {
      out += ch;
    } else if (byte < 0xA0) {
      AppendUtf8(out, kHigh[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

bool IsWellFormedUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const Utf8Unit unit = NextUtf8Unit(bytes, pos);
    if (!unit.valid) return false;
    pos += unit.length;
  }
  return true;
}

std::string TextFileToCp1252(std::string bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return IsWellFormedUtf8(bytes) ? Utf8ToCp1252(bytes) : bytes;
}

std::string EscapedForMessage(std::string_view text, bool utf8, bool keepTabs) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  const auto escapeByte = [&](std::uint8_t byte) {
    switch (byte) {
      case '\r': out += "\\r"; return;
      case '\n': out += "\\n"; return;
      case '\t': out += "\\t"; return;
      default: out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
    }
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto byte = static_cast<std::uint8_t>(text[pos]);
    if ((byte < 0x20 && !(keepTabs && byte == '\t')) || byte == 0x7F) {
      escapeByte(byte);
      ++pos;
      continue;
    }
    if (!utf8 || byte < 0x80) {
      out += static_cast<char>(byte);
      ++pos;
      continue;
    }
    const Utf8Unit unit = NextUtf8Unit(text, pos);
    if (unit.valid && unit.codePoint >= 0xA0) {
      out.append(text.substr(pos, unit.length));
    } else {
      for (std::size_t i = 0; i < unit.length; ++i) escapeByte(static_cast<std::uint8_t>(text[pos + i]));
    }
    pos += unit.length;
  }
  return out;
}

}  // namespace brendax
