#include "ui/help_document_ui.h"

#include <QDir>
#include <QFileInfo>

QStringList HelpDocumentFolders(const QString& programDir, const QString& workDir) {
  QStringList folders;
  const auto add = [&folders](const QString& folder) {
    if (folder.isEmpty()) return;
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folders.contains(clean)) folders << clean;
  };
  add(programDir);
  if (!programDir.isEmpty()) add(QDir(programDir).filePath(QStringLiteral("../share/brendax")));
  add(workDir);
  return folders;
}

QString FindHelpDocument(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    const QFileInfo candidate(QDir(folder).filePath(name));
    if (candidate.isFile()) return candidate.absoluteFilePath();
  }
  return {};
}

QString HelpDocumentMissingText(const QString& name, const QStringList& folders) {
  QString text = QStringLiteral("Das Handbuch \"%1\" wurde nicht gefunden.\r\rGesucht in:").arg(name);
  for (const QString& folder : folders) text += QStringLiteral("\r") + QDir::toNativeSeparators(folder);
  return text;
}

QString HelpDocumentNotOpenedText(const QString& path) {
  return QStringLiteral(
             "Das Handbuch \"%1\" konnte nicht ge\u00F6ffnet werden.\r\r"
             "Ist ein Programm zum Anzeigen von PDF-Dateien installiert?")
      .arg(QDir::toNativeSeparators(path));
}
