// The settings path taken from the environment names exactly the file the
// bytes name, also when they are not UTF-8.
#include <QFile>
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
};

QTEST_MAIN(SettingsPathTest)
#include "settings_path_test.moc"
