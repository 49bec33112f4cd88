#include "cli/commands.h"

namespace brendax::cli {

void RegisterStepExtended(CLI::App& app) {
  app.add_subcommand("step-extended", "Extended step sequence (not yet built)");
}

}  // namespace brendax::cli
