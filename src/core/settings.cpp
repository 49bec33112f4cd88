#include "core/settings.h"

#include <algorithm>

#include "core/file_writer.h"
#include "core/input_file.h"

namespace brendax {

SettingsRecord::SettingsRecord() { setVersion(kCurrentVersion); }

std::int32_t SettingsRecord::ReadInt32(std::size_t offset) const {
  const std::uint32_t v =
      static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
      static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
  return static_cast<std::int32_t>(v);
}

void SettingsRecord::WriteInt32(std::size_t offset, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string SettingsRecord::ReadShortString(std::size_t offset, std::size_t capacity) const {
  std::size_t length = bytes_[offset];
  if (length > capacity) length = capacity;
  return std::string(reinterpret_cast<const char*>(&bytes_[offset + 1]), length);
}

void SettingsRecord::WriteShortString(std::size_t offset, std::size_t capacity, std::string_view text) {
  if (text.size() > capacity) text = text.substr(0, capacity);
  bytes_[offset] = static_cast<std::uint8_t>(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) bytes_[offset + 1 + i] = static_cast<std::uint8_t>(text[i]);
}

namespace {

// Reads up to the record's size from the file when it is a regular file
// (core/input_file.h: a FIFO or device is never waited for).
std::size_t ReadRecordBytes(const std::string& path, std::array<std::uint8_t, SettingsRecord::kSize>& bytes) {
  InputFile file(path);
  std::string read;
  if (!file.opened() || !file.ReadFromStart(bytes.size(), read)) return 0;
  const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), bytes.size()));
  std::copy_n(read.begin(), length, bytes.begin());
  return length;
}

}  // namespace

SettingsRecord LoadSettingsFile(const std::string& path) {
  SettingsRecord record;
  auto& bytes = record.bytes();
  bytes.fill(0);
  const bool ok = ReadRecordBytes(path, bytes) == bytes.size();
  if (!ok || record.version() != SettingsRecord::kCurrentVersion) {
    record.setVersion(SettingsRecord::kCurrentVersion);
    record.setReserved("");
    record.setEnglishMnemonics(0);
    record.setNationalLanguage(0);
  }
  return record;
}

bool SaveSettingsFile(const std::string& path, const SettingsRecord& record) {
  const auto& bytes = record.bytes();
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteFileAtomically(path, data, NonRegularTarget::kRefuse).ok;
}

std::string SaveFailedMessage(const std::string& path) {
  return "Beim speichern der Datei\r\n" + path + "\r\nist ein Fehler aufgetreten !!";
}

}  // namespace brendax
