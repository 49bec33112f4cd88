#include "core/file_writer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brendax {
namespace fs = std::filesystem;
namespace {

constexpr int kTempNameAttempts = 100;

// Temporary files are named ".brendax-" + eight letters or digits + ".tmp":
// short, so that a temporary name fits wherever the target's own name does,
// and recognisable, so that one left behind by a killed run can be removed.
constexpr std::string_view kTempPrefix = ".brendax-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandomLength = 8;
// A temporary file untouched for this long belongs to no running write.
constexpr auto kStaleAge = std::chrono::hours(1);

FileWriteStep g_faultStep = FileWriteStep::kNone;
int g_faultError = EIO;
bool g_useUnnamed = true;

// True, with errno set, when a test asked this step to fail.
bool InjectedFault(FileWriteStep step) {
  if (g_faultStep != step || step == FileWriteStep::kNone) return false;
  errno = g_faultError;
  return true;
}

WriteResult Failure(const std::string& shownName, const std::string& reason) {
  return {false, "Cannot write " + shownName + ": " + reason};
}

WriteResult ErrnoFailure(const std::string& shownName, int error) {
  return Failure(shownName, std::generic_category().message(error));
}

std::string TempName() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(),
                       static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return std::mt19937_64(seed);
  }();
  std::string name(kTempPrefix);
  for (std::size_t i = 0; i < kTempRandomLength; ++i) name += kChars[random() % (sizeof(kChars) - 1)];
  return name.append(kTempSuffix);
}

bool IsTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempRandomLength + kTempSuffix.size()) return false;
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
  for (const char c : name.substr(kTempPrefix.size(), kTempRandomLength))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

fs::path PathOf(const std::string& utf8) { return fs::path(Wide(utf8)); }
std::string TextOf(const fs::path& path) { return Narrow(path.wstring()); }

std::string LastErrorText() { return std::system_category().message(static_cast<int>(::GetLastError())); }

int OpenExclusive(const std::string& path) {
  return ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}
int OpenExisting(const std::string& path) { return ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_BINARY); }
int WriteSome(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}
int SyncFile(int fd) { return ::_commit(fd); }
int CloseFile(int fd) { return ::_close(fd); }
void RemoveFile(const std::string& path) { ::_wunlink(Wide(path).c_str()); }

#else

fs::path PathOf(const std::string& path) { return fs::path(path); }
std::string TextOf(const fs::path& path) { return path.string(); }

int OpenExclusive(const std::string& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}
int OpenExisting(const std::string& path) { return ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC); }
ssize_t WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int SyncFile(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

// The file a symbolic link names, followed to its end; a link to nothing
// gives the missing file it names, so that the write creates it.
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    if (char* real = ::realpath(current.c_str(), nullptr)) {
      std::string resolved = real;
      ::free(real);
      return resolved;
    }
    std::string destination(PATH_MAX, '\0');
    const ssize_t length = ::readlink(current.c_str(), destination.data(), destination.size());
    if (length <= 0) return current;
    destination.resize(static_cast<std::size_t>(length));
    const fs::path next(destination);
    current = next.is_absolute() ? destination : TextOf(fs::path(current).parent_path() / next);
  }
  return current;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself has already happened
  ::close(fd);
}

#endif

// Writes every byte; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const auto n = WriteSome(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Collects the pieces of a source into blocks of 64 KB, so that a file of
// many short lines takes few writes.
bool WriteSource(int fd, const ByteSource& source) {
  constexpr std::size_t kBlock = 64 * 1024;
  std::string buffer;
  buffer.reserve(kBlock);
  bool ok = true;
  const ByteSink sink = [&](std::string_view piece) {
    if (buffer.size() + piece.size() > kBlock) {
      ok = WriteAll(fd, buffer);
      buffer.clear();
      if (!ok) return false;
    }
    if (piece.size() >= kBlock) {
      ok = WriteAll(fd, piece);
      return ok;
    }
    buffer.append(piece);
    return true;
  };
  if (!source(sink) || !ok) {
    if (ok) errno = EIO;  // the source itself gave up
    return false;
  }
  return WriteAll(fd, buffer);
}

std::string FolderOf(const std::string& target) {
  const fs::path folder = PathOf(target).parent_path();
  return folder.empty() ? std::string(".") : TextOf(folder);
}

