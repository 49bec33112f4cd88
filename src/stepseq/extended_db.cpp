// The step data block: parallel arrays indexed by step number 0 .. highest.
// The BOOL arrays come first and each fills whole double words, so the
// function's initialisation can clear them as one run of double words.
#include "stepseq/extended_step.h"
#include "text/line_writer.h"

namespace brendax {

void AppendStepDataBlock(std::vector<std::string>& lines, const ExtendedStepValues& values) {
  const ExtendedStepParams& params = *values.params;
  LineWriter out(lines);
  auto element = [&](const char* name, const char* type) {
    out.Line("   ", name, " : ARRAY  [0 .. ", values.highestStep, " ] OF ", type, " ;");
  };
  out.Line("DATA_BLOCK \"", params.dbName, "\"");
  out.Fixed({"TITLE =", "VERSION : 0.1", "  STRUCT"});
  element("Step", "BOOL");
  element("Transition", "BOOL");
  if (params.backward) element("TransitionBac", "BOOL");
  if (params.timers) {
    element("SchrittTimerFLMerker", "BOOL");
    element("SchrittTimerQ", "BOOL");
    element("SchrittTimerStartWert", "TIME");
  }
  out.Fixed({"  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK", ""});
}

}  // namespace brendax
