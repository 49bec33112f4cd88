// Every benchmark program sets up the heap as the window program and the
// command line do at start-up, so that what it measures is what they run.
#include "core/heap_tuning.h"

namespace {

const bool kHeapTuned = [] {
  brendax::TuneHeapForLargeOutputs();
  return true;
}();

}  // namespace
