// Checks, derived values, symbol rows and trimming of the extended step sequence.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "stepseq/extended_step.h"
#include "support/text_search.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

struct CheckCase {
  const char* what;
  std::function<void(ExtendedStepParams&)> change;
  int code;
  const char* message;  // UTF-8
};

// Starts from "Beispiel 1" (or "Beispiel 2" with `example2`), changes the
// fields and runs the checks.
GeneratorResult RunWith(const std::function<void(ExtendedStepParams&)>& change, bool example2 = false) {
  ExtendedStepParams p = example2 ? ExtendedExample2() : ExtendedExample1();
  change(p);
  TrimFields(ExtendedStepFields(), p);
  return GenerateExtendedStep(p, GermanMnemonics());
}

const std::string k25(25, 'X');
const std::string k24(24, 'X');

const char* const kFcNumber = "\"FC- Nummer\" ist ungültig !";
const char* const kDbNumber = "\"DB- Nummer\" ist ungültig !";
const char* const kDbName = "\"DB- Name\" ist ungültig !";
const char* const kIn2 = "\"In-Variable Freigabe 2\" ist ungültig !";
const char* const kIn3 = "\"In-Variable Freigabe 3\" ist ungültig !";
const char* const kIn4 = "\"In-Variable Freigabe 4\" ist ungültig !";
const char* const kFirst = "Erste Schrittnr. ist ungültig !";
const char* const kDistance = "Schrittabstand ist ungültig !";
const char* const kCount = "Schrittanzahl ist ungültig !";
const char* const kLast = "Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!";
const char* const kInitial = "Initialschritt ist ungültig !";
const char* const kTimerNumber = "\"FC- Nummer- Timer\" ist ungültig !";
const char* const kTimerName = "\"DB- Name- Timer\" ist ungültig !";

