#include "support/run_cli.h"

#include <algorithm>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace brendax::testing {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream data;
  data << in.rdbuf();
  return data.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FolderNames(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "brendax-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

namespace {

// Where and with what the program starts, beyond its arguments.
struct Start {
  const StdoutTarget* target = nullptr;
  const std::string* folder = nullptr;         // the working folder; the test's own when null
  const std::string* standardInput = nullptr;  // the bytes of standard input; the test's own when null
};

CliRun Run(const std::vector<std::string>& args, const Start& start) {
  const StdoutTarget* target = start.target;
  const std::string dir = MakeTempDir();
  const std::string outPath = dir + "/stdout";
  const std::string errPath = dir + "/stderr";
  const std::string inPath = dir + "/stdin";
  if (start.standardInput != nullptr) WriteFileBytes(inPath, *start.standardInput);
  CliRun run;
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (start.standardInput != nullptr && !std::freopen(inPath.c_str(), "rb", stdin)) _exit(127);
    if (start.folder != nullptr && ::chdir(start.folder->c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    std::string program = BRENDAX_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto& arg : copy) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (!std::freopen(errPath.c_str(), "wb", stderr)) _exit(127);
    if (target == nullptr) {
      if (!std::freopen(outPath.c_str(), "wb", stdout)) _exit(127);
    } else if (target->closed) {
      ::close(STDOUT_FILENO);
    } else if (target->brokenPipe) {
      int ends[2];
      if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) < 0) _exit(127);
      ::close(ends[0]);
      ::close(ends[1]);
      ::signal(SIGPIPE, SIG_DFL);  // as a shell starts a program
    } else if (!std::freopen(target->path.c_str(), "wb", stdout)) {
      _exit(127);
    }
    ::execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (target == nullptr) run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  std::filesystem::remove_all(dir);
  return run;
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& args) { return Run(args, {}); }

CliRun RunCliWithStdout(const std::vector<std::string>& args, const StdoutTarget& target) {
  return Run(args, {&target, nullptr, nullptr});
}

CliRun RunCliIn(const std::string& folder, const std::vector<std::string>& args, const std::string& standardInput) {
  return Run(args, {nullptr, &folder, &standardInput});
}

}  // namespace brendax::testing
