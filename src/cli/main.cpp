// brendax-cli: the generators of the window for scripts and batch use.
#include <CLI/CLI.hpp>
#include <iostream>

#include "core/version.h"
#include "cli/commands.h"
#include "cli/output.h"

int main(int argc, char** argv) {
  CLI::App app{"Brendax command line: generates STL sources and symbol rows for S7 PLCs"};
  app.set_version_flag("--version", std::string(brendax::kVersionLine));
  app.require_subcommand(0, 1);
  brendax::cli::RegisterStepSimple(app);
  brendax::cli::RegisterStepExtended(app);
  brendax::cli::RegisterPointer(app);
  brendax::cli::RegisterAddress(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return brendax::cli::kExitUsageError;
  }
  if (app.get_subcommands().empty()) {
    std::cout << app.help();
    return 0;
  }
  return brendax::cli::ExitStatus();
}
