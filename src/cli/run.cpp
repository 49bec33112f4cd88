// The command line as a function: parses the arguments, runs the subcommand
// and returns the exit status.
#include "cli/run.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/version.h"

namespace {

constexpr const char* kExitStatusHelp =
    "Exit status: 0 generated; 1 the input was refused (the message box text goes to standard error); "
    "2 wrong usage; 3 an output could not be written, to a file or to standard output (the reason goes to "
    "standard error).\n"
    "Option values may be given as --name VALUE or --name=VALUE; --name= is the empty text, and values "
    "beginning with \"-\" need the = form (--first-step=-5).";

// The option an argument names, looked up where the parser will look: in
// the command given last and, failing that, in the commands above it.
const CLI::Option* FindLongOption(const CLI::App* command, const std::string& name) {
  for (; command != nullptr; command = command->get_parent()) {
    if (const CLI::Option* option = command->get_option_no_throw(name)) return option;
  }
  return nullptr;
}

// The parser reads "--name=" as "--name" without a value and takes the next
// argument instead. Split such an argument into "--name" and an empty
// argument, which the parser reads as the empty text and which can never be
// taken for an option. Flags ("--json=") are left as they are, and so is
// everything after "--".
std::vector<std::string> SplitEmptyValues(const CLI::App& app, int argc, char** argv) {
  std::vector<std::string> args;
  args.reserve(static_cast<std::size_t>(argc) + 4);
  const CLI::App* command = &app;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg == "--") {
      optionsEnded = true;
      args.push_back(arg);
      continue;
    }
    if (arg.size() > 3 && arg.compare(0, 2, "--") == 0 && arg.back() == '=' && arg.find('=') == arg.size() - 1) {
      const std::string name = arg.substr(0, arg.size() - 1);
      const CLI::Option* option = FindLongOption(command, name);
      if (option != nullptr && option->get_items_expected_max() > 0) {
        args.push_back(name);
        args.emplace_back();
        continue;
      }
    } else if (arg.compare(0, 1, "-") != 0) {
      for (const CLI::App* sub : command->get_subcommands({})) {
        if (sub->check_name(arg)) {
          command = sub;
          break;
        }
      }
    }
    args.push_back(arg);
  }
  return args;
}

// The options every generator subcommand shares (cli/output.h), listed
// once for the overview, with the subcommands that take them.
std::string CommonOptionsHelp(const CLI::App& app) {
  CLI::App common;
  brendax::cli::OutputOptions unused;
  brendax::cli::AddOutputOptions(common, unused);
  std::vector<CLI::Option*> options = common.get_options();
  options.erase(std::remove(options.begin(), options.end(), common.get_help_ptr()), options.end());
  std::string takers;
  for (const CLI::App* sub : app.get_subcommands({})) {
    const bool takesAll = std::all_of(options.begin(), options.end(), [&](const CLI::Option* option) {
      return sub->get_option_no_throw(option->get_name()) != nullptr;
    });
    if (takesAll) takers += (takers.empty() ? "" : ", ") + sub->get_name();
  }
  std::string text = "Common options of the generators (" + takers + "):\n";
  const CLI::Formatter formatter;
  for (const CLI::Option* option : options) {
    text += formatter.make_option(option, false);
  }
  return text;
}

// What a parse error or a call for help or the version prints: the text
// for standard output goes through WriteStandardOutput, so that a failed
// write is reported with its reason.
int Exit(CLI::App& app, const CLI::ParseError& error, int status) {
  std::ostringstream out;
  const int exitCode = app.exit(error, out);
  if (!out.str().empty() && !brendax::cli::WriteStandardOutput(out.str())) return brendax::cli::kExitWriteFailure;
  return status < 0 ? exitCode : status;
}

}  // namespace

namespace brendax::cli {

void RegisterCommands(CLI::App& app) {
  RegisterStepSimple(app);
  RegisterStepExtended(app);
  RegisterSymbols(app);
  RegisterTemplates(app);
  RegisterDb(app);
  RegisterMessageDb(app);
  RegisterTargetActualDb(app);
  RegisterDbImage(app);
  RegisterPointer(app);
  RegisterAddress(app);
  RegisterBatch(app);
  RegisterSchema(app);
}

}  // namespace brendax::cli

int RunCommandLine(int argc, char** argv) {
  brendax::cli::SetExitStatus(brendax::cli::kExitGenerated);
  CLI::App app{"Brendax command line: generates STL sources and symbol rows for S7 PLCs"};
  app.set_version_flag("--version", std::string(brendax::kVersionLine));
  app.footer(kExitStatusHelp);  // inherited by the subcommands
  // Options are "--name" and "-o" only, on Windows too: an argument such as
  // "/daten/auftrag.json" is a path, not a Windows-style option.
  app.allow_windows_style_options(false);
  app.require_subcommand(0, 1);
  brendax::cli::RegisterCommands(app);
  // The overview also lists the common options.
  app.footer(CommonOptionsHelp(app) + "\n" + kExitStatusHelp);
  // Every subcommand is known before the "--name=" forms are split.
  if (argc > 0) app.name(argv[0]);
  std::vector<std::string> args = SplitEmptyValues(app, argc, argv);
  std::reverse(args.begin(), args.end());  // the parser takes its arguments last first
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp& e) {
    return Exit(app, e, -1);
  } catch (const CLI::CallForAllHelp& e) {
    return Exit(app, e, -1);
  } catch (const CLI::CallForVersion& e) {
    return Exit(app, e, -1);
  } catch (const CLI::ParseError& e) {
    return Exit(app, e, brendax::cli::kExitUsageError);
  }
  if (app.get_subcommands().empty()) {
    return brendax::cli::WriteStandardOutput(app.help()) ? brendax::cli::kExitGenerated
                                                         : brendax::cli::kExitWriteFailure;
  }
  return brendax::cli::ExitStatus();
}
