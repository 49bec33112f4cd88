// What the two step-sequence generators share.
#pragma once

#include <string_view>

namespace brendax {

// True when the text cannot name a block in the generated source: empty,
// longer than a symbol may be (24 characters), or holding a double quote,
// which would end the quoted name early.
bool InvalidBlockName(std::string_view name);

}  // namespace brendax
