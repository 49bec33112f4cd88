// The small UI helpers: where the settings file is looked for, the text
// conversion at the window's edge, and the symbol grid's model.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings_path_ui.h"
#include "app/symbol_grid_ui.h"
#include "ui/seams_ui.h"

class UiHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void environmentOverrides() {
    QCOMPARE(SettingsPathFor("/x/mine.set", "/opt/brendax/bin/brendax", "/cfg"), QString("/x/mine.set"));
  }

  void besideTheProgramWhenItsFolderIsWritable() {
    QTemporaryDir dir;
    QCOMPARE(SettingsPathFor({}, dir.filePath("brendax"), dir.filePath("cfg")), dir.filePath("brendax.set"));
    // Only the last extension is replaced.
    QCOMPARE(SettingsPathFor({}, dir.filePath("brendax.v3.exe"), dir.filePath("cfg")), dir.filePath("brendax.v3.set"));
    QVERIFY(!QDir(dir.filePath("cfg")).exists());
  }

  void configFolderWhenTheProgramFolderIsUnusable() {
    QTemporaryDir dir;
    const QString config = dir.filePath("config/Brendax");
    QCOMPARE(SettingsPathFor({}, dir.filePath("missing/brendax"), config), config + "/brendax.set");
    QVERIFY(QDir(config).exists());
  }

  void windowTextKeepsEveryByte() {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const QString text = FromAnsi(all);
    QCOMPARE(text.size(), qsizetype(256));
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0xFC), QChar(0xFC));
    QCOMPARE(text.at(0x81), QChar(0x81));
    QVERIFY(ToAnsi(text) == all);
    QVERIFY(ToAnsi(QString::fromUtf8("Ω€")) == std::string("?") + char(0x80));
  }

  void gridKeepsTitleRowAndIgnoresCellsOutside() {
    SymbolGridModel model;
    QCOMPARE(model.RowCount(), 1);
    model.SetCell(0, 0, "Symbol");
    model.SetRowCount(3);
    model.SetCell(2, 3, "K");
    model.SetCell(3, 0, "outside");
    model.SetCell(1, 4, "outside");
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.Cell(2, 3), QString("K"));
    QCOMPARE(model.data(model.index(2, 3)).toString(), QString("K"));
    QVERIFY(!(model.flags(model.index(2, 3)) & Qt::ItemIsEditable));
    model.SetRowCount(0);  // the title row always stays
    QCOMPARE(model.RowCount(), 1);
    QCOMPARE(model.Cell(0, 0), QString("Symbol"));
    model.SetSymbolRows({{"A", "E 0.0", "BOOL", "x"}, {"B", "E 0.1", "BOOL", "y"}});
    QCOMPARE(model.RowCount(), 3);
    QCOMPARE(model.Cell(0, 0), QString("Symbol"));
    QCOMPARE(model.Cell(2, 1), QString("E 0.1"));
  }
};

QTEST_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
