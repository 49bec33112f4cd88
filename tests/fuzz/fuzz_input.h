// What every fuzz target shares: splitting the input bytes into choices and
// field texts, and the properties that every generator result must have.
//
// Layout of an input: the first bytes are the choice bytes (check states,
// list indexes, small numbers), as many as the target asks for; the rest
// is a list of field texts separated by kFieldSeparator. Missing bytes read
// as 0, missing fields as the empty text, so every input is usable.
//
// Plain C++: the same sources build as libFuzzer targets and, with
// regression_main.cpp, as ordinary programs that replay the kept inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/field_table.h"
#include "core/generator_result.h"

namespace brendax::fuzz {

inline constexpr char kFieldSeparator = '\x1E';

// Stops the run with a message; libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "fuzz property violated: %s", what);
  if (!detail.empty()) std::fprintf(stderr, " [%.*s]", static_cast<int>(detail.size()), detail.data());
  std::fprintf(stderr, "\n");
  std::abort();
}

inline void Check(bool condition, const char* what, std::string_view detail = {}) {
  if (!condition) Fail(what, detail);
}

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size, std::size_t choiceBytes)
      : choices_(reinterpret_cast<const char*>(data), size < choiceBytes ? size : choiceBytes),
        fields_(reinterpret_cast<const char*>(data) + choices_.size(), size - choices_.size()) {}

  // The next choice byte (0 once they are used up).
  std::uint8_t Byte() {
    if (choiceAt_ >= choices_.size()) return 0;
    return static_cast<std::uint8_t>(choices_[choiceAt_++]);
  }
  bool Flag() { return (Byte() & 1) != 0; }
  // An index 0..count-1.
  int Choice(std::size_t count) { return count == 0 ? 0 : static_cast<int>(Byte() % count); }

  // True while fields are left (an input without field bytes has one, empty).
  bool HasField() const { return fieldAt_ <= fields_.size(); }
  // The next field text, as raw bytes.
  std::string Field() {
    if (fieldAt_ > fields_.size()) return {};
    const std::size_t end = fields_.find(kFieldSeparator, fieldAt_);
    const std::size_t stop = end == std::string_view::npos ? fields_.size() : end;
    std::string text(fields_.substr(fieldAt_, stop - fieldAt_));
    fieldAt_ = stop + 1;
    return text;
  }
  static std::string WithoutBytes(std::string text, std::string_view dropped) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
      if (dropped.find(c) == std::string_view::npos) kept.push_back(c);
    return kept;
  }

 private:
  std::string_view choices_;
  std::string_view fields_;
  std::size_t choiceAt_ = 0;
  std::size_t fieldAt_ = 0;
};

// A record filled from the input through the generator's field table: text
// fields in table order, every byte as it came (a caller of the core, the
// command line or a job file can hand over any byte, control characters
// included), then one choice byte per check box and list.
template <class Params>
Params FillRecord(const FieldTable<Params>& table, FuzzInput& input, Params record = Params{}) {
  for (const auto& field : table) {
    switch (field.kind) {
      case FieldKind::kText: record.*(field.text) = input.Field(); break;
      case FieldKind::kCheck: record.*(field.check) = input.Flag(); break;
      case FieldKind::kChoice:
        record.*(field.choice) = input.Choice(field.choices.empty() ? 1 : field.choices.size());
        break;
    }
  }
  return record;
}

// The input that FillRecord reads back as the given record, after the
// leading choice bytes: for seeding the corpora from known records.
template <class Params>
std::string EncodeRecord(const FieldTable<Params>& table, const Params& record, std::string leadingChoices = {},
                         std::string_view trailingChoices = {}) {
  std::string choices = std::move(leadingChoices);
  std::string fields;
  bool firstText = true;
  for (const auto& field : table) {
    switch (field.kind) {
      case FieldKind::kText:
        if (!firstText) fields.push_back(kFieldSeparator);
        firstText = false;
        fields += record.*(field.text);
        break;
      case FieldKind::kCheck: choices.push_back(record.*(field.check) ? '\1' : '\0'); break;
      case FieldKind::kChoice: choices.push_back(static_cast<char>(record.*(field.choice))); break;
    }
  }
  return choices.append(trailingChoices) + fields;
}

template <class Params>
std::size_t ChoiceCount(const FieldTable<Params>& table) {
  std::size_t count = 0;
  for (const auto& field : table) count += field.kind != FieldKind::kText ? 1 : 0;
  return count;
}

// One output line: no NUL and no line break inside.
inline void CheckLine(std::string_view line, const char* what) {
  for (char c : line) {
    if (c == '\0' || c == '\r' || c == '\n') Fail(what, line);
  }
}

// One cell of a symbol row: a clean line without the TAB that separates cells.
inline void CheckCell(std::string_view cell, const char* what) {
  CheckLine(cell, what);
  if (cell.find('\t') != std::string_view::npos) Fail(what, cell);
}

// A run either is refused with a code and its message (the one style that
// shows the bare code excepted) and produces nothing, or produces lines and
// symbol rows that are all clean one-line texts.
inline void CheckGeneratorResult(const GeneratorResult& result) {
  if (!result.ok()) {
    Check(result.boxStyle == ErrorBoxStyle::kFehlerCode || !result.errorMessage.empty(),
          "a refused run names its reason", std::to_string(result.errorCode));
    Check(result.lines.empty(), "a refused run produces no lines", std::to_string(result.errorCode));
    CheckLine(ErrorBoxText(result), "message box text");
    return;
  }
  Check(result.errorMessage.empty(), "a successful run has no error message", result.errorMessage);
  for (const auto& line : result.lines) CheckLine(line, "output line");
  for (const auto& row : result.symbols) {
    CheckCell(row.symbol, "symbol");
    CheckCell(row.address, "symbol address");
    CheckCell(row.type, "symbol type");
    CheckCell(row.comment, "symbol comment");
  }
  for (const auto& notice : result.notices) Check(notice.find('\0') == std::string::npos, "notice without NUL");
}

// The same record run twice gives the same result, byte for byte.
inline void CheckSameResult(const GeneratorResult& first, const GeneratorResult& second) {
  Check(first.errorCode == second.errorCode && first.errorMessage == second.errorMessage &&
            first.boxStyle == second.boxStyle && first.lines == second.lines && first.symbols == second.symbols &&
            first.notices == second.notices,
        "the same input gives the same result");
}

// Runs a generator twice and checks both properties.
template <class Generate>
void RunTwiceAndCheck(Generate generate) {
  const GeneratorResult first = generate();
  CheckGeneratorResult(first);
  CheckSameResult(first, generate());
}

}  // namespace brendax::fuzz
