// The settings file: one 2756-byte record, read at start and written when
// the language is confirmed, a symbol template is saved, or the simple
// step-sequence option "pro Schritt ein Netzwerk" changes.
//
// The record is kept as its bytes; the accessors read and write the fields
// at their offsets (integers 32-bit little-endian, short strings a length
// byte and their characters). Bytes without a field of their own (reserved
// text tail, padding, unused area, template padding) are never touched, so
// they survive a load/save round trip unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brendax {

class SettingsRecord {
 public:
  static constexpr std::size_t kSize = 2756;
  static constexpr std::size_t kVersionOffset = 0;
  static constexpr std::size_t kReservedOffset = 4;  // short string, capacity 255
  static constexpr std::size_t kEnglishMnemonicsOffset = 260;
  static constexpr std::size_t kNationalLanguageOffset = 264;
  static constexpr std::size_t kTemplatesOffset = 268;
  static constexpr std::size_t kTemplateSize = 288;
  static constexpr int kTemplateCount = 8;
  static constexpr std::size_t kNetworkPerStepOffset = 2572;
  static constexpr std::int32_t kCurrentVersion = 2;

  // A new record: version 2, everything else zero.
  SettingsRecord();

  std::int32_t version() const { return ReadInt32(kVersionOffset); }
  void setVersion(std::int32_t v) { WriteInt32(kVersionOffset, v); }
  std::string reserved() const { return ReadShortString(kReservedOffset, 255); }
  void setReserved(std::string_view text) { WriteShortString(kReservedOffset, 255, text); }
  std::uint8_t englishMnemonics() const { return bytes_[kEnglishMnemonicsOffset]; }
  void setEnglishMnemonics(std::uint8_t v) { bytes_[kEnglishMnemonicsOffset] = v; }
  std::int32_t nationalLanguage() const { return ReadInt32(kNationalLanguageOffset); }
  void setNationalLanguage(std::int32_t v) { WriteInt32(kNationalLanguageOffset, v); }
  bool networkPerStep() const { return bytes_[kNetworkPerStepOffset] != 0; }
  void setNetworkPerStep(bool on) { bytes_[kNetworkPerStepOffset] = on ? 1 : 0; }

  // Offset of symbol template n (1..8) inside the record.
  static std::size_t TemplateOffset(int n) {
    return kTemplatesOffset + static_cast<std::size_t>(n - 1) * kTemplateSize;
  }

  // Field access at any offset, for the template records.
  std::int32_t ReadInt32(std::size_t offset) const;
  void WriteInt32(std::size_t offset, std::int32_t value);
  std::string ReadShortString(std::size_t offset, std::size_t capacity) const;
  // Writes the length byte and the text (cut to the capacity); the bytes
  // after the text stay as they are.
  void WriteShortString(std::size_t offset, std::size_t capacity, std::string_view text);

  const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }
  std::array<std::uint8_t, kSize>& bytes() { return bytes_; }

 private:
  std::array<std::uint8_t, kSize> bytes_{};
};

// Reads the record. A missing, unreadable or short file, a path that is not
// a regular file (read without waiting: a FIFO never blocks), or a record of
// another version, gives version 2 with an empty reserved text, German
// mnemonics and German captions; the templates and the step-sequence option
// keep what was read (all zero when nothing was). Never fails.
SettingsRecord LoadSettingsFile(const std::string& path);

// Writes the whole record atomically through the shared file writer
// (core/file_writer.h): a temporary file beside the target, flushed to disk,
// renamed over it. A path that is not a regular file is refused. On any
// failure the old file stays intact and false is returned.
bool SaveSettingsFile(const std::string& path, const SettingsRecord& record);

// The message shown when the settings file could not be written.
std::string SaveFailedMessage(const std::string& path);

}  // namespace brendax