// Removes the temporary files of writes that were killed before they were
// done: named as this writer names them, the user's own (POSIX), and not
// changed for an hour. Best effort; a folder that cannot be listed is left.
void RemoveStaleTemporaries(const std::string& folder) {
  std::error_code error;
  fs::directory_iterator it(PathOf(folder), fs::directory_options::skip_permission_denied, error);
  if (error) return;
  const auto now = fs::file_time_type::clock::now();
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::directory_entry& entry = *it;
    if (!IsTempName(TextOf(entry.path().filename()))) continue;
#ifndef _WIN32
    struct stat st {};
    if (::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
#endif
    std::error_code entryError;
#ifdef _WIN32
    if (!entry.is_regular_file(entryError)) continue;
#endif
    const auto changed = entry.last_write_time(entryError);
    if (entryError || now - changed < kStaleAge) continue;
    RemoveFile(TextOf(entry.path()));
  }
}

ByteSource SourceOf(std::string_view bytes) {
  return [bytes](const ByteSink& sink) { return sink(bytes); };
}

#ifndef _WIN32

// Whether an unnamed file (O_TMPFILE) can be given its name later: the
// link goes through /proc/self/fd, which a system without /proc lacks.
bool CanLinkUnnamedFiles() {
#ifdef O_TMPFILE
  static const bool available = ::access("/proc/self/fd", X_OK) == 0;
  return available;
#else
  return false;
#endif
}

// An unnamed file in the folder, or -1 with errno set (EOPNOTSUPP and the
// like when the file system has none).
int OpenUnnamed(const std::string& folder, mode_t mode) {
#ifdef O_TMPFILE
  if (!g_useUnnamed || !CanLinkUnnamedFiles()) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#else
  (void)folder;
  (void)mode;
  errno = EOPNOTSUPP;
  return -1;
#endif
}

// True when an unnamed file cannot be had in this folder for a reason that
// a named temporary file does not share.
bool UnnamedUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT || error == ENOTSUP;
}

// Gives an unnamed file a fresh temporary name in its folder.
bool LinkUnnamed(int fd, const std::string& folder, std::string& tempPath) {
  const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    tempPath = folder + "/" + TempName();
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  tempPath.clear();
  errno = error;
  return false;
}

// Holds an advisory lock on each folder that files are renamed into, so
// that runs writing the same pair of files one after another can never
// leave the text of one beside the rows of another. Folders are locked in
// a fixed order (sorted), so two runs never wait for each other crosswise.
class FolderLocks {
 public:
  explicit FolderLocks(std::vector<std::string> folders) {
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const std::string& folder : folders) {
      const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd < 0) continue;  // a folder we may not list: renamed without the lock
      while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
      }
      descriptors_.push_back(fd);
    }
  }
  ~FolderLocks() {
    for (const int fd : descriptors_) ::close(fd);  // closing releases the lock
  }
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;

 private:
  std::vector<int> descriptors_;
};

#endif

}  // namespace

PendingWrites::~PendingWrites() { Discard(); }

void PendingWrites::Discard() {
  for (auto& entry : entries_) {
    if (entry.descriptor >= 0) CloseFile(entry.descriptor);
    entry.descriptor = -1;
    if (!entry.tempPath.empty()) RemoveFile(entry.tempPath);
  }
  entries_.clear();
}

WriteResult PendingWrites::Stage(const std::string& path, std::string_view bytes, NonRegularTarget nonRegular) {
  return StageFrom(path, SourceOf(bytes), nonRegular, &bytes);
}

WriteResult PendingWrites::Stage(const std::string& path, const ByteSource& source, NonRegularTarget nonRegular) {
  return StageFrom(path, source, nonRegular, nullptr);
}

