// Fuzz target: the command line, run in this process inside a private
// temporary folder, every subcommand and option included (outputs, symbol
// files, settings, lists, batch jobs). The first field of the input is the
// content of the file "in" there, which the arguments may name (a job, a
// list, a settings file, an image) and which is standard input too; the
// other fields are the arguments. No "/" or "\" survives in either, so no
// path leads out of the folder.
//
// Properties: the exit status is one of the documented ones; the same
// arguments give the same status, the same standard output and the same
// files; generated text, on standard output and in every file written, is
// whole lines ending in CR LF, with no CR, LF or NUL inside a line.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

#include "cli/run.h"
#include "fuzz_input.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxArguments = 48;
constexpr const char* kInputName = "in";

std::string WithoutPathSeparators(std::string text) {
  return brendax::fuzz::FuzzInput::WithoutBytes(std::move(text), std::string_view("/\\\0", 3));
}

// Options whose output is no generated text (help, JSON, UTF-8, short
// options that may bundle -h).
bool ChangesOutputForm(std::string_view arg) {
  if (arg.size() >= 2 && arg[0] == '-' && arg[1] != '-' && arg != "-o") return true;
  for (std::string_view word : {"help", "version", "json", "enc"})
    if (arg.find(word) != std::string_view::npos) return true;
  return false;
}

// The private folder, made once and entered; standard output goes to a
// file of our own that is read back after each run.
class Workspace {
 public:
  Workspace() {
    // In memory where there is such a folder: every written file is flushed to disk.
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    std::string pattern = (base / "brendax-fuzz-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) brendax::fuzz::Fail("cannot make the private folder");
    folder_ = pattern;
    fs::current_path(folder_);
    std::fflush(stdout);
    std::FILE* file = std::tmpfile();
    if (file == nullptr || ::dup2(::fileno(file), 1) < 0) brendax::fuzz::Fail("cannot capture standard output");
    output_ = file;
  }
  ~Workspace() {
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  // Empties the folder, writes the input file and makes it standard input.
  void Reset(const std::string& inputBytes) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) fs::remove_all(entry.path(), error);
    std::ofstream(kInputName, std::ios::binary)
        .write(inputBytes.data(), static_cast<std::streamsize>(inputBytes.size()));
    const int in = ::open(kInputName, O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0) brendax::fuzz::Fail("cannot set standard input");
    ::close(in);
    std::cout.clear();
    std::clearerr(stdout);
    std::fflush(stdout);
    if (::ftruncate(1, 0) != 0 || ::lseek(1, 0, SEEK_SET) != 0) brendax::fuzz::Fail("cannot reset the output");
  }

  std::string TakeOutput() {
    std::cout.flush();
    std::fflush(stdout);
    std::string bytes;
    char buffer[4096];
    for (off_t at = 0;;) {
      const ssize_t n = ::pread(1, buffer, sizeof buffer, at);
      if (n <= 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
      at += n;
    }
    return bytes;
  }

  // The files the run left, by name (folders as an empty marker).
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
      const std::string name = entry.path().filename().string();
      if (name == kInputName) continue;
      std::ostringstream bytes;
      if (entry.is_regular_file(error)) bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
      files[name] = bytes.str();
    }
    return files;
  }

 private:
  fs::path folder_;
  std::FILE* output_ = nullptr;
};

struct Outcome {
  int status = 0;
  std::string output;
  std::map<std::string, std::string> files;
};

Outcome Run(Workspace& workspace, const std::string& inputBytes, std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  workspace.Reset(inputBytes);
  Outcome outcome;
  outcome.status = RunCommandLine(static_cast<int>(args.size()), argv.data());
  outcome.output = workspace.TakeOutput();
  outcome.files = workspace.Files();
  return outcome;
}

// Whole lines ending in CR LF, no CR, LF or NUL inside a line.
void CheckWholeLines(const std::string& text, const char* what) {
  if (text.empty()) return;
  brendax::fuzz::Check(text.ends_with("\r\n"), what, text);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    brendax::fuzz::CheckLine(std::string_view(text).substr(start, end - start), what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  static Workspace workspace;
  fuzz::FuzzInput input(data, size, 0);
  const std::string inputBytes = WithoutPathSeparators(input.Field());
  std::vector<std::string> args{"brendax-cli"};
  bool plainText = true;
  while (input.HasField() && args.size() <= kMaxArguments) {
    std::string arg = WithoutPathSeparators(input.Field());
    if (ChangesOutputForm(arg)) plainText = false;
    args.push_back(std::move(arg));
  }
  if (args.size() < 2 || args[1].empty() || args[1][0] == '-') plainText = false;

  const Outcome first = Run(workspace, inputBytes, args);
  fuzz::Check(first.status >= 0 && first.status <= 3, "exit status 0 to 3", std::to_string(first.status));
  const Outcome second = Run(workspace, inputBytes, args);
  fuzz::Check(second.status == first.status && second.output == first.output && second.files == first.files,
              "the same arguments give the same output and files");
  // A batch job reports on standard output; what it generates is in its files.
  if (plainText) {
    if (args[1] != "batch") CheckWholeLines(first.output, "line of standard output");
    for (const auto& [name, bytes] : first.files) CheckWholeLines(bytes, "line of a written file");
  }
  return 0;
}
