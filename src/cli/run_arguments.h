// The command line of one generator run given as options by their long
// names (a batch job's run, or the options object of the WebAssembly
// module): the arguments as they would be typed after the program name.
#pragma once

#include <string>
#include <vector>

#include "project/job.h"

namespace brendax::cli {

// "--name=value" for every value, so that values beginning with "-" stay
// values, and an empty value as an argument of its own; db-image's "file"
// after "--". `mnemonics` empty: no --mnemonics.
std::vector<std::string> RunArguments(const JobRun& run, const std::string& mnemonics);

}  // namespace brendax::cli