WriteResult PendingWrites::StageFrom(const std::string& path, const ByteSource& source, NonRegularTarget nonRegular,
                                     const std::string_view* bytes) {
  const auto fail = [&](WriteResult result) {
    if (firstFailure_.ok) firstFailure_ = result;
    return result;
  };
  if (!firstFailure_.ok) return firstFailure_;
  if (path.empty()) return fail(ErrnoFailure(path, ENOENT));

  Entry entry;
  entry.shownName = path;
  // A direct target is written at Commit(): with its own copy of the bytes
  // when it was given them, else from the source.
  const auto writeThrough = [&](const std::string& target) {
    entry.target = target;
    if (bytes != nullptr) {
      entry.directBytes.assign(*bytes);
    } else {
      entry.directSource = source;
    }
    entries_.push_back(std::move(entry));
    return WriteResult{};
  };
#ifdef _WIN32
  entry.target = path;
  std::error_code statusError;
  const fs::file_status status = fs::status(PathOf(path), statusError);
  const bool exists = fs::exists(status);
  if (fs::is_directory(status)) return fail(ErrnoFailure(path, EISDIR));
  if (exists && !fs::is_regular_file(status)) {
    if (nonRegular == NonRegularTarget::kRefuse) return fail(Failure(path, "not a regular file"));
    return writeThrough(path);
  }
  if (exists) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      return fail(ErrnoFailure(path, EACCES));
  }
  const std::string folder = FolderOf(path);
  if (std::find(cleanedFolders_.begin(), cleanedFolders_.end(), folder) == cleanedFolders_.end()) {
    RemoveStaleTemporaries(folder);
    cleanedFolders_.push_back(folder);
  }
  int fd = -1;
  for (int attempt = 0; attempt < kTempNameAttempts && fd < 0; ++attempt) {
    entry.tempPath = TextOf(PathOf(folder) / PathOf(TempName()));
    fd = InjectedFault(FileWriteStep::kOpen) ? -1 : OpenExclusive(entry.tempPath);
    if (fd < 0 && errno != EEXIST) {
      entry.tempPath.clear();
      return fail(ErrnoFailure(path, errno));
    }
  }
  if (fd < 0) return fail(ErrnoFailure(path, EEXIST));
#else
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return fail(ErrnoFailure(path, errno));
  if (exists && S_ISDIR(st.st_mode)) return fail(ErrnoFailure(path, EISDIR));
  if (exists && !S_ISREG(st.st_mode)) {
    // Opened by the name given, so that /dev/stdout reaches a pipe as well.
    if (nonRegular == NonRegularTarget::kRefuse) return fail(Failure(path, "not a regular file"));
    if (::access(path.c_str(), W_OK) != 0) return fail(ErrnoFailure(path, errno));
    return writeThrough(path);
  }
  entry.target = FollowLinks(path);
  if (exists && ::access(entry.target.c_str(), W_OK) != 0) return fail(ErrnoFailure(path, errno));

  const std::string folder = FolderOf(entry.target);
  if (std::find(cleanedFolders_.begin(), cleanedFolders_.end(), folder) == cleanedFolders_.end()) {
    RemoveStaleTemporaries(folder);
    cleanedFolders_.push_back(folder);
  }
  // A new file gets the usual permissions (umask applies); a replaced one
  // gets its old bits below. An unnamed file first: a run killed before
  // the end leaves nothing behind. Where the file system has none, a
  // named temporary file.
  const mode_t mode = exists ? 0600 : 0666;
  if (InjectedFault(FileWriteStep::kOpen)) return fail(ErrnoFailure(path, errno));
  int fd = OpenUnnamed(folder, mode);
  const int unnamedError = fd < 0 ? errno : 0;
  if (fd < 0 && !UnnamedUnsupported(unnamedError)) return fail(ErrnoFailure(path, unnamedError));
  entry.unnamed = fd >= 0;
  for (int attempt = 0; attempt < kTempNameAttempts && fd < 0; ++attempt) {
    entry.tempPath = folder + "/" + TempName();
    fd = OpenExclusive(entry.tempPath, mode);
    if (fd < 0 && errno != EEXIST) {
      int error = errno;
      entry.tempPath.clear();
      // A folder that exists but takes no new file (a file system of the
      // kernel's): "No such file" would mislead.
      struct stat folderStatus {};
      if (error == ENOENT && ::stat(folder.c_str(), &folderStatus) == 0 && S_ISDIR(folderStatus.st_mode))
        error = unnamedError != 0 ? unnamedError : EOPNOTSUPP;
      return fail(ErrnoFailure(path, error));
    }
  }
  if (fd < 0) {
    entry.tempPath.clear();
    return fail(ErrnoFailure(path, EEXIST));
  }
  if (exists) {
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Only the owner's group may be kept when we are not its owner; the
      // file is still written, owned by whoever writes it.
    }
    if (::fchmod(fd, st.st_mode & 07777) != 0) {
      const int error = errno;
      CloseFile(fd);
      if (!entry.tempPath.empty()) RemoveFile(entry.tempPath);
      return fail(ErrnoFailure(path, error));
    }
  }
