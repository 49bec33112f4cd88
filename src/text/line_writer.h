// Builds generated lines from pieces: each line is reserved once at its
// full length and appended piece by piece, without temporary strings.
#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace brendax {

// One piece of a line: a text, or an integer written in decimal.
class LinePiece {
 public:
  LinePiece(const char* text) : view_(text) {}         // NOLINT: implicit by design
  LinePiece(const std::string& text) : view_(text) {}  // NOLINT
  LinePiece(std::string_view text) : view_(text) {}    // NOLINT
  template <std::integral Number>
  requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) LinePiece(Number number) {  // NOLINT
    const auto end = std::to_chars(digits_, digits_ + sizeof digits_, number).ptr;
    view_ = std::string_view(digits_, static_cast<std::size_t>(end - digits_));
  }
  LinePiece(const LinePiece&) = delete;
  LinePiece& operator=(const LinePiece&) = delete;

  std::string_view view() const { return view_; }

 private:
  char digits_[24] = {};
  std::string_view view_;
};

// The pieces joined into one string with a single allocation.
std::string JoinPieces(std::initializer_list<LinePiece> pieces);

// Appends lines to a list.
class LineWriter {
 public:
  explicit LineWriter(std::vector<std::string>& lines) : lines_(lines) {}

  // One line made of the pieces.
  template <class... Pieces>
  void Line(const Pieces&... pieces) {
    lines_.push_back(JoinPieces({LinePiece(pieces)...}));
  }
  // An instruction: six blanks, the mnemonic unpadded, then the pieces.
  template <class... Pieces>
  void Instruction(std::string_view mnemonic, const Pieces&... pieces) {
    lines_.push_back(JoinPieces({LinePiece("      "), LinePiece(mnemonic), LinePiece(pieces)...}));
  }
  // Several fixed lines in order.
  void Fixed(std::initializer_list<std::string_view> lines) {
    for (const auto line : lines) lines_.emplace_back(line);
  }
  void Empty(int times = 1) {
    for (int i = 0; i < times; ++i) lines_.emplace_back();
  }
  void Reserve(std::size_t moreLines) { lines_.reserve(lines_.size() + moreLines); }

  std::vector<std::string>& lines() { return lines_; }

 private:
  std::vector<std::string>& lines_;
};

}  // namespace brendax
