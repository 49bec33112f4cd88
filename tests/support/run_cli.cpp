#include "support/run_cli.h"

#include <algorithm>

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

CliRun Run(const std::vector<std::string>& args, const StdoutTarget* target) {
  const std::string dir = MakeTempDir();
  const std::string outPath = dir + "/stdout";
  const std::string errPath = dir + "/stderr";
  CliRun run;
  const pid_t pid = ::fork();
  if (pid == 0) {
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

CliRun RunCli(const std::vector<std::string>& args) { return Run(args, nullptr); }

CliRun RunCliWithStdout(const std::vector<std::string>& args, const StdoutTarget& target) { return Run(args, &target); }

}  // namespace brendax::testing
