// The step data block: the two documented examples byte for byte, and the
// element list under every option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stepseq/extended_step.h"
#include "support/run_cli.h"

namespace brendax {
namespace {

std::string Golden(const std::string& name) {
  return testing::ReadFileBytes(std::string(BRENDAX_GOLDEN_DIR) + "/stepseq/" + name);
}

// The data block is the first text of the output; it ends with its empty line.
std::string DataBlockOf(const ExtendedStepParams& params) {
  const GeneratorResult r = GenerateExtendedStep(params, GermanMnemonics());
  EXPECT_TRUE(r.ok()) << r.errorMessage;
  std::vector<std::string> block;
  for (const auto& line : r.lines) {
    block.push_back(line);
    if (line.empty()) break;
  }
  return JoinLinesCrLf(block);
}

std::vector<std::string> Block(bool backward, bool timers, int highest, const std::string& name = "DB") {
  ExtendedStepValues v;
  v.backward = backward;
  v.timers = timers;
  v.M = highest;
  v.dbName = name;
  std::vector<std::string> lines;
  AppendStepDataBlock(lines, v);
  return lines;
}

TEST(StepDataBlock, DocumentedExamples) {
  const std::string one = Golden("extended_db_example1.awl");
  const std::string two = Golden("extended_db_example2.awl");
  ASSERT_FALSE(one.empty());
  ASSERT_FALSE(two.empty());
  EXPECT_EQ(DataBlockOf(ExtendedExample1()), one);
  EXPECT_EQ(DataBlockOf(ExtendedExample2()), two);
}

TEST(StepDataBlock, ElementsFollowTheOptions) {
  const std::vector<std::string> none = Block(false, false, 31);
  ASSERT_EQ(none.size(), 10u);
  EXPECT_EQ(none[4], "   Step : ARRAY  [0 .. 31 ] OF BOOL ;");
  EXPECT_EQ(none[5], "   Transition : ARRAY  [0 .. 31 ] OF BOOL ;");
  EXPECT_EQ(none[6], "  END_STRUCT ;");

  const std::vector<std::string> both = Block(true, true, 511);
  ASSERT_EQ(both.size(), 14u);
  const std::vector<std::string> elements(both.begin() + 4, both.begin() + 10);
  EXPECT_EQ(elements, (std::vector<std::string>{
                          "   Step : ARRAY  [0 .. 511 ] OF BOOL ;",
                          "   Transition : ARRAY  [0 .. 511 ] OF BOOL ;",
                          "   TransitionBac : ARRAY  [0 .. 511 ] OF BOOL ;",
                          "   SchrittTimerFLMerker : ARRAY  [0 .. 511 ] OF BOOL ;",
                          "   SchrittTimerQ : ARRAY  [0 .. 511 ] OF BOOL ;",
                          "   SchrittTimerStartWert : ARRAY  [0 .. 511 ] OF TIME ;",
                      }));
  EXPECT_EQ(both.back(), "");
}

TEST(StepDataBlock, BoundIsTheHighestIndexNotTheStepCount) {
  ExtendedStepParams p = ExtendedExample1();
  p.maxStepsIndex = 2;
  EXPECT_NE(DataBlockOf(p).find("   Step : ARRAY  [0 .. 127 ] OF BOOL ;\r\n"), std::string::npos);
}

TEST(StepDataBlock, EmptyNameStaysQuoted) {
  EXPECT_EQ(Block(false, false, 63, "")[0], "DATA_BLOCK \"\"");
}

}  // namespace
}  // namespace brendax
