// The step data block: parallel arrays indexed by step number 0 .. M. The
// BOOL arrays come first and each fills whole double words, so the
// function's initialisation can clear them as one run of double words.
#include <string>
#include <vector>

#include "stepseq/extended_step.h"

namespace brendax {

void AppendStepDataBlock(std::vector<std::string>& lines, const ExtendedStepValues& values) {
  const std::string bounds = " : ARRAY  [0 .. " + std::to_string(values.M) + " ] OF ";
  auto element = [&](const char* name, const char* type) {
    lines.push_back(std::string("   ") + name + bounds + type + " ;");
  };
  lines.push_back("DATA_BLOCK \"" + values.dbName + "\"");
  lines.push_back("TITLE =");
  lines.push_back("VERSION : 0.1");
  lines.push_back("  STRUCT");
  element("Step", "BOOL");
  element("Transition", "BOOL");
  if (values.backward) element("TransitionBac", "BOOL");
  if (values.timers) {
    element("SchrittTimerFLMerker", "BOOL");
    element("SchrittTimerQ", "BOOL");
    element("SchrittTimerStartWert", "TIME");
  }
  lines.push_back("  END_STRUCT ;");
  lines.push_back("BEGIN");
  lines.push_back("END_DATA_BLOCK");
  lines.push_back("");
}

}  // namespace brendax
