#pragma once

namespace brendax {

// The version line shown in the Info dialog, printed by the command line and
// written into the banner of every generated function.
inline constexpr const char* kVersionLine = "Brendax Ver.: 03.09";

}  // namespace brendax
