// address: the address calculator ("Adressrechner"), bit addresses and
// running numbers converted into each other.
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "text/cp1252.h"
#include "tools/address_calculator.h"

namespace brendax::cli {
namespace {

// The field names on the command line and in the JSON object, in window
// order, and the window's captions of the fields.
constexpr const char* kFieldKeys[kAddressFieldCount] = {"start-address", "start-number", "end-address", "end-number"};
constexpr const char* kFieldCaptions[kAddressFieldCount] = {"Anfang / Adresse", "Anfang / Lfd. Nummer",
                                                            "Ende / Adresse", "Ende / Lfd. Nummer"};

// The window's state at its first showing.
struct AddressOptions {
  AddressState state;
  std::string sought = "end-number";
  OutputOptions output;
};

// One line per field: the mark of the sought field, the caption, the text,
// and a note on an invalid input; then the distance.
std::vector<std::string> TextLines(const AddressResult& result) {
  std::vector<std::string> lines;
  lines.reserve(kAddressFieldCount + 1);
  for (int field = 0; field < kAddressFieldCount; ++field) {
    const auto index = static_cast<std::size_t>(field);
    std::string& line = lines.emplace_back();
    line += result.marks[index].empty() ? " " : result.marks[index];
    line += ' ';
    line += kFieldCaptions[index];
    line += ':';
    line.append(22 - std::string_view(kFieldCaptions[index]).size(), ' ');
    line += EscapedForMessage(result.fields[index], false);  // a control character stays on its line
    if (result.invalid[index]) line += Ansi("  (ungültig)");
  }
  std::string& distance = lines.emplace_back("  Differenz:");
  distance.append(25 - distance.size(), ' ');
  distance += std::to_string(result.distance);
  return lines;
}

void Run(AddressOptions& o) {
  for (int field = 0; field < kAddressFieldCount; ++field) {
    auto& text = o.state.fields[static_cast<std::size_t>(field)];
    text = FieldText(text);
    if (o.sought == kFieldKeys[field]) o.state.sought = static_cast<AddressField>(field);
  }
  const AddressResult result = Recompute(o.state);

  // Invalid inputs are shown in the output, never as a failed run.
  if (o.output.json) {
    nlohmann::ordered_json doc;
    doc["generator"] = "address";
    doc["error"] = nullptr;
    nlohmann::ordered_json fields;
    nlohmann::ordered_json marks;
    auto invalid = nlohmann::ordered_json::array();
    for (std::size_t index = 0; index < kAddressFieldCount; ++index) {
      fields[kFieldKeys[index]] = Cp1252ToUtf8(result.fields[index]);
      marks[kFieldKeys[index]] = result.marks[index];
      if (result.invalid[index]) invalid.push_back(kFieldKeys[index]);
    }
    doc["fields"] = std::move(fields);
    doc["distance"] = result.distance;
    doc["marks"] = std::move(marks);
    doc["invalid"] = std::move(invalid);
    doc["inputError"] = result.inputError;
    SetExitStatus(EmitJson(doc, o.output));
    return;
  }
  GeneratorResult text;
  text.lines = TextLines(result);
  SetExitStatus(EmitResult("address", text, o.output));
}

}  // namespace

void RegisterAddress(CLI::App& app) {
  auto options = std::make_shared<AddressOptions>();
  AddressOptions& o = *options;
  CLI::App* cmd = app.add_subcommand(
      "address",
      "Address calculator (\"Adressrechner\"): of start address, start number, end address and end number the "
      "sought one is computed from the other three (eight numbers per byte); invalid inputs are marked in the "
      "output");
  cmd->add_option("--start-address", o.state.fields[kStartAddress],
                  "\"Anfang / Adresse\": byte.bit, byte 0 to 32767, bit 0 to 7 (default: 0.0)");
  cmd->add_option("--start-number", o.state.fields[kStartNumber], "\"Anfang / Lfd. Nummer\": 0 to 32767 (default: 0)");
  cmd->add_option("--end-address", o.state.fields[kEndAddress],
                  "\"Ende / Adresse\": byte.bit, byte 0 to 32767, bit 0 to 7 (default: 0.0)");
  cmd->add_option("--end-number", o.state.fields[kEndNumber], "\"Ende / Lfd. Nummer\": 0 to 32767 (default: 0)");
  cmd->add_option("--sought", o.sought,
                  "The field marked \"X\", computed from the other three; its own text is what it showed before "
                  "and stays when the result is out of range (default: end-number)")
      ->check(CLI::IsMember({"start-address", "start-number", "end-address", "end-number"}));
  AddListingOutputOptions(*cmd, o.output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
