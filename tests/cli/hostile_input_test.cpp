// Inputs a careless or hostile caller may hand over: every file the command
// line reads is a regular file under its limit or refused at once with its
// reason (a FIFO is never waited for, a device or a huge file never read to
// its end); an output option names a file; no field's control character
// reaches a line of the output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

namespace fs = std::filesystem;

class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

// No line of the text holds a CR, LF or NUL of its own: every CR is the
// start of a line end.
void ExpectWholeLines(const std::string& text, const std::string& what) {
  EXPECT_EQ(text.find('\0'), std::string::npos) << what;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << what << " at " << i;
      ++i;
    } else {
      EXPECT_NE(text[i], '\n') << what << " at " << i;
    }
  }
}

TEST_F(HostileInputTest, EveryInputFileIsARegularFileUnderItsLimit) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir_ + "/folder";
  fs::create_directory(folder);
  const std::string huge = dir_ + "/huge.txt";  // sparse: 17 MB that take no room
  WriteFileBytes(huge, "1=A\n");
  fs::resize_file(huge, 17u * 1024 * 1024);
  struct Input {
    std::string path;
    std::string reason;
  };
  const Input inputs[] = {
      {"/dev/zero", "Keine gewöhnliche Datei (Gerät, Pipe oder Socket)"},
      {fifo, "Keine gewöhnliche Datei (Gerät, Pipe oder Socket)"},
      {folder, "Is a directory"},
      {huge, "Datei größer als 16 MB"},
  };
  // Each way of reading a text file, with the place of the file in its arguments.
  const std::vector<std::vector<std::string>> readers = {
      {"target-actual-db", "--variant-symbols", "FILE"},
      {"target-actual-db", "--address-symbols", "FILE"},
      {"symbols", "--settings", "FILE", "--template", "1"},
      {"templates", "--settings", "FILE"},
      {"batch", "FILE"},
  };
  for (const auto& reader : readers) {
    for (const auto& input : inputs) {
      // The settings record is read up to its own size: a large file is no fault.
      const bool settings = reader[1] == "--settings";
      if (settings && input.path == huge) continue;
      std::vector<std::string> args = reader;
      for (auto& arg : args)
        if (arg == "FILE") arg = input.path;
      SCOPED_TRACE(args[0] + " " + input.path);
      const CliRun run = RunCli(args);
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("Cannot read " + input.path + ": " + input.reason), std::string::npos) << run.err;
      EXPECT_TRUE(run.out.empty());
    }
  }
  // The files a job names: its symbol table and a run's list.
  for (const std::string member : {"\"symbol-table\": \"FILE\"",
                                   "\"runs\": [{\"generator\": \"target-actual-db\", "
                                   "\"options\": {\"variant-symbols\": \"FILE\"}}]"}) {
    for (const auto& input : inputs) {
      std::string job = "{\"source\": \"out.awl\", " + member;
      job.replace(job.find("FILE"), 4, input.path);
      if (member.find("runs") == std::string::npos) job += ", \"runs\": [{\"generator\": \"db\"}]";
      WriteFileBytes(dir_ + "/job.json", job + "}");
      SCOPED_TRACE(job);
      const CliRun run = RunCli({"batch", dir_ + "/job.json"});
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("Cannot read " + input.path + ": " + input.reason), std::string::npos) << run.err;
      EXPECT_FALSE(fs::exists(dir_ + "/out.awl"));
    }
  }
  // The DB image is no text: it is cut to the array, but never a device or a FIFO.
  for (const auto& input : inputs) {
    const CliRun run = RunCli({"db-image", input.path, "--count", "4"});
    if (input.path == huge) {
      EXPECT_EQ(run.status, 0) << run.err;
      continue;
    }
    EXPECT_EQ(run.status, 1) << input.path;
    EXPECT_NE(run.err.find("kann nicht geöffnet werden. " + input.reason), std::string::npos) << run.err;
  }
}

TEST_F(HostileInputTest, AnEmptyOutputNameIsAUsageError) {
  const std::vector<std::vector<std::string>> cases = {
      {"step-simple", "-o", ""},          {"step-simple", "--output="},
      {"step-simple", "--symbols="},      {"db", "--symbols", ""},
      {"pointer", "--output="},           {"address", "-o", ""},
      {"symbols", "--json", "--output="}, {"step-extended", "--symbols=", "-o", dir_ + "/x.awl"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
    EXPECT_NE(run.err.find("the file name is empty"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{});
}

// The tools take any text in their fields; one that holds a control character
// is listed as invalid and never breaks a line of the listing.
TEST_F(HostileInputTest, ControlCharactersInTheToolsAreInvalidInputs) {
  struct Case {
    std::vector<std::string> args;
    std::string shown;  // in the listing
  } cases[] = {
      {{"address", "--start-address=20.00\r\nEND", "--start-number=1", "--end-number=23", "--sought=end-address"},
       "20.00\\r\\nEND  (ungültig)"},
      {{"address", "--start-address=32767.7", "--end-number=1\x1B[2J", "--sought=end-number"}, "1\\x1B[2J"},
      {{"address", "--start-number=5\t", "--sought=end-number"}, "5\\t  (ungültig)"},
      {{"pointer", "--variant=pointer", "--address=15.04\r\nL 0"}, "Fehler:"},
      {{"pointer", "--variant=any-parameter", "--number=12\n"}, "Fehler:"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, 0) << c.args[1];
    EXPECT_NE(run.out.find(Ansi(c.shown)), std::string::npos) << run.out;
    ExpectWholeLines(run.out, c.args[1]);
  }
}

}  // namespace
}  // namespace brendax::testing
