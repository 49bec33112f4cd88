#include "core/symbol_table_file.h"

#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <utility>

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

namespace {

std::string WithoutTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string_view Field(std::string_view line, std::size_t start, std::size_t width) {
  return start >= line.size() ? std::string_view() : line.substr(start, width);
}

// The cells between TABs.
std::vector<std::string_view> TabCells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return cells;
    start = tab + 1;
  }
}

// "a","b","c","d": four quoted cells separated by commas.
std::optional<std::vector<std::string_view>> QuotedCells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t pos = 0;
  while (true) {
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    const std::size_t close = line.find('"', pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    cells.push_back(line.substr(pos + 1, close - pos - 1));
    pos = close + 1;
    if (pos == line.size()) break;
    if (line[pos] != ',') return std::nullopt;
    ++pos;
  }
  if (cells.size() != 4) return std::nullopt;
  return cells;
}

const char* FormatName(SymbolFileFormat format) {
  switch (format) {
    case SymbolFileFormat::kAsc: return "ASC";
    case SymbolFileFormat::kSdf: return "SDF";
    case SymbolFileFormat::kSeq: return "SEQ";
    case SymbolFileFormat::kTsv: break;
  }
  return "TAB";
}

std::optional<SymbolRow> ParseRow(std::string_view line, SymbolFileFormat format) {
  SymbolRow row;
  switch (format) {
    case SymbolFileFormat::kAsc:
      if (!line.starts_with("126,") || line.size() > 4 + kSymbolWidth + kAddressWidth + kTypeWidth + kCommentWidth)
        return std::nullopt;
      row.symbol = WithoutTrailingBlanks(Field(line, 4, kSymbolWidth));
      row.address = PlainAddress(WithoutTrailingBlanks(Field(line, 4 + kSymbolWidth, kAddressWidth)));
      row.type = WithoutTrailingBlanks(Field(line, 4 + kSymbolWidth + kAddressWidth, kTypeWidth));
      row.comment = WithoutTrailingBlanks(Field(line, 4 + kSymbolWidth + kAddressWidth + kTypeWidth, kCommentWidth));
      break;
    case SymbolFileFormat::kSdf: {
      const auto cells = QuotedCells(line);
      if (!cells) return std::nullopt;
      row = {WithoutTrailingBlanks((*cells)[0]), PlainAddress(WithoutTrailingBlanks((*cells)[1])),
             WithoutTrailingBlanks((*cells)[2]), WithoutTrailingBlanks((*cells)[3])};
      break;
    }
    case SymbolFileFormat::kSeq: {
      const auto cells = TabCells(line);
      if (cells.size() != 4 || !cells[0].empty()) return std::nullopt;
      row = {WithoutTrailingBlanks(cells[2]),
             PlainAddress(WithoutTrailingBlanks(cells[1])),
             {},
             WithoutTrailingBlanks(cells[3])};
      break;
    }
    case SymbolFileFormat::kTsv: {
      const auto cells = TabCells(line);
      if (cells.size() != 4) return std::nullopt;
      row = {WithoutTrailingBlanks(cells[0]), WithoutTrailingBlanks(cells[1]), WithoutTrailingBlanks(cells[2]),
             WithoutTrailingBlanks(cells[3])};
      break;
    }
  }
  return row;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string WithoutLeadingZeros(const std::string& digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

ParsedSymbolFile ParseSymbolFile(std::string_view text) {
  ParsedSymbolFile parsed;
  bool formatKnown = false;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    start = end + 1;
    ++lineNumber;
    if (line.find_first_not_of(' ') == std::string_view::npos) continue;
    if (!formatKnown) {
      parsed.format = line.starts_with("126,") ? SymbolFileFormat::kAsc
                      : line.starts_with('"')  ? SymbolFileFormat::kSdf
                      : line.starts_with('\t') ? SymbolFileFormat::kSeq
                                               : SymbolFileFormat::kTsv;
      formatKnown = true;
    }
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const auto row = ParseRow(line, parsed.format);
    if (!row) {
      parsed.error = where + "not a row of the " + FormatName(parsed.format) + " table";
      return parsed;
    }
    if (row->symbol.empty()) {
      parsed.error = where + "the row has no symbol";
      return parsed;
    }
    if (!ParseSymbolAddress(row->address)) {
      parsed.error = where + "the row has no address";
      return parsed;
    }
    parsed.rows.push_back(*row);
    parsed.lines.push_back(lineNumber);
  }
  return parsed;
}

std::string SymbolAddressKey(std::string_view cell) {
  const auto address = ParseSymbolAddress(cell);
  if (!address) return Upper(cell);
  std::string key = Upper(address->area) + " " + WithoutLeadingZeros(address->number);
  if (!address->bit.empty()) key += "." + address->bit;
  return key;
}

std::optional<SymbolCollision> FindSymbolCollision(const std::vector<SymbolRow>& table,
                                                   const std::vector<SymbolRow>& rows) {
  std::map<std::string, std::size_t> bySymbol;
  std::map<std::string, std::size_t> byAddress;
  for (std::size_t i = 0; i < table.size(); ++i) {
    bySymbol.emplace(table[i].symbol, i);
    byAddress.emplace(SymbolAddressKey(table[i].address), i);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (IsEmptyRow(rows[i])) continue;
    const std::string address = SymbolAddressKey(rows[i].address);
    if (const auto it = bySymbol.find(rows[i].symbol);
        it != bySymbol.end() && SymbolAddressKey(table[it->second].address) != address)
      return SymbolCollision{i, it->second};
    if (const auto it = byAddress.find(address); it != byAddress.end() && table[it->second].symbol != rows[i].symbol)
      return SymbolCollision{i, it->second};
  }
  return std::nullopt;
}

std::vector<SymbolRow> MergeSymbolRows(const std::vector<SymbolRow>& table, const std::vector<SymbolRow>& rows) {
  std::vector<SymbolRow> merged = table;
  std::set<std::pair<std::string, std::string>> held;
  for (const SymbolRow& row : table) held.emplace(row.symbol, SymbolAddressKey(row.address));
  for (const SymbolRow& row : rows) {
    if (IsEmptyRow(row)) continue;
    if (held.emplace(row.symbol, SymbolAddressKey(row.address)).second) merged.push_back(row);
  }
  return merged;
}

}  // namespace brendax
