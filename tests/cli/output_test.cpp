// The shared output of every generator subcommand: files, standard output,
// JSON and the exit statuses of failed writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

namespace fs = std::filesystem;

class CliOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

// -o receives what standard output would; --symbols the rows in every mode.
TEST_F(CliOutputTest, JsonGoesToTheOutputFileAndRowsToTheSymbolsFile) {
  for (const char* subcommand : {"step-simple", "step-extended"}) {
    const std::string out = dir_ + "/result.json";
    const std::string rows = dir_ + "/rows.tsv";
    const CliRun toFiles = RunCli({subcommand, "--json", "-o", out, "--symbols", rows});
    ASSERT_EQ(toFiles.status, 0) << toFiles.err;
    EXPECT_TRUE(toFiles.out.empty());
    EXPECT_EQ(ReadFileBytes(out), RunCli({subcommand, "--json"}).out) << subcommand;
    const std::string textRows = dir_ + "/text_rows.tsv";
    ASSERT_EQ(RunCli({subcommand, "--symbols", textRows}).status, 0);
    EXPECT_EQ(ReadFileBytes(rows), ReadFileBytes(textRows)) << subcommand;
    EXPECT_FALSE(ReadFileBytes(rows).empty());
  }
}

// The JSON error keeps code and message and adds the message box text and
// the option of the field that the failing check reads.
TEST_F(CliOutputTest, JsonErrorCarriesTheMessageBox) {
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string box;
    std::string field;
  };
  const Case cases[] = {
      {{"step-simple", "--first-step", "99", "--json"},
       31,
       "Error: 31 / Erste Schrittnr. ist ungültig !",
       "first-step"},
      {{"step-extended", "--release3=", "--json"},
       40,
       "Error: 40 / In-Variable für Vorwärtsschritt fehlt !",
       "release3"},
      {{"step-extended", "--first-step=-5", "--json"}, 31, "Error: 31 / Erste Schrittnr. ist ungültig !", "first-step"},
      {{"db", "--prefix=X\r\nEND_DATA_BLOCK", "--json"},
       80,
       "Fehler: 80 / Steuerzeichen im Feld \"Namenskürzel (vorn)\" !",
       "prefix"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(doc["error"]["code"], c.code);
    EXPECT_EQ(doc["error"]["box"], c.box);
    EXPECT_EQ(doc["error"]["field"], c.field);
    const std::string message = doc["error"]["message"];
    EXPECT_TRUE(c.box.ends_with(message));
    // Without --json the same text goes to standard error.
    std::vector<std::string> plain = c.args;
    plain.pop_back();
    EXPECT_EQ(RunCli(plain).err, c.box + "\n");
  }
}

TEST_F(CliOutputTest, FailedStandardOutputExitsThree) {
  const std::string settings = dir_ + "/brendax.set";
  WriteFileBytes(settings, std::string(2756, '\0'));
  struct Case {
    StdoutTarget target;
    std::vector<std::string> args;
    std::string reason;
  };
  const Case cases[] = {
      {{"/dev/full", false}, {"step-simple"}, "Cannot write standard output: No space left on device\n"},
      {{"/dev/full", false}, {"step-extended", "--json"}, "Cannot write standard output: No space left on device\n"},
      {{"", true}, {"step-simple", "--count=2"}, "Cannot write standard output: Bad file descriptor\n"},
      {{"/dev/full", false}, {"--help"}, "Cannot write standard output: No space left on device\n"},
      {{"/dev/full", false}, {"--version"}, "Cannot write standard output: No space left on device\n"},
      {{"", false, true}, {"step-simple", "--count=2"}, "Cannot write standard output: Broken pipe\n"},
      {{"", false, true}, {"--version"}, "Cannot write standard output: Broken pipe\n"},
      {{"/dev/full", false},
       {"templates", "--settings", settings},
       "Cannot write standard output: No space left on device\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWithStdout(c.args, c.target);
    EXPECT_EQ(run.status, 3) << c.args[0];
    EXPECT_EQ(run.err, c.reason) << c.args[0];
  }
}

TEST_F(CliOutputTest, SameFileTwiceIsAUsageError) {
  fs::create_directory(dir_ + "/sub");
  WriteFileBytes(dir_ + "/existing.awl", "old");
  fs::create_symlink(dir_ + "/existing.awl", dir_ + "/link.awl");
  fs::create_symlink("x.awl", dir_ + "/dangling.awl");  // a link to the file not yet written
  fs::create_hard_link(dir_ + "/existing.awl", dir_ + "/hard.awl");
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {dir_ + "/x.awl", dir_ + "/x.awl"},           {dir_ + "/x.awl", dir_ + "/sub/../x.awl"},
      {dir_ + "/existing.awl", dir_ + "/link.awl"}, {dir_ + "/dangling.awl", dir_ + "/x.awl"},
      {dir_ + "/hard.awl", dir_ + "/link.awl"},
  };
  for (const auto& [out, symbols] : pairs) {
    const CliRun run = RunCli({"step-simple", "-o", out, "--symbols", symbols});
    EXPECT_EQ(run.status, 2) << symbols;
    EXPECT_NE(run.err.find("same file"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(dir_ + "/x.awl"));
  EXPECT_EQ(ReadFileBytes(dir_ + "/existing.awl"), "old");
}

// A failed second file leaves the first one as it was.
TEST_F(CliOutputTest, FailedSymbolsFileLeavesTheOutputFileUntouched) {
  const std::string out = dir_ + "/ok.awl";
  WriteFileBytes(out, "previous run");
  const CliRun run = RunCli({"step-simple", "-o", out, "--symbols", dir_ + "/missing/x.tsv"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "Cannot write " + dir_ + "/missing/x.tsv: No such file or directory\n");
  EXPECT_EQ(ReadFileBytes(out), "previous run");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"ok.awl"});
}

// Devices are written through, never replaced by a plain file.
TEST_F(CliOutputTest, DevicesAreWrittenThrough) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"step-simple", "-o", "/dev/null"}, 0, ""},
      {{"step-simple", "--json", "-o", "/dev/null", "--symbols", "/dev/zero"}, 0, ""},
      {{"step-simple", "-o", "/dev/full"}, 3, "Cannot write /dev/full: No space left on device\n"},
      {{"step-extended", "--symbols", "/dev/full"}, 3, "Cannot write /dev/full: No space left on device\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[2];
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(run.out.empty());
    for (const char* device : {"/dev/null", "/dev/full"}) {
      struct stat st {};
      ASSERT_EQ(::stat(device, &st), 0);
      EXPECT_TRUE(S_ISCHR(st.st_mode)) << device << " was replaced";
    }
  }
}

