// The texts of the extended step sequence under the options; the examples
// are compared whole by the goldens.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "stepseq/extended_step.h"
#include "support/text_search.h"

namespace brendax {
namespace {

using testing::Contains;
using testing::CountHolding;
using testing::CountOf;
using testing::IndexOf;
using testing::Slice;
using Lines = std::vector<std::string>;

// "Beispiel 1" with the changes, generated whole (data block, timer
// function, step-sequence function).
Lines Generate(const std::function<void(ExtendedStepParams&)>& change, const MnemonicSet& m = GermanMnemonics()) {
  ExtendedStepParams p = ExtendedExample1();
  change(p);
  const GeneratorResult r = GenerateExtendedStep(p, m);
  EXPECT_TRUE(r.ok()) << r.errorMessage;
  return r.lines;
}

void NoChange(ExtendedStepParams&) {}

TEST(StepDataBlock, ElementsFollowTheOptions) {
  const Lines none = Generate([](auto& p) {
    p.maxSteps = "32";
    p.count = "4";
    p.backward = false;
    p.release3 = p.release4 = "";
  });
  EXPECT_EQ(Lines(none.begin(), none.begin() + 10),
            (Lines{"DATA_BLOCK \"DB_Schrittkette\"", "TITLE =", "VERSION : 0.1", "  STRUCT",
                   "   Step : ARRAY  [0 .. 31 ] OF BOOL ;", "   Transition : ARRAY  [0 .. 31 ] OF BOOL ;",
                   "  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK", ""}));

  const Lines both = Generate([](auto& p) { p.maxSteps = "512"; p.timers = true; });
  EXPECT_EQ(Lines(both.begin() + 4, both.begin() + 10),
            (Lines{"   Step : ARRAY  [0 .. 511 ] OF BOOL ;", "   Transition : ARRAY  [0 .. 511 ] OF BOOL ;",
                   "   TransitionBac : ARRAY  [0 .. 511 ] OF BOOL ;",
                   "   SchrittTimerFLMerker : ARRAY  [0 .. 511 ] OF BOOL ;",
                   "   SchrittTimerQ : ARRAY  [0 .. 511 ] OF BOOL ;",
                   "   SchrittTimerStartWert : ARRAY  [0 .. 511 ] OF TIME ;"}));
  // The bound is the highest index, not the step count.
  EXPECT_EQ(Generate([](auto& p) { p.maxSteps = "128"; })[4], "   Step : ARRAY  [0 .. 127 ] OF BOOL ;");
}

TEST(StepSequenceFunction, StepZeroWithTimersMatchesWorkedExample) {
  const Lines lines = Generate([](auto& p) { p.timers = true; });
  const int step = IndexOf(lines, "TITLE =Schritt 000");
  ASSERT_GT(step, 0);
  const Lines stepLines(lines.begin() + step - 1, lines.begin() + IndexOf(lines, "TITLE =Schritt 005") - 1);
  EXPECT_EQ(JoinLinesCrLf(stepLines), testing::ReadGolden("stepseq/extended_function_step000_example.awl"));
  const int sw = IndexOf(lines, "TITLE =Weiterschaltung 000");
  ASSERT_GT(sw, 0);
  const Lines switchLines(lines.begin() + sw - 1, lines.begin() + IndexOf(lines, "TITLE =Weiterschaltung 005") - 1);
  EXPECT_EQ(JoinLinesCrLf(switchLines), testing::ReadGolden("stepseq/extended_function_switch000_example.awl"));
}

TEST(StepSequenceFunction, LabelsAreThreeDigitsAndIndexesUnpadded) {
  // Steps 7, 38, 69 and 100: labels padded to three digits, array indexes never.
  const Lines lines = Generate([](auto& p) {
    p.maxSteps = "128";
    p.firstStep = "7";
    p.initialStep = "7";
    p.count = "4";
    p.distance = "31";
  });
  for (const char* line : {"TITLE =Schritt 007", "      U     \"DB_Schrittkette\".Step[7];", "      SPBN  T007;",
                           "T007: CLR   ;", "TITLE =Schritt 100", "T100: CLR   ;",
                           "      =     \"DB_Schrittkette\".Transition[100];", "TITLE =Weiterschaltung 100",
                           "F100: CLR   ;", "B100: CLR   ;", "      S     \"DB_Schrittkette\".Step[100];"}) {
    EXPECT_TRUE(Contains(lines, line)) << line;
  }
  EXPECT_FALSE(Contains(lines, "      S     \"DB_Schrittkette\".Step[007];"));
  EXPECT_LT(IndexOf(lines, "TITLE =Schritt 007"), IndexOf(lines, "TITLE =Schritt 100"));
}

TEST(StepSequenceFunction, TwoStepsReferToEachOtherBothWays) {
  const Lines lines = Generate([](auto& p) { p.count = "2"; p.distance = "1"; });
  auto pick = [](const Lines& part) {
    Lines picked;
    for (const auto& line : part) {
      if (line.starts_with("      SPBN") || line.starts_with("      S     ") || line.starts_with("B00")) {
        picked.push_back(line);
      }
    }
    return picked;
  };
  EXPECT_EQ(pick(Slice(lines, "F000: CLR   ;", "NETWORK")),
            (Lines{"      SPBN  B000;",
                   "      S     \"DB_Schrittkette\".Step[1];",  // forward to the successor
                   "B000: CLR   ;", "      SPBN  F001;",
                   "      S     \"DB_Schrittkette\".Step[1];"}));  // backward wraps to the last step
  EXPECT_EQ(pick(Slice(lines, "F001: CLR   ;", "NETWORK")),
            (Lines{"      SPBN  B001;",
                   "      S     \"DB_Schrittkette\".Step[0];",  // forward wraps to the first step
                   "B001: CLR   ;", "      SPBN  F_XX;",
                   "      S     \"DB_Schrittkette\".Step[0];"}));  // backward to the predecessor
  EXPECT_EQ(CountOf(lines, "NETWORK"), 4 + 2 + 2 + 1);
}

TEST(StepSequenceFunction, LargestArrayOf512Steps) {
  const Lines lines = Generate([](auto& p) {
    p.maxSteps = "512";
    p.count = "512";
    p.distance = "1";
    p.timers = true;
  });
  EXPECT_TRUE(Contains(lines, "      L     64;"));  // 2 * 16 + 16 + 16 double words
  EXPECT_EQ(CountOf(lines, "NETWORK"), 2 + 4 + 512 + 512 + 1);  // the timer function has two
  EXPECT_EQ(CountOf(lines, "      SET   ; "), 512);
  const Lines last = Slice(lines, "F511: CLR   ;", "NETWORK");
  EXPECT_TRUE(Contains(last, "      S     \"DB_Schrittkette\".Step[0];"));
  EXPECT_TRUE(Contains(last, "      SPBN  F_XX;"));
  EXPECT_TRUE(Contains(Slice(lines, "B000: CLR   ;", "NETWORK"), "      S     \"DB_Schrittkette\".Step[511];"));
  EXPECT_TRUE(Contains(lines, "           Q                        := \"DB_Schrittkette\".SchrittTimerQ[511]);"));
}

TEST(StepSequenceFunction, ReleaseInputsInInterfaceAndTransitions) {
  // Backward transitions on: input 4 serves only the backward transition,
  // input 3 only the forward one.
  {
    const Lines lines = Generate(NoChange);
    EXPECT_TRUE(Contains(lines, "  SV : BOOL ;"));
    EXPECT_TRUE(Contains(lines, "  SR : BOOL ;"));
    EXPECT_EQ(Slice(lines, "// Transition / Weiterschaltbedingung                  #",
                    "// #####################################################"),
              (Lines{"// Transition / Weiterschaltbedingung                  #", "      U     #Auto;",
                     "      U     #Freigabe;", "      U     #SV;",
                     "//                                                     #",
                     "//                                                     #"}));
    EXPECT_EQ(Slice(lines, "// Transition / Weiterschaltbed. Rueckwaerts           #",
                    "//                                                     #"),
              (Lines{"// Transition / Weiterschaltbed. Rueckwaerts           #", "      U     #Auto;",
                     "      U     #Freigabe;", "      U     #SR;"}));
  }
  // Backward transitions off, input 4 given: it joins the forward transition.
  {
    const Lines lines = Generate([](auto& p) { p.backward = false; p.release3 = ""; });
    EXPECT_FALSE(Contains(lines, "  SV : BOOL ;"));
    const int head = IndexOf(lines, "  Freigabe : BOOL ;");
    ASSERT_GT(head, 0);
    EXPECT_EQ(lines[head + 1], "  SR : BOOL ;");
    EXPECT_EQ(lines[head + 2], "END_VAR");
    EXPECT_EQ(lines[IndexOf(lines, "      U     #Freigabe;") + 1], "      U     #SR;");
    EXPECT_FALSE(Contains(lines, "      U     #SV;"));
    EXPECT_FALSE(Contains(lines, "B000: CLR   ;"));
    EXPECT_FALSE(Contains(lines, "//    R... Rueckwaertstransition                       #"));
    EXPECT_TRUE(Contains(lines, "      SPBN  F005;"));
    EXPECT_TRUE(Contains(lines, "      L     4;"));  // clear count without the backward array
  }
  // Neither input 3 nor 4: the interface ends after input 2.
  {
    const Lines lines = Generate([](auto& p) { p.backward = false; p.release3 = p.release4 = ""; });
    const int head = IndexOf(lines, "  Freigabe : BOOL ;");
    ASSERT_GT(head, 0);
    EXPECT_EQ(lines[head + 1], "END_VAR");
    EXPECT_EQ(testing::LineAfter(lines, "//    In-Variable Freig. 4:"), "//" + std::string(53, ' ') + "#");
  }
}

TEST(StepSequenceFunction, EndNetworkNamesFirstStepLabel) {
  const Lines lines = Generate([](auto& p) {
    p.firstStep = "5";
    p.count = "3";
    p.initialStep = "10";
  });
  const int end = IndexOf(lines, "TITLE =Bausteinende");
  ASSERT_GT(end, 0);
  EXPECT_EQ(Lines(lines.begin() + end + 2, lines.begin() + end + 5),
            (Lines{"      SPA   F_XX;", "      SPA   F005;", "F_XX: NOP   0;"}));
  EXPECT_TRUE(Contains(lines, "F005: CLR   ;"));
  EXPECT_FALSE(Contains(lines, "F000: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "      S     \"DB_Schrittkette\".Step[10];"));  // initial step
  // The last step wraps forward to the first, the first backward to the last.
  EXPECT_TRUE(Contains(Slice(lines, "F015: CLR   ;", "NETWORK"), "      S     \"DB_Schrittkette\".Step[5];"));
  EXPECT_TRUE(Contains(Slice(lines, "B005: CLR   ;", "NETWORK"), "      S     \"DB_Schrittkette\".Step[15];"));
  // The function ends with END_FUNCTION and three empty lines.
  EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"END_FUNCTION", "", "", ""}));
}

