// A generator's fields, listed once: the record member each one fills, the
// dialog control that shows it, its caption, its default, whether it is
// trimmed before the checks, the command-line option that sets it, and the
// error codes of the checks that read it. The record's defaults, the
// dialog's binding, the command-line options with their help, the trimming,
// the control-character check and the naming of a refused run's field are
// all driven by this one table.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/generator_result.h"
#include "text/cp1252.h"
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
  bool multiLine = false;               // kText: a list of lines (memo); CR, LF and TAB belong to it
  bool fromFile = false;                // kText: the command line reads it from the file its option names
  std::vector<int> codes;               // the error codes of the checks that read this field
  const char* group = "";               // the caption of the dialog's group box holding it, UTF-8; "" none
  std::vector<std::string> items;       // kChoice: the dialog's caption of each item, UTF-8

  // The same field with the error codes of its checks.
  Field Checks(std::vector<int> errorCodes) const {
    Field f = *this;
    f.codes = std::move(errorCodes);
    return f;
  }
  // The same field inside the dialog's group box of that caption.
  Field Group(const char* caption) const {
    Field f = *this;
    f.group = caption;
    return f;
  }
  // The same choice with the dialog's caption of each item (UTF-8).
  Field Items(std::vector<std::string> captions) const {
    Field f = *this;
    f.items = std::move(captions);
    return f;
  }
  // The same field as a list of lines; `readFromFile`: the command line
  // takes a file of those lines under the field's option.
  Field Lines(bool readFromFile = false) const {
    Field f = *this;
    f.multiLine = true;
    f.fromFile = readFromFile;
    return f;
  }
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

// The option of the field whose check gives the code, or "" when no field
// of the table names it.
template <class Params>
const char* FieldOfCode(const FieldTable<Params>& table, int code) {
  for (const auto& f : table)
    if (std::find(f.codes.begin(), f.codes.end(), code) != f.codes.end()) return f.option;
  return "";
}

// A refused run names the field its failing check reads (see
// GeneratorResult::errorField); a generated run comes back as it is.
template <class Params>
GeneratorResult NameFailingField(const FieldTable<Params>& table, GeneratorResult result) {
  if (!result.ok() && result.errorField.empty()) result.errorField = FieldOfCode(table, result.errorCode);
  return result;
}

// Option values by option name, as given (UTF-8): on the command line, or
// as a batch job's run gives them.
using GivenOptions = std::map<std::string, std::string>;

// Applies the given values to the record: texts converted to Windows-1252
// as a dialog field holds them, "on" to a checked box (anything else
// unchecks it), a choice name to its item index (a name that is none of
// them leaves the field as it is).
template <class Params>
void ApplyFieldOptions(const FieldTable<Params>& table, const GivenOptions& given, Params& p) {
  for (const auto& f : table) {
    const auto it = given.find(f.option);
    if (it == given.end()) continue;
    switch (f.kind) {
      case FieldKind::kText: p.*(f.text) = Utf8ToCp1252(it->second); break;
      case FieldKind::kCheck: p.*(f.check) = it->second == "on"; break;
      case FieldKind::kChoice:
        for (std::size_t i = 0; i < f.choices.size(); ++i)
          if (f.choices[i] == it->second) p.*(f.choice) = static_cast<int>(i);
        break;
    }
  }
}

// The other way: the options that turn `start` into `p`, one for every
// field of the table whose value differs (a choice outside the list has no
// option). ApplyFieldOptions(table, FieldOptionsOf(table, p, start), start)
// gives `p` on these fields.
template <class Params>
GivenOptions FieldOptionsOf(const FieldTable<Params>& table, const Params& p, const Params& start) {
  GivenOptions options;
  for (const auto& f : table) {
    if (*f.option == '\0') continue;
    switch (f.kind) {
      case FieldKind::kText:
        if (p.*(f.text) != start.*(f.text)) options[f.option] = Cp1252ToUtf8(p.*(f.text));
        break;
      case FieldKind::kCheck:
        if (p.*(f.check) != start.*(f.check)) options[f.option] = p.*(f.check) ? "on" : "off";
        break;
      case FieldKind::kChoice: {
        const int index = p.*(f.choice);
        if (index != start.*(f.choice) && index >= 0 && index < static_cast<int>(f.choices.size()))
          options[f.option] = f.choices[static_cast<std::size_t>(index)];
        break;
      }
    }
  }
  return options;
}

// Every field's value of the record as its option takes it, in table order
// (a choice outside the list has none).
template <class Params>
std::vector<std::pair<std::string, std::string>> FieldValuesOf(const FieldTable<Params>& table, const Params& p) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const auto& f : table) {
    if (*f.option == '\0') continue;
    switch (f.kind) {
      case FieldKind::kText: values.emplace_back(f.option, Cp1252ToUtf8(p.*(f.text))); break;
      case FieldKind::kCheck: values.emplace_back(f.option, p.*(f.check) ? "on" : "off"); break;
      case FieldKind::kChoice: {
        const int index = p.*(f.choice);
        if (index >= 0 && index < static_cast<int>(f.choices.size()))
          values.emplace_back(f.option, f.choices[static_cast<std::size_t>(index)]);
        break;
      }
    }
  }
  return values;
}

// The error code of a text field holding a control character.
inline constexpr int kControlCharacterCode = 80;

// True when the text holds a control character (0x00 to 0x1F) that the field
// cannot carry: any of them in a one-line field, any but CR, LF and TAB in a
// list of lines.
bool HoldsControlCharacter(std::string_view text, bool multiLine);

// The refused run of a field holding a control character:
// "Steuerzeichen im Feld \"<caption>\" !" under kControlCharacterCode, worded
// in the generator's box style (a style that shows the code alone shows the
// message too), naming the field.
GeneratorResult ControlCharacterFailure(std::string_view captionUtf8, const char* option, ErrorBoxStyle style);

// The error code of a field that makes a generated name longer than the
// engineering tool accepts (kMaxNameLength characters).
inline constexpr int kNameTooLongCode = 81;
inline constexpr std::size_t kMaxNameLength = 24;

// The refused run of such a field: "Name länger als 24 Zeichen aus Feld
// \"<caption>\" !" under kNameTooLongCode, worded and naming the field as
// ControlCharacterFailure does.
GeneratorResult NameTooLongFailure(std::string_view captionUtf8, const char* option, ErrorBoxStyle style);

// The first text field of the table that holds a control character, as a
// refused run; a run that passes comes back with error code 0. Generators
// run it after their own checks, so that a field whose own check already
// refuses the character keeps its code.
template <class Params>
GeneratorResult CheckControlCharacters(const FieldTable<Params>& table, const Params& p,
                                       ErrorBoxStyle style = ErrorBoxStyle::kErrorCodeMessage) {
  for (const auto& f : table)
    if (f.kind == FieldKind::kText && HoldsControlCharacter(p.*(f.text), f.multiLine))
      return ControlCharacterFailure(f.label, f.option, style);
  return {};
}

}  // namespace brendax