// Every code of the failure table, each reached by entering the bad value.
const std::vector<CheckCase>& Cases() {
  static const std::vector<CheckCase> cases = {
      {"list text that is no item", [](auto& p) { p.maxSteps = "100"; }, 90, "Interner Fehler !"},
      {"list text past the items", [](auto& p) { p.maxSteps = "1024"; }, 90, "Interner Fehler !"},
      {"list checked before everything",
       [](auto& p) {
         p.maxSteps = "100";
         p.fcNumber = "x";
       },
       90, "Interner Fehler !"},
      {"FC number no integer", [](auto& p) { p.fcNumber = "8O"; }, 20, kFcNumber},
      {"FC number empty", [](auto& p) { p.fcNumber = ""; }, 20, kFcNumber},
      {"FC number 65536", [](auto& p) { p.fcNumber = "65536"; }, 21, kFcNumber},
      {"FC number -1", [](auto& p) { p.fcNumber = "-1"; }, 21, kFcNumber},
      {"DB number with inner blank", [](auto& p) { p.dbNumber = "8 0"; }, 22, kDbNumber},
      {"DB number 70000", [](auto& p) { p.dbNumber = "70000"; }, 23, kDbNumber},
      {"DB number 0", [](auto& p) { p.dbNumber = "0"; }, 23, kDbNumber},
      {"DB number 0 written with sign", [](auto& p) { p.dbNumber = "-0"; }, 23, kDbNumber},
      {"FC name of 25 characters", [](auto& p) { p.fcName = k25; }, 5, "\"FC- Name\" ist ungültig !"},
      {"DB name of 25 characters", [](auto& p) { p.dbName = k25; }, 6, kDbName},
      {"FC name equal to DB name", [](auto& p) { p.dbName = p.fcName; }, 7, kDbName},
      {"FC name empty", [](auto& p) { p.fcName = ""; }, 5, "\"FC- Name\" ist ungültig !"},
      {"FC name with a double quote", [](auto& p) { p.fcName = "FC\"x"; }, 5, "\"FC- Name\" ist ungültig !"},
      {"DB name empty", [](auto& p) { p.dbName = ""; }, 6, kDbName},
      {"DB name with a double quote", [](auto& p) { p.dbName = "\"DB\""; }, 6, kDbName},
      {"both names empty", [](auto& p) { p.fcName = p.dbName = ""; }, 5, "\"FC- Name\" ist ungültig !"},
      {"release 1 empty", [](auto& p) { p.release1 = ""; }, 8, "\"In-Variable Freigabe 1\" ist ungültig !"},
      {"release 2 empty", [](auto& p) { p.release2 = ""; }, 9, kIn2},
      {"release 2 with umlaut", [](auto& p) { p.release2 = Ansi("Tür"); }, 9, kIn2},
      {"release 2 equal to 1", [](auto& p) { p.release2 = "Auto"; }, 10, kIn2},
      {"release 3 invalid", [](auto& p) { p.release3 = "S__V"; }, 11, kIn3},
      {"release 3 equal to 1", [](auto& p) { p.release3 = "Auto"; }, 12, kIn3},
      {"release 3 equal to 2", [](auto& p) { p.release3 = "Freigabe"; }, 13, kIn3},
      {"release 4 invalid", [](auto& p) { p.release4 = "4SR"; }, 14, kIn4},
      {"release 4 equal to 1", [](auto& p) { p.release4 = "Auto"; }, 15, kIn4},
      {"release 4 equal to 2", [](auto& p) { p.release4 = "Freigabe"; }, 16, kIn4},
      {"release 4 equal to 3", [](auto& p) { p.release4 = "SV"; }, 17, kIn4},
      {"first step no integer", [](auto& p) { p.firstStep = "eins"; }, 30, kFirst},
      {"first step 99", [](auto& p) { p.firstStep = "99"; }, 31, kFirst},
      {"first step -1", [](auto& p) { p.firstStep = "-1"; }, 31, kFirst},
      {"distance empty", [](auto& p) { p.distance = ""; }, 32, kDistance},
      {"distance 0", [](auto& p) { p.distance = "0"; }, 33, kDistance},
      {"distance 51", [](auto& p) { p.distance = "51"; }, 33, kDistance},
      {"count no integer", [](auto& p) { p.count = "12a"; }, 34, kCount},
      {"list text with a blank", [](auto& p) { p.maxSteps = " 64"; }, 90, "Interner Fehler !"},
      {"count 1", [](auto& p) { p.count = "1"; }, 35, kCount},
      {"count 0", [](auto& p) { p.count = "0"; }, 35, kCount},
      {"count -3", [](auto& p) { p.count = "-3"; }, 35, kCount},
      {"count 1 with the first step above the maximum",
       [](auto& p) {
         p.maxSteps = "32";
         p.firstStep = "40";
         p.initialStep = "40";
         p.count = "1";
       },
       36, kLast},
      // Both checks of the count group fail; the last one decides.
      {"count 33 with maximum 32",
       [](auto& p) {
         p.maxSteps = "32";
         p.distance = "1";
         p.count = "33";
       },
       36, kLast},
      {"last step above the maximum", [](auto& p) { p.count = "14"; }, 36, kLast},
      {"huge count does not overflow", [](auto& p) { p.count = "2147483647"; }, 36, kLast},
      {"initial step no integer", [](auto& p) { p.initialStep = ""; }, 37, kInitial},
      {"initial step after the last step", [](auto& p) { p.initialStep = "60"; }, 37, kInitial},
      {"initial step before the first step",
       [](auto& p) {
         p.firstStep = "5";
         p.initialStep = "0";
       },
       37, kInitial},
      {"initial step between two steps", [](auto& p) { p.initialStep = "3"; }, 38, kInitial},
      {"backward without release 4", [](auto& p) { p.release4 = ""; }, 39, "In-Variable für Rückwärtsschritt fehlt !"},
      {"backward without releases 3 and 4", [](auto& p) { p.release3 = p.release4 = ""; }, 39,
       "In-Variable für Rückwärtsschritt fehlt !"},
      {"backward without release 3", [](auto& p) { p.release3 = ""; }, 40, "In-Variable für Vorwärtsschritt fehlt !"},
      {"timer FC number no integer",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "81x";
       },
       50, kTimerNumber},
      {"timer FC number untrimmed",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "81 ";
       },
       50, kTimerNumber},
      {"timer FC number 65536",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "65536";
       },
       51, kTimerNumber},
      {"timer FC number equal to FC",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "80";
       },
       52, kTimerNumber},
      {"timer FC number written with sign",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "+80";
       },
       52, kTimerNumber},
      {"timer FC number in hexadecimal",
       [](auto& p) {
         p.timers = true;
         p.timerFcNumber = "$50";
       },
       52, kTimerNumber},
      {"timer FC name of 25 characters",
       [](auto& p) {
         p.timers = true;
         p.timerFcName = k25;
       },
       53, kTimerName},
      {"timer FC name empty",
       [](auto& p) {
         p.timers = true;
         p.timerFcName = "";
       },
       53, kTimerName},
      {"timer FC name with a double quote",
       [](auto& p) {
         p.timers = true;
         p.timerFcName = "T\"";
       },
       53, kTimerName},
      {"timer FC name equal to FC name",
       [](auto& p) {
         p.timers = true;
         p.timerFcName = p.fcName;
       },
       54, kTimerName},
  };
  return cases;
}

