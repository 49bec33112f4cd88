// The tools of the "Tools" menu, one row each: what the main window needs to
// put a tool into its menu, translate its caption, create its dialog once at
// start and reopen it with "Formular". A new generator is one row here plus
// its own files.
#pragma once

#include <span>

#include "core/tool_menu.h"

class QDialog;
class QWidget;
class ToolHost;

namespace brendax {

// Creates a tool's dialog, hidden, as a child of `parent`.
using DialogFactory = QDialog* (*)(ToolHost& host, QWidget* parent);

// A menu entry of core/tool_menu.h with the dialog it opens.
struct GeneratorEntry {
  int code;               // last-generator code; 0 for tools that write no output
  const char* menuName;   // object name of the menu entry
  ToolMenu menu;          // menu the entry sits in
  const char* caption;    // "German@English"
  bool expertOnly;        // entry visible only in the expert mode
  DialogFactory factory;  // nullptr: the entry exists and does nothing yet
};

// Every tool, in menu order within each menu.
std::span<const GeneratorEntry> GeneratorRegistry();

// The row of a last-generator code; nullptr for 0 and unknown codes.
const GeneratorEntry* FindGenerator(int code);

}  // namespace brendax
