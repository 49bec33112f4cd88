// message-db: the message DB and UDT generator ("Melde-DB /-UDT").
#include <memory>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {
namespace {

struct MessageDbOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  OutputOptions output;
};

void Run(const MessageDbOptions& o) { SetExitStatus(EmitRecord(MessageDbFromOptions(*o.given), o.output)); }

}  // namespace

void RegisterMessageDb(CLI::App& app) {
  auto options = std::make_shared<MessageDbOptions>();
  CLI::App* cmd = app.add_subcommand(
      "message-db",
      "Message DB and UDT (\"Melde-DB /-UDT\"): numbered bit messages as a DB, or as a UDT with a DB of "
      "one instance (udt) or two, messages and acknowledgements (udt-ack)");
  AddFieldOptions(*cmd, MessageDbFields(), options->given);
  AddOutputOptions(*cmd, options->output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
