// The job in the core, as the window reads, writes and keeps it: the same
// messages as the command line's batch, records that make their runs again,
// saving all or nothing, and runs recorded in place of the run of their
// block.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "project/job_runs.h"
#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

class JobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    WriteFileBytes(dir_ + "/tabelle.bin", std::string("AB\r'\xFF", 5));
    WriteFileBytes(dir_ + "/v.txt", "1=Grund\n2=Auto\n");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(dir_ + "/" + name, bytes);
    return dir_ + "/" + name;
  }

  std::string dir_;
};

// The window reads a job without the command line's parser; a job it
// refuses gets the words and the status of the batch.
TEST_F(JobTest, TheWindowRefusesAJobWithTheBatchsMessage) {
  const std::string cases[] = {
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"type":"Bit"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"step-extended","options":{"timers":"yes"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"step-extended","options":{"example":"3"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"symbols","options":{"settings":"x.set","template":"9"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"symbols","options":{"settings":"x.set","template":"abc"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"symbols","options":{"settings":"x.set"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"symbols","options":{"template":"2"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"symbols","options":{"example":"cylinder","settings":"x","template":"2"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"target-actual-db","options":{"variant-symbols":"nix.txt"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"target-actual-db","options":{"address-symbols":"."}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"count":["1","2"]}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db-image","options":{"db-number":"7"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db-image","options":{"file":["tabelle.bin","b","c"]}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"count":"0"}},{"generator":"db","options":{"type":"B"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"count":"0"}},{"generator":"db","options":{"zz":"1"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"mnemonics":"en"}}]})",
      R"({"source":"a.awl","runs":[{"generator":"address"}]})",
      R"({"source":"a.awl","runs":[{"generator":"db","options":{"db-number":"100"}},
                                  {"generator":"message-db","options":{"number":"100"}}]})",
  };
  for (const std::string& text : cases) {
    const std::string job = Write("job.json", text);
    const CliRun batch = RunCli({"batch", job});
    ASSERT_NE(batch.status, 0) << text;
    std::string message;
    int status = 0;
    try {
      GenerateJob(ReadJob(job), job);
    } catch (const JobFailure& failure) {
      message = failure.message;
      status = failure.status;
    }
    EXPECT_EQ(message + "\n", batch.err) << text;
    EXPECT_EQ(status, batch.status) << text;
  }
}

// A job's run may give exactly the options of its subcommand.
TEST_F(JobTest, RunOptionsAreTheSubcommandsOptions) {
  for (const char* generator :
       {"step-simple", "step-extended", "symbols", "db", "message-db", "target-actual-db", "db-image"}) {
    // The help lists an option as "  -o,--output TEXT  ..." or "  --count TEXT  ...".
    std::set<std::string> listed;
    std::istringstream help(RunCli({generator, "--help"}).out);
    for (std::string line; std::getline(help, line);) {
      std::istringstream words(line);
      std::string names;
      if (!(words >> names) || names.front() != '-') continue;
      std::istringstream each(names);
      for (std::string name; std::getline(each, name, ',');)
        if (name.starts_with("--") && !IsOutputOption(name.substr(2))) listed.insert(name.substr(2));
    }
    std::set<std::string> known;
    for (const RunOption& option : RunOptionsOf(generator))
      if (option.kind != RunOption::Kind::kInput) known.insert(option.name);
    EXPECT_EQ(known, listed) << generator;
  }
}

