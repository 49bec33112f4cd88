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

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// A fresh empty folder under the system's temporary folder.
std::string MakeTempDir();

}  // namespace brendax::testing
