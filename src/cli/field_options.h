// The command-line options of a generator, made from its field table: one
// option per field, named as the table says, with the dialog's caption and
// default in its help. Values are collected while parsing and applied to a
// record afterwards (ApplyFieldOptions, core/field_table.h), so that they
// override a starting record (the defaults, a built-in example or a stored
// template) whatever their order.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/output.h"
#include "core/field_table.h"
#include "text/cp1252.h"

namespace brendax::cli {

// The help line of one field: "\"caption\": what it means (default: value)".
std::string FieldOptionHelp(const char* label, const std::string& help, const std::string& defaultShown);

template <class Params>
void AddFieldOptions(CLI::App& command, const FieldTable<Params>& table, std::shared_ptr<GivenOptions> given) {
  for (const auto& f : table) {
    const std::string name = std::string("--") + f.option;
    const std::string key = f.option;
    auto store = [given, key](const std::string& value) { (*given)[key] = value; };
    switch (f.kind) {
      case FieldKind::kText:
        command
            .add_option_function<std::string>(name, store,
                                              FieldOptionHelp(f.label, f.help, Cp1252ToUtf8(f.defaultText)))
            ->type_name("TEXT");
        break;
      case FieldKind::kCheck:
        command
            .add_option_function<std::string>(name, store,
                                              FieldOptionHelp(f.label, "on|off", f.defaultIndex ? "on" : "off"))
            ->check(OnOffValidator())
            ->type_name("on|off");
        break;
      case FieldKind::kChoice: {
        std::string names;
        for (const auto& c : f.choices) names += (names.empty() ? "" : "|") + c;
        const std::string shown =
            f.defaultIndex >= 0 && f.defaultIndex < static_cast<int>(f.choices.size()) ? f.choices[f.defaultIndex] : "";
        command.add_option_function<std::string>(name, store, FieldOptionHelp(f.label, names, shown))
            ->check(CLI::IsMember(f.choices))
            ->type_name("CHOICE");
        break;
      }
    }
  }
}

}  // namespace brendax::cli
