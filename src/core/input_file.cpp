#include "core/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/file_writer.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

constexpr const char* kNotRegular = "Keine gewöhnliche Datei (Gerät, Pipe oder Socket)";

std::string TooLarge(std::uint64_t limit) {
  if (limit >= 1024 * 1024 && limit % (1024 * 1024) == 0)
    return "Datei größer als " + std::to_string(limit / (1024 * 1024)) + " MB";
  return "Datei größer als " + std::to_string(limit) + " Byte";
}

#ifdef _WIN32
using Status = struct _stat64;
int StatusOf(int fd, Status& status) { return ::_fstat64(fd, &status); }
bool IsRegular(const Status& status) { return (status.st_mode & _S_IFMT) == _S_IFREG; }
bool IsFolder(const Status& status) { return (status.st_mode & _S_IFMT) == _S_IFDIR; }
int OpenForReading(const std::string& path) {
  return ::_wopen(WidePath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
long long ReadAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
  if (::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
  return ::_read(fd, data, static_cast<unsigned>(size));
}
long long ReadOn(int fd, char* data, std::size_t size) { return ::_read(fd, data, static_cast<unsigned>(size)); }
void CloseFile(int fd) { ::_close(fd); }
#else
using Status = struct stat;
int StatusOf(int fd, Status& status) { return ::fstat(fd, &status); }
bool IsRegular(const Status& status) { return S_ISREG(status.st_mode); }
bool IsFolder(const Status& status) { return S_ISDIR(status.st_mode); }
int OpenForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}
long long ReadAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
  return ::pread(fd, data, size, static_cast<off_t>(offset));
}
long long ReadOn(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
void CloseFile(int fd) { ::close(fd); }
#endif

}  // namespace

InputFile::InputFile(const std::string& path) {
  const int fd = OpenForReading(path);
  if (fd < 0) {
    failure_ = std::strerror(errno);
    return;
  }
  Take(fd, true);
}

InputFile InputFile::StandardInput() {
  InputFile file;
  file.ownsDescriptor_ = false;
  file.Take(0, false);
  return file;
}

void InputFile::Take(int fd, bool regularOnly) {
  Status status{};
  if (StatusOf(fd, status) != 0) {
    failure_ = std::strerror(errno);
  } else if (IsFolder(status)) {
    failure_ = std::strerror(EISDIR);
  } else if (regularOnly && !IsRegular(status)) {
    failure_ = kNotRegular;
  }
  if (!failure_.empty()) {
    if (ownsDescriptor_) CloseFile(fd);
    return;
  }
  descriptor_ = fd;
  regular_ = IsRegular(status);
  size_ = regular_ ? static_cast<std::uint64_t>(status.st_size) : 0;
  device_ = static_cast<std::uint64_t>(status.st_dev);
  inode_ = static_cast<std::uint64_t>(status.st_ino);
#ifndef _WIN32
  // Read as an ordinary blocking file from here on: a regular file never
  // waits, and standard input is read as it was handed over.
  if (regular_ && ownsDescriptor_) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  }
#endif
}

InputFile::InputFile(InputFile&& other) noexcept
    : descriptor_(other.descriptor_),
      ownsDescriptor_(other.ownsDescriptor_),
      regular_(other.regular_),
      size_(other.size_),
      device_(other.device_),
      inode_(other.inode_),
      failure_(std::move(other.failure_)) {
  other.descriptor_ = -1;
}

InputFile::~InputFile() {
  if (descriptor_ >= 0 && ownsDescriptor_) CloseFile(descriptor_);
}

bool InputFile::ReadFromStart(std::size_t length, std::string& bytes) {
  bytes.assign(length, '\0');
  if (descriptor_ < 0 || !regular_) return false;
  std::size_t done = 0;
  while (done < length) {
    const std::size_t want = std::min(kReadBlock, length - done);
    const long long got = ReadAt(descriptor_, bytes.data() + done, want, done);
    if (got < 0) {
      if (errno == EINTR) continue;
      failure_ = std::strerror(errno);
      return false;
    }
    if (got == 0) break;  // the end of the file: the rest stays zero
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool InputFile::ReadAll(std::uint64_t limit, std::string& bytes) {
  bytes.clear();
  if (descriptor_ < 0) return false;
  const auto tooLarge = [&] {
    failure_ = TooLarge(limit);
    std::string().swap(bytes);
    return false;
  };
  if (regular_ && size_ > limit) return tooLarge();
  // One byte more than the limit shows a file that is too large. A regular
  // file is read into its size at once (one byte more shows whether it
  // grew); anything else grows block by block.
  const std::uint64_t cap = limit + 1;
  bytes.resize(static_cast<std::size_t>(regular_ ? size_ + 1 : std::min<std::uint64_t>(cap, kReadBlock)));
  std::size_t done = 0;
  while (true) {
    if (done == bytes.size()) {
      if (done >= cap) return tooLarge();
      const std::uint64_t grown = std::max<std::uint64_t>(done * 2, done + kReadBlock);
      bytes.resize(static_cast<std::size_t>(std::min(cap, grown)));
    }
    const std::size_t want = std::min(kReadBlock, bytes.size() - done);
    const long long got = ReadOn(descriptor_, bytes.data() + done, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      failure_ = std::strerror(errno);
      std::string().swap(bytes);
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  if (done > limit) return tooLarge();
  bytes.resize(done);
  return true;
}

InputText ReadInputFile(const std::string& path, std::uint64_t limit, bool standardInput) {
  InputText text;
  InputFile file = standardInput && path == "-" ? InputFile::StandardInput() : InputFile(path);
  if (file.opened() && file.ReadAll(limit, text.bytes)) {
    text.ok = true;
  } else {
    text.failure = file.failure();
  }
  return text;
}

std::string CannotReadMessage(const std::string& path, const std::string& reason) {
  return "Cannot read " + EscapedForMessage(path) + ": " + reason;
}

std::string InputFileProblem(const std::string& path) {
  const InputFile file(path);
  return file.failure();
}

}  // namespace brendax
