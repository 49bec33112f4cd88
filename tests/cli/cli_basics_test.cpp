#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_cli.h"

namespace brendax {
namespace {

using testing::CliRun;
using testing::RunCli;

TEST(CliBasicsTest, VersionPrintsTheVersionLine) {
  const auto run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Brendax Ver.: 03.09\n");
}

TEST(CliBasicsTest, HelpAndNoArgumentsPrintUsageAndExitStatuses) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, std::vector<std::string>{}}) {
    const auto run = RunCli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("--version"), std::string::npos);
    EXPECT_NE(run.out.find("3 an output could not be written"), std::string::npos) << run.out;
    // The subcommands, and the common options with the generators that take them.
    for (const char* text :
         {"\n  step-simple ", "\n  batch ", "Common options of the generators (step-simple, ", "\n  --mnemonics ",
          "\n  -o,--output ", "\n  --encoding ", "\n  --symbols ", "\n  --symbols-format ", "\n  --json "}) {
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
  }
}

TEST(CliBasicsTest, UnknownOptionIsAUsageError) {
  const auto run = RunCli({"--no-such-option"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(run.err.empty());
}

// "--name=" is the empty text and takes nothing from the next argument;
// "--name=-5" is "-5". Each case runs like the same command written with
// separate values.
TEST(CliBasicsTest, EqualsFormsOfEveryOption) {
  struct Case {
    std::vector<std::string> withEquals;
    std::vector<std::string> separate;
  };
  const Case cases[] = {
      {{"step-simple", "--release3=", "--release4=", "--json"},
       {"step-simple", "--release3", "", "--release4", "", "--json"}},
      {{"step-simple", "--count=3", "--release4="}, {"step-simple", "--count", "3"}},
      {{"step-simple", "--release2=", "--count=2"}, {"step-simple", "--release2", "", "--count", "2"}},
      {{"step-simple", "--first-step=-5"}, {"step-simple", "--first-step", "-5"}},
      {{"step-extended", "--release3=", "--json"}, {"step-extended", "--release3", "", "--json"}},
      {{"step-extended", "--example=2", "--release4="}, {"step-extended", "--example", "2", "--release4", ""}},
      {{"step-extended", "--first-step=-5", "--json"}, {"step-extended", "--first-step", "-5", "--json"}},
  };
  for (const auto& c : cases) {
    const std::string shown = ::testing::PrintToString(c.withEquals);
    const CliRun equals = RunCli(c.withEquals);
    const CliRun separate = RunCli(c.separate);
    EXPECT_NE(equals.status, 2) << shown << "\n" << equals.err;
    EXPECT_EQ(equals.status, separate.status) << shown;
    EXPECT_EQ(equals.out, separate.out) << shown;
    EXPECT_EQ(equals.err, separate.err) << shown;
  }
  // The empty values give generated code; a negative first step is refused
  // as a value, not read as an option.
  EXPECT_EQ(RunCli({"step-simple", "--release3=", "--release4=", "--json"}).status, 0);
  EXPECT_EQ(RunCli({"step-extended", "--backward=off", "--release4="}).status, 0);
  const CliRun negative = RunCli({"step-simple", "--first-step=-5"});
  EXPECT_EQ(negative.status, 1);
  EXPECT_NE(negative.err.find("Error: 31 / "), std::string::npos) << negative.err;
}

TEST(CliBasicsTest, EmptyValueNeverSwallowsTheNextOption) {
  const CliRun run = RunCli({"step-simple", "--fc-name=", "--json"});
  EXPECT_NE(run.out.find("\"generator\""), std::string::npos) << "--json was taken as the value: " << run.out;
  EXPECT_EQ(run.out.find("--json"), std::string::npos);
}

// Ill-formed UTF-8 in an argument becomes "?" per bad unit, never a
// character decoded from it: an overlong "A" does not make "Auto", an
// overlong NUL no NUL byte. The operand check then refuses the "?".
TEST(CliBasicsTest, IllFormedUtf8ArgumentsAreNotDecoded) {
  const std::string values[] = {
      "\xC1\x81uto",
      std::string("A\xC0\x80"
                  "B",
                  4),
      "A\xED\xA0\x80",
      "A\xF4\x90\x80\x80",
      "A\xE2\x82",
  };
  ASSERT_EQ(RunCli({"step-simple", "--count=2", "--release1=Auto"}).status, 0);
  for (const auto& value : values) {
    const CliRun run = RunCli({"step-simple", "--count=2", "--release1=" + value, "--json"});
    EXPECT_EQ(run.status, 1) << value;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["error"]["code"], 8) << value;
  }
}

}  // namespace
}  // namespace brendax
