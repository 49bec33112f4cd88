// Fuzz target: the settings loader, any bytes of any length as the file.
// The bytes the program does not own survive loading, a saved record reads
// back as it was, and saving writes exactly the record's bytes.
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "core/settings.h"
#include "fuzz_input.h"

namespace {

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The version, the reserved text's length byte, the mnemonics byte and the
// language: what the loader resets in a record it cannot use.
bool OwnedByLoader(std::size_t offset) {
  using R = brendax::SettingsRecord;
  return offset < R::kReservedOffset + 1 || offset == R::kEnglishMnemonicsOffset ||
         (offset >= R::kNationalLanguageOffset && offset < R::kNationalLanguageOffset + 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  static const std::string base = "/tmp/brendax_fuzz_settings_" + std::to_string(::getpid());
  static const std::string inPath = base + ".in";
  static const std::string outPath = base + ".out";
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  WriteBytes(inPath, input);

  const SettingsRecord loaded = LoadSettingsFile(inPath);
  fuzz::Check(loaded.version() == SettingsRecord::kCurrentVersion, "a loaded record has the current version");
  const bool whole = size >= SettingsRecord::kSize && static_cast<std::uint8_t>(input[0]) == 2 && input[1] == 0 &&
                     input[2] == 0 && input[3] == 0;
  for (std::size_t offset = 0; offset < SettingsRecord::kSize; ++offset) {
    if (!whole && OwnedByLoader(offset)) continue;
    const std::uint8_t expected = offset < size ? data[offset] : 0;
    fuzz::Check(loaded.bytes()[offset] == expected, "a byte the loader does not own survives loading");
  }
  fuzz::Check(LoadSettingsFile(inPath).bytes() == loaded.bytes(), "the same file loads the same");

  fuzz::Check(SaveSettingsFile(outPath, loaded), "a record can be saved");
  const std::string saved = ReadBytes(outPath);
  fuzz::Check(saved.size() == SettingsRecord::kSize &&
                  std::equal(saved.begin(), saved.end(), loaded.bytes().begin(),
                             [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }),
              "the saved file is the record, byte for byte");
  fuzz::Check(LoadSettingsFile(outPath).bytes() == loaded.bytes(), "a saved record loads unchanged");
  return 0;
}
