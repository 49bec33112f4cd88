#include "core/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/run_cli.h"

namespace brendax {
namespace {

namespace fs = std::filesystem;
using testing::FolderNames;
using testing::MakeTempDir;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class FileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

TEST_F(FileWriterTest, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  const std::string path = dir_ + "/out.awl";
  ASSERT_TRUE(WriteFileAtomically(path, "first").ok);
  EXPECT_EQ(ReadFileBytes(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("se\0cond", 7)).ok);
  EXPECT_EQ(ReadFileBytes(path), std::string("se\0cond", 7));
  ASSERT_TRUE(WriteFileAtomically(path, "").ok);
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"out.awl"});
}

TEST_F(FileWriterTest, RefusalsNameTheFileAndTheReason) {
  fs::create_directory(dir_ + "/folder");
  WriteFileBytes(dir_ + "/plain", "x");
  ::mkfifo((dir_ + "/fifo").c_str(), 0600);
  struct Case {
    std::string path;
    NonRegularTarget nonRegular;
    std::string reason;
  };
  const Case cases[] = {
      {dir_ + "/folder", NonRegularTarget::kWriteThrough, "Is a directory"},
      {dir_ + "/missing/out.awl", NonRegularTarget::kWriteThrough, "No such file or directory"},
      {dir_ + "/plain/out.awl", NonRegularTarget::kWriteThrough, "Not a directory"},
      {dir_ + "/fifo", NonRegularTarget::kRefuse, "not a regular file"},
      {"/dev/null", NonRegularTarget::kRefuse, "not a regular file"},
      {"/dev/full", NonRegularTarget::kWriteThrough, "No space left on device"},
  };
  for (const auto& c : cases) {
    const WriteResult result = WriteFileAtomically(c.path, "data", c.nonRegular);
    EXPECT_FALSE(result.ok) << c.path;
    EXPECT_EQ(result.error, "Cannot write " + c.path + ": " + c.reason);
  }
  EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{"fifo", "folder", "plain"}));
  EXPECT_EQ(ReadFileBytes(dir_ + "/plain"), "x");
}

TEST_F(FileWriterTest, ReplacedFileKeepsItsPermissionBits) {
  const std::string path = dir_ + "/out.awl";
  for (const mode_t mode : {0600, 0640, 0755, 0444}) {
    WriteFileBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    const WriteResult result = WriteFileAtomically(path, "new");
    if (mode == 0444 && ::geteuid() != 0) {
      // Not ours to write: refused, left as it was.
      EXPECT_EQ(result.error, "Cannot write " + path + ": Permission denied");
      EXPECT_EQ(ReadFileBytes(path), "old");
    } else {
      ASSERT_TRUE(result.ok) << result.error;
      EXPECT_EQ(ReadFileBytes(path), "new");
    }
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    fs::remove(path);
  }
}

TEST_F(FileWriterTest, UnwritableFolderIsRefused) {
  if (::geteuid() == 0) GTEST_SKIP() << "an administrator may write any folder";
  fs::create_directory(dir_ + "/locked");
  fs::permissions(dir_ + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
  const WriteResult result = WriteFileAtomically(dir_ + "/locked/out.awl", "x");
  EXPECT_EQ(result.error, "Cannot write " + dir_ + "/locked/out.awl: Permission denied");
  fs::permissions(dir_ + "/locked", fs::perms::owner_all);
}

// A link stays a link; the file it names gets the bytes.
TEST_F(FileWriterTest, LinkedTargetIsFollowed) {
  WriteFileBytes(dir_ + "/real.awl", "old");
  fs::create_symlink("real.awl", dir_ + "/link.awl");
  fs::create_symlink("created.awl", dir_ + "/dangling.awl");
  ASSERT_TRUE(WriteFileAtomically(dir_ + "/link.awl", "new").ok);
  ASSERT_TRUE(WriteFileAtomically(dir_ + "/dangling.awl", "made").ok);
  EXPECT_TRUE(fs::is_symlink(dir_ + "/link.awl"));
  EXPECT_TRUE(fs::is_symlink(dir_ + "/dangling.awl"));
  EXPECT_EQ(ReadFileBytes(dir_ + "/real.awl"), "new");
  EXPECT_EQ(ReadFileBytes(dir_ + "/created.awl"), "made");
}

// Nothing is put in place unless every file could be written.
TEST_F(FileWriterTest, PendingWritesAreAllOrNothing) {
  const std::string first = dir_ + "/first.awl";
  const std::string second = dir_ + "/second.tsv";
  WriteFileBytes(first, "old first");
  {
    PendingWrites writes;
    EXPECT_TRUE(writes.Stage(first, "new first").ok);
    EXPECT_FALSE(writes.Stage(dir_ + "/missing/x.tsv", "rows").ok);
    EXPECT_FALSE(writes.Stage(second, "rows").ok) << "nothing is staged after a failure";
    const WriteResult result = writes.Commit();
    EXPECT_EQ(result.error, "Cannot write " + dir_ + "/missing/x.tsv: No such file or directory");
  }
  EXPECT_EQ(ReadFileBytes(first), "old first");
  {
    PendingWrites writes;
    EXPECT_TRUE(writes.Stage(first, "new first").ok);
    EXPECT_TRUE(writes.Stage(second, "rows").ok);
    EXPECT_EQ(ReadFileBytes(first), "old first") << "staged, not yet committed";
  }  // dropped without Commit()
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"first.awl"});
  {
    PendingWrites writes;
    writes.Stage(first, "new first");
    writes.Stage("/dev/full", "device");
    writes.Stage(second, "rows");
    EXPECT_EQ(writes.Commit().error, "Cannot write /dev/full: No space left on device");
  }
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"first.awl"});
  EXPECT_EQ(ReadFileBytes(first), "old first");
  PendingWrites writes;
  writes.Stage(first, "new first");
  writes.Stage("/dev/null", "device");
  writes.Stage(second, "rows");
  ASSERT_TRUE(writes.Commit().ok);
  EXPECT_EQ(ReadFileBytes(first), "new first");
  EXPECT_EQ(ReadFileBytes(second), "rows");
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(FileWriterTest, SameFileByPathLinkOrInode) {
  fs::create_directory(dir_ + "/sub");
  WriteFileBytes(dir_ + "/a", "a");
  WriteFileBytes(dir_ + "/b", "b");
  fs::create_hard_link(dir_ + "/a", dir_ + "/hard");
  fs::create_symlink(dir_ + "/a", dir_ + "/soft");
  fs::create_symlink("new", dir_ + "/dangling");  // names the file a write would create
  struct Case {
    std::string first;
    std::string second;
    bool same;
  };
  const Case cases[] = {
      {dir_ + "/a", dir_ + "/a", true},          {dir_ + "/a", dir_ + "/sub/../a", true},
      {dir_ + "/a", dir_ + "/hard", true},       {dir_ + "/a", dir_ + "/soft", true},
      {dir_ + "/new", dir_ + "/./new", true},    {dir_ + "/a", dir_ + "/b", false},
      {dir_ + "/a", dir_ + "/new", false},       {dir_ + "/new", dir_ + "/sub/new", false},
      {dir_ + "/dangling", dir_ + "/new", true},
  };
  for (const auto& c : cases) EXPECT_EQ(SameFile(c.first, c.second), c.same) << c.first << " " << c.second;
}

