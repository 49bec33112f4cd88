#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
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

struct Layout {
  int maxSteps = 64;
  int first = 0;
  int count = 12;
  int distance = 5;
  int initial = 0;
  bool backward = true;
  bool timers = false;
  std::string in3 = "SV";
  std::string in4 = "SR";
};

// The values the generate action derives, built here by hand.
ExtendedStepValues MakeValues(const Layout& l) {
  ExtendedStepValues v;
  v.W = l.maxSteps / 32;
  v.M = 32 * v.W - 1;
  v.F = l.first;
  v.N = l.count;
  v.D = l.distance;
  v.I = l.initial;
  v.L = v.F + (v.N - 1) * v.D;
  v.C = 2 * v.W + (l.backward ? v.W : 0) + (l.timers ? v.W : 0);
  v.timers = l.timers;
  v.backward = l.backward;
  v.input3 = !l.in3.empty();
  v.input4Forward = !l.in4.empty() && !l.backward;
  v.input4Backward = !l.in4.empty() && l.backward;
  v.fcName = "FC_Schrittkette";
  v.dbName = "DB_Schrittkette";
  v.timerFcName = "FC_Schritttimer";
  v.fcAddress = "FC 80";
  v.dbAddress = "DB 80";
  v.timerFcAddress = "FC 81";
  v.maxStepsText = std::to_string(l.maxSteps);
  v.firstText = std::to_string(l.first);
  v.initialText = std::to_string(l.initial);
  v.countText = std::to_string(l.count);
  v.distanceText = std::to_string(l.distance);
  v.release1 = "Auto";
  v.release2 = "Freigabe";
  v.release3 = l.in3;
  v.release4 = l.in4;
  return v;
}

ExtendedStepValues Example2Values() {
  ExtendedStepValues v = MakeValues({.maxSteps = 32, .count = 4, .distance = 1, .backward = false,
                                     .timers = true, .in3 = "", .in4 = ""});
  v.fcName = "FC_Schrittkette100";
  v.dbName = "DB_Schrittkette100";
  v.timerFcName = "FC_Schritttimer100";
  v.fcAddress = "FC 100";
  v.dbAddress = "DB 100";
  v.timerFcAddress = "FC 101";
  return v;
}

Lines Generate(const ExtendedStepValues& v, const MnemonicSet& m = GermanMnemonics()) {
  Lines lines;
  AppendStepSequenceFunction(lines, v, m);
  return lines;
}

