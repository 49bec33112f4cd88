// The main window's side file (its size and place between starts) and the
// file name proposed for a source: what is read back, what is ignored.
#include <gtest/gtest.h>

#include "core/block_header.h"
#include "core/window_placement.h"

namespace brendax {
namespace {

TEST(WindowPlacement, ReadsBackWhatItWrote) {
  for (const WindowPlacement& p :
       {WindowPlacement{30, 40, 700, 500, false}, WindowPlacement{-1920, 0, 633, 413, true}}) {
    const auto read = ParseWindowPlacement(FormatWindowPlacement(p));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->x, p.x);
    EXPECT_EQ(read->y, p.y);
    EXPECT_EQ(read->width, p.width);
    EXPECT_EQ(read->height, p.height);
    EXPECT_EQ(read->maximized, p.maximized);
  }
  EXPECT_EQ(FormatWindowPlacement({30, 40, 700, 500, false}), "Brendax-Fenster 1\r\n30 40 700 500 0\r\n");
}

TEST(WindowPlacement, IgnoresADamagedOrForeignFile) {
  const char* const damaged[] = {
      "",
      "Brendax-Fenster 1\r\n",
      "Brendax-Fenster 1\r\n30 40 700 500 0",              // cut before the end
      "Brendax-Fenster 1\r\n30 40 700 500\r\n",            // a number missing
      "Brendax-Fenster 1\r\n30 40 700 500 0 7\r\n",        // one too many
      "Brendax-Fenster 1\r\n30  40 700 500 0\r\n",         // two blanks
      "Brendax-Fenster 1\r\n30 40 7x0 500 0\r\n",          // not a number
      "Brendax-Fenster 1\r\n+30 40 700 500 0\r\n",         // a sign the writer never writes
      "Brendax-Fenster 1\r\n30 40 99 500 0\r\n",           // too small to use
      "Brendax-Fenster 1\r\n30 40 700 20001 0\r\n",        // larger than any screen
      "Brendax-Fenster 1\r\n300000 40 700 500 0\r\n",      // far off every screen
      "Brendax-Fenster 1\r\n30 40 700 500 2\r\n",          // neither maximized nor not
      "Brendax-Fenster 1\r\n30 40 700 99999999999 0\r\n",  // beyond 32 bits
      "Brendax-Fenster 2\r\n30 40 700 500 0\r\n",          // another version
      "\x02\x00\x00\x00",                                  // a settings record
  };
  for (const char* text : damaged) EXPECT_FALSE(ParseWindowPlacement(text)) << text;
}

TEST(WindowPlacement, LivesBesideTheSettingsFile) {
  EXPECT_EQ(WindowPlacementPath("/home/u/.config/Brendax/brendax.set"), "/home/u/.config/Brendax/brendax.window");
  EXPECT_EQ(WindowPlacementPath("C:\\Brendax\\brendax.set"), "C:\\Brendax\\brendax.window");
  EXPECT_EQ(WindowPlacementPath("/x.y/settings"), "/x.y/settings.window");
  EXPECT_EQ(WindowPlacementPath("/x/.brendax"), "/x/.brendax.window");
  // Never the settings file itself.
  EXPECT_EQ(WindowPlacementPath("/x/mine.window"), "/x/mine.window.window");
}

TEST(SourceFileStem, NamesTheSourcesMainBlock) {
  const std::vector<SymbolRow> rows = {{"FC_Kette", "FC 080", "FC 80", ""}, {"Start", "E 1.0", "Bool", ""}};
  const struct {
    std::vector<std::string> lines;
    const char* stem;
  } cases[] = {
      // Named by its symbol: the address of the symbol's row.
      {{"FUNCTION \"FC_Kette\" : VOID", "END_FUNCTION"}, "FC80"},
      {{"FUNCTION \"A/B:C\" : VOID", "END_FUNCTION"}, "A_B_C"},
      {{"FUNCTION FC 80 : VOID", "END_FUNCTION"}, "FC80"},
      // A step sequence: data block, timer function, then its own function.
      {{"DATA_BLOCK DB 100", "END_DATA_BLOCK", "FUNCTION FC 81 : VOID", "END_FUNCTION", "FUNCTION FC 080 : VOID",
        "END_FUNCTION"},
       "FC80"},
      // A message DB after its UDT.
      {{"TYPE UDT 12", "END_TYPE", "DATA_BLOCK DB 12", "END_DATA_BLOCK"}, "DB12"},
      {{"// FUNCTION FC 9 in a comment", "  NETWORK"}, ""},
      {{"FUNCTION \"\" : VOID", "END_FUNCTION"}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SourceFileStem(c.lines, rows), c.stem);
}

}  // namespace
}  // namespace brendax