TEST(ExtendedStepChecks, EveryCodeWithItsMessage) {
  for (const auto& c : Cases()) {
    const GeneratorResult r = RunWith(c.change);
    EXPECT_EQ(r.errorCode, c.code) << c.what;
    EXPECT_EQ(r.errorMessage, Ansi(c.message)) << c.what;
    EXPECT_TRUE(r.lines.empty() && r.symbols.empty() && r.notices.empty()) << c.what;
  }
}

TEST(ExtendedStepChecks, BoundaryValuesAreAccepted) {
  const std::vector<std::pair<const char*, std::function<void(ExtendedStepParams&)>>> accepted = {
      {"FC number 0", [](auto& p) { p.fcNumber = "0"; }},
      {"FC number 65535", [](auto& p) { p.fcNumber = "65535"; }},
      {"FC and DB with the same number", [](auto& p) { p.dbNumber = p.fcNumber; }},
      {"names of 24 characters",
       [](auto& p) {
         p.fcName = k24;
         p.dbName = std::string(24, 'Y');
       }},
      {"timer name empty without timers", [](auto& p) { p.timerFcName = ""; }},
      {"first step 98",
       [](auto& p) {
         p.maxSteps = "128";
         p.firstStep = "98";
         p.initialStep = "98";
         p.count = "2";
       }},
      {"distance 50",
       [](auto& p) {
         p.distance = "50";
         p.count = "2";
       }},
      {"count 32 with maximum 32",
       [](auto& p) {
         p.maxSteps = "32";
         p.distance = "1";
         p.count = "32";
       }},
      {"initial step is the last step", [](auto& p) { p.initialStep = "55"; }},
      {"releases 3 and 4 optional without backward",
       [](auto& p) {
         p.backward = false;
         p.release3 = p.release4 = "";
       }},
      {"timer FC with the DB's number",
       [](auto& p) {
         p.timers = true;
         p.fcNumber = "70";
         p.timerFcNumber = "80";
       }},
      {"timer fields unchecked without timers",
       [](auto& p) {
         p.timerFcNumber = "80";
         p.timerFcName = p.fcName;
       }},
      {"invalid timer number without timers",
       [](auto& p) {
         p.timerFcNumber = "x";
         p.timerFcName = k25;
       }},
  };
  for (const auto& [what, change] : accepted) {
    const GeneratorResult r = RunWith(change);
    EXPECT_EQ(r.errorCode, 0) << what << ": " << r.errorMessage;
    EXPECT_FALSE(r.lines.empty()) << what;
  }
}

