// The step timer function that the extended step sequence calls per step.
#include "stepseq/extended_step.h"

namespace brendax {

void AppendStepTimerFunction(std::vector<std::string>& /*lines*/, const ExtendedStepValues& /*values*/,
                             const MnemonicSet& /*mnemonics*/) {}

}  // namespace brendax
