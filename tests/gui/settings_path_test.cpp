// Where the settings file is looked for.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings_path_ui.h"

class SettingsPathTest : public QObject {
  Q_OBJECT

 private slots:
  void environmentOverrides() {
    QCOMPARE(SettingsPathFor("/x/mine.set", "/opt/brendax/bin/brendax", "/cfg"), QString("/x/mine.set"));
  }

  void besideTheProgramWhenItsFolderIsWritable() {
    QTemporaryDir dir;
    QCOMPARE(SettingsPathFor({}, dir.filePath("brendax"), dir.filePath("cfg")), dir.filePath("brendax.set"));
    // Only the last extension is replaced.
    QCOMPARE(SettingsPathFor({}, dir.filePath("brendax.v3.exe"), dir.filePath("cfg")),
             dir.filePath("brendax.v3.set"));
    QVERIFY(!QDir(dir.filePath("cfg")).exists());
  }

  void configFolderWhenTheProgramFolderIsUnusable() {
    QTemporaryDir dir;
    const QString config = dir.filePath("config/Brendax");
    QCOMPARE(SettingsPathFor({}, dir.filePath("missing/brendax"), config), config + "/brendax.set");
    QVERIFY(QDir(config).exists());
  }
};

QTEST_MAIN(SettingsPathTest)
#include "settings_path_test.moc"
