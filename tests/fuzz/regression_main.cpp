// Replays kept fuzz inputs without libFuzzer: every file in the folders
// given on the command line goes once through the target's entry point.
// A violated property aborts, so the test fails with the file's name above.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    // Absolute, since a target may change the working folder.
    const fs::path given = fs::absolute(argv[i], error);
    if (fs::is_regular_file(given, error)) {
      files.push_back(given);
      continue;
    }
    if (!fs::is_directory(given, error)) continue;  // an empty folder is not kept by git
    for (const auto& entry : fs::directory_iterator(given))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::fprintf(stderr, "input %s\n", file.string().c_str());
    std::ifstream stream(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::fprintf(stderr, "%zu inputs replayed\n", files.size());
  return 0;
}
