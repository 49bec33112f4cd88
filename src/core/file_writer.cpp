#include "core/file_writer.h"

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
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brendax {
namespace fs = std::filesystem;
namespace {

constexpr int kTempNameAttempts = 100;

FileWriteStep g_faultStep = FileWriteStep::kNone;
int g_faultError = EIO;

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

// ".bx" and six random letters or digits: short, so that a temporary name
// fits wherever the target's own name does.
std::string TempName() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(),
                       static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return std::mt19937_64(seed);
  }();
  std::string name = ".bx";
  for (int i = 0; i < 6; ++i) name += kChars[random() % (sizeof(kChars) - 1)];
  return name;
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

std::string FolderOf(const std::string& target) {
  const fs::path folder = PathOf(target).parent_path();
  return folder.empty() ? std::string(".") : TextOf(folder);
}

}  // namespace

PendingWrites::~PendingWrites() { Discard(); }

void PendingWrites::Discard() {
  for (const auto& entry : entries_) {
    if (!entry.tempPath.empty()) RemoveFile(entry.tempPath);
  }
  entries_.clear();
}

WriteResult PendingWrites::Stage(const std::string& path, std::string_view bytes, NonRegularTarget nonRegular) {
  const auto fail = [&](WriteResult result) {
    if (firstFailure_.ok) firstFailure_ = result;
    return result;
  };
  if (!firstFailure_.ok) return firstFailure_;
  if (path.empty()) return fail(ErrnoFailure(path, ENOENT));

  Entry entry;
  entry.shownName = path;
#ifdef _WIN32
  entry.target = path;
  std::error_code statusError;
  const fs::file_status status = fs::status(PathOf(path), statusError);
  const bool exists = fs::exists(status);
  if (fs::is_directory(status)) return fail(ErrnoFailure(path, EISDIR));
  if (exists && !fs::is_regular_file(status)) {
    if (nonRegular == NonRegularTarget::kRefuse) return fail(Failure(path, "not a regular file"));
    entry.directBytes.assign(bytes);
    entries_.push_back(std::move(entry));
    return {};
  }
  if (exists) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      return fail(ErrnoFailure(path, EACCES));
  }
  const std::string folder = FolderOf(path);
  int fd = -1;
  for (int attempt = 0; attempt < kTempNameAttempts && fd < 0; ++attempt) {
    entry.tempPath = TextOf(PathOf(folder) / PathOf(TempName()));
    fd = OpenExclusive(entry.tempPath);
    if (fd < 0 && errno != EEXIST) return fail(ErrnoFailure(path, errno));
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
    entry.target = path;
    entry.directBytes.assign(bytes);
    entries_.push_back(std::move(entry));
    return {};
  }
  entry.target = FollowLinks(path);
  if (exists && ::access(entry.target.c_str(), W_OK) != 0) return fail(ErrnoFailure(path, errno));

  const std::string folder = FolderOf(entry.target);
  int fd = -1;
  for (int attempt = 0; attempt < kTempNameAttempts && fd < 0; ++attempt) {
    entry.tempPath = folder + "/" + TempName();
    // A new file gets the usual permissions (umask applies); a replaced one
    // gets its old bits below.
    fd = InjectedFault(FileWriteStep::kOpen) ? -1 : OpenExclusive(entry.tempPath, exists ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return fail(ErrnoFailure(path, errno));
  }
  if (fd < 0) return fail(ErrnoFailure(path, EEXIST));
  if (exists) {
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Only the owner's group may be kept when we are not its owner; the
      // file is still written, owned by whoever writes it.
    }
    if (::fchmod(fd, st.st_mode & 07777) != 0) {
      const int error = errno;
      CloseFile(fd);
      RemoveFile(entry.tempPath);
      return fail(ErrnoFailure(path, error));
    }
  }
#endif
  bool ok = !InjectedFault(FileWriteStep::kWrite) && WriteAll(fd, bytes) && !InjectedFault(FileWriteStep::kSync) &&
            SyncFile(fd) == 0;
  int error = ok ? 0 : errno;
  if ((CloseFile(fd) != 0 || InjectedFault(FileWriteStep::kClose)) && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    RemoveFile(entry.tempPath);
    return fail(ErrnoFailure(path, error));
  }
  entries_.push_back(std::move(entry));
  return {};
}

WriteResult PendingWrites::Commit() {
  if (!firstFailure_.ok) {
    Discard();
    return firstFailure_;
  }
  // Devices and FIFOs first: they cannot be taken back, but a failure there
  // still leaves every replaced file untouched.
  for (const auto& entry : entries_) {
    if (!entry.tempPath.empty()) continue;
    const int fd = OpenExisting(entry.target);
    bool ok = fd >= 0 && WriteAll(fd, entry.directBytes);
    int error = ok ? 0 : errno;
    if (fd >= 0 && CloseFile(fd) != 0 && ok) {
      ok = false;
      error = errno;
    }
    if (!ok) {
      firstFailure_ = ErrnoFailure(entry.shownName, error);
      Discard();
      return firstFailure_;
    }
  }
  for (auto& entry : entries_) {
    if (entry.tempPath.empty()) continue;
#ifdef _WIN32
    if (!::MoveFileExW(Wide(entry.tempPath).c_str(), Wide(entry.target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      firstFailure_ = Failure(entry.shownName, LastErrorText());
      Discard();
      return firstFailure_;
    }
#else
    if (InjectedFault(FileWriteStep::kRename) || ::rename(entry.tempPath.c_str(), entry.target.c_str()) != 0) {
      firstFailure_ = ErrnoFailure(entry.shownName, errno);
      Discard();
      return firstFailure_;
    }
    SyncFolder(FolderOf(entry.target));
#endif
    entry.tempPath.clear();
  }
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

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  const fs::path a = PathOf(first);
  const fs::path b = PathOf(second);
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
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
