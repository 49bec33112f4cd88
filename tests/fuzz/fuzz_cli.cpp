// Fuzz target: the command line, run in this process with an argument
// vector built from the input (one field per argument). Arguments that
// would make it write or read files of the system are left out. The exit
// status is one of the documented ones, the same arguments give the same
// status and the same standard output, and generated text is whole lines
// ending in CR LF.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <vector>

#include "cli/run.h"
#include "fuzz_input.h"

namespace {

constexpr std::size_t kMaxArguments = 48;

bool Unsafe(std::string_view arg) {
  for (std::string_view word : {"-o", "symbols", "settings", "output", "/dev", "/proc", "/sys"})
    if (arg.find(word) != std::string_view::npos) return true;
  return false;
}

// Options whose output is no generated text (help, JSON, UTF-8, short
// options that may bundle -h).
bool ChangesOutputForm(std::string_view arg) {
  if (arg.size() >= 2 && arg[0] == '-' && arg[1] != '-') return true;
  for (std::string_view word : {"help", "version", "json", "enc"})
    if (arg.find(word) != std::string_view::npos) return true;
  return false;
}

// Standard output goes to a file of our own, read back after each run.
class CapturedOutput {
 public:
  CapturedOutput() {
    std::fflush(stdout);
    std::FILE* file = std::tmpfile();
    if (file == nullptr || ::dup2(::fileno(file), 1) < 0) brendax::fuzz::Fail("cannot capture standard output");
    file_ = file;
  }
  void Reset() {
    std::cout.clear();
    std::clearerr(stdout);
    std::fflush(stdout);
    if (::ftruncate(1, 0) != 0 || ::lseek(1, 0, SEEK_SET) != 0) brendax::fuzz::Fail("cannot reset the output");
  }
  std::string Take() {
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

 private:
  std::FILE* file_ = nullptr;
};

int Run(std::vector<std::string> args, CapturedOutput& output, std::string& text) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  output.Reset();
  const int status = RunCommandLine(static_cast<int>(args.size()), argv.data());
  text = output.Take();
  return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  static CapturedOutput output;
  fuzz::FuzzInput input(data, size, 0);
  std::vector<std::string> args{"brendax-cli"};
  bool plainText = true;
  while (input.HasField() && args.size() <= kMaxArguments) {
    std::string arg = fuzz::FuzzInput::WithoutBytes(input.Field(), std::string_view("\0", 1));
    if (Unsafe(arg)) continue;
    if (ChangesOutputForm(arg)) plainText = false;
    args.push_back(std::move(arg));
  }
  if (args.size() < 2 || args[1].empty() || args[1][0] == '-') plainText = false;

  std::string first;
  std::string second;
  const int status = Run(args, output, first);
  fuzz::Check(status >= 0 && status <= 2, "exit status 0, 1 or 2 without files to write", std::to_string(status));
  fuzz::Check(Run(args, output, second) == status && second == first, "the same arguments give the same output");
  if (status == 0 && plainText && !first.empty()) {
    fuzz::Check(first.ends_with("\r\n"), "generated text ends with CR LF", first);
    std::size_t start = 0;
    for (std::size_t end; (end = first.find("\r\n", start)) != std::string::npos; start = end + 2)
      fuzz::CheckLine(std::string_view(first).substr(start, end - start), "generated line");
  }
  return 0;
}
