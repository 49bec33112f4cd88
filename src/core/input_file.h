// The one way the program reads a file: job files, assignment lists, symbol
// tables, the settings record and the file of a DB image.
//
// Only a regular file is read, or standard input where a caller offers it.
// Opening never waits: the file is opened without blocking and checked with
// its descriptor before anything is read, so a FIFO, a device or a folder is
// refused at once with its reason ("Keine gewöhnliche Datei (Gerät, Pipe oder
// Socket)", "Is a directory"), never waited for. A whole read stops at its
// limit, so a file that is larger, or that grows while it is read, is
// refused rather than filling the memory.
#pragma once

#include <cstdint>
#include <string>

namespace brendax {

// The limit of every text input (job file, lists, symbol tables): 16 MB.
inline constexpr std::uint64_t kTextInputLimit = 16u * 1024u * 1024u;

// An open input file. Closes it when it goes.
class InputFile {
 public:
  // Opens a regular file for reading (path in UTF-8).
  explicit InputFile(const std::string& path);
  // Standard input as it was handed over: a file, a pipe or a terminal.
  static InputFile StandardInput();
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  InputFile& operator=(InputFile&&) = delete;

  bool opened() const { return descriptor_ >= 0; }
  // The size of a regular file when it was opened (0 for standard input that is no file).
  std::uint64_t size() const { return size_; }
  // Why it could not be opened or read, UTF-8; empty while all is well.
  const std::string& failure() const { return failure_; }
  // The device and inode of the open file, to compare it with another one.
  std::uint64_t device() const { return device_; }
  std::uint64_t inode() const { return inode_; }

  // Reads `length` bytes from the start of a regular file, in blocks;
  // bytes beyond its end (also of a file that shrank after it was opened)
  // are zero. False on a read error.
  bool ReadFromStart(std::size_t length, std::string& bytes);
  // Reads everything that is left, at most `limit` bytes. More than that is
  // a failure ("Datei größer als 16 MB"), and so is a read error; either
  // way failure() says why.
  bool ReadAll(std::uint64_t limit, std::string& bytes);

 private:
  InputFile() = default;
  void Take(int descriptor, bool regularOnly);

  int descriptor_ = -1;
  bool ownsDescriptor_ = true;
  bool regular_ = false;
  std::uint64_t size_ = 0;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
  std::string failure_;
};

// A whole text input read at once: the bytes, or the reason why not.
struct InputText {
  bool ok = false;
  std::string bytes;
  std::string failure;  // UTF-8
};

// Reads a whole regular file of at most `limit` bytes; "-" is standard
// input when `standardInput` allows it.
InputText ReadInputFile(const std::string& path, std::uint64_t limit = kTextInputLimit, bool standardInput = false);

// "Cannot read FILE: <reason>", the name escaped so that it stays on one line.
std::string CannotReadMessage(const std::string& path, const std::string& reason);

// The reason a path cannot be read, without reading it (empty when it can):
// for checking an option's file before the run starts.
std::string InputFileProblem(const std::string& path);

}  // namespace brendax
