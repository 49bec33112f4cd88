#include "app/settings_path_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <string_view>

#include "text/cp1252.h"

#ifndef _WIN32
namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF; }

}  // namespace
#endif

QString DecodeFileName(const QByteArray& bytes) {
#ifdef _WIN32
  return QFile::decodeName(bytes);
#else
  const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  QString name;
  std::size_t runStart = 0;
  std::size_t pos = 0;
  const auto flushRun = [&] {
    name += QString::fromUtf8(text.data() + runStart, static_cast<qsizetype>(pos - runStart));
  };
  while (pos < text.size()) {
    const brendax::Utf8Unit unit = brendax::NextUtf8Unit(text, pos);
    if (unit.valid) {
      pos += unit.length;
      continue;
    }
    flushRun();
    for (std::size_t i = 0; i < unit.length; ++i) {
      name += QChar(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(text[pos + i])));
    }
    pos += unit.length;
    runStart = pos;
  }
  flushRun();
  return name;
#endif
}

QByteArray EncodeFileName(const QString& name) {
#ifdef _WIN32
  return QFile::encodeName(name);
#else
  QByteArray bytes;
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t unit = name.at(i).unicode();
    const bool afterHighSurrogate = i > 0 && name.at(i - 1).isHighSurrogate();
    if (!IsEscapedByte(unit) || afterHighSurrogate) continue;
    bytes += name.mid(runStart, i - runStart).toUtf8();
    bytes += static_cast<char>(unit - kEscapedByteBase);
    runStart = i + 1;
  }
  bytes += name.mid(runStart).toUtf8();
  return bytes;
#endif
}

QStringList SystemPrefixes() {
#ifdef _WIN32
  QStringList prefixes;
  for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
    const QString folder = qEnvironmentVariable(name);
    if (!folder.isEmpty()) prefixes << folder;
  }
  return prefixes;
#else
  return {QStringLiteral("/usr"), QStringLiteral("/usr/local"), QStringLiteral("/opt")};
#endif
}

namespace {

// True when the folder is one of the prefixes or lies below one.
bool UnderSystemPrefix(const QString& folder, const QStringList& prefixes) {
#ifdef _WIN32
  constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
  constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
  const QString path = QDir::cleanPath(folder);
  for (const QString& prefix : prefixes) {
    const QString root = QDir::cleanPath(prefix);
    if (root.isEmpty()) continue;
    if (path.compare(root, kCase) == 0) return true;
    if (path.startsWith(root.endsWith('/') ? root : root + '/', kCase)) return true;
  }
  return false;
}

}  // namespace

QString SettingsPathFor(const QString& envValue, const QString& programFile, const QString& configFolder,
                        const QStringList& systemPrefixes) {
  if (!envValue.isEmpty()) return envValue;
  if (!programFile.isEmpty()) {
    const QFileInfo program(programFile);
    const QString folder = program.absolutePath();
    const QString besideProgram = folder + "/" + program.completeBaseName() + ".set";
    // A file that is already there makes a portable installation; an
    // installed program (even one run by the administrator, who may write
    // its folder) keeps its settings with the user.
    if (QFileInfo::exists(besideProgram)) return besideProgram;
    if (!UnderSystemPrefix(folder, systemPrefixes) && QFileInfo(folder).isWritable()) return besideProgram;
  }
  QDir().mkpath(configFolder);
  return configFolder + "/brendax.set";
}

QString ResolveSettingsPath() {
#ifdef _WIN32
  const QString fromEnvironment = qEnvironmentVariable("BRENDAX_SETTINGS");
#else
  const QString fromEnvironment = DecodeFileName(qgetenv("BRENDAX_SETTINGS"));
#endif
  return SettingsPathFor(fromEnvironment, QCoreApplication::applicationFilePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}