#endif
  bool ok = !InjectedFault(FileWriteStep::kWrite) && WriteSource(fd, source) && !InjectedFault(FileWriteStep::kSync) &&
            SyncFile(fd) == 0;
  int error = ok ? 0 : errno;
  if (entry.unnamed) {
    // Kept open until Commit() gives it its name; the bytes are on disk
    // already, so only a test's fault can fail here.
    if (ok && InjectedFault(FileWriteStep::kClose)) {
      ok = false;
      error = errno;
    }
    if (!ok) {
      CloseFile(fd);
      return fail(ErrnoFailure(path, error));
    }
    entry.descriptor = fd;
  } else {
    if ((CloseFile(fd) != 0 || InjectedFault(FileWriteStep::kClose)) && ok) {
      ok = false;
      error = errno;
    }
    if (!ok) {
      RemoveFile(entry.tempPath);
      return fail(ErrnoFailure(path, error));
    }
  }
  entries_.push_back(std::move(entry));
  return {};
}

WriteResult PendingWrites::Commit() {
  if (!firstFailure_.ok) {
    Discard();
    return firstFailure_;
  }
  const auto failAll = [&](WriteResult result) {
    firstFailure_ = std::move(result);
    Discard();
    return firstFailure_;
  };
  // Devices and FIFOs first: they cannot be taken back, but a failure there
  // still leaves every replaced file untouched.
  for (const auto& entry : entries_) {
    if (entry.replaces()) continue;
    const int fd = OpenExisting(entry.target);
    bool ok = fd >= 0 && (entry.directSource ? WriteSource(fd, entry.directSource) : WriteAll(fd, entry.directBytes));
    int error = ok ? 0 : errno;
    if (fd >= 0 && CloseFile(fd) != 0 && ok) {
      ok = false;
      error = errno;
    }
    if (!ok) return failAll(ErrnoFailure(entry.shownName, error));
  }
#ifdef _WIN32
  for (auto& entry : entries_) {
    if (!entry.replaces()) continue;
    if (!::MoveFileExW(Wide(entry.tempPath).c_str(), Wide(entry.target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return failAll(Failure(entry.shownName, LastErrorText()));
    entry.tempPath.clear();
  }
#else
  std::vector<std::string> folders;
  for (const auto& entry : entries_)
    if (entry.replaces()) folders.push_back(FolderOf(entry.target));
  const FolderLocks locks(folders);
  // Every unnamed file gets its temporary name before the first rename, so
  // that a failure there leaves every target as it was.
  for (auto& entry : entries_) {
    if (!entry.unnamed) continue;
    if (!LinkUnnamed(entry.descriptor, FolderOf(entry.target), entry.tempPath))
      return failAll(ErrnoFailure(entry.shownName, errno));
    CloseFile(entry.descriptor);
    entry.descriptor = -1;
  }
  // The renames last, in the order the files were staged.
  for (auto& entry : entries_) {
    if (entry.tempPath.empty()) continue;
    if (InjectedFault(FileWriteStep::kRename) || ::rename(entry.tempPath.c_str(), entry.target.c_str()) != 0)
      return failAll(ErrnoFailure(entry.shownName, errno));
    entry.tempPath.clear();
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::string& folder : folders) SyncFolder(folder);
#endif
  entries_.clear();
  return {};
}

WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes, NonRegularTarget nonRegular) {
  PendingWrites writes;
  writes.Stage(path, bytes, nonRegular);
  return writes.Commit();
}

void SetFileWriteFaultForTesting(FileWriteStep step, int error) {
  g_faultStep = step;
  g_faultError = error;
}

void UseUnnamedTemporaryFilesForTesting(bool use) { g_useUnnamed = use; }

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
#ifdef _WIN32
  const fs::path a = PathOf(first);
  const fs::path b = PathOf(second);
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
#else
  struct stat statA {};
  struct stat statB {};
  const bool hasA = ::stat(first.c_str(), &statA) == 0;
  const bool hasB = ::stat(second.c_str(), &statB) == 0;
  if (hasA && hasB) return statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
  if (hasA != hasB) return false;
  // Neither exists yet: the files they would create, a link to a missing
  // file standing for the file it names.
  const fs::path a = PathOf(FollowLinks(first));
  const fs::path b = PathOf(FollowLinks(second));
#endif
  const fs::path normalA = fs::weakly_canonical(fs::absolute(a, error), error);
  const fs::path normalB = fs::weakly_canonical(fs::absolute(b, error), error);
  return normalA == normalB;
}

fs::path PathFromUtf8(const std::string& utf8) { return PathOf(utf8); }
std::string Utf8FromPath(const fs::path& path) { return TextOf(path); }

#ifdef _WIN32
std::wstring WidePath(const std::string& utf8) { return Wide(utf8); }
std::string Utf8FromWide(const std::wstring& wide) { return Narrow(wide); }
#endif

}  // namespace brendax
