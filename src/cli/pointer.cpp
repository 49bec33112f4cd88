// pointer: the pointer tool ("Pointer Tool"), the bytes of a POINTER or ANY
// parameter listed as STL load instructions.
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "text/cp1252.h"
#include "tools/pointer_tool.h"

namespace brendax::cli {
namespace {

// Option values as typed on the command line; the defaults are the window's
// at its first showing.
struct PointerOptions {
  std::string variant = "any-datatype";
  std::string dataType = "BYTE";
  std::string repeat = "2";
  std::string parameterType = "BLOCK_DB";
  std::string number = "1";
  std::string db = "1";
  std::string area = "DB";
  std::string address = "0.0";
  std::string load = "on";
  std::string transfer = "off";
  std::string asByte = "off";
  std::string asWord = "on";
  std::string asDWord = "off";
  std::string comment1 = "on";
  std::string comment2 = "on";
  OutputOptions output;
};

std::vector<std::string> NamesOf(std::span<const PointerListItem> items) {
  std::vector<std::string> names;
  for (const auto& item : items) names.emplace_back(item.name);
  return names;
}

int IndexOf(std::span<const PointerListItem> items, const std::string& name) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (name == items[i].name) return static_cast<int>(i);
  }
  return 0;  // not reached: the option's validator accepts only the names
}

std::string ItemsHelp(std::span<const PointerListItem> items) {
  std::string help;
  for (const auto& item : items) {
    if (!help.empty()) help += ", ";
    help += item.name;
  }
  return help;
}

void Run(const PointerOptions& o) {
  PointerState state;
  state.variant = o.variant == "pointer"         ? kPointerVariantPointer
                  : o.variant == "any-parameter" ? kPointerVariantAnyParameter
                                                 : kPointerVariantAnyDataType;
  state.dataType = IndexOf(PointerDataTypeItems(), o.dataType);
  state.repeat = FieldText(o.repeat);
  state.parameterType = IndexOf(PointerParameterTypeItems(), o.parameterType);
  state.number = FieldText(o.number);
  state.dbNumber = FieldText(o.db);
  state.area = IndexOf(PointerAreaItems(), o.area);
  state.address = FieldText(o.address);
  state.load = OnOff(o.load);
  state.transfer = OnOff(o.transfer);
  state.asByte = OnOff(o.asByte);
  state.asWord = OnOff(o.asWord);
  state.asDWord = OnOff(o.asDWord);
  state.comment1 = OnOff(o.comment1);
  state.comment2 = OnOff(o.comment2);
  PointerListing listing = Compute(state);

  // Invalid inputs are part of the listing (its error block), never a
  // failed run.
  if (o.output.json) {
    nlohmann::ordered_json doc;
    doc["generator"] = "pointer";
    doc["error"] = nullptr;
    auto lines = nlohmann::ordered_json::array();
    for (const auto& line : listing.lines) lines.push_back(Cp1252ToUtf8(line));
    doc["lines"] = std::move(lines);
    doc["bytes"] = listing.bytes;
    SetExitStatus(EmitJson(doc, o.output));
    return;
  }
  GeneratorResult result;
  result.lines = std::move(listing.lines);
  SetExitStatus(EmitResult("pointer", result, o.output));
}

}  // namespace

void RegisterPointer(CLI::App& app) {
  auto options = std::make_shared<PointerOptions>();
  PointerOptions& o = *options;
  CLI::App* cmd = app.add_subcommand(
      "pointer",
      "Pointer tool (\"Pointer Tool\"): the bytes of a POINTER (6) or ANY (10) parameter as STL load instructions; "
      "invalid inputs are listed in the error block at the end");
  cmd->add_option("--variant", o.variant,
                  "\"Variante\": pointer = \"POINTER\", any-datatype = \"ANY-Datentyp\", any-parameter = "
                  "\"ANY-Parametertyp\" (default: any-datatype)")
      ->check(CLI::IsMember({"pointer", "any-datatype", "any-parameter"}));
  cmd->add_option("--datatype", o.dataType,
                  "\"Datentyp\" of an ANY-Datentyp: " + ItemsHelp(PointerDataTypeItems()) + " (default: BYTE)")
      ->check(CLI::IsMember(NamesOf(PointerDataTypeItems())));
  cmd->add_option("--repeat", o.repeat, "\"Wiederholfaktor\" of an ANY-Datentyp, 1 to 65535 (default: 2)");
  cmd->add_option(
         "--parameter-type", o.parameterType,
         "\"Parametertyp\" of an ANY-Parametertyp: " + ItemsHelp(PointerParameterTypeItems()) + " (default: BLOCK_DB)")
      ->check(CLI::IsMember(NamesOf(PointerParameterTypeItems())));
  cmd->add_option("--number", o.number,
                  "Number of the counter, timer or block of an ANY-Parametertyp, 0 to 65535 (default: 1)");
  cmd->add_option("--db", o.db, "\"DB-Nummer (oder 0)\", 0 to 65535 (default: 1)");
  cmd->add_option("--area", o.area,
                  "\"Speicherbereich\": " + ItemsHelp(PointerAreaItems()) + " (default: DB); P is refused in a POINTER")
      ->check(CLI::IsMember(NamesOf(PointerAreaItems())));
  cmd->add_option("--address", o.address, "Address, byte 0 to 65535 with an optional bit after a point (default: 0.0)");
  cmd->add_option("--load", o.load, "\"L\": begin every line with the load instruction, on|off (default: on)")
      ->check(OnOffValidator());
  cmd->add_option("--transfer", o.transfer, "\"T\": follow every line with a transfer line, on|off (default: off)")
      ->check(OnOffValidator());
  cmd->add_option("--as-byte", o.asByte, "\"als Byte\": list the bytes one by one, on|off (default: off)")
      ->check(OnOffValidator());
  cmd->add_option("--as-word", o.asWord, "\"als Word\": list the bytes as words, on|off (default: on)")
      ->check(OnOffValidator());
  cmd->add_option("--as-dword", o.asDWord,
                  "\"als DWord\": list the bytes as one word and double words, on|off (default: off)")
      ->check(OnOffValidator());
  cmd->add_option("--comment1", o.comment1, "\"Kommentar 1\": comments with the byte numbers, on|off (default: on)")
      ->check(OnOffValidator());
  cmd->add_option("--comment2", o.comment2, "\"Kommentar 2\": comments with the byte meanings, on|off (default: on)")
      ->check(OnOffValidator());
  AddListingOutputOptions(*cmd, o.output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