TEST(ExtendedStepValues, DerivedFromBothExamples) {
  ExtendedStepValues v;
  const ExtendedStepParams one = ExtendedExample1();
  ASSERT_TRUE(PrepareExtendedStep(one, v).ok());
  EXPECT_EQ(v.params, &one);
  EXPECT_EQ((std::vector<int>{v.wordsPerArray, v.highestStep, v.firstStep, v.stepCount, v.distance, v.initialStep,
                              v.lastStep, v.clearWords}),
            (std::vector<int>{2, 63, 0, 12, 5, 0, 55, 6}));
  EXPECT_EQ((std::vector<bool>{v.input3, v.input4Forward, v.input4Backward}), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(v.fcAddress, "FC 80");
  EXPECT_EQ(v.dbAddress, "DB 80");

  const ExtendedStepParams two = ExtendedExample2();
  ASSERT_TRUE(PrepareExtendedStep(two, v).ok());
  EXPECT_EQ((std::vector<int>{v.wordsPerArray, v.highestStep, v.lastStep, v.clearWords}),
            (std::vector<int>{1, 31, 3, 3}));
  EXPECT_EQ((std::vector<bool>{v.input3, v.input4Forward, v.input4Backward}), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(v.timerFcAddress, "FC 101");
}

TEST(ExtendedStepValues, ClearCountAndBoundsFollowTheOptions) {
  ExtendedStepParams p = ExtendedExample1();
  p.maxSteps = "512";
  p.timers = true;
  ExtendedStepValues v;
  ASSERT_TRUE(PrepareExtendedStep(p, v).ok());
  EXPECT_EQ(v.highestStep, 511);
  EXPECT_EQ(v.clearWords, 64);  // 2W + W + W with W = 16
  p.backward = false;
  p.release4 = "Weiter";
  ASSERT_TRUE(PrepareExtendedStep(p, v).ok());
  EXPECT_EQ(v.clearWords, 48);
  EXPECT_TRUE(v.input4Forward);
  EXPECT_FALSE(v.input4Backward);
}

TEST(ExtendedStepSymbols, RowsOfBothExamples) {
  const GeneratorResult one = GenerateExtendedStep(ExtendedExample1(), GermanMnemonics());
  ASSERT_TRUE(one.ok());
  EXPECT_EQ(one.rowCount(), 3);
  EXPECT_EQ(one.symbols[0], (SymbolRow{"FC_Schrittkette", "FC 80", "FC 80", "FC_Schrittkette"}));
  EXPECT_EQ(one.symbols[1], (SymbolRow{"DB_Schrittkette", "DB 80", "DB 80", "DB_Schrittkette"}));
  EXPECT_TRUE(one.notices.empty());

  const GeneratorResult two = GenerateExtendedStep(ExtendedExample2(), GermanMnemonics());
  ASSERT_TRUE(two.ok());
  EXPECT_EQ(two.rowCount(), 4);
  EXPECT_EQ(two.symbols[2], (SymbolRow{"FC_Schritttimer100", "FC 101", "FC 101", "FC_Schritttimer100"}));
  ASSERT_EQ(two.notices.size(), 1u);
  EXPECT_EQ(two.notices[0], ExtendedStepTimeTickNotice());
}

TEST(ExtendedStepSymbols, NumbersAreWrittenFromTheirValues) {
  ExtendedStepParams plain = ExtendedExample2();
  plain.fcNumber = "80";
  plain.dbNumber = "80";
  plain.timerFcNumber = "81";
  const GeneratorResult expected = GenerateExtendedStep(plain, GermanMnemonics());
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(expected.symbols[2].address, "FC 81");
  const std::vector<std::array<const char*, 3>> spellings = {
      {"0x50", "$50", " 81"},  // the timer fields keep their blanks
      {"+80", "+0080", "$51"},
      {"080", "0x0050", "081"},
  };
  for (const auto& [fc, db, timer] : spellings) {
    ExtendedStepParams p = plain;
    p.fcNumber = fc;
    p.dbNumber = db;
    p.timerFcNumber = timer;
    const GeneratorResult r = GenerateExtendedStep(p, GermanMnemonics());
    ASSERT_TRUE(r.ok()) << fc << " " << r.errorMessage;
    EXPECT_EQ(r.symbols, expected.symbols) << fc;
    EXPECT_EQ(r.lines, expected.lines) << fc;
  }
}

TEST(ExtendedStepTrim, FieldsOneToTwelveOnly) {
  ExtendedStepParams p = ExtendedExample1();
  for (std::string* field :
       {&p.fcNumber, &p.fcName, &p.dbNumber, &p.dbName, &p.release1, &p.release2, &p.release3, &p.release4,
        &p.initialStep, &p.firstStep, &p.count, &p.distance, &p.timerFcNumber, &p.timerFcName, &p.maxSteps}) {
    *field = " " + *field + "  ";
  }
  TrimFields(ExtendedStepFields(), p);
  ExtendedStepParams expected = ExtendedExample1();
  expected.timerFcNumber = " 81  ";
  expected.timerFcName = " FC_Schritttimer  ";
  expected.maxSteps = " 64  ";
  EXPECT_EQ(p, expected);
}

TEST(ExtendedStepTexts, HelpAndNotice) {
  const std::string& help = ExtendedStepHelpText();
  EXPECT_EQ(help.rfind("Hilfe zu AWL-Schrittkette-Extended\r\r", 0), 0u);
  EXPECT_EQ(help.back(), '\r');
  EXPECT_EQ(help.find('\n'), std::string::npos);
  EXPECT_NE(help.find(Ansi("-Rückwärtsschritte sind möglich,\r")), std::string::npos);
  EXPECT_EQ(ExtendedStepTimeTickNotice(),
            Ansi("Der Baustein \r\rSFC 64 \"TIME_TCK\" / Systemzeit lesen\r\rwird zusätzlich benötigt, "
                 "und muß dem\rProjekt ggf. manuell hinzugefügt werden !"));
}

}  // namespace
}  // namespace brendax
