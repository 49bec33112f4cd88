#include "core/file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
  struct Case {
    std::string first;
    std::string second;
    bool same;
  };
  const Case cases[] = {
      {dir_ + "/a", dir_ + "/a", true},       {dir_ + "/a", dir_ + "/sub/../a", true},
      {dir_ + "/a", dir_ + "/hard", true},    {dir_ + "/a", dir_ + "/soft", true},
      {dir_ + "/new", dir_ + "/./new", true}, {dir_ + "/a", dir_ + "/b", false},
      {dir_ + "/a", dir_ + "/new", false},    {dir_ + "/new", dir_ + "/sub/new", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SameFile(c.first, c.second), c.same) << c.first << " " << c.second;
}

}  // namespace
}  // namespace brendax
