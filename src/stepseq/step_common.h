// What the two step-sequence generators share: the block-name rule and the
// error texts that both use.
#pragma once

#include <span>
#include <string_view>

#include "core/generator_result.h"

namespace brendax {

// True when the text cannot name a block in the generated source: empty,
// longer than a symbol may be (24 characters), or holding a double quote,
// which would end the quoted name early.
bool InvalidBlockName(std::string_view name);

// One row of an error table: the codes from `firstCode` to `lastCode` show
// `text` (Windows-1252).
struct ErrorText {
  int firstCode;
  int lastCode;
  const char* text;
};

// A refused run: the code and its text, looked up in the generator's own
// table first and then in the texts both step sequences share.
GeneratorResult StepFailure(int code, std::span<const ErrorText> ownTexts = {});

}  // namespace brendax
