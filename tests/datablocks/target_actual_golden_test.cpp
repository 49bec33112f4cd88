// The target/actual data block of the example (two variants, "2=Auto" and
// "0_0=Start" in the lists), made by the command line from list files and
// compared byte for byte with goldens/datablocks/. BRENDAX_UPDATE_GOLDENS=1
// rewrites the file instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

TEST(TargetActualGoldenTest, ExampleWithAssignmentListsMatchesItsGolden) {
  const std::string dir = std::string(BRENDAX_GOLDEN_DIR) + "/datablocks/";
  const CliRun run =
      RunCli({"target-actual-db", "--variants", "2", "--variant-symbols", dir + "target_actual_example_variants.txt",
              "--address-symbols", dir + "target_actual_example_addresses.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string golden = dir + "target_actual_example.awl";
  if (std::getenv("BRENDAX_UPDATE_GOLDENS") != nullptr) {
    std::ofstream(golden, std::ios::binary) << run.out;
    return;
  }
  EXPECT_EQ(run.out, ReadFileBytes(golden));
}

}  // namespace
}  // namespace brendax::testing
