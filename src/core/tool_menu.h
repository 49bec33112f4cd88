// The entries of the "Tools" menu, in menu order within each menu: the
// window builds its menu from them (with a dialog for each, app/), and the
// command line's schema lists them for forms built elsewhere.
#pragma once

#include <span>

namespace brendax {

// Where a tool's entry sits: in "Tools" above the source-generator submenu,
// in the submenu "Tools" > "Quellengenerator", or in "Tools" below the
// separator.
enum class ToolMenu { kTools, kSourceGenerator, kToolsBelowSeparator };

// The captions of the menus, German.
inline constexpr const char* kToolsMenuCaption = "Tools";
inline constexpr const char* kSourceGeneratorMenuCaption = "Quellengenerator";

struct ToolMenuEntry {
  int code;                // last-generator code; 0 for tools that write no output
  const char* menuName;    // object name of the menu entry
  ToolMenu menu;           // menu the entry sits in
  const char* caption;     // "German@English"
  bool expertOnly;         // entry visible only in the expert mode
  const char* subcommand;  // the command line's subcommand of the tool
  const char* dialog;      // the caption of the tool's dialog
};

std::span<const ToolMenuEntry> ToolMenuEntries();

// The caption of the dialog of the tool with that subcommand (UTF-8); "" for
// none.
const char* DialogCaptionOf(const char* subcommand);

}  // namespace brendax
