#include "datablocks/message_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/cp1252.h"

namespace brendax {
namespace {

MessageDbParams Params(const char* number, const char* count, int variant) {
  MessageDbParams p = DefaultsOf(MessageDbFields());
  p.number = number;
  p.count = count;
  p.variant = variant;
  return p;
}

std::string Message(int k) { return "   m" + std::to_string(k) + " : BOOL ;\t"; }

// The message lines of the result, in order.
std::vector<std::string> Messages(const GeneratorResult& r) {
  std::vector<std::string> lines;
  std::copy_if(r.lines.begin(), r.lines.end(), std::back_inserter(lines),
               [](const std::string& line) { return line.starts_with("   m"); });
  return lines;
}

TEST(MessageDbTest, EveryBadValueGivesItsCodeAndMessage) {
  const std::string count = "Anzahl Meldungen ungültig !";
  const std::string number = "DB-/ UDT- Nummer ist ungültig !";
  struct Case {
    const char* number;
    const char* count;
    int code;
    const std::string& message;
  } cases[] = {
      {"1", "", 1, count},        {"1", "zehn", 1, count}, {"1", "0", 2, count},     {"1", "-16", 2, count},
      {"1", "10001", 3, count},   {"", "16", 4, number},   {"abc", "16", 4, number}, {"0", "16", 5, number},
      {"10001", "16", 6, number}, {"abc", "0", 2, count},  // a count error hides the number's
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.number) + " / " + c.count);
    const GeneratorResult r = GenerateMessageDb(Params(c.number, c.count, kMessageDbOnly));
    EXPECT_EQ(r.errorCode, c.code);
    EXPECT_EQ(ErrorBoxText(r), Ansi("Error: " + std::to_string(c.code) + " / " + c.message));
    EXPECT_TRUE(r.lines.empty());
  }
}

TEST(MessageDbTest, CountIsRaisedToAMultipleOf16) {
  const int cases[][2] = {{1, 16}, {15, 16}, {16, 16}, {17, 32}, {1000, 1008}, {9999, 10000}, {10000, 10000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    EXPECT_EQ(RoundedMessageCount(c[0]), c[1]);
    const auto r = GenerateMessageDb(Params("1", std::to_string(c[0]).c_str(), kMessageDbOnly));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Messages(r).size(), static_cast<std::size_t>(c[1]));
  }
}

TEST(MessageDbTest, EachGroupWritesItsUpperEightFirst) {
  const auto r = GenerateMessageDb(Params("1", "17", kMessageDbOnly));
  std::vector<std::string> expected;
  for (const int k : {8,  9,  10, 11, 12, 13, 14, 15, 0,  1,  2,  3,  4,  5,  6,  7,
                      24, 25, 26, 27, 28, 29, 30, 31, 16, 17, 18, 19, 20, 21, 22, 23})
    expected.push_back(Message(k));
  EXPECT_EQ(Messages(r), expected);
}

TEST(MessageDbTest, TenThousandMessagesMake625Groups) {
  const auto r = GenerateMessageDb(Params("$FF", "10000", kMessageDbOnly));
  ASSERT_TRUE(r.ok());
  const auto messages = Messages(r);
  ASSERT_EQ(messages.size(), 625u * 16u);
  EXPECT_EQ(r.lines.front(), "DATA_BLOCK DB255");
  // The last group: m9992..m9999, then m9984..m9991.
  EXPECT_EQ(messages[9984], Message(9992));
  EXPECT_EQ(messages[9991], Message(9999));
  EXPECT_EQ(messages[9992], Message(9984));
  EXPECT_EQ(messages.back(), Message(9991));
}

TEST(MessageDbTest, VariantsAndTheirDataBlock) {
  struct Case {
    int variant;
    std::vector<std::string> head;
    std::vector<std::string> tail;
  } cases[] = {
      {kMessageDbOnly,
       {"DATA_BLOCK DB7", "TITLE =", "VERSION : 0.1", "", "  STRUCT"},
       {"  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK"}},
      {kMessageUdtAndDb,
       {"TYPE UDT7", "VERSION : 0.1", "", "  STRUCT"},
       {"  END_STRUCT ;", "END_TYPE", "", "", "DATA_BLOCK DB7", "TITLE =", "VERSION : 0.1", "", "  STRUCT",
        "   sm : UDT7;", "  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK"}},
      {kMessageUdtAndDbAcks,
       {"TYPE UDT7", "VERSION : 0.1", "", "  STRUCT"},
       {"  END_STRUCT ;", "END_TYPE", "", "", "DATA_BLOCK DB7", "TITLE =", "VERSION : 0.1", "", "  STRUCT",
        "   sm : UDT7;", "   qm : UDT7;", "  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.variant);
    const auto r = GenerateMessageDb(Params("+7", "20", c.variant));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.lines.size(), c.head.size() + 32 + c.tail.size());
    EXPECT_EQ(std::vector<std::string>(r.lines.begin(), r.lines.begin() + static_cast<long>(c.head.size())), c.head);
    EXPECT_EQ(std::vector<std::string>(r.lines.end() - static_cast<long>(c.tail.size()), r.lines.end()), c.tail);
    EXPECT_TRUE(r.symbols.empty());
  }
}

}  // namespace
}  // namespace brendax
