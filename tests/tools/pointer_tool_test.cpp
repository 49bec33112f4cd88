// The pointer tool's encoding and listing.
#include "tools/pointer_tool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

PointerState PointerVariant() {
  PointerState state;
  state.variant = kPointerVariantPointer;
  return state;
}

PointerState AnyParameter(int parameterType, const std::string& number) {
  PointerState state;
  state.variant = kPointerVariantAnyParameter;
  state.parameterType = parameterType;
  state.number = number;
  return state;
}

// The state with one text field changed.
PointerState With(PointerState state, std::string PointerState::*field, const char* text) {
  state.*field = text;
  return state;
}

// The worked examples of the listing, each kept as a golden file.
TEST(PointerToolTest, WorkedExamplesMatchTheirGoldensByteForByte) {
  PointerState defaults;

  PointerState allForms = PointerVariant();
  allForms.dbNumber = "10";
  allForms.address = "15.4";
  allForms.asByte = allForms.asWord = allForms.asDWord = allForms.transfer = true;

  PointerState timer = AnyParameter(5, "12");
  timer.asWord = false;
  timer.asDWord = true;

  PointerState errors = PointerVariant();
  errors.area = 0;
  errors.address = "15.8";
  errors.asWord = false;

  const struct {
    const char* golden;
    PointerState state;
    Bytes bytes;
  } cases[] = {
      {"pointer_defaults.awl", defaults, {0x10, 0x02, 0x00, 0x02, 0x00, 0x01, 0x84, 0x00, 0x00, 0x00}},
      {"pointer_all_forms.awl", allForms, {0x00, 0x0A, 0x84, 0x00, 0x00, 0x7C}},
      {"pointer_any_parameter_timer.awl", timer, {0x10, 0x00, 0x00, 0x01, 0x00, 0x00, 0x1D, 0x00, 0x00, 0x0C}},
      {"pointer_errors.awl", errors, {0x00, 0x01, 0x80, 0x00, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    const PointerListing listing = Compute(c.state);
    const std::string expected = testing::ReadFileBytes(std::string(BRENDAX_GOLDEN_DIR) + "/tools/" + c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(JoinCrLf(listing.lines), expected) << c.golden;
    EXPECT_EQ(listing.bytes, c.bytes) << c.golden;
  }
}

TEST(PointerToolTest, BitAddressForms) {
  const struct {
    const char* text;
    std::optional<std::int32_t> bits;
  } cases[] = {
      {"15", 120},
      {"15.4", 124},
      {"65535.7", 524287},
      {"0.0", 0},
      {"0", 0},
      {"$F.4", 124},
      {" 15.4", 124},
      {"15.07", 127},
      {"15.4x", std::nullopt},  // the two characters after the point are "4x"
      {".5", std::nullopt},
      {"15.45", std::nullopt},
      {"15.4.1", std::nullopt},
      {"15.8", std::nullopt},
      {"65536", std::nullopt},
      {"65536.0", std::nullopt},
      {"-1.0", std::nullopt},
      {"15.", std::nullopt},
      {"15 .4", std::nullopt},
      {"", std::nullopt},
      {"a.1", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParsePointerBitAddress(c.text), c.bits) << "[" << c.text << "]";
  }
}

TEST(PointerToolTest, BitAddressFillsThreeBytesHighFirst) {
  const struct {
    const char* address;
    Bytes addressBytes;
    bool error;
  } cases[] = {
      {"15", {0x00, 0x00, 0x78}, false},    {"15.4", {0x00, 0x00, 0x7C}, false}, {"65535.7", {0x07, 0xFF, 0xFF}, false},
      {"256.1", {0x00, 0x08, 0x01}, false}, {".5", {0x00, 0x00, 0x00}, true},    {"15.45", {0x00, 0x00, 0x00}, true},
  };
  for (const auto& c : cases) {
    PointerState pointer = PointerVariant();
    pointer.address = c.address;
    const PointerListing p = Compute(pointer);
    EXPECT_EQ(Bytes(p.bytes.begin() + 3, p.bytes.end()), c.addressBytes) << c.address;
    EXPECT_EQ(p.errors.size(), c.error ? 1u : 0u) << c.address;

    PointerState any;
    any.address = c.address;
    const PointerListing a = Compute(any);
    EXPECT_EQ(Bytes(a.bytes.begin() + 7, a.bytes.end()), c.addressBytes) << c.address;
  }
}

// A rejected number leaves 00 00 in its two bytes.
TEST(PointerToolTest, NumberFieldsAndTheirRanges) {
  const char* kDb = "- DB-Nummer ist nicht zul\xE4ssig!";
  const char* kRepeat = "- Wiederholfaktor ist nicht zul\xE4ssig!";
  const char* kNumber = "- Nummer ist nicht zul\xE4ssig!";
  const struct {
    const char* what;
    PointerState state;
    std::size_t firstByte;
    Bytes expected;
    const char* error;  // nullptr: accepted
  } cases[] = {
      {"DB 0", With(PointerVariant(), &PointerState::dbNumber, "0"), 0, {0x00, 0x00}, nullptr},
      {"DB 65535", With(PointerVariant(), &PointerState::dbNumber, "65535"), 0, {0xFF, 0xFF}, nullptr},
      {"DB $1234", With(PointerVariant(), &PointerState::dbNumber, "$1234"), 0, {0x12, 0x34}, nullptr},
      {"DB 65536", With(PointerVariant(), &PointerState::dbNumber, "65536"), 0, {0x00, 0x00}, kDb},
      {"DB -1", With(PointerVariant(), &PointerState::dbNumber, "-1"), 0, {0x00, 0x00}, kDb},
      {"DB trailing blank", With(PointerVariant(), &PointerState::dbNumber, "5 "), 0, {0x00, 0x00}, kDb},
      {"DB ANY", With(PointerState{}, &PointerState::dbNumber, "99999999999"), 4, {0x00, 0x00}, kDb},
      {"repeat 1", With(PointerState{}, &PointerState::repeat, "1"), 2, {0x00, 0x01}, nullptr},
      {"repeat 300", With(PointerState{}, &PointerState::repeat, "300"), 2, {0x01, 0x2C}, nullptr},
      {"repeat 0", With(PointerState{}, &PointerState::repeat, "0"), 2, {0x00, 0x00}, kRepeat},
      {"repeat -2", With(PointerState{}, &PointerState::repeat, "-2"), 2, {0x00, 0x00}, kRepeat},
      {"repeat empty", With(PointerState{}, &PointerState::repeat, ""), 2, {0x00, 0x00}, kRepeat},
      {"number 0", AnyParameter(0, "0"), 8, {0x00, 0x00}, nullptr},
      {"number 65535", AnyParameter(1, "65535"), 8, {0xFF, 0xFF}, nullptr},
      {"number 65536", AnyParameter(1, "65536"), 8, {0x00, 0x00}, kNumber},
      {"number -1", AnyParameter(4, "-1"), 8, {0x00, 0x00}, kNumber},
  };
  for (const auto& c : cases) {
    const PointerListing listing = Compute(c.state);
    EXPECT_EQ(Bytes(listing.bytes.begin() + static_cast<long>(c.firstByte),
                    listing.bytes.begin() + static_cast<long>(c.firstByte) + 2),
              c.expected)
        << c.what;
    if (c.error == nullptr) {
      EXPECT_TRUE(listing.errors.empty()) << c.what;
    } else {
      EXPECT_EQ(listing.errors, std::vector<std::string>{c.error}) << c.what;
    }
  }
}

TEST(PointerToolTest, ErrorLinesInReadingOrderThenTheMissingListingForm) {
  PointerState pointer = PointerVariant();
  pointer.dbNumber = "x";
  pointer.address = "1.9";
  pointer.area = 0;
  pointer.asWord = false;
  PointerState any;
  any.area = 0;  // the periphery is accepted in an ANY
  any.repeat = "0";
  any.dbNumber = "";
  any.address = ".";
  any.asWord = false;
  PointerState parameter = AnyParameter(2, "abc");
  parameter.repeat = "0";  // not read for this variant
  parameter.dbNumber = "x";
  parameter.address = "x";

  const std::string db = "- DB-Nummer ist nicht zul\xE4ssig!";
  const std::string address = "- Adressangabe nicht korrekt!";
  const std::string periphery = "- Speicherbereich P / Peripherie ist nicht zul\xE4ssig (?)!";
  const std::string noForm = "- Es wurde kein Anzeigeschema (Byte/Word/DWord) gew\xE4hlt!";
  const std::string repeat = "- Wiederholfaktor ist nicht zul\xE4ssig!";
  const std::string number = "- Nummer ist nicht zul\xE4ssig!";

  const struct {
    const char* what;
    PointerState state;
    std::vector<std::string> errors;
  } cases[] = {
      {"POINTER", pointer, {db, address, periphery, noForm}},
      {"ANY-Datentyp", any, {repeat, db, address, noForm}},
      {"ANY-Parametertyp", parameter, {number}},
  };
  for (const auto& c : cases) {
    const PointerListing listing = Compute(c.state);
    EXPECT_EQ(listing.errors, c.errors) << c.what;
    // The error block closes the listing.
    std::vector<std::string> block{"Fehler:"};
    block.insert(block.end(), c.errors.begin(), c.errors.end());
    block.emplace_back();
    ASSERT_GE(listing.lines.size(), block.size());
    EXPECT_EQ(std::vector<std::string>(listing.lines.end() - static_cast<long>(block.size()), listing.lines.end()),
              block)
        << c.what;
  }
  // The periphery area still gives 80h.
  EXPECT_EQ(Compute(pointer).bytes[2], 0x80);
  EXPECT_EQ(Compute(any).bytes[6], 0x80);
}

// The line of byte 2, the first word line and the first double-word line
// (of a POINTER) for each combination of the comment boxes.
TEST(PointerToolTest, CommentBoxCombinations) {
  const struct {
    bool comment1, comment2;
    const char* byteLine;
    const char* wordLine;
    const char* dwordLine;
  } cases[] = {
      {false, false, " L    B#16#84", " L    W#16#8400", " L   DW#16#84000000"},
      {true, false, " L    B#16#84        // B2", " L    W#16#8400      // B2..B3", " L   DW#16#84000000  // B2..B5"},
      {false, true, " L    B#16#84        // Bereich Datenbaustein    ",
       " L    W#16#8400      // Bereich Datenbaustein     Adresse                  ",
       " L   DW#16#84000000  // Bereich Datenbaustein     Adresse                   Adresse                   "
       "Adresse L-Byte           "},
      {true, true, " L    B#16#84        // B2 | Bereich Datenbaustein    ",
       " L    W#16#8400      // B2..B3 | Bereich Datenbaustein     Adresse                  ",
       " L   DW#16#84000000  // B2..B5 | Bereich Datenbaustein     Adresse                   Adresse                   "
       "Adresse L-Byte           "},
  };
  for (const auto& c : cases) {
    PointerState state = PointerVariant();
    state.asByte = state.asWord = state.asDWord = true;
    state.comment1 = c.comment1;
    state.comment2 = c.comment2;
    const auto lines = Compute(state).lines;
    ASSERT_EQ(lines.size(), 2u + 6 + 2 + 3 + 2 + 2) << c.comment1 << c.comment2;
    EXPECT_EQ(lines[3], c.byteLine);
    EXPECT_EQ(lines[10], c.wordLine);
    EXPECT_EQ(lines[15], c.dwordLine);
  }
}

TEST(PointerToolTest, WithoutLoadTheLinesBeginWithTheConstantsBlanks) {
  PointerState state;
  state.load = false;
  state.comment1 = state.comment2 = false;
  state.asByte = state.asWord = state.asDWord = true;
  const auto lines = Compute(state).lines;
  ASSERT_EQ(lines.size(), 2u + 10 + 2 + 5 + 2 + 3);
  EXPECT_EQ(lines[1], "  B#16#10");
  EXPECT_EQ(lines[13], "  W#16#1002");
  EXPECT_EQ(lines[20], "  W#16#1002");
  EXPECT_EQ(lines[21], " DW#16#00020001");
  EXPECT_EQ(lines[22], " DW#16#84000000");
}

TEST(PointerToolTest, LineCountsOfEachSectionPerVariant) {
  const struct {
    int variant;
    std::size_t byteLines, wordLines, dwordLines;
  } cases[] = {
      {kPointerVariantPointer, 6, 3, 2},
      {kPointerVariantAnyDataType, 10, 5, 3},
      {kPointerVariantAnyParameter, 10, 5, 3},
  };
  for (const auto& c : cases) {
    for (const bool transfer : {false, true}) {
      PointerState state;
      state.variant = c.variant;
      state.transfer = transfer;
      const std::size_t perLine = transfer ? 2 : 1;
      const struct {
        bool byte, word, dword;
        std::size_t count;
      } forms[] = {
          {true, false, false, c.byteLines}, {false, true, false, c.wordLines}, {false, false, true, c.dwordLines}};
      for (const auto& form : forms) {
        state.asByte = form.byte;
        state.asWord = form.word;
        state.asDWord = form.dword;
        const auto lines = Compute(state).lines;
        EXPECT_EQ(lines.size(), 2 + form.count * perLine) << c.variant << transfer;
        if (transfer) {
          EXPECT_EQ(lines[2], " T");
        }
        EXPECT_EQ(lines.back(), "");
      }
    }
  }
}

TEST(PointerToolTest, MeaningsOfTheParameterTypeBytes) {
  const struct {
    int parameterType;
    std::uint8_t code;
    const char* typeMeaning;
    const char* numberMeaning;
  } cases[] = {
      {0, 0x17, "Datentyp BLOCK_FB", "DB-Nummer"},     {1, 0x18, "Datentyp BLOCK_FC", "DB-Nummer"},
      {2, 0x19, "Datentyp BLOCK_DB", "DB-Nummer"},     {3, 0x1A, "Datentyp BLOCK_SDB", "DB-Nummer"},
      {4, 0x1C, "Datentyp COUNTER", "COUNTER-Nummer"}, {5, 0x1D, "Datentyp TIMER", "TIMER-Nummer"},
  };
  for (const auto& c : cases) {
    PointerState state = AnyParameter(c.parameterType, "258");
    state.asWord = false;
    state.asByte = true;
    state.comment1 = false;
    const PointerListing listing = Compute(state);
    EXPECT_EQ(listing.bytes, (Bytes{0x10, 0x00, 0x00, 0x01, 0x00, 0x00, c.code, 0x00, 0x01, 0x02}));
    const auto padded = [](std::string text) { return text.append(25 - text.size(), ' '); };
    EXPECT_TRUE(listing.lines[7].ends_with("// " + padded(c.typeMeaning))) << listing.lines[7];
    EXPECT_TRUE(listing.lines[9].ends_with("// " + padded(std::string(c.numberMeaning) + " H-Byte")));
    EXPECT_TRUE(listing.lines[10].ends_with("// " + padded(std::string(c.numberMeaning) + " L-Byte")));
  }
}

TEST(PointerToolTest, DataTypeAndAreaBytesAndMeanings) {
  PointerState state;
  state.asWord = false;
  state.asByte = true;
  state.comment1 = false;
  for (std::size_t type = 0; type < PointerDataTypeItems().size(); ++type) {
    for (std::size_t area = 0; area < PointerAreaItems().size(); ++area) {
      state.dataType = static_cast<int>(type);
      state.area = static_cast<int>(area);
      const PointerListing listing = Compute(state);
      EXPECT_TRUE(listing.errors.empty());
      EXPECT_EQ(listing.bytes[1], PointerDataTypeItems()[type].code);
      EXPECT_EQ(listing.bytes[6], PointerAreaItems()[area].code);
      // Every meaning text is exactly 25 characters.
      EXPECT_EQ(listing.lines[2].size(), 24u + 25) << listing.lines[2];
      EXPECT_EQ(listing.lines[7].size(), 24u + 25) << listing.lines[7];
    }
  }
  EXPECT_EQ(Compute([] {
              PointerState s;
              s.asByte = true;
              s.area = 7;
              return s;
            }())
                .lines[7],
            " L    B#16#87        // B6 | Bereich Vorherige Lokald.");
}

}  // namespace
}  // namespace brendax
