#include "symbols/symbol_templates.h"

#include "core/field_table.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

using L = SymbolTemplateLayout;

std::string Cut(const std::string& text, std::size_t max) { return text.size() > max ? text.substr(0, max) : text; }

}  // namespace

SymbolTemplate ReadSymbolTemplate(const SettingsRecord& record, int n) {
  const std::size_t base = SettingsRecord::TemplateOffset(n);
  SymbolTemplate t;
  t.name = record.ReadShortString(base + L::kName, L::kNameMax);
  t.extendedView = record.bytes()[base + L::kExtendedView] != 0;
  t.count = record.ReadInt32(base + L::kCount);
  t.area = record.ReadInt32(base + L::kArea);
  t.c1Start = record.ReadInt32(base + L::kC1Start);
  t.c1Step = record.ReadInt32(base + L::kC1Step);
  t.c2Start = record.ReadInt32(base + L::kC2Start);
  t.c2Step = record.ReadInt32(base + L::kC2Step);
  t.c3Start = record.ReadInt32(base + L::kC3Start);
  t.startAddress = record.ReadShortString(base + L::kA1, L::kAddressMax);
  t.startAddress2 = record.ReadShortString(base + L::kA2, L::kAddressMax);
  for (std::size_t i = 0; i < 4; ++i) {
    t.t1[i] = record.ReadShortString(base + L::kT1 + i * L::kTextStride, L::kTextMax);
    t.t2[i] = record.ReadShortString(base + L::kT2 + i * L::kTextStride, L::kTextMax);
  }
  t.symbol = record.ReadShortString(base + L::kSymbol, L::kPatternMax);
  t.comment = record.ReadShortString(base + L::kComment, L::kPatternMax);
  return t;
}

void WriteSymbolTemplate(SettingsRecord& record, int n, const SymbolTemplate& t) {
  const std::size_t base = SettingsRecord::TemplateOffset(n);
  record.WriteShortString(base + L::kName, L::kNameMax, t.name);
  record.bytes()[base + L::kExtendedView] = t.extendedView ? 1 : 0;
  record.WriteInt32(base + L::kCount, t.count);
  record.WriteInt32(base + L::kArea, t.area);
  record.WriteInt32(base + L::kC1Start, t.c1Start);
  record.WriteInt32(base + L::kC1Step, t.c1Step);
  record.WriteInt32(base + L::kC2Start, t.c2Start);
  record.WriteInt32(base + L::kC2Step, t.c2Step);
  record.WriteInt32(base + L::kC3Start, t.c3Start);
  record.WriteShortString(base + L::kA1, L::kAddressMax, t.startAddress);
  record.WriteShortString(base + L::kA2, L::kAddressMax, t.startAddress2);
  for (std::size_t i = 0; i < 4; ++i) {
    record.WriteShortString(base + L::kT1 + i * L::kTextStride, L::kTextMax, t.t1[i]);
    record.WriteShortString(base + L::kT2 + i * L::kTextStride, L::kTextMax, t.t2[i]);
  }
  record.WriteShortString(base + L::kSymbol, L::kPatternMax, t.symbol);
  record.WriteShortString(base + L::kComment, L::kPatternMax, t.comment);
}

std::string SymbolTemplateName(const SettingsRecord& record, int n) {
  return record.ReadShortString(SettingsRecord::TemplateOffset(n) + L::kName, L::kNameMax);
}

SymbolTemplate TemplateFromForm(const SymbolParams& form, const std::string& name) {
  const auto number = [](const std::string& text) { return ParseInt32(text).value_or(0); };
  SymbolTemplate t;
  t.name = Cut(name, L::kNameMax);
  t.extendedView = !form.simplifiedView;
  t.count = number(form.count);
  t.area = form.area;
  t.c1Start = number(form.c1Start);
  t.c1Step = number(form.c1Step);
  t.c2Start = number(form.c2Start);
  t.c2Step = number(form.c2Step);
  t.c3Start = number(form.c3Start);
  t.startAddress = Cut(form.startAddress, L::kAddressMax);
  t.startAddress2 = Cut(form.startAddress2, L::kAddressMax);
  const auto t1 = form.T1();
  const auto t2 = form.T2();
  for (std::size_t i = 0; i < 4; ++i) {
    t.t1[i] = Cut(t1[i], L::kTextMax);
    t.t2[i] = Cut(t2[i], L::kTextMax);
  }
  t.symbol = Cut(form.symbol, L::kPatternMax);
  t.comment = Cut(form.comment, L::kPatternMax);
  return t;
}

GeneratorResult CheckTemplateForSaving(const SymbolTemplate& t) {
  if (HoldsControlCharacter(t.name, false))
    return ControlCharacterFailure("Name der Vorlage", "name", ErrorBoxStyle::kMessageOnly);
  // The stored texts under the captions and options of the form's fields.
  const auto& table = SymbolFieldTable();
  const SymbolParams form = FormFromTemplate(t);
  for (const auto& f : table) {
    if (f.kind != FieldKind::kText || !HoldsControlCharacter(form.*(f.text), false)) continue;
    return ControlCharacterFailure(f.label, f.option, ErrorBoxStyle::kMessageOnly);
  }
  return {};
}

SymbolParams FormFromTemplate(const SymbolTemplate& t) {
  SymbolParams p;
  p.simplifiedView = !t.extendedView;
  p.count = std::to_string(t.count);
  p.area = t.area;
  p.c1Start = std::to_string(t.c1Start);
  p.c1Step = std::to_string(t.c1Step);
  p.c2Start = std::to_string(t.c2Start);
  p.c2Step = std::to_string(t.c2Step);
  p.c3Start = std::to_string(t.c3Start);
  p.startAddress = t.startAddress;
  p.startAddress2 = t.startAddress2;
  p.t1Seq1 = t.t1[0];
  p.t1Seq2 = t.t1[1];
  p.t1Seq3 = t.t1[2];
  p.t1Seq4 = t.t1[3];
  p.t2Seq1 = t.t2[0];
  p.t2Seq2 = t.t2[1];
  p.t2Seq3 = t.t2[2];
  p.t2Seq4 = t.t2[3];
  p.symbol = t.symbol;
  p.comment = t.comment;
  return p;
}

std::string LoadEntryCaption(int n, const std::string& name) {
  return "Lade Vorlage " + std::to_string(n) + " : " + name;
}

}  // namespace brendax
