#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "stepseq/extended_step.h"

namespace brendax {
namespace {

using Lines = std::vector<std::string>;

std::string ReadGolden(const std::string& name) {
  std::ifstream in(std::string(BRENDAX_GOLDEN_DIR) + "/stepseq/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines Generate(const MnemonicSet& mnemonics) {
  ExtendedStepValues values;
  values.timers = true;
  values.timerFcName = "FC_Schritttimer100";
  values.timerFcAddress = "FC 101";
  values.fcName = "FC_Schrittkette100";
  values.dbName = "DB_Schrittkette100";
  Lines lines;
  AppendStepTimerFunction(lines, values, mnemonics);
  return lines;
}

TEST(StepTimerFunctionTest, MatchesTheDocumentedText) {
  EXPECT_EQ(JoinLinesCrLf(Generate(GermanMnemonics())), ReadGolden("step_timer_function_de.awl"));
  EXPECT_EQ(JoinLinesCrLf(Generate(EnglishMnemonicSet())), ReadGolden("step_timer_function_en.awl"));
}

TEST(StepTimerFunctionTest, ConventionsDifferOnlyInMnemonicLines) {
  const Lines german = Generate(GermanMnemonics());
  const Lines english = Generate(EnglishMnemonicSet());
  ASSERT_EQ(german.size(), english.size());
  int differing = 0;
  for (size_t i = 0; i < german.size(); ++i) {
    if (german[i] == english[i]) continue;
    ++differing;
    // Only lines opened by a convention-dependent instruction differ.
    const std::string word = german[i].substr(6, german[i].find(' ', 6) - 6);
    EXPECT_TRUE(word == "U" || word == "UN" || word == "SPBN" || word == "SPB" || word == "SPA" || word == "BEB")
        << german[i];
  }
  EXPECT_EQ(differing, 19);
  // The timer network: its untitled head is followed by two empty lines.
  const auto title = std::find(german.rbegin(), german.rend(), "TITLE =");
  ASSERT_NE(title, german.rend());
  const size_t first = german.rend() - title + 2;
  ASSERT_LT(first + 2, german.size());
  EXPECT_EQ(german[first - 1], "");
  EXPECT_EQ(german[first], "      UN    #Aktion_L;");
  EXPECT_EQ(german[first + 2], "      SPBN  Strt;");
  EXPECT_EQ(english[first], "      AN    #Aktion_L;");
  EXPECT_EQ(english[first + 2], "      JCN  Strt;");
}

TEST(StepTimerFunctionTest, AppendsWithNameAndEndsWithOneEmptyLine) {
  ExtendedStepValues values;
  values.timerFcName = "FC_Schritttimer";
  Lines lines = {"END_DATA_BLOCK", ""};
  AppendStepTimerFunction(lines, values, GermanMnemonics());
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ(lines[2], "FUNCTION \"FC_Schritttimer\" : VOID");
  EXPECT_EQ(lines[lines.size() - 2], "END_FUNCTION");
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(lines[8], "  Aktion_L : BOOL ;\t//Limt|Zeitbegrenzt|Abfallverzoegert");
}

}  // namespace
}  // namespace brendax
