// The one way the program writes a file (generated text, symbol rows, the
// settings record, saved files).
//
// A regular file is replaced all or nothing: the bytes go into a fresh
// temporary file in the target's folder, are flushed to disk and the
// temporary file is renamed over the target; a replaced file keeps its
// permission bits. On any failure the temporary file is removed and the
// target stays as it was. Runs writing the same target at once each leave a
// complete file.
//
// Where the file system allows it (Linux, O_TMPFILE), the temporary file
// has no name until it is complete, so a run that is killed leaves nothing
// behind. Otherwise it is created exclusively under a short recognisable
// name, ".brendax-XXXXXXXX.tmp" (no existing file or link is ever followed,
// and a target name of 255 bytes still works); such files of the user's own
// that are older than an hour are removed when that folder is written to
// again.
//
// A target that exists but is not a regular file is handled so:
// - a folder is refused ("Is a directory");
// - a device, FIFO or socket is written through directly and never
//   replaced (unless the caller asks for regular files only);
// - a symbolic link is followed: the file it names is replaced.
// A regular target that the user may not write is refused with the reason
// the system gives (a process with administrator rights may write it).
#pragma once

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brendax {

struct WriteResult {
  bool ok = true;
  std::string error;  // "Cannot write out.awl: Permission denied"
};

enum class NonRegularTarget {
  kWriteThrough,  // devices, FIFOs: written directly (e.g. /dev/null, /dev/stdout)
  kRefuse,        // regular files only; anything else fails
};

// Bytes handed over in pieces, for a file too large to join first (the
// lines of a generator with their line ends): a source calls the sink with
// each piece in order and returns false, as soon as the sink does, to stop.
using ByteSink = std::function<bool(std::string_view)>;
using ByteSource = std::function<bool(const ByteSink&)>;

// Writes one file as described above.
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                NonRegularTarget nonRegular = NonRegularTarget::kWriteThrough);

// Several files written together: Stage() writes each into its temporary
// file; Commit() puts them all in place only when every one was staged, so a
// failed file leaves every target untouched. Whatever was staged but not
// committed is removed when the object goes. Commit() renames the files
// last, in the order they were staged, while it holds an advisory lock on
// each target folder: runs writing the same pair of files at once leave
// both files from the same run.
class PendingWrites {
 public:
  PendingWrites() = default;
  PendingWrites(const PendingWrites&) = delete;
  PendingWrites& operator=(const PendingWrites&) = delete;
  ~PendingWrites();

  // Prepares one target; the first failure is kept and returned by Commit().
  WriteResult Stage(const std::string& path, std::string_view bytes,
                    NonRegularTarget nonRegular = NonRegularTarget::kWriteThrough);
  // The same with the bytes from a source; a device or FIFO target calls
  // it again at Commit(), so it must stay valid until then.
  WriteResult Stage(const std::string& path, const ByteSource& source,
                    NonRegularTarget nonRegular = NonRegularTarget::kWriteThrough);
  // Writes the direct targets, then renames every temporary file into
  // place. Does nothing when a Stage() failed.
  WriteResult Commit();
  // Removes every temporary file; no target is touched.
  void Discard();

 private:
  struct Entry {
    std::string shownName;  // the path as the caller gave it, for messages
    std::string target;     // the file to replace or write through
    std::string tempPath;   // the named temporary file; empty for a direct write
    bool unnamed = false;   // an unnamed temporary file, open as `descriptor`
    int descriptor = -1;
    std::string directBytes;  // a direct write: its bytes, or
    ByteSource directSource;  // the source that gives them
    bool replaces() const { return unnamed || !tempPath.empty(); }
  };
  WriteResult StageFrom(const std::string& path, const ByteSource& source, NonRegularTarget nonRegular,
                        const std::string_view* bytes);

  std::vector<Entry> entries_;
  WriteResult firstFailure_;
  std::vector<std::string> cleanedFolders_;  // folders already rid of stale temporary files
};

// True when both paths name the same file: the same device and inode when
// both exist, else the same absolute path after resolving links and "..".
bool SameFile(const std::string& first, const std::string& second);

// For tests: the steps of replacing a regular file, any of which can fail.
enum class FileWriteStep { kNone, kOpen, kWrite, kSync, kClose, kRename };
// Makes every following write of a regular file fail at the given step with
// the given errno value (ENOSPC for a full disk), as if the system had
// refused it, until it is called again with kNone. Costs one comparison
// per step when unset. Not for use from several threads at once.
void SetFileWriteFaultForTesting(FileWriteStep step, int error = EIO);

// A path given as UTF-8 text (arguments, job files) as the file system
// calls take it, and back; on Windows through its wide characters, so that a
// name with umlauts reaches the file it names.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// For tests: false makes every following write use a named temporary file,
// as on a file system without unnamed files; true restores the default.
void UseUnnamedTemporaryFilesForTesting(bool use);

#ifdef _WIN32
// UTF-8 text as the wide-character calls of Windows take it, and back.
std::wstring WidePath(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
#endif

}  // namespace brendax
