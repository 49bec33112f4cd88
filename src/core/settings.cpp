#include "core/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace brendax {

SettingsRecord::SettingsRecord() { setVersion(kCurrentVersion); }

std::int32_t SettingsRecord::ReadInt32(std::size_t offset) const {
  const std::uint32_t v = static_cast<std::uint32_t>(bytes_[offset]) |
                          static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
                          static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
                          static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
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

SettingsRecord LoadSettingsFile(const std::string& path) {
  SettingsRecord record;
  auto& bytes = record.bytes();
  bytes.fill(0);
  bool ok = false;
  if (std::ifstream in{path, std::ios::binary}) {
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ok = in.gcount() == static_cast<std::streamsize>(bytes.size());
  }
  if (!ok || record.version() != SettingsRecord::kCurrentVersion) {
    record.setVersion(SettingsRecord::kCurrentVersion);
    record.setReserved("");
    record.setEnglishMnemonics(0);
    record.setNationalLanguage(0);
  }
  return record;
}

bool SaveSettingsFile(const std::string& path, const SettingsRecord& record) {
  const std::string temp = path + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const auto& bytes = record.bytes();
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) ok = false;
    else written += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

std::string SaveFailedMessage(const std::string& path) {
  return "Beim speichern der Datei\r\n" + path + "\r\nist ein Fehler aufgetreten !!";
}

}  // namespace brendax
