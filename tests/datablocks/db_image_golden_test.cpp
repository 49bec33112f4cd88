// The file image of the five example bytes 41 42 0D 27 FF in every element
// type, made by the command line and compared byte for byte with
// goldens/datablocks/. BRENDAX_UPDATE_GOLDENS=1 rewrites the files instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

struct ImageGolden {
  const char* golden;
  std::vector<std::string> options;
};

TEST(DbImageGoldenTest, ExampleFileInEveryTypeMatchesItsGolden) {
  const std::string dir = std::string(BRENDAX_GOLDEN_DIR) + "/datablocks/";
  const ImageGolden cases[] = {
      {"db_image_example_char.awl", {}},
      {"db_image_example_word.awl", {"--type", "word"}},
      {"db_image_example_word_swap.awl", {"--type", "word", "--swap", "on"}},
      {"db_image_example_dword.awl", {"--type", "dword"}},
      {"db_image_example_dword_swap.awl", {"--type", "dword", "--swap", "on"}},
      {"db_image_example_byte.awl", {"--type", "byte"}},
      {"db_image_example_byte_swap.awl", {"--type", "byte", "--swap", "on"}},
      {"db_image_example_manual.awl", {"--db-number", "12", "--name", "Zeichen", "--start", "-3", "--count", "7"}},
  };
  const bool update = std::getenv("BRENDAX_UPDATE_GOLDENS") != nullptr;
  for (const auto& c : cases) {
    std::vector<std::string> args = {"db-image", dir + "db_image_example.bin"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << c.golden << ": " << run.err;
    if (update) {
      std::ofstream(dir + c.golden, std::ios::binary) << run.out;
      continue;
    }
    EXPECT_EQ(run.out, ReadFileBytes(dir + c.golden)) << c.golden;
  }
}

}  // namespace
}  // namespace brendax::testing
