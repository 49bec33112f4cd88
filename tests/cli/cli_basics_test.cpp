#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace brendax {
namespace {

using testing::RunCli;

TEST(CliBasicsTest, VersionPrintsTheVersionLine) {
  const auto run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Brendax Ver.: 03.09\n");
}

TEST(CliBasicsTest, HelpAndNoArgumentsPrintUsage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, std::vector<std::string>{}}) {
    const auto run = RunCli(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("--version"), std::string::npos);
  }
}

TEST(CliBasicsTest, UnknownOptionIsAUsageError) {
  const auto run = RunCli({"--no-such-option"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(run.err.empty());
}

}  // namespace
}  // namespace brendax
