#include "app/settings_path_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SettingsPathFor(const QString& envValue, const QString& programFile, const QString& configFolder) {
  if (!envValue.isEmpty()) return envValue;
  if (!programFile.isEmpty()) {
    const QFileInfo program(programFile);
    const QString besideProgram = program.absolutePath() + "/" + program.completeBaseName() + ".set";
    if (QFileInfo::exists(besideProgram) || QFileInfo(program.absolutePath()).isWritable()) return besideProgram;
  }
  QDir().mkpath(configFolder);
  return configFolder + "/brendax.set";
}

QString ResolveSettingsPath() {
  return SettingsPathFor(qEnvironmentVariable("BRENDAX_SETTINGS"), QCoreApplication::applicationFilePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}