// The run of a record makes a record that generates the same bytes, read
// from the job's text as well as from the saved file with its lists.
TEST_F(JobTest, ARecordsRunMakesTheSameOutput) {
  SimpleStepParams simple = DefaultsOf(SimpleStepFields());
  simple.structure = kSimpleJumpList;
  ApplyJumpListStructure(simple);
  simple.fcName = "Kühl";
  ExtendedStepParams extended = ExtendedExample2();
  extended.count = "+4";
  SymbolParams symbols = SymbolExampleCylinder();
  symbols.area = kAreaOutputs;
  DbSourceParams db = DefaultsOf(DbSourceFields());
  db.type = 5;
  db.suffixes = "a\r\n\r\nb";
  MessageDbParams message = DefaultsOf(MessageDbFields());
  message.variant = kMessageDbOnly;
  TargetActualParams targetActual = DefaultsOf(TargetActualFields());
  targetActual.variants = "3";
  targetActual.variantSymbols = "1=Gr\xFCn\r\n3=Ende";
  DbImageParams image = DefaultsOf(DbImageFields());
  image.filePath = dir_ + "/tabelle.bin";
  image.automatic = false;
  image.type = kDbImageWord;
  const RunRecord records[] = {DefaultsOf(SimpleStepFields()),
                               simple,
                               ExtendedExample1(),
                               extended,
                               SymbolExampleProgramNumber(),
                               symbols,
                               DefaultsOf(DbSourceFields()),
                               db,
                               message,
                               targetActual,
                               image};
  Job job;
  for (const RunRecord& record : records) job.runs.push_back(RunOfRecord(record));
  job.sourcePath = dir_ + "/out.awl";
  const std::string path = dir_ + "/projekt.brendax.json";
  ASSERT_TRUE(SaveJob(job, path).ok);
  EXPECT_TRUE(job.runs[9].fileTexts.empty());
  EXPECT_EQ(ReadFileBytes(dir_ + "/projekt.run10.variant-symbols.txt"), "1=Gr\xC3\xBCn\r\n3=Ende");
  EXPECT_NE(ReadFileBytes(path).find("\"file\": \"tabelle.bin\""), std::string::npos) << "relative to the job";
  // The file holds every option (a job read keeps them in the order of their names).
  const Job read = ReadJob(path);
  Job sorted = job;
  for (JobRun& run : sorted.runs)
    std::sort(run.options.begin(), run.options.end(),
              [](const JobOption& a, const JobOption& b) { return a.name < b.name; });
  EXPECT_EQ(read, sorted);
  const MnemonicSet mnemonics = GermanMnemonics();
  for (std::size_t i = 0; i < read.runs.size(); ++i) {
    const GeneratorResult expected = GenerateRecord(records[i], mnemonics);
    const GeneratorResult again = GenerateRecord(RecordOfRun(read, i, path), mnemonics);
    EXPECT_TRUE(expected.ok()) << i;
    EXPECT_EQ(again.lines, expected.lines) << RunName(i, read.runs[i].generator);
    EXPECT_EQ(again.symbols, expected.symbols) << RunName(i, read.runs[i].generator);
  }
}

// A recorded run replaces the run of its generator and block ("0100" is
// block 100) and keeps a list file that still holds its text; another block
// is a new run.
TEST_F(JobTest, ARecordedRunReplacesTheRunOfItsBlock) {
  const std::string path = Write("job.json", R"({"source": "a.awl", "runs": [
      {"generator": "db", "options": {"db-number": "100"}},
      {"generator": "db", "options": {"db-number": "101"}},
      {"generator": "target-actual-db", "options": {"variant-symbols": "v.txt"}}]})");
  Job job = ReadJob(path);
  DbSourceParams db = DefaultsOf(DbSourceFields());
  db.dbNumber = "0100";
  db.count = "5";
  RecordRun(job, db, path);
  const JobRun first = RunOfRecord(db);
  db.dbNumber = "102";
  RecordRun(job, db, path);
  TargetActualParams targetActual = DefaultsOf(TargetActualFields());
  targetActual.variantSymbols = "1=Grund\r\n2=Auto\r\n";  // as the dialog holds the file's lines
  targetActual.variants = "2";
  RecordRun(job, targetActual, path);
  ASSERT_EQ(job.runs.size(), 4u);
  EXPECT_EQ(job.runs[0], first);
  EXPECT_EQ(std::get<DbSourceParams>(RecordOfRun(job, 1, path)).dbNumber, "101");
  EXPECT_EQ(std::get<DbSourceParams>(RecordOfRun(job, 3, path)).dbNumber, "102");
  EXPECT_TRUE(job.runs[2].fileTexts.empty()) << "the file holds the list";
  EXPECT_EQ(job.runs[2].options.back(), (JobOption{"variant-symbols", {dir_ + "/v.txt"}}));
}

}  // namespace
}  // namespace brendax::testing