int IndexOf(const Lines& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

bool Contains(const Lines& lines, const std::string& line) { return IndexOf(lines, line) >= 0; }

int CountOf(const Lines& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

// The lines from `from` (inclusive) up to the next line equal to `to` (exclusive).
Lines Slice(const Lines& lines, const std::string& from, const std::string& to) {
  const int start = IndexOf(lines, from);
  if (start < 0) return {};
  auto end = std::find(lines.begin() + start + 1, lines.end(), to);
  return Lines(lines.begin() + start, end);
}

TEST(StepSequenceFunctionTest, ExamplesMatchTheDocumentedTemplate) {
  EXPECT_EQ(JoinLinesCrLf(Generate(MakeValues({}))), ReadGolden("extended_function_example1_de.awl"));
  EXPECT_EQ(JoinLinesCrLf(Generate(MakeValues({}), EnglishMnemonicSet())),
            ReadGolden("extended_function_example1_en.awl"));
  EXPECT_EQ(JoinLinesCrLf(Generate(Example2Values())), ReadGolden("extended_function_example2_de.awl"));
}

TEST(StepSequenceFunctionTest, StepZeroWithTimersMatchesWorkedExample) {
  Layout layout;
  layout.timers = true;
  const Lines lines = Generate(MakeValues(layout));

  const int step = IndexOf(lines, "TITLE =Schritt 000");
  ASSERT_GT(step, 0);
  const std::string stepGolden = ReadGolden("extended_function_step000_example.awl");
  const Lines stepLines(lines.begin() + step - 1, lines.begin() + IndexOf(lines, "TITLE =Schritt 005") - 1);
  EXPECT_EQ(JoinLinesCrLf(stepLines), stepGolden);

  const int sw = IndexOf(lines, "TITLE =Weiterschaltung 000");
  ASSERT_GT(sw, 0);
  const Lines switchLines(lines.begin() + sw - 1, lines.begin() + IndexOf(lines, "TITLE =Weiterschaltung 005") - 1);
  EXPECT_EQ(JoinLinesCrLf(switchLines), ReadGolden("extended_function_switch000_example.awl"));
}

TEST(StepSequenceFunctionTest, EnglishInitialisationLines) {
  const Lines lines = Generate(MakeValues({}), EnglishMnemonicSet());
  const int init = IndexOf(lines, "      A     #Init;");
  ASSERT_GT(init, 0);
  EXPECT_EQ(lines[init + 1], "      JCN  In_X; ");
  EXPECT_EQ(lines[init + 4], "      OPN   \"DB_Schrittkette\";");
  EXPECT_EQ(lines[init + 5], "      L     6;");
  EXPECT_TRUE(Contains(lines, "      AN    #Eins;"));
  EXPECT_TRUE(Contains(lines, "      JU   F_XX;"));
}

TEST(StepSequenceFunctionTest, LabelsAreThreeDigitsAndIndexesUnpadded) {
  // Steps 7 and 100: labels padded to three digits, array indexes never.
  const Lines lines = Generate(MakeValues({.maxSteps = 128, .first = 7, .count = 2, .distance = 93, .initial = 100}));
  EXPECT_TRUE(Contains(lines, "TITLE =Schritt 007"));
  EXPECT_TRUE(Contains(lines, "      U     \"DB_Schrittkette\".Step[7];"));
  EXPECT_TRUE(Contains(lines, "      SPBN  T007;"));
  EXPECT_TRUE(Contains(lines, "T007: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "TITLE =Schritt 100"));
  EXPECT_TRUE(Contains(lines, "T100: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "      =     \"DB_Schrittkette\".Transition[100];"));
  EXPECT_TRUE(Contains(lines, "TITLE =Weiterschaltung 100"));
  EXPECT_TRUE(Contains(lines, "F100: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "B100: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "      S     \"DB_Schrittkette\".Step[100];"));
  EXPECT_FALSE(Contains(lines, "      S     \"DB_Schrittkette\".Step[007];"));
  // Section 2 holds the step networks in ascending order.
  EXPECT_LT(IndexOf(lines, "TITLE =Schritt 007"), IndexOf(lines, "TITLE =Schritt 100"));
}

TEST(StepSequenceFunctionTest, TwoStepsReferToEachOtherBothWays) {
  const Lines lines = Generate(MakeValues({.count = 2, .distance = 1}));
  const Lines first = Slice(lines, "F000: CLR   ;", "NETWORK");
  const Lines second = Slice(lines, "F001: CLR   ;", "NETWORK");
  const Lines expectedFirst = {
      "      SPBN  B000;",
      "      S     \"DB_Schrittkette\".Step[1];",  // forward to the successor
      "B000: CLR   ;",
      "      SPBN  F001;",
      "      S     \"DB_Schrittkette\".Step[1];",  // backward wraps to the last step
  };
  const Lines expectedSecond = {
      "      SPBN  B001;",
      "      S     \"DB_Schrittkette\".Step[0];",  // forward wraps to the first step
      "B001: CLR   ;",
      "      SPBN  F_XX;",
      "      S     \"DB_Schrittkette\".Step[0];",  // backward to the predecessor
  };
  auto pick = [](const Lines& part) {
    Lines picked;
    for (const auto& line : part) {
      if (line.starts_with("      SPBN") || line.starts_with("      S     ") || line.starts_with("B00")) {
        picked.push_back(line);
      }
    }
    return picked;
  };
  EXPECT_EQ(pick(first), expectedFirst);
  EXPECT_EQ(pick(second), expectedSecond);
  EXPECT_EQ(CountOf(lines, "NETWORK"), 4 + 2 + 2 + 1);
}

TEST(StepSequenceFunctionTest, LargestArrayOf512Steps) {
  const Lines lines = Generate(MakeValues({.maxSteps = 512, .count = 512, .distance = 1, .timers = true}));
  EXPECT_TRUE(Contains(lines, "      L     64;"));  // 2 * 16 + 16 + 16 double words
  EXPECT_TRUE(Contains(lines, "//" + std::string(11, ' ') + "512" + std::string(39, ' ') + "#"));
  EXPECT_EQ(CountOf(lines, "NETWORK"), 4 + 512 + 512 + 1);
  EXPECT_EQ(CountOf(lines, "      SET   ; "), 512);
  const Lines last = Slice(lines, "F511: CLR   ;", "NETWORK");
  EXPECT_TRUE(std::find(last.begin(), last.end(), "      S     \"DB_Schrittkette\".Step[0];") != last.end());
  EXPECT_TRUE(std::find(last.begin(), last.end(), "      SPBN  F_XX;") != last.end());
  const Lines first = Slice(lines, "B000: CLR   ;", "NETWORK");
  EXPECT_TRUE(std::find(first.begin(), first.end(), "      S     \"DB_Schrittkette\".Step[511];") != first.end());
  EXPECT_TRUE(Contains(lines, "           Q                        := \"DB_Schrittkette\".SchrittTimerQ[511]);"));
}

TEST(StepSequenceFunctionTest, ReleaseInputsInInterfaceAndTransitions) {
  // Backward transitions on: input 4 serves only the backward transition,
  // input 3 only the forward one.
  {
    const Lines lines = Generate(MakeValues({}));
    EXPECT_TRUE(Contains(lines, "  SV : BOOL ;"));
    EXPECT_TRUE(Contains(lines, "  SR : BOOL ;"));
    const Lines forward = Slice(lines, "// Transition / Weiterschaltbedingung                  #", "// #####################################################");
    EXPECT_EQ(forward, (Lines{"// Transition / Weiterschaltbedingung                  #", "      U     #Auto;",
                              "      U     #Freigabe;", "      U     #SV;", "//                                                     #",
                              "//                                                     #"}));
    const Lines backward = Slice(lines, "// Transition / Weiterschaltbed. Rueckwaerts           #", "//                                                     #");
    EXPECT_EQ(backward, (Lines{"// Transition / Weiterschaltbed. Rueckwaerts           #", "      U     #Auto;",
                               "      U     #Freigabe;", "      U     #SR;"}));
  }
  // Backward transitions off, input 4 given: it joins the forward transition.
  {
    const Lines lines = Generate(MakeValues({.backward = false, .in3 = ""}));
    EXPECT_FALSE(Contains(lines, "  SV : BOOL ;"));
    const int head = IndexOf(lines, "  Freigabe : BOOL ;");
    ASSERT_GT(head, 0);
    EXPECT_EQ(lines[head + 1], "  SR : BOOL ;");
    EXPECT_EQ(lines[head + 2], "END_VAR");
    const int t = IndexOf(lines, "      U     #Freigabe;");
    EXPECT_EQ(lines[t + 1], "      U     #SR;");
    EXPECT_FALSE(Contains(lines, "      U     #SV;"));
    EXPECT_FALSE(Contains(lines, "B000: CLR   ;"));
    EXPECT_FALSE(Contains(lines, "//    R... Rueckwaertstransition                       #"));
    EXPECT_TRUE(Contains(lines, "      SPBN  F005;"));
    EXPECT_TRUE(Contains(lines, "      L     4;"));  // clear count without the backward array
  }
  // Neither input 3 nor 4: the interface ends after input 2.
  {
    const Lines lines = Generate(MakeValues({.backward = false, .in3 = "", .in4 = ""}));
    const int head = IndexOf(lines, "  Freigabe : BOOL ;");
    ASSERT_GT(head, 0);
    EXPECT_EQ(lines[head + 1], "END_VAR");
    EXPECT_EQ(lines[IndexOf(lines, "//    In-Variable Freig. 4:                            #") + 1],
              "//" + std::string(53, ' ') + "#");
  }
}

TEST(StepSequenceFunctionTest, EndNetworkNamesFirstStepLabel) {
  const Lines lines = Generate(MakeValues({.first = 5, .count = 3, .distance = 5, .initial = 10}));
  const int end = IndexOf(lines, "TITLE =Bausteinende");
  ASSERT_GT(end, 0);
  EXPECT_EQ(Lines(lines.begin() + end + 2, lines.begin() + end + 5),
            (Lines{"      SPA   F_XX;", "      SPA   F005;", "F_XX: NOP   0;"}));
  EXPECT_TRUE(Contains(lines, "F005: CLR   ;"));
  EXPECT_FALSE(Contains(lines, "F000: CLR   ;"));
  EXPECT_TRUE(Contains(lines, "      S     \"DB_Schrittkette\".Step[10];"));  // initial step
  // The last step wraps forward to the first, the first backward to the last.
  const Lines last = Slice(lines, "F015: CLR   ;", "NETWORK");
  EXPECT_TRUE(std::find(last.begin(), last.end(), "      S     \"DB_Schrittkette\".Step[5];") != last.end());
  const Lines first = Slice(lines, "B005: CLR   ;", "NETWORK");
  EXPECT_TRUE(std::find(first.begin(), first.end(), "      S     \"DB_Schrittkette\".Step[15];") != first.end());
  // The function ends with END_FUNCTION and three empty lines.
  EXPECT_EQ(Lines(lines.end() - 4, lines.end()), (Lines{"END_FUNCTION", "", "", ""}));
}

TEST(StepSequenceFunctionTest, TimersOnAndOff) {
  const Lines off = Generate(MakeValues({}));
  const Lines on = Generate(MakeValues({.timers = true}));
  auto mentions = [](const Lines& lines, const std::string& part) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.find(part) != std::string::npos; });
  };
  EXPECT_EQ(mentions(off, "SchrittTimer"), 0);
  EXPECT_EQ(mentions(off, "Timer:"), 1);  // only the "Erzeuge interne Timer" setting
  EXPECT_EQ(mentions(on, "CALL \"FC_Schritttimer\" ("), 12);
  EXPECT_EQ(mentions(on, "//    Reset Timer:"), 24);  // forward and backward switch of 12 steps
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

TEST(StepSequenceFunctionTest, AppendsAfterExistingLines) {
  Lines lines = {"END_DATA_BLOCK", ""};
  AppendStepSequenceFunction(lines, MakeValues({}), GermanMnemonics());
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0], "END_DATA_BLOCK");
  EXPECT_EQ(lines[2], "FUNCTION \"FC_Schrittkette\" : VOID");
}

}  // namespace
}  // namespace brendax