TEST_F(CliOutputTest, UnwritableFileIsRefusedWithTheReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "an administrator may write any file";
  const std::string out = dir_ + "/out.awl";
  WriteFileBytes(out, "old");
  fs::permissions(out, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const CliRun run = RunCli({"step-simple", "-o", out});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "Cannot write " + out + ": Permission denied\n");
  EXPECT_EQ(ReadFileBytes(out), "old");
}

// An old fixed temporary name that is a link leads nowhere: neither the link
// nor the file it names is touched.
TEST_F(CliOutputTest, LinkAtAnOldTemporaryNameIsLeftAlone) {
  const std::string out = dir_ + "/out.awl";
  const std::string victim = dir_ + "/victim.txt";
  WriteFileBytes(victim, "keep me");
  for (const char* suffix : {".part", ".tmp"}) fs::create_symlink(victim, out + suffix);
  ASSERT_EQ(RunCli({"step-simple", "--count=2", "-o", out}).status, 0);
  EXPECT_EQ(ReadFileBytes(victim), "keep me");
  EXPECT_TRUE(fs::is_symlink(out + ".part"));
  EXPECT_TRUE(fs::is_symlink(out + ".tmp"));
  EXPECT_EQ(ReadFileBytes(out), RunCli({"step-simple", "--count=2"}).out);
}

TEST_F(CliOutputTest, LongestFileNameIsWritten) {
  const std::string out = dir_ + "/" + std::string(251, 'k') + ".awl";
  ASSERT_EQ(RunCli({"step-simple", "--count=2", "-o", out}).status, 0);
  EXPECT_EQ(ReadFileBytes(out), RunCli({"step-simple", "--count=2"}).out);
}

// Ten runs writing the same file at once: each succeeds and the file that
// stays is one complete output.
TEST_F(CliOutputTest, ConcurrentRunsEachLeaveACompleteFile) {
  const std::string out = dir_ + "/shared.awl";
  const std::string expected = RunCli({"step-simple", "--count=40"}).out;
  std::vector<pid_t> children;
  for (int i = 0; i < 10; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const CliRun run = RunCli({"step-simple", "--count=40", "-o", out});
      ::_exit(run.status == 0 && run.err.empty() ? 0 : 1);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(ReadFileBytes(out), expected);
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"shared.awl"});
}

// Sixteen runs writing one pair of files at once, eight rounds: after each
// round the source and the symbol file come from the same run.
TEST_F(CliOutputTest, ConcurrentRunsWritingAPairLeaveBothFilesOfOneRun) {
  const std::string out = dir_ + "/pair.awl";
  const std::string rows = dir_ + "/pair.sym";
  const std::string script = "cd '" + dir_ + "' && for i in $(seq 1 16); do '" + std::string(BRENDAX_CLI_PATH) +
                             "' step-simple --count=30 --fc-name=Kette_$i -o pair.awl --symbols pair.sym & done; wait";
  for (int round = 0; round < 8; ++round) {
    ASSERT_EQ(std::system(script.c_str()), 0);
    const std::string symbols = ReadFileBytes(rows);
    const std::size_t tab = symbols.find('\t');
    ASSERT_NE(tab, std::string::npos) << symbols;
    const std::string name = symbols.substr(0, tab);  // Kette_<i>
    EXPECT_NE(ReadFileBytes(out).find("FUNCTION \"" + name + "\" : VOID"), std::string::npos)
        << "round " << round << ": the source is not that of " << name;
  }
  EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{"pair.awl", "pair.sym"}));
}

}  // namespace
}  // namespace brendax::testing
