// The step-sequence function of the extended step sequence.
#include "stepseq/extended_step.h"

namespace brendax {

void AppendStepSequenceFunction(std::vector<std::string>& /*lines*/, const ExtendedStepValues& /*values*/,
                                const MnemonicSet& /*mnemonics*/) {}

}  // namespace brendax