TEST(StepSequenceFunction, TimersOnAndOff) {
  const Lines off = Generate(NoChange);
  const Lines on = Generate([](auto& p) { p.timers = true; });
  EXPECT_EQ(CountHolding(off, "SchrittTimer"), 0);
  EXPECT_EQ(CountHolding(off, "Timer:"), 1);  // only the "Erzeuge interne Timer" setting
  EXPECT_EQ(CountHolding(on, "CALL \"FC_Schritttimer\" ("), 12);
  EXPECT_EQ(CountHolding(on, "//    Reset Timer:"), 24);  // forward and backward switch of 12 steps
  EXPECT_TRUE(Contains(on, "      L     8;"));
  EXPECT_TRUE(Contains(off, "      L     6;"));
  const int rows = IndexOf(on, "//    Erzeuge interne Timer:                           #");
  ASSERT_GT(rows, 0);
  EXPECT_EQ(Lines(on.begin() + rows, on.begin() + rows + 6),
            (Lines{"//    Erzeuge interne Timer:                           #",
                   "//           On                                        #",
                   "//    FC-Nummer Timer:                                 #",
                   "//           FC 81                                     #",
                   "//    FC-Name Timer:                                   #",
                   "//           FC_Schritttimer                           #"}));
  EXPECT_EQ(off[IndexOf(off, "//    Erzeuge interne Timer:                           #") + 2],
            "//    Max.Anzahl Schritte:                             #");
}

