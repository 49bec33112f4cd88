#include "app/generator_registry.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/generator_codes.h"
#include "datablocks/db_image_dialog.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "datablocks/target_actual_dialog.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "symbols/symbol_dialog.h"
#include "tools/address_calculator_dialog.h"
#include "tools/pointer_tool_dialog.h"

namespace brendax {

namespace {

// Every dialog is created the same way: from the tool host and its parent.
template <class Dialog>
QDialog* Make(ToolHost& host, QWidget* parent) {
  return new Dialog(host, parent);
}

struct Factory {
  const char* menuName;
  DialogFactory factory;
};

const std::array<Factory, 9> kFactories = {{
    {"Symbolgenerator1", &Make<TForm2>},
    {"DBUDT1", &Make<TForm5QuelleDB>},
    {"MeldeDBUDT1", &Make<TForm6Melde_DB_UDT>},
    {"SollIstDB1", &Make<TForm3>},
    {"DBAbbildvonDateibin1", &Make<TForm7QuelleDBFileKopieBin>},
    {"AWLSchrittketteBasic1", &Make<TForm10AWL_SchrittketteEinfach>},
    {"AWLSchrittkette1", &Make<TForm8AWL_Schrittkette>},
    {"Adressrechner", &Make<TForm5>},
    {"PointerTool1", &Make<TForm14Pointerrechner>},
}};

// The core's menu entries, each with its dialog.
const std::vector<GeneratorEntry>& Generators() {
  static const std::vector<GeneratorEntry> rows = [] {
    std::vector<GeneratorEntry> all;
    for (const ToolMenuEntry& entry : ToolMenuEntries()) {
      DialogFactory factory = nullptr;
      for (const Factory& f : kFactories)
        if (std::string_view(f.menuName) == entry.menuName) factory = f.factory;
      all.push_back({entry.code, entry.menuName, entry.menu, entry.caption, entry.expertOnly, factory});
    }
    return all;
  }();
  return rows;
}

}  // namespace

std::span<const GeneratorEntry> GeneratorRegistry() { return Generators(); }

const GeneratorEntry* FindGenerator(int code) {
  if (code == kGenNone) return nullptr;
  for (const GeneratorEntry& entry : Generators())
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace brendax
