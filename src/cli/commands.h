// One subcommand per generator; each file registers its own.
#pragma once

#include <CLI/CLI.hpp>

namespace brendax::cli {

void RegisterStepSimple(CLI::App& app);
void RegisterStepExtended(CLI::App& app);
void RegisterSymbols(CLI::App& app);
void RegisterTemplates(CLI::App& app);
void RegisterDb(CLI::App& app);
void RegisterMessageDb(CLI::App& app);
void RegisterTargetActualDb(CLI::App& app);
void RegisterDbImage(CLI::App& app);
void RegisterPointer(CLI::App& app);
void RegisterAddress(CLI::App& app);
void RegisterBatch(CLI::App& app);
void RegisterSchema(CLI::App& app);

// Every subcommand above, in the order the overview lists them.
void RegisterCommands(CLI::App& app);

}  // namespace brendax::cli
