#include "core/symbol_table_file.h"

#include <cctype>
#include <map>

namespace brendax {
namespace {

constexpr std::size_t kSymbolWidth = 24;
constexpr std::size_t kAddressWidth = 12;
constexpr std::size_t kTypeWidth = 10;
constexpr std::size_t kCommentWidth = 80;

bool IsEmptyRow(const SymbolRow& row) {
  return row.symbol.empty() && row.address.empty() && row.type.empty() && row.comment.empty();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Cut to the width, or padded with blanks to it.
void AppendFixed(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() >= width) {
    out.append(text.substr(0, width));
  } else {
    out.append(text);
    out.append(width - text.size(), ' ');
  }
}

// The address with its blanks collapsed: "E  50.0" gives "E 50.0".
std::string PlainAddress(std::string_view cell) {
  if (const auto a = ParseSymbolAddress(cell)) return a->area + ' ' + a->number + (a->bit.empty() ? "" : "." + a->bit);
  return std::string(cell);
}

}  // namespace

std::optional<SymbolFileFormat> ParseSymbolFileFormat(std::string_view name) {
  if (name == "tsv") return SymbolFileFormat::kTsv;
  if (name == "asc") return SymbolFileFormat::kAsc;
  if (name == "sdf") return SymbolFileFormat::kSdf;
  if (name == "seq") return SymbolFileFormat::kSeq;
  return std::nullopt;
}

SymbolFileFormat SymbolFileFormatForName(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return SymbolFileFormat::kTsv;
  std::string ext(fileName.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (const auto f = ParseSymbolFileFormat(ext)) return *f;
  return SymbolFileFormat::kTsv;
}

std::optional<SymbolAddress> ParseSymbolAddress(std::string_view cell) {
  std::size_t i = 0;
  SymbolAddress a;
  while (i < cell.size() && IsLetter(cell[i])) a.area += cell[i++];
  if (a.area.empty()) return std::nullopt;
  while (i < cell.size() && cell[i] == ' ') ++i;
  while (i < cell.size() && IsDigit(cell[i])) a.number += cell[i++];
  if (a.number.empty() || a.number.size() > 5) return std::nullopt;
  if (i < cell.size() && cell[i] == '.') {
    ++i;
    while (i < cell.size() && IsDigit(cell[i])) a.bit += cell[i++];
    if (a.bit.size() != 1) return std::nullopt;
  }
  if (i != cell.size()) return std::nullopt;
  return a;
}

std::string AscAddress(std::string_view cell) {
  std::string out;
  out.reserve(kAddressWidth);
  const auto a = ParseSymbolAddress(cell);
  if (!a) {
    AppendFixed(out, cell, kAddressWidth);
    return out;
  }
  AppendFixed(out, a->area, 4);
  out.append(5 - a->number.size(), ' ');
  out.append(a->number);
  if (a->bit.empty()) {
    out.append("  ");
  } else {
    out += '.';
    out += a->bit;
  }
  out += ' ';
  return out;
}

std::string FormatSymbolFile(const std::vector<SymbolRow>& rows, SymbolFileFormat format) {
  std::string out;
  out.reserve(rows.size() * (format == SymbolFileFormat::kAsc || format == SymbolFileFormat::kSdf ? 140 : 64));
  for (const SymbolRow& row : rows) {
    if (IsEmptyRow(row)) continue;
    switch (format) {
      case SymbolFileFormat::kTsv:
        out.append(row.symbol).append("\t").append(row.address).append("\t").append(row.type);
        out.append("\t").append(row.comment);
        break;
      case SymbolFileFormat::kAsc:
        out.append("126,");
        AppendFixed(out, row.symbol, kSymbolWidth);
        out.append(AscAddress(row.address));
        AppendFixed(out, row.type, kTypeWidth);
        AppendFixed(out, row.comment, kCommentWidth);
        break;
      case SymbolFileFormat::kSdf:
        out += '"';
        AppendFixed(out, row.symbol, kSymbolWidth);
        out.append("\",\"");
        AppendFixed(out, PlainAddress(row.address), kAddressWidth);
        out.append("\",\"");
        AppendFixed(out, row.type, kTypeWidth);
        out.append("\",\"");
        AppendFixed(out, row.comment, kCommentWidth);
        out += '"';
        break;
      case SymbolFileFormat::kSeq:
        out.append("\t").append(PlainAddress(row.address)).append("\t").append(row.symbol);
        out.append("\t").append(row.comment);
        break;
    }
    out.append("\r\n");
  }
  return out;
}

std::string SymbolFileWarning(const std::vector<SymbolRow>& rows) {
  std::vector<std::string> problems;
  std::map<std::string, std::size_t> symbols;    // symbol -> first row
  std::map<std::string, std::size_t> addresses;  // plain address -> first row
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SymbolRow& row = rows[i];
    if (IsEmptyRow(row)) continue;
    const std::string n = std::to_string(i + 1);
    if (row.symbol.empty()) {
      problems.push_back("Zeile " + n + ": Symbol fehlt");
    } else {
      if (row.symbol.size() > kSymbolWidth)
        problems.push_back("Zeile " + n + ": Symbol l\xE4nger als 24 Zeichen \"" + row.symbol + "\"");
      const auto [it, fresh] = symbols.emplace(row.symbol, i + 1);
      if (!fresh)
        problems.push_back("Zeile " + std::to_string(it->second) + " und " + n + ": gleiches Symbol \"" + row.symbol +
                           "\"");
    }
    if (!row.address.empty()) {
      const std::string address = PlainAddress(row.address);
      const auto [it, fresh] = addresses.emplace(address, i + 1);
      if (!fresh)
        problems.push_back("Zeile " + std::to_string(it->second) + " und " + n + ": gleiche Adresse \"" + address +
                           "\"");
    }
  }
  if (problems.empty()) return {};
  std::string text = "Die Symboltabelle w\xFCrde beim Import abgewiesen:";
  for (const auto& p : problems) text += "\r" + p;
  return text;
}

}  // namespace brendax
