// The schema subcommand: the forms name every option each subcommand takes,
// the job schema takes every golden case's options, and each example's
// options give the example's golden output.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "project/job.h"
#include "support/golden_cases.h"
#include "support/run_cli.h"
#include "support/text_search.h"

namespace brendax::testing {
namespace {

using Json = nlohmann::json;

Json Printed(const std::vector<std::string>& args) {
  const CliRun run = RunCli(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return Json::parse(run.out);
}

const Json& FormSchema() {
  static const Json schema = Printed({"schema"});
  return schema;
}
const Json& JobSchema() {
  static const Json schema = Printed({"schema", "--job"});
  return schema;
}

const Json* Generator(const std::string& subcommand) {
  for (const Json& g : FormSchema()["generators"])
    if (g["subcommand"] == subcommand) return &g;
  return nullptr;
}

// The options a subcommand takes, as the form names them.
std::set<std::string> AcceptedOptions(const CLI::App& command) {
  std::set<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    if (option == command.get_help_ptr()) continue;
    const std::string name = option->get_positional() ? "file" : option->get_lnames().front();
    if (!IsOutputOption(name)) names.insert(name);
  }
  return names;
}

TEST(SchemaTest, EveryToolsOptionIsAFieldAndEveryJobOptionIsInTheJobSchema) {
  CLI::App app;
  cli::RegisterCommands(app);
  int generators = 0;
  for (const CLI::App* command : app.get_subcommands({})) {
    const std::string name = command->get_name();
    if (name == "templates" || name == "batch" || name == "schema") continue;
    const Json* generator = Generator(name);
    ASSERT_NE(generator, nullptr) << name;
    std::set<std::string> fields;
    for (const Json& field : (*generator)["fields"]) {
      fields.insert(field["option"].get<std::string>());
      if (field["kind"] == "choice") {
        EXPECT_FALSE(field["items"].empty()) << name << " " << field["option"];
      }
    }
    EXPECT_EQ(fields, AcceptedOptions(*command)) << name;
    if (!GeneratesNoBlocks(name)) {
      std::set<std::string> jobOptions;
      for (const auto& [option, value] : JobSchema()["$defs"][name]["properties"].items()) jobOptions.insert(option);
      EXPECT_EQ(jobOptions, AcceptedOptions(*command)) << name;
    }
    ++generators;
  }
  EXPECT_EQ(generators, 9);
}

// What the job schema says of one value: accepted, or why not.
std::string ValueFault(const Json& property, const std::string& value, bool repeated) {
  const Json* one = &property;
  if (property.contains("anyOf")) {
    one = &property["anyOf"][0];
  } else if (repeated) {
    return "given twice, but takes one value";
  }
  if (one->contains("enum")) {
    for (const Json& choice : (*one)["enum"])
      if (choice == value) return {};
    return value + " is not one of " + (*one)["enum"].dump();
  }
  return (*one)["type"] == "string" ? std::string() : "no text";
}

TEST(SchemaTest, JobSchemaTakesTheOptionsOfEveryGoldenCase) {
  int checked = 0;
  for (const GoldenCase& c : LoadGoldenCases()) {
    std::vector<std::string> words{c.file};
    words.insert(words.end(), c.args.begin(), c.args.end());
    const Json& defs = JobSchema()["$defs"];
    if (words.size() < 2 || !defs.contains(words[1])) continue;
    const Json& properties = defs[words[1]]["properties"];
    std::set<std::string> seen;
    for (std::size_t i = 2; i + 1 < words.size(); i += 2) {
      const std::string option = words[i].substr(2);
      if (option == "mnemonics") continue;  // the job's, not the run's
      ASSERT_TRUE(properties.contains(option)) << words[0] << ": --" << option;
      EXPECT_EQ(ValueFault(properties[option], words[i + 1], !seen.insert(option).second), "")
          << words[0] << ": --" << option;
    }
    ++checked;
  }
  EXPECT_GT(checked, 30);
}

TEST(SchemaTest, EveryExampleGivesTheExamplesGoldenOutput) {
  const struct {
    const char* subcommand;
    const char* caption;
    const char* golden;
  } cases[] = {
      {"step-extended", "Beispiel 1", "stepseq/extended_example1_de.awl"},
      {"step-extended", "Beispiel 2", "stepseq/extended_example2_de.awl"},
      {"symbols", "Beispiel Interface", "symbols/example_interface_de.txt"},
      {"symbols", "Beispiel Zylinder", "symbols/example_cylinder_de.txt"},
      {"symbols", "Beispiel Programmnummer", "symbols/example_program_number_de.txt"},
  };
  for (const auto& c : cases) {
    const Json* generator = Generator(c.subcommand);
    ASSERT_NE(generator, nullptr);
    const Json* options = nullptr;
    for (const Json& example : (*generator)["examples"])
      if (example["caption"] == c.caption) options = &example["options"];
    ASSERT_NE(options, nullptr) << c.caption;
    // Started from another example, so that only the options make the output.
    std::vector<std::string> args{c.subcommand, "--example", c.subcommand == std::string("symbols") ? "cylinder" : "2"};
    if (c.caption == std::string("Beispiel Zylinder")) args.back() = "interface";
    if (c.caption == std::string("Beispiel 2")) args.back() = "1";
    for (const auto& [option, value] : options->items()) args.push_back("--" + option + "=" + value.get<std::string>());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0) << c.caption << ": " << run.err;
    EXPECT_EQ(run.out, ReadGolden(c.golden)) << c.caption;
  }
}

}  // namespace
}  // namespace brendax::testing
