#include "cli/commands.h"

namespace brendax::cli {

void RegisterStepSimple(CLI::App& app) { app.add_subcommand("step-simple", "Simple step sequence (not yet built)"); }

}  // namespace brendax::cli
