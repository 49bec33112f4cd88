#include "tools/pointer_tool.h"

#include <algorithm>
#include <array>

#include "core/field_table.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

constexpr std::array<PointerListItem, 8> kAreas{{
    {"80h    P Peripherie(*)", 0x80, "P", "Bereich Peripherie(*)"},
    {"81h    E Eing\xE4nge", 0x81, "E", "Bereich Eing\xE4nge"},
    {"82h    A Ausg\xE4nge", 0x82, "A", "Bereich Ausg\xE4nge"},
    {"83h    M Merker", 0x83, "M", "Bereich Merker"},
    {"84h    DB Datenbaustein", 0x84, "DB", "Bereich Datenbaustein"},
    {"85h    DI Instanz-Datenbaustein", 0x85, "DI", "Bereich Instanz-DB"},
    {"86h    L Lokaldaten (L-Stack)", 0x86, "L", "Bereich Lokaldaten"},
    {"87h    V Vorherige Lokaldaten", 0x87, "V", "Bereich Vorherige Lokald."},
}};

constexpr std::array<PointerListItem, 15> kDataTypes{{
    {"00h   NIL (Nullpointer)", 0x00, "NIL", "Datentyp NIL"},
    {"01h   BOOL", 0x01, "BOOL", "Datentyp BOOL"},
    {"02h   BYTE", 0x02, "BYTE", "Datentyp BYTE"},
    {"03h   CHAR", 0x03, "CHAR", "Datentyp CHAR"},
    {"04h   WORD", 0x04, "WORD", "Datentyp WORD"},
    {"05h   INT", 0x05, "INT", "Datentyp INT"},
    {"06h   DWORD", 0x06, "DWORD", "Datentyp DWORD"},
    {"07h   DINT", 0x07, "DINT", "Datentyp DINT"},
    {"08h   REAL", 0x08, "REAL", "Datentyp REAL"},
    {"09h   DATE", 0x09, "DATE", "Datentyp DATE"},
    {"0Ah   TIME_OF_DAY (TOD) ", 0x0A, "TIME_OF_DAY", "Datentyp TIME_OF_DAY"},
    {"0Bh   TIME", 0x0B, "TIME", "Datentyp TIME"},
    {"0Ch   S5TIME", 0x0C, "S5TIME", "Datentyp S5TIME"},
    {"0Eh   DATE_AND_TIME (DT) ", 0x0E, "DATE_AND_TIME", "Datentyp DATE_AND_TIME"},
    {"13h   STRING", 0x13, "STRING", "Datentyp STRING"},
}};

constexpr std::array<PointerListItem, 6> kParameterTypes{{
    {"17h    BLOCK_FB", 0x17, "BLOCK_FB", "Datentyp BLOCK_FB"},
    {"18h    BLOCK_FC", 0x18, "BLOCK_FC", "Datentyp BLOCK_FC"},
    {"19h    BLOCK_DB", 0x19, "BLOCK_DB", "Datentyp BLOCK_DB"},
    {"1Ah    BLOCK_SDB", 0x1A, "BLOCK_SDB", "Datentyp BLOCK_SDB"},
    {"1Ch    COUNTER", 0x1C, "COUNTER", "Datentyp COUNTER"},
    {"1Dh    TIMER", 0x1D, "TIMER", "Datentyp TIMER"},
}};

constexpr int kCounterItem = 4;
constexpr int kTimerItem = 5;
constexpr int kPeripheryItem = 0;
constexpr std::size_t kMeaningWidth = 25;

constexpr const char* kErrorDbNumber = "- DB-Nummer ist nicht zul\xE4ssig!";
constexpr const char* kErrorRepeat = "- Wiederholfaktor ist nicht zul\xE4ssig!";
constexpr const char* kErrorNumber = "- Nummer ist nicht zul\xE4ssig!";
constexpr const char* kErrorAddress = "- Adressangabe nicht korrekt!";
constexpr const char* kErrorPeriphery = "- Speicherbereich P / Peripherie ist nicht zul\xE4ssig (?)!";
constexpr const char* kErrorNoForm = "- Es wurde kein Anzeigeschema (Byte/Word/DWord) gew\xE4hlt!";