TEST(StepTimerFunction, ConventionsDifferOnlyInMnemonicLines) {
  auto timerFunction = [](const MnemonicSet& m) {
    const Lines all = Generate([](auto& p) { p.timers = true; }, m);
    return Slice(all, "FUNCTION \"FC_Schritttimer\" : VOID", "FUNCTION \"FC_Schrittkette\" : VOID");
  };
  const Lines german = timerFunction(GermanMnemonics());
  const Lines english = timerFunction(EnglishMnemonicSet());
  ASSERT_EQ(german.size(), english.size());
  ASSERT_GT(german.size(), 100u);
  int differing = 0;
  for (std::size_t i = 0; i < german.size(); ++i) {
    if (german[i] == english[i]) continue;
    ++differing;
    // Only lines opened by a convention-dependent instruction differ.
    const std::string word = german[i].substr(6, german[i].find(' ', 6) - 6);
    EXPECT_TRUE(word == "U" || word == "UN" || word == "SPBN" || word == "SPB" || word == "SPA" || word == "BEB")
        << german[i];
  }
  EXPECT_EQ(differing, 19);
  EXPECT_EQ(german[german.size() - 2], "END_FUNCTION");
  EXPECT_EQ(german.back(), "");
}

}  // namespace
}  // namespace brendax