// Sets a file's modification time the given number of seconds back.
void Age(const std::string& path, int seconds) {
  const timespec times[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A write that is killed after its bytes went into the temporary file: with
// an unnamed file nothing is left behind; with a named one a recognisable
// file is, which a later write into that folder removes once it is an hour
// old. Only the user's own such files are removed, and nothing else.
TEST_F(FileWriterTest, AKilledWriteLeavesNothingOrAFileALaterWriteRemoves) {
  const std::string out = dir_ + "/out.awl";
  WriteFileBytes(out, "old");
  const int probe = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  const bool unnamedFiles = probe >= 0;
  if (probe >= 0) ::close(probe);
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed" : "named");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      UseUnnamedTemporaryFilesForTesting(unnamed);
      PendingWrites writes;
      writes.Stage(out, std::string(1 << 20, 'x'));
      ::_exit(0);  // as if killed: no Commit(), no clean-up
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::vector<std::string> names = FolderNames(dir_);
    names.erase(std::remove(names.begin(), names.end(), "out.awl"), names.end());
    if (unnamed && unnamedFiles) {
      EXPECT_TRUE(names.empty()) << names.front();
      continue;
    }
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with(".brendax-") && names[0].ends_with(".tmp")) << names[0];
    const std::string left = dir_ + "/" + names[0];
    // Younger than an hour: it may belong to a run still writing.
    ASSERT_TRUE(WriteFileAtomically(out, "new").ok);
    EXPECT_TRUE(fs::exists(left));
    // Older: removed; files of another name or of another user stay.
    Age(left, 3601);
    const std::string other = dir_ + "/.brendax-kept.tmp";
    WriteFileBytes(other, "not ours");
    Age(other, 7200);
    std::string foreign;
    if (::geteuid() == 0) {
      foreign = dir_ + "/.brendax-ABCDefgh.tmp";
      WriteFileBytes(foreign, "another user's");
      ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
      Age(foreign, 7200);
    }
    ASSERT_TRUE(WriteFileAtomically(out, "newer").ok);
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(other));
    if (!foreign.empty()) {
      EXPECT_TRUE(fs::exists(foreign));
    }
    fs::remove(other);
    if (!foreign.empty()) fs::remove(foreign);
  }
  EXPECT_EQ(ReadFileBytes(out), "newer");
}

// A large text handed over in pieces arrives whole, in a file and on a device.
TEST_F(FileWriterTest, ASourceIsWrittenPieceByPiece) {
  std::vector<std::string> lines(20000, std::string(37, 'z'));
  std::string expected;
  for (const auto& line : lines) expected += line + "\r\n";
  const ByteSource source = [&lines](const ByteSink& sink) {
    for (const auto& line : lines)
      if (!sink(line) || !sink("\r\n")) return false;
    return true;
  };
  PendingWrites writes;
  writes.Stage(dir_ + "/big.awl", source);
  writes.Stage("/dev/null", source);
  ASSERT_TRUE(writes.Commit().ok);
  EXPECT_EQ(ReadFileBytes(dir_ + "/big.awl"), expected);
}

}  // namespace
}  // namespace brendax
