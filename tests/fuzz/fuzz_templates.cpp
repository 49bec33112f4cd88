// Fuzz target: the symbol templates stored in the settings record. Any
// record bytes give a template that writes back to the same template,
// touches no byte outside its own slot, and fills a form the symbol
// generator handles.
#include <algorithm>

#include "core/settings.h"
#include "fuzz_input.h"
#include "symbols/symbol_templates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const std::size_t skip = size < 2 ? size : 2;
  const int slot = 1 + (size > 0 ? data[0] % SettingsRecord::kTemplateCount : 0);
  const bool english = size > 1 && (data[1] & 1) != 0;
  SettingsRecord record;
  std::copy_n(data + skip, std::min(size - skip, SettingsRecord::kSize), record.bytes().begin());

  const SymbolTemplate stored = ReadSymbolTemplate(record, slot);
  fuzz::Check(stored == ReadSymbolTemplate(record, slot), "the same bytes read the same template");
  SettingsRecord rewritten = record;
  WriteSymbolTemplate(rewritten, slot, stored);
  fuzz::Check(ReadSymbolTemplate(rewritten, slot) == stored, "a template written back reads the same");
  const std::size_t begin = SettingsRecord::TemplateOffset(slot);
  for (std::size_t offset = 0; offset < SettingsRecord::kSize; ++offset) {
    if (offset >= begin && offset < begin + SettingsRecord::kTemplateSize) continue;
    fuzz::Check(rewritten.bytes()[offset] == record.bytes()[offset], "writing a template keeps the other bytes");
  }
  SettingsRecord again = rewritten;
  WriteSymbolTemplate(again, slot, stored);
  fuzz::Check(again.bytes() == rewritten.bytes(), "writing a template twice changes nothing more");

  // A damaged file may hold any byte in a text: the generator's checks
  // refuse what would break a line or a cell, and saving refuses it too.
  const SymbolParams form = FormFromTemplate(stored);
  fuzz::RunTwiceAndCheck([&] { return GenerateSymbols(form, MnemonicsFor(english)); });
  bool holdsControl = HoldsControlCharacter(stored.name, false);
  for (const auto& f : SymbolFieldTable())
    if (f.kind == FieldKind::kText) holdsControl = holdsControl || HoldsControlCharacter(form.*(f.text), false);
  fuzz::Check(CheckTemplateForSaving(stored).ok() != holdsControl, "saving refuses exactly the control characters");
  (void)LoadEntryCaption(slot, SymbolTemplateName(record, slot));
  return 0;
}
