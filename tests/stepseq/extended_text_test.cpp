// The texts of the extended step sequence: the worked example of one step
// and the largest sequence. The goldens compare whole outputs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stepseq/extended_step.h"
#include "support/text_search.h"

namespace brendax {
namespace {

using testing::Contains;
using testing::CountOf;
using testing::IndexOf;
using testing::Slice;
using Lines = std::vector<std::string>;

Lines Generate(ExtendedStepParams p) {
  const GeneratorResult r = GenerateExtendedStep(p, GermanMnemonics());
  EXPECT_TRUE(r.ok()) << r.errorMessage;
  return r.lines;
}

TEST(StepSequenceFunction, StepZeroWithTimersMatchesWorkedExample) {
  ExtendedStepParams p = ExtendedExample1();
  p.timers = true;
  const Lines lines = Generate(p);
  auto network = [&](const std::string& title, const std::string& nextTitle) {
    const int begin = IndexOf(lines, title) - 1;
    if (begin < 0) return std::string();
    return JoinLinesCrLf(Lines(lines.begin() + begin, lines.begin() + IndexOf(lines, nextTitle) - 1));
  };
  EXPECT_EQ(network("TITLE =Schritt 000", "TITLE =Schritt 005"),
            testing::ReadGolden("stepseq/extended_function_step000_example.awl"));
  EXPECT_EQ(network("TITLE =Weiterschaltung 000", "TITLE =Weiterschaltung 005"),
            testing::ReadGolden("stepseq/extended_function_switch000_example.awl"));
}

TEST(StepSequenceFunction, LargestSequenceOf512Steps) {
  ExtendedStepParams p = ExtendedExample1();
  p.maxSteps = "512";
  p.count = "512";
  p.distance = "1";
  p.timers = true;
  const Lines lines = Generate(p);
  EXPECT_TRUE(Contains(lines, "      L     64;"));              // 2 * 16 + 16 + 16 double words
  EXPECT_EQ(CountOf(lines, "NETWORK"), 2 + 4 + 512 + 512 + 1);  // the timer function has two
  EXPECT_EQ(CountOf(lines, "      SET   ; "), 512);
  const Lines last = Slice(lines, "F511: CLR   ;", "NETWORK");
  EXPECT_TRUE(Contains(last, "      S     \"DB_Schrittkette\".Step[0];"));
  EXPECT_TRUE(Contains(last, "      SPBN  F_XX;"));
  EXPECT_TRUE(Contains(Slice(lines, "B000: CLR   ;", "NETWORK"), "      S     \"DB_Schrittkette\".Step[511];"));
  EXPECT_TRUE(Contains(lines, "           Q                        := \"DB_Schrittkette\".SchrittTimerQ[511]);"));
}

}  // namespace
}  // namespace brendax
