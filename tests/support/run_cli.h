// Runs the built brendax-cli and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace brendax::testing {

struct CliRun {
  int status = -1;
  std::string out;  // standard output, bytes as written
  std::string err;  // standard error
};

CliRun RunCli(const std::vector<std::string>& args);

// Where the standard output of RunCliWithStdout goes.
struct StdoutTarget {
  std::string path;         // a file or device opened for writing
  bool closed = false;      // no standard output at all
  bool brokenPipe = false;  // a pipe whose reading end is already closed
};
// As RunCli, with standard output sent elsewhere (run.out stays empty).
CliRun RunCliWithStdout(const std::vector<std::string>& args, const StdoutTarget& target);

// As RunCli, started in the given folder with the bytes as its standard input.
CliRun RunCliIn(const std::string& folder, const std::vector<std::string>& args, const std::string& standardInput);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Writes bytes into a file, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The names of a folder's entries, sorted.
std::vector<std::string> FolderNames(const std::string& dir);

// A fresh empty folder under the system's temporary folder.
std::string MakeTempDir();

}  // namespace brendax::testing
