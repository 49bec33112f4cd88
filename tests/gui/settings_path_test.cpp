// The settings path taken from the environment names exactly the file the
// bytes name, also when they are not UTF-8; an installed program keeps its
// settings with the user.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings_path_ui.h"
#include "core/settings.h"

class SettingsPathTest : public QObject {
  Q_OBJECT

 private slots:
  void fileNameBytesSurviveTheRoundTrip() {
    const QByteArray names[] = {
        "brendax.set",   "caf\xC3\xA9.set",  "caf\xE9.set",       QByteArray("\xC0\x80", 2),
        "a\xED\xA0\x80", "\xF0\x9F\x98\x80", "x\xF0\x9F\x98.set", "",
    };
    for (const QByteArray& bytes : names) {
      QCOMPARE(EncodeFileName(DecodeFileName(bytes)), bytes);
    }
    // Well-formed names read as Qt reads them.
    QCOMPARE(DecodeFileName("caf\xC3\xA9.set"), QFile::decodeName("caf\xC3\xA9.set"));
    QCOMPARE(DecodeFileName("caf\xE9.set").size(), qsizetype(8));
  }

  void environmentBytesNameTheFileUsed() {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + "/caf\xE9.set";
    brendax::SettingsRecord record;
    record.setNationalLanguage(1);
    QVERIFY(brendax::SaveSettingsFile(path.toStdString(), record));
    qputenv("BRENDAX_SETTINGS", path);
    const QString resolved = ResolveSettingsPath();
    qunsetenv("BRENDAX_SETTINGS");
    QCOMPARE(EncodeFileName(resolved), path);
    QCOMPARE(brendax::LoadSettingsFile(EncodeFileName(resolved).toStdString()).nationalLanguage(), 1);
  }

  // Beside the program only for a portable installation (the file is there)
  // or a program outside the system prefixes; an installed program run by an
  // administrator, who may write its folder, still keeps its settings with the user.
  void besideTheProgramOnlyOutsideSystemPrefixes() {
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(QDir(root).mkpath("usr/bin") && QDir(root).mkpath("usr2/bin") && QDir(root).mkpath("opt/portable"));
    QFile existing(root + "/opt/portable/brendax.set");
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    const QStringList prefixes = {root + "/usr", root + "/opt/"};
    const QString config = root + "/config";
    struct Case {
      const char* program;
      const char* expected;  // below root
    } cases[] = {
        {"/usr/bin/brendax", "/config/brendax.set"},             // installed, folder writable
        {"/usr/brendax", "/config/brendax.set"},                 // the prefix itself
        {"/opt/portable/brendax", "/opt/portable/brendax.set"},  // a file already there
        {"/usr2/bin/brendax", "/usr2/bin/brendax.set"},          // only a name like a prefix
    };
    for (const Case& c : cases) {
      QCOMPARE(SettingsPathFor({}, root + c.program, config, prefixes), root + c.expected);
    }
    QVERIFY(!QFileInfo::exists(root + "/usr/bin/brendax.set"));
  }
};

QTEST_MAIN(SettingsPathTest)
#include "settings_path_test.moc"
