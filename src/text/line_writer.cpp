#include "text/line_writer.h"

namespace brendax {

std::string JoinPieces(std::initializer_list<LinePiece> pieces) {
  std::size_t size = 0;
  for (const auto& piece : pieces) size += piece.view().size();
  std::string line;
  line.reserve(size);
  for (const auto& piece : pieces) line.append(piece.view());
  return line;
}

}  // namespace brendax
