// Every file the program writes, failing at every step of the write: the
// old file stays as it was, no temporary file is left behind, and the
// caller learns why.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/file_writer.h"
#include "core/settings.h"
#include "support/run_cli.h"
#include "symbols/symbol_templates.h"

namespace brendax {
namespace {

namespace fs = std::filesystem;
using testing::MakeTempDir;
using testing::ReadFileBytes;
using testing::RunCli;
using testing::WriteFileBytes;

std::size_t FileCount(const std::string& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

struct Fault {
  const char* name;
  FileWriteStep step;
  int error;
};

// Each step that can fail; a full disk shows as a write refused with ENOSPC,
// a read-only target or file system as the temporary file refused.
const Fault kFaults[] = {
    {"open", FileWriteStep::kOpen, EIO},
    {"read-only folder", FileWriteStep::kOpen, EACCES},
    {"read-only file system", FileWriteStep::kOpen, EROFS},
    {"write", FileWriteStep::kWrite, EIO},
    {"full disk", FileWriteStep::kWrite, ENOSPC},
    {"flush to disk", FileWriteStep::kSync, EIO},
    {"close", FileWriteStep::kClose, EIO},
    {"rename", FileWriteStep::kRename, EXDEV},
};

// Sets the fault for one scope.
class ScopedFault {
 public:
  explicit ScopedFault(const Fault& fault) { SetFileWriteFaultForTesting(fault.step, fault.error); }
  ~ScopedFault() { SetFileWriteFaultForTesting(FileWriteStep::kNone); }
};

// Every case runs with an unnamed temporary file (where the file system has
// them) and with a named one.
class FileWriteFaultTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    UseUnnamedTemporaryFilesForTesting(GetParam());
  }
  void TearDown() override {
    SetFileWriteFaultForTesting(FileWriteStep::kNone);
    UseUnnamedTemporaryFilesForTesting(true);
    fs::remove_all(dir_);
  }
  std::string dir_;
};

INSTANTIATE_TEST_SUITE_P(TemporaryFiles, FileWriteFaultTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(FileWriteFaultTest, EveryFailedStepKeepsTheOldFileAndSaysWhy) {
  const std::string path = dir_ + "/out.awl";
  const std::string old = "FUNCTION FC 1 : VOID\r\nEND_FUNCTION\r\n";
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    WriteFileBytes(path, old);
    WriteResult result;
    {
      ScopedFault scoped(fault);
      result = WriteFileAtomically(path, "new text\r\n");
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Cannot write " + path + ": " + std::strerror(fault.error));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FileCount(dir_), 1u) << "a temporary file was left";
  }
  // The same write succeeds once the fault is gone.
  EXPECT_TRUE(WriteFileAtomically(path, "new text\r\n").ok);
  EXPECT_EQ(ReadFileBytes(path), "new text\r\n");
  EXPECT_EQ(FileCount(dir_), 1u);
}

TEST_P(FileWriteFaultTest, AFailedStepCreatesNoNewFile) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    ScopedFault scoped(fault);
    EXPECT_FALSE(WriteFileAtomically(dir_ + "/new.awl", "text").ok);
    EXPECT_EQ(FileCount(dir_), 0u);
  }
}

TEST_P(FileWriteFaultTest, FilesWrittenTogetherStayAsTheyWereWhenOneFails) {
  const std::string text = dir_ + "/out.awl";
  const std::string rows = dir_ + "/out.sdf";
  WriteFileBytes(text, "old text");
  WriteFileBytes(rows, "old rows");
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    WriteResult result;
    {
      PendingWrites writes;
      ScopedFault scoped(fault);
      writes.Stage(text, "new text");
      writes.Stage(rows, "new rows");
      result = writes.Commit();
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFileBytes(text), "old text");
    EXPECT_EQ(ReadFileBytes(rows), "old rows");
    EXPECT_EQ(FileCount(dir_), 2u);
  }
}

TEST_P(FileWriteFaultTest, AFailedSettingsSaveKeepsTheRecordAndTheTemplates) {
  const std::string path = dir_ + "/brendax.dat";
  SettingsRecord saved;
  saved.setNationalLanguage(1);
  WriteSymbolTemplate(saved, 3, TemplateFromForm(SymbolExampleCylinder(), "Zylinder"));
  ASSERT_TRUE(SaveSettingsFile(path, saved));
  const std::string old = ReadFileBytes(path);

  SettingsRecord changed = saved;
  changed.setEnglishMnemonics(1);
  WriteSymbolTemplate(changed, 4, TemplateFromForm(SymbolExampleInterface(), "Schnittstelle"));
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    ScopedFault scoped(fault);
    EXPECT_FALSE(SaveSettingsFile(path, changed));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FileCount(dir_), 1u);
    EXPECT_EQ(LoadSettingsFile(path).bytes(), saved.bytes());
  }
  EXPECT_EQ(SaveFailedMessage(path), "Beim speichern der Datei\r\n" + path + "\r\nist ein Fehler aufgetreten !!");
}

// The command line runs as its own process, so it meets real failures: a
// folder that is missing and a target that is a folder. Either output
// failing leaves both files as they were, with exit status 3 and the reason.
TEST(FileWriteFaultCliTest, TheCommandLineReportsAFailedOutputAndKeepsTheOldFiles) {
  const std::string dir_ = MakeTempDir();
  const std::string text = dir_ + "/out.txt";
  const std::string rows = dir_ + "/rows.txt";
  fs::create_directory(dir_ + "/folder");
  struct Case {
    const char* name;
    std::string textPath;
    std::string rowsPath;
    const char* reason;
  };
  const Case cases[] = {
      {"-o into a missing folder", dir_ + "/missing/out.txt", rows, "No such file or directory"},
      {"--symbols into a missing folder", text, dir_ + "/missing/rows.txt", "No such file or directory"},
      {"-o names a folder", dir_ + "/folder", rows, "Is a directory"},
      {"--symbols names a folder", text, dir_ + "/folder", "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(text, "old text");
    WriteFileBytes(rows, "old rows");
    const auto run = RunCli({"symbols", "--example", "cylinder", "-o", c.textPath, "--symbols", c.rowsPath});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(text), "old text");
    EXPECT_EQ(ReadFileBytes(rows), "old rows");
    EXPECT_EQ(FileCount(dir_), 3u);
  }
  fs::remove_all(dir_);
}

}  // namespace
}  // namespace brendax
