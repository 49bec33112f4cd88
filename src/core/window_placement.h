// The main window's size and place between starts. They are kept in a small
// text file of their own beside the settings file, never in the settings
// record, whose fixed layout other programs and files rely on:
//
//   Brendax-Fenster 1
//   X Y WIDTH HEIGHT MAXIMIZED
//
// (CR LF after each line; decimal numbers; MAXIMIZED 0 or 1). The file is
// only a convenience: a damaged or foreign one is ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brendax {

struct WindowPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
};

// Sizes accepted from the file, in pixels, and how far a position may lie
// from the origin.
constexpr int kPlacementMinimumSize = 100;
constexpr int kPlacementMaximumSize = 20000;
constexpr int kPlacementMaximumOffset = 100000;

std::string FormatWindowPlacement(const WindowPlacement& placement);

// Nothing for a text that is not exactly the format above, or whose numbers
// lie outside the accepted ranges.
std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text);

// The file beside the settings file: its name with the extension replaced
// by ".window" ("brendax.set" gives "brendax.window"), or ".window" added
// when that would be the settings file itself.
std::string WindowPlacementPath(const std::string& settingsPath);

}  // namespace brendax