// The item at a list index; nothing for an index outside the list (a list
// without a selection).
const PointerListItem* ItemAt(std::span<const PointerListItem> items, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
  return &items[static_cast<std::size_t>(index)];
}

// A whole number by the integer-text rule inside [low, high].
std::optional<std::int32_t> WholeNumber(std::string_view text, std::int32_t low, std::int32_t high) {
  const auto value = ParseInt32(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

// The bytes and their meaning texts while they are being filled.
class Layout {
 public:
  explicit Layout(std::size_t count) : bytes_(count, 0), meanings_(count) {}

  void Set(std::size_t index, std::uint8_t value, std::string_view meaning) {
    bytes_[index] = value;
    meanings_[index] = meaning;
  }
  // A 16-bit value, high byte first, with the meaning of each byte.
  void SetWord(std::size_t index, std::uint32_t value, std::string_view highMeaning, std::string_view lowMeaning) {
    Set(index, static_cast<std::uint8_t>(value >> 8), highMeaning);
    Set(index + 1, static_cast<std::uint8_t>(value), lowMeaning);
  }
  // A list item's code and meaning; without an item the byte stays 0 and
  // its meaning empty.
  void SetItem(std::size_t index, const PointerListItem* item) {
    if (item != nullptr) Set(index, item->code, item->meaning);
  }
  // The bit address in three bytes, bits 23-16, 15-8 and 7-0.
  void SetBitAddress(std::size_t index, std::uint32_t bitAddress) {
    Set(index, static_cast<std::uint8_t>(bitAddress >> 16), "Adresse");
    Set(index + 1, static_cast<std::uint8_t>(bitAddress >> 8), "Adresse");
    Set(index + 2, static_cast<std::uint8_t>(bitAddress), "Adresse L-Byte");
  }

  std::vector<std::uint8_t>& bytes() { return bytes_; }
  // Every meaning filled with blanks to the listing's column width.
  void PadMeanings() {
    for (auto& meaning : meanings_) meaning.resize(std::max(meaning.size(), kMeaningWidth), ' ');
  }
  const std::string& meaning(std::size_t index) const { return meanings_[index]; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<std::string> meanings_;
};

void FillPointer(const PointerState& state, Layout& layout, std::vector<std::string>& errors) {
  // A rejected number leaves 00 00 in its bytes.
  const auto db = WholeNumber(state.dbNumber, 0, 65535);
  if (!db) errors.emplace_back(kErrorDbNumber);
  layout.SetWord(0, static_cast<std::uint32_t>(db.value_or(0)), "DB-Nummer H-Byte", "DB-Nummer L-Byte");
  layout.SetItem(2, ItemAt(PointerAreaItems(), state.area));
  const auto bitAddress = ParsePointerBitAddress(state.address);
  if (!bitAddress) errors.emplace_back(kErrorAddress);
  layout.SetBitAddress(3, static_cast<std::uint32_t>(bitAddress.value_or(0)));
  if (state.area == kPeripheryItem) errors.emplace_back(kErrorPeriphery);
}

void FillAnyDataType(const PointerState& state, Layout& layout, std::vector<std::string>& errors) {
  layout.Set(0, 0x10, "S7-Kennung");
  layout.SetItem(1, ItemAt(PointerDataTypeItems(), state.dataType));
  const auto repeat = WholeNumber(state.repeat, 1, 65535);
  if (!repeat) errors.emplace_back(kErrorRepeat);
  layout.SetWord(2, static_cast<std::uint32_t>(repeat.value_or(0)), "Wiederholfaktor H-Byte", "Wiederholfaktor L-Byte");
  const auto db = WholeNumber(state.dbNumber, 0, 65535);
  if (!db) errors.emplace_back(kErrorDbNumber);
  layout.SetWord(4, static_cast<std::uint32_t>(db.value_or(0)), "DB-Nummer H-Byte", "DB-Nummer L-Byte");
  layout.SetItem(6, ItemAt(PointerAreaItems(), state.area));
  const auto bitAddress = ParsePointerBitAddress(state.address);
  if (!bitAddress) errors.emplace_back(kErrorAddress);
  layout.SetBitAddress(7, static_cast<std::uint32_t>(bitAddress.value_or(0)));
}

void FillAnyParameter(const PointerState& state, Layout& layout, std::vector<std::string>& errors) {
  layout.Set(0, 0x10, "S7-Kennung");
  layout.Set(1, 0x00, "Datentyp=0 (\?\?\?\?)");
  layout.Set(2, 0x00, "0 !");
  layout.Set(3, 0x01, "1 !");
  layout.Set(4, 0x00, "0 !");
  layout.Set(5, 0x00, "0 !");
  layout.SetItem(6, ItemAt(PointerParameterTypeItems(), state.parameterType));
  layout.Set(7, 0x00, "0 !");
  const auto number = WholeNumber(state.number, 0, 65535);
  if (!number) errors.emplace_back(kErrorNumber);
  const std::uint32_t value = static_cast<std::uint32_t>(number.value_or(0));
  if (state.parameterType == kCounterItem) {
    layout.SetWord(8, value, "COUNTER-Nummer H-Byte", "COUNTER-Nummer L-Byte");
  } else if (state.parameterType == kTimerItem) {
    layout.SetWord(8, value, "TIMER-Nummer H-Byte", "TIMER-Nummer L-Byte");
  } else {
    layout.SetWord(8, value, "DB-Nummer H-Byte", "DB-Nummer L-Byte");
  }
}

void AppendHex(std::string& line, std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  line += kDigits[value >> 4];
  line += kDigits[value & 0x0F];
}

void AppendDecimal(std::string& line, std::size_t value) {
  if (value >= 10) AppendDecimal(line, value / 10);
  line += static_cast<char>('0' + value % 10);
}

// Writes the listing lines of one computation.
class ListingWriter {
 public:
  ListingWriter(const PointerState& state, Layout& layout, std::vector<std::string>& lines)
      : state_(state), layout_(layout), lines_(lines) {}

  void ByteSection(std::size_t count) {
    lines_.emplace_back("Lade Bytes in AWL (aufsteigend einzelne Bytes):");
    for (std::size_t i = 0; i < count; ++i) {
      std::string& line = Begin("  B#16#");
      AppendHex(line, layout_.bytes()[i]);
      Comment(line, "        //", i, i);
      End();
    }
    lines_.emplace_back();
  }

  void WordSection(std::size_t count) {
    lines_.emplace_back("Lade Bytes in AWL (aufsteigend mehrere Word):");
    for (std::size_t first = 0; first + 1 < count; first += 2) Constant("  W#16#", "      //", first, first + 1);
    lines_.emplace_back();
  }

  void DWordSection(std::size_t count) {
    lines_.emplace_back("Lade Bytes in AWL (aufsteigend als Kombination Word/ DWord):");
    Constant("  W#16#", "      //", 0, 1);
    for (std::size_t first = 2; first + 3 < count; first += 4) Constant(" DW#16#", "  //", first, first + 3);
    lines_.emplace_back();
  }

 private:
  bool commentsOn() const { return state_.comment1 || state_.comment2; }

  std::string& Begin(std::string_view constantPrefix) {
    std::string& line = lines_.emplace_back();
    line.reserve(32 + 26 * 4);
    if (state_.load) line += " L  ";
    line += constantPrefix;
    return line;
  }

  void End() {
    if (state_.transfer) lines_.emplace_back(" T");
  }

  // One load of the bytes first..last as one hexadecimal constant.
  void Constant(std::string_view constantPrefix, std::string_view commentStart, std::size_t first, std::size_t last) {
    std::string& line = Begin(constantPrefix);
    for (std::size_t i = first; i <= last; ++i) AppendHex(line, layout_.bytes()[i]);
    Comment(line, commentStart, first, last);
    End();
  }

  // " B3" or " B2..B5" with "Kommentar 1", " |" with both, the meaning
  // texts with "Kommentar 2".
  void Comment(std::string& line, std::string_view commentStart, std::size_t first, std::size_t last) {
    if (!commentsOn()) return;
    line += commentStart;
    if (state_.comment1) {
      line += " B";
      AppendDecimal(line, first);
      if (last != first) {
        line += "..B";
        AppendDecimal(line, last);
      }
    }
    if (state_.comment1 && state_.comment2) line += " |";
    if (state_.comment2) {
      for (std::size_t i = first; i <= last; ++i) {
        line += ' ';
        line += layout_.meaning(i);
      }
    }
  }

  const PointerState& state_;
  Layout& layout_;
  std::vector<std::string>& lines_;
};

}  // namespace

std::span<const PointerListItem> PointerAreaItems() { return kAreas; }
std::span<const PointerListItem> PointerDataTypeItems() { return kDataTypes; }
std::span<const PointerListItem> PointerParameterTypeItems() { return kParameterTypes; }

std::optional<std::int32_t> ParsePointerBitAddress(std::string_view text) {
  // A control character makes the address invalid, whatever digits it holds.
  if (HoldsControlCharacter(text, false)) return std::nullopt;
  const std::size_t point = text.find('.');
  std::string_view bytePart = text;
  std::string_view bitPart;
  if (point != std::string_view::npos && point > 0) {
    bytePart = text.substr(0, point);
    bitPart = text.substr(point + 1, 2);
  }
  const auto byte = WholeNumber(bytePart, 0, 65535);
  if (!byte) return std::nullopt;
  std::int32_t bit = 0;
  if (point != std::string_view::npos && point > 0) {
    const auto parsed = WholeNumber(bitPart, 0, 7);
    if (!parsed) return std::nullopt;
    bit = *parsed;
  }
  return *byte * 8 + bit;
}

PointerListing Compute(const PointerState& state) {
  PointerListing listing;
  const bool pointer = state.variant == kPointerVariantPointer;
  Layout layout(pointer ? 6 : 10);
  if (pointer) {
    FillPointer(state, layout, listing.errors);
  } else if (state.variant == kPointerVariantAnyParameter) {
    FillAnyParameter(state, layout, listing.errors);
  } else {
    FillAnyDataType(state, layout, listing.errors);
  }
  if (!state.asByte && !state.asWord && !state.asDWord) listing.errors.emplace_back(kErrorNoForm);
  layout.PadMeanings();

  const std::size_t count = layout.bytes().size();
  std::size_t lineCount = listing.errors.empty() ? 0 : listing.errors.size() + 2;
  const std::size_t perLine = state.transfer ? 2 : 1;
  if (state.asByte) lineCount += 2 + count * perLine;
  if (state.asWord) lineCount += 2 + count / 2 * perLine;
  if (state.asDWord) lineCount += 2 + (count / 4 + 1) * perLine;
  listing.lines.reserve(lineCount);

  ListingWriter writer(state, layout, listing.lines);
  if (state.asByte) writer.ByteSection(count);
  if (state.asWord) writer.WordSection(count);
  if (state.asDWord) writer.DWordSection(count);
  if (!listing.errors.empty()) {
    listing.lines.emplace_back("Fehler:");
    listing.lines.insert(listing.lines.end(), listing.errors.begin(), listing.errors.end());
    listing.lines.emplace_back();
  }
  listing.bytes = std::move(layout.bytes());
  return listing;
}

}  // namespace brendax
