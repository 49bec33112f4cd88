#include "core/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "support/run_cli.h"

namespace brendax {
namespace {

using testing::FolderNames;
using testing::MakeTempDir;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

std::string RecordBytes(const SettingsRecord& r) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
}

// A record whose every byte is filled, with a version of our choice.
std::string FilledRecord(std::int32_t version) {
  std::mt19937 random(1234);
  std::string bytes(SettingsRecord::kSize, '\0');
  for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((version >> (8 * i)) & 0xFF);
  bytes[4] = 10;   // reserved text length
  bytes[260] = 1;  // English mnemonics
  bytes[264] = 1;  // English captions
  bytes[265] = bytes[266] = bytes[267] = 0;
  return bytes;
}

TEST(SettingsTest, NewRecordIsVersionTwoAndZero) {
  const SettingsRecord r;
  EXPECT_EQ(r.version(), 2);
  EXPECT_EQ(r.bytes()[0], 2);
  for (std::size_t i = 4; i < SettingsRecord::kSize; ++i) ASSERT_EQ(r.bytes()[i], 0) << i;
}

TEST(SettingsTest, MissingOrShortFileGivesDefaults) {
  const std::string dir = MakeTempDir();
  EXPECT_EQ(RecordBytes(LoadSettingsFile(dir + "/none.set")), RecordBytes(SettingsRecord()));

  std::string shortFile = FilledRecord(2).substr(0, 300);
  WriteFileBytes(dir + "/short.set", shortFile);
  const SettingsRecord r = LoadSettingsFile(dir + "/short.set");
  EXPECT_EQ(r.version(), 2);
  EXPECT_EQ(r.reserved(), "");
  EXPECT_EQ(r.englishMnemonics(), 0);
  EXPECT_EQ(r.nationalLanguage(), 0);
  EXPECT_FALSE(r.networkPerStep());
}

TEST(SettingsTest, ForeignVersionKeepsTemplatesOnly) {
  const std::string dir = MakeTempDir();
  const std::string bytes = FilledRecord(1);
  WriteFileBytes(dir + "/old.set", bytes);
  const SettingsRecord r = LoadSettingsFile(dir + "/old.set");
  EXPECT_EQ(r.version(), 2);
  EXPECT_EQ(r.reserved(), "");
  EXPECT_EQ(r.englishMnemonics(), 0);
  EXPECT_EQ(r.nationalLanguage(), 0);
  const std::string loaded = RecordBytes(r);
  EXPECT_EQ(loaded.substr(268, 8 * 288), bytes.substr(268, 8 * 288));
  EXPECT_EQ(loaded.substr(2572), bytes.substr(2572));
}

TEST(SettingsTest, FieldsAtTheirOffsets) {
  SettingsRecord r;
  r.setNationalLanguage(-2);
  r.setEnglishMnemonics(1);
  r.setNetworkPerStep(true);
  r.setReserved("abc");
  r.WriteShortString(SettingsRecord::TemplateOffset(8), 20, std::string(30, 'N'));
  const auto& b = r.bytes();
  EXPECT_EQ(b[264], 0xFE);
  EXPECT_EQ(b[267], 0xFF);
  EXPECT_EQ(b[260], 1);
  EXPECT_EQ(b[2572], 1);
  EXPECT_EQ(b[4], 3);
  EXPECT_EQ(b[5], 'a');
  EXPECT_EQ(SettingsRecord::TemplateOffset(8), 268u + 7 * 288);
  EXPECT_EQ(r.ReadShortString(SettingsRecord::TemplateOffset(8), 20), std::string(20, 'N'));
  EXPECT_EQ(r.nationalLanguage(), -2);
}

TEST(SettingsTest, RoundTripIsByteIdentical) {
  const std::string dir = MakeTempDir();
  const std::string bytes = FilledRecord(2);
  WriteFileBytes(dir + "/in.set", bytes);
  const SettingsRecord r = LoadSettingsFile(dir + "/in.set");
  EXPECT_EQ(r.nationalLanguage(), 1);
  ASSERT_TRUE(SaveSettingsFile(dir + "/out.set", r));
  EXPECT_EQ(ReadFileBytes(dir + "/out.set"), bytes);
  // Saving over an existing file replaces it.
  ASSERT_TRUE(SaveSettingsFile(dir + "/in.set", SettingsRecord()));
  EXPECT_EQ(ReadFileBytes(dir + "/in.set"), RecordBytes(SettingsRecord()));
  EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"in.set", "out.set"})) << "no temporary file left";
}

TEST(SettingsTest, SaveIntoMissingFolderFails) {
  const std::string dir = MakeTempDir();
  EXPECT_FALSE(SaveSettingsFile(dir + "/missing/brendax.set", SettingsRecord()));
  WriteFileBytes(dir + "/plain", "x");
  EXPECT_FALSE(SaveSettingsFile(dir + "/plain/brendax.set", SettingsRecord()));
}

TEST(SettingsTest, FailedWriteLeavesOldFileIntact) {
  const std::string dir = MakeTempDir();
  const std::string path = dir + "/brendax.set";
  const std::string old = FilledRecord(2);
  WriteFileBytes(path, old);
  // A child process whose file size limit stops the write half way.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    SettingsRecord changed;
    changed.setNationalLanguage(1);
    ::_exit(SaveSettingsFile(path, changed) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(FolderNames(dir), std::vector<std::string>{"brendax.set"}) << "no temporary file left";
}

// A path that is not a regular file reads as missing and is never written;
// neither waits, even for a FIFO nobody writes to or reads from.
TEST(SettingsTest, NonRegularPathReadsAsMissingWithoutBlocking) {
  const std::string dir = MakeTempDir();
  const std::string fifo = dir + "/fifo.set";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir + "/folder.set");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(5);  // a blocked open ends the child with SIGALRM
    bool defaults = true;
    for (const std::string& path : {fifo, dir + "/folder.set", std::string("/dev/zero")}) {
      defaults = defaults && RecordBytes(LoadSettingsFile(path)) == RecordBytes(SettingsRecord());
    }
    const bool saved =
        SaveSettingsFile(fifo, SettingsRecord()) || SaveSettingsFile(dir + "/folder.set", SettingsRecord());
    ::_exit(defaults && !saved ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "blocked or crashed";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
}

TEST(SettingsTest, SaveFailedMessageHasThreeLines) {
  EXPECT_EQ(SaveFailedMessage("/opt/brendax/brendax.set"),
            "Beim speichern der Datei\r\n/opt/brendax/brendax.set\r\nist ein Fehler aufgetreten !!");
}

}  // namespace
}  // namespace brendax
