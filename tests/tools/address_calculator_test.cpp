// The address calculator's recompute as a function of the window state.
#include "tools/address_calculator.h"

#include <gtest/gtest.h>

namespace brendax {
namespace {

using Fields = std::array<std::string, kAddressFieldCount>;
using Marks = std::array<bool, kAddressFieldCount>;

TEST(AddressCalculatorTest, AddressAndNumberForms) {
  const struct {
    const char* text;
    std::optional<std::int32_t> bits;
  } addresses[] = {
      {"0.0", 0},
      {"22.6", 182},
      {"5.07", 47},
      {"32767.7", 262143},
      {"$10.1", 129},
      {"5.8", std::nullopt},
      {"5", std::nullopt},
      {".5", std::nullopt},
      {"5.a", std::nullopt},
      {"5.7x", std::nullopt},
      {"32768.0", std::nullopt},
      {"-1.0", std::nullopt},
      {"5.", std::nullopt},
      {"", std::nullopt},
      {"5.-1", std::nullopt},
  };
  for (const auto& c : addresses) EXPECT_EQ(ParseAddressBits(c.text), c.bits) << "[" << c.text << "]";

  const struct {
    const char* text;
    std::optional<std::int32_t> value;
  } numbers[] = {
      {"0", 0},
      {"32767", 32767},
      {"$FF", 255},
      {"-1", std::nullopt},
      {"32768", std::nullopt},
      {"1.0", std::nullopt},
      {"", std::nullopt},
      {"7 ", std::nullopt},
  };
  for (const auto& c : numbers) EXPECT_EQ(ParseRunningNumber(c.text), c.value) << "[" << c.text << "]";

  EXPECT_EQ(FormatAddressBits(182), "22.6");
  EXPECT_EQ(FormatAddressBits(262136), "32767.0");
}

TEST(AddressCalculatorTest, RecomputeOfEachSoughtField) {
  const struct {
    const char* what;
    Fields fields;
    AddressField sought;
    Fields expected;
    std::int32_t distance;
    Marks invalid;
  } cases[] = {
      {"first showing", {"0.0", "0", "0.0", "0"}, kEndNumber, {"0.0", "0", "0.0", "0"}, 0, {}},
      {"example", {"20.0", "1", "0.0", "23"}, kEndAddress, {"20.0", "1", "22.6", "23"}, 22, {}},
      {"end number", {"20.0", "1", "21.3", "7"}, kEndNumber, {"20.0", "1", "21.3", "12"}, 11, {}},
      {"start address", {"9.9", "1", "22.6", "23"}, kStartAddress, {"20.0", "1", "22.6", "23"}, 22, {}},
      {"start number", {"20.0", "x", "22.6", "23"}, kStartNumber, {"20.0", "1", "22.6", "23"}, 22, {}},
      {"end before start", {"10.0", "5", "?", "1"}, kEndAddress, {"10.0", "5", "9.4", "1"}, -4, {}},
      {"5.07 is 5.7", {"5.07", "0", "6.0", "9"}, kEndNumber, {"5.07", "0", "6.0", "1"}, 1, {}},
      // Out of range: the sought field keeps its text, no "Error", distance 0.
      {"start address below 0", {"7.7", "1", "0.0", "10"}, kStartAddress, {"7.7", "1", "0.0", "10"}, 0, {}},
      {"start number above 32767",
       {"32767.0", "5", "0.0", "32767"},
       kStartNumber,
       {"32767.0", "5", "0.0", "32767"},
       0,
       {}},
      {"start number 32767", {"0.1", "5", "0.0", "32766"}, kStartNumber, {"0.1", "32767", "0.0", "32766"}, -1, {}},
      {"end number reaches 262136",
       {"0.0", "0", "32767.0", "0"},
       kEndNumber,
       {"0.0", "0", "32767.0", "262136"},
       262136,
       {}},
      {"end number past 262136", {"0.0", "0", "32767.1", "4"}, kEndNumber, {"0.0", "0", "32767.1", "4"}, 0, {}},
      {"end address 32767.0", {"32766.0", "0", "1.1", "8"}, kEndAddress, {"32766.0", "0", "32767.0", "8"}, 8, {}},
      {"end address past 32767.0", {"32766.0", "0", "1.1", "9"}, kEndAddress, {"32766.0", "0", "1.1", "9"}, 0, {}},
      // Invalid inputs: red, "Error" in the sought field, distance 0.
      {"5.8", {"5.8", "0", "0.0", "0"}, kEndNumber, {"5.8", "0", "0.0", "Error"}, 0, {true, false, false, false}},
      {"5", {"5", "0", "0.0", "0"}, kEndNumber, {"5", "0", "0.0", "Error"}, 0, {true, false, false, false}},
      {".5", {"0.0", "0", ".5", "0"}, kEndNumber, {"0.0", "0", ".5", "Error"}, 0, {false, false, true, false}},
      {"5.a", {"5.a", "0", "0.0", "0"}, kEndNumber, {"5.a", "0", "0.0", "Error"}, 0, {true, false, false, false}},
      {"5.7x", {"5.7x", "0", "0.0", "0"}, kEndNumber, {"5.7x", "0", "0.0", "Error"}, 0, {true, false, false, false}},
      {"numbers -1 and 32768",
       {"0.0", "-1", "0.0", "32768"},
       kStartAddress,
       {"Error", "-1", "0.0", "32768"},
       0,
       {false, true, false, true}},
      {"sought field not judged", {"0.0", "0", "xyz", "8"}, kEndAddress, {"0.0", "0", "1.0", "8"}, 8, {}},
  };
  for (const auto& c : cases) {
    AddressState state;
    state.fields = c.fields;
    state.sought = c.sought;
    const AddressResult result = Recompute(state);
    EXPECT_EQ(result.fields, c.expected) << c.what;
    EXPECT_EQ(result.distance, c.distance) << c.what;
    EXPECT_EQ(result.invalid, c.invalid) << c.what;
    const bool anyInvalid = c.invalid[0] || c.invalid[1] || c.invalid[2] || c.invalid[3];
    EXPECT_EQ(result.inputError, anyInvalid) << c.what;
    for (int field = 0; field < kAddressFieldCount; ++field) {
      EXPECT_EQ(result.marks[static_cast<std::size_t>(field)], field == c.sought ? "X" : "") << c.what;
    }
  }
}

TEST(AddressCalculatorTest, ClearExampleAndToggle) {
  AddressState state;
  state.sought = kStartNumber;
  LoadAddressExample(state);
  EXPECT_EQ(state.sought, kEndAddress);
  const AddressResult example = Recompute(state);
  EXPECT_EQ(example.fields[kEndAddress], "22.6");
  EXPECT_EQ(example.distance, 22);

  state.sought = kStartNumber;
  ClearAddressFields(state);
  EXPECT_EQ(state.fields, (Fields{"0.0", "0", "0.0", "0"}));
  EXPECT_EQ(state.sought, kStartNumber);

  const std::pair<AddressField, AddressField> steps[] = {{kEndNumber, kStartAddress},
                                                         {kStartAddress, kStartNumber},
                                                         {kStartNumber, kEndAddress},
                                                         {kEndAddress, kEndNumber}};
  for (const auto& [from, to] : steps) EXPECT_EQ(NextSought(from), to);
}

}  // namespace
}  // namespace brendax
