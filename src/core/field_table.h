// A generator's fields, listed once: the record member each one fills, the
// dialog control that shows it, its caption, its default, whether it is
// trimmed before the checks, and the command-line option that sets it.
// The record's defaults, the dialog's binding, the command-line options
// with their help, and the trimming are all driven by this one table.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "text/text_routines.h"

namespace brendax {

// What kind of value a field holds.
enum class FieldKind {
  kText,    // a text as typed (edit field, editable combo box, memo)
  kCheck,   // a check box
  kChoice,  // the selected item of a radio group or a selection-only list
};

template <class Params>
struct Field {
  FieldKind kind = FieldKind::kText;
  const char* member = "";              // the record member ("firstStep")
  const char* control = "";             // the dialog's control name ("LabeledEdit9")
  const char* label = "";               // the dialog's caption, UTF-8 ("Nr. 1. Schritt")
  const char* option = "";              // the command-line option without dashes ("first-step")
  std::string Params::*text = nullptr;  // kText
  bool Params::*check = nullptr;        // kCheck
  int Params::*choice = nullptr;        // kChoice: the item index
  std::string defaultText;              // kText: Windows-1252
  int defaultIndex = 0;                 // kCheck: 0 / 1; kChoice: the item index
  bool trimmed = false;                 // kText: trimmed before the checks
  std::vector<std::string> choices;     // kChoice: the option's value for each item index
  std::string help;                     // kText: what the value means, for the option's help
};

template <class Params>
using FieldTable = std::vector<Field<Params>>;

template <class Params>
Field<Params> TextField(const char* member, const char* control, const char* label, const char* option,
                        std::string Params::*text, std::string defaultText, bool trimmed, std::string help = {}) {
  Field<Params> f;
  f.kind = FieldKind::kText;
  f.member = member;
  f.control = control;
  f.label = label;
  f.option = option;
  f.text = text;
  f.defaultText = std::move(defaultText);
  f.trimmed = trimmed;
  f.help = std::move(help);
  return f;
}

template <class Params>
Field<Params> CheckField(const char* member, const char* control, const char* label, const char* option,
                         bool Params::*check, bool defaultOn) {
  Field<Params> f;
  f.kind = FieldKind::kCheck;
  f.member = member;
  f.control = control;
  f.label = label;
  f.option = option;
  f.check = check;
  f.defaultIndex = defaultOn ? 1 : 0;
  return f;
}

template <class Params>
Field<Params> ChoiceField(const char* member, const char* control, const char* label, const char* option,
                          int Params::*choice, std::vector<std::string> choices, int defaultIndex) {
  Field<Params> f;
  f.kind = FieldKind::kChoice;
  f.member = member;
  f.control = control;
  f.label = label;
  f.option = option;
  f.choice = choice;
  f.choices = std::move(choices);
  f.defaultIndex = defaultIndex;
  return f;
}

// Puts the field's default into the record.
template <class Params>
void ApplyDefault(const Field<Params>& f, Params& p) {
  switch (f.kind) {
    case FieldKind::kText: p.*(f.text) = f.defaultText; break;
    case FieldKind::kCheck: p.*(f.check) = f.defaultIndex != 0; break;
    case FieldKind::kChoice: p.*(f.choice) = f.defaultIndex; break;
  }
}

// The record as the dialog shows it at its first showing.
template <class Params>
Params DefaultsOf(const FieldTable<Params>& table) {
  Params p{};
  for (const auto& f : table) ApplyDefault(f, p);
  return p;
}

// Trims the fields the table marks, in table order.
template <class Params>
void TrimFields(const FieldTable<Params>& table, Params& p) {
  for (const auto& f : table)
    if (f.kind == FieldKind::kText && f.trimmed) p.*(f.text) = TrimSpaces(p.*(f.text));
}

// The field with the given option name, or nullptr.
template <class Params>
const Field<Params>* FindFieldByOption(const FieldTable<Params>& table, const std::string& option) {
  for (const auto& f : table)
    if (option == f.option) return &f;
  return nullptr;
}

}  // namespace brendax
