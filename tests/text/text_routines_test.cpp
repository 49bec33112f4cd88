#include "text/text_routines.h"

#include <gtest/gtest.h>

namespace brendax {
namespace {

TEST(StepLabelTest, PadsToFourCharacters) {
  EXPECT_EQ(StepLabel("S", 7), "S007");
  EXPECT_EQ(StepLabel("S", 999), "S999");
  EXPECT_EQ(StepLabel("S", 1000), "????");
  EXPECT_EQ(StepLabel("In", 5), "In05");
  EXPECT_EQ(StepLabel("", 5), "????");
}

}  // namespace
}  // namespace brendax
