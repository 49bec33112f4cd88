#include "stepseq/step_common.h"

#include "text/text_routines.h"

namespace brendax {

bool InvalidBlockName(std::string_view name) {
  return name.empty() || SymbolTooLong(name) || name.find('"') != std::string_view::npos;
}

}  // namespace brendax
