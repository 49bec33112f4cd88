// The target/actual DB dialog and the DB image dialog on a fake tool host:
// defaults, captions, the file-open seam, generate and the messages.
// With BRENDAX_SCREENSHOT_DIR set, each dialog is also saved as a picture.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "datablocks/db_image.h"
#include "datablocks/db_image_dialog.h"
#include "datablocks/target_actual.h"
#include "datablocks/target_actual_dialog.h"
#include "support/fake_tool_host.h"
#include "support/recording_seams.h"
#include "ui/controls_ui.h"

namespace {

void Type(LabeledEdit* field, const QString& text) {
  field->edit()->clear();
  QTest::keyClicks(field->edit(), text);
}

}  // namespace

class TargetActualDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void targetActualDefaultsAndCaptions() {
    FakeToolHost host;
    TForm3 dialog(host);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Soll-Ist-DB"));
    const std::pair<LabeledEdit*, QString> defaults[] = {
        {dialog.LabeledEdit6, "0"},     {dialog.LabeledEdit2, "1"},     {dialog.LabeledEdit1, "1"},
        {dialog.LabeledEdit3, "IstDW"}, {dialog.LabeledEdit9, "TMask"}, {dialog.LabeledEdit8, "Err"},
        {dialog.LabeledEdit4, "SollB"}, {dialog.LabeledEdit5, "AktB"},  {dialog.LabeledEdit7, "V"}};
    for (const auto& [field, value] : defaults) QCOMPARE(field->text(), value);
    QCOMPARE(dialog.LabeledEdit7->label()->text(), QString("Symbolkürzel f. Variante (Schritt) :"));
    QCOMPARE(dialog.LabeledEdit2->toolTip(), QString("Größe des zu überwachenden Eingangsabbildes"));
    QCOMPARE(dialog.LabeledEdit1->toolTip(), QString("Varianten für Prozessstatus, Schritt o.ä."));
    QVERIFY(dialog.Memo1->toPlainText().isEmpty());
    QVERIFY(dialog.Memo3->isReadOnly());
    QCOMPARE(dialog.Memo3->toPlainText(),
             QString("Syntax: \n\"Adresse/Variante=Symbol\",\nführende Leerzeichen und Slaschs (/) werden "
                     "ignoriert,\nmax 8 Zeichen pro Symbol"));
    QCOMPARE(dialog.Button1->text(), QString("Generieren"));
    QVERIFY(!dialog.Button3->isVisible());  // no help text
    SaveScreenshot(&dialog, "target_actual_dialog.png");
  }

  void targetActualGeneratesTheExampleAndKeepsItsValues() {
    FakeToolHost host;
    TForm3 dialog(host);
    dialog.show();
    Type(dialog.LabeledEdit1, "2");
    QTest::keyClicks(dialog.Memo1, "2=Auto");
    QTest::keyClicks(dialog.Memo2, "   //0_0 = Start // Taster");
    QTest::keyClick(dialog.Memo2, Qt::Key_Return);
    QTest::keyClicks(dialog.Memo2, "0_1=Halt");
    dialog.Button1->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.Confirmed);
    QCOMPARE(host.lastGenerator, 22);
    QCOMPARE(host.prepared, QStringList{"source"});
    QCOMPARE(host.results.size(), std::size_t{1});
    QVERIFY(host.recorder.messages.isEmpty());
    const QString text = host.LastText();
    QVERIFY(
        text.startsWith("   // \r\n   // Symbolzuordnungen f. Varianten / Schritte :\r\n   //1=V1\r\n   //2=Auto\r\n"));
    QVERIFY(text.contains("   //0_0=Start\r\n   //0_1=Halt\r\n   //0_2=0_2\r\n"));
    QVERIFY(text.contains("   AutoAktBHalt : Bool ;   //V2AktB0_1\r\n"));

    dialog.show();
    QCOMPARE(dialog.LabeledEdit1->text(), QString("2"));
    QCOMPARE(dialog.Memo1->toPlainText(), QString("2=Auto"));
    QVERIFY(!dialog.Confirmed);
  }

  void targetActualShowsTheCodeAlone() {
    FakeToolHost host;
    TForm3 dialog(host);
    const std::pair<LabeledEdit*, QString> cases[] = {
        {dialog.LabeledEdit2, "33"}, {dialog.LabeledEdit1, "0"}, {dialog.LabeledEdit6, "1024"}};
    QStringList expected;
    for (const auto& [field, value] : cases) {
      dialog.show();
      const QString kept = field->text();
      Type(field, value);
      dialog.Button1->click();
      field->setText(kept);
    }
    QCOMPARE(host.recorder.messages, (QStringList{"Fehler: 10", "Fehler: 20", "Fehler: 30"}));
    QCOMPARE(host.results.back().lines.size(), std::size_t{0});
  }

  void dbImageDefaultsCaptionsAndHelp() {
    FakeToolHost host;
    TForm7QuelleDBFileKopieBin dialog(host);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("DB-Abbild von Datei"));
    QCOMPARE(dialog.LabeledEdit1->text(), QString());
    QCOMPARE(dialog.LabeledEdit1->label()->text(), QString("Quelldatei (Text- oder Binär-File):"));
    QCOMPARE(dialog.LabeledEdit2->text(), QString("1"));
    QCOMPARE(dialog.LabeledEdit5->text(), QString("S"));
    QCOMPARE(dialog.LabeledEdit3->text(), QString("255"));
    QCOMPARE(dialog.LabeledEdit4->text(), QString("0"));
    QCOMPARE(dialog.ComboBox1->count(), 4);
    QCOMPARE(dialog.ComboBox1->itemText(2), QString("DWord"));
    QCOMPARE(dialog.ComboBox1->currentText(), QString("Char"));
    QVERIFY(!dialog.ComboBox1->isEditable());
    QVERIFY(dialog.CheckBox1->isChecked());
    QVERIFY(!dialog.LabeledEdit3->isEnabled());
    QVERIFY(!dialog.CheckBox2->isChecked());
    QCOMPARE(dialog.CheckBox2->text(), QString("Bytefolge im Word /DWord tauschen"));
    auto* generate = dialog.findChild<QPushButton*>("Button2");
    auto* help = dialog.findChild<QPushButton*>("Button4");
    QVERIFY(generate && help);
    QCOMPARE(generate->text(), QString("Generieren"));
    QCOMPARE(dialog.findChild<QPushButton*>("Button3")->text(), QString("Abbrechen"));
    QCOMPARE(dialog.findChild<QPushButton*>("Button1")->text(), QString(".."));
    help->click();
    QCOMPARE(host.recorder.messages.size(), 1);
    QVERIFY(host.recorder.messages[0].startsWith("Hilfe zu DB-Abbild von Datei\r\rArrays müssen"));
    QVERIFY(host.recorder.messages[0].endsWith("$R .. $0D .. Wagenrücklauf  )\r"));
    SaveScreenshot(&dialog, "db_image_dialog.png");
    dialog.CheckBox1->click();
    QVERIFY(dialog.LabeledEdit3->isEnabled());
  }

  void dbImageFileDialogSeam() {
    QTemporaryDir dir;
    FakeToolHost host;
    TForm7QuelleDBFileKopieBin dialog(host);
    dialog.show();
    host.recorder.openAnswers << dir.filePath("sub/../daten.bin") << QString();
    dialog.BrowseButton->click();
    QCOMPARE(dialog.LabeledEdit1->text(), QDir::toNativeSeparators(dir.filePath("daten.bin")));
    dialog.BrowseButton->click();  // cancelled: the path stays
    QCOMPARE(dialog.LabeledEdit1->text(), QDir::toNativeSeparators(dir.filePath("daten.bin")));
    QCOMPARE(host.recorder.openFolders, (QStringList{QString(), dir.path()}));
  }

  void dbImageGeneratesWarnsAndRefuses() {
    QTemporaryDir dir;
    const QString path = dir.filePath("beispiel.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x41\x42\x0D\x27\xFF", 5));
    file.close();

    FakeToolHost host;
    TForm7QuelleDBFileKopieBin dialog(host);
    dialog.show();
    host.recorder.openAnswers << path;
    dialog.BrowseButton->click();
    dialog.ComboBox1->setCurrentIndex(brendax::kDbImageWord);
    dialog.CheckBox2->click();
    dialog.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(host.lastGenerator, 23);
    QCOMPARE(host.prepared, QStringList{"source"});
    QVERIFY(host.recorder.messages.isEmpty());
    QVERIFY(
        host.LastText().contains(" S : ARRAY [0..2] OF WORD ;\r\n  END_STRUCT ;\r\nBegin\r\n S[0]:=W#16#4142;\r\n"
                                 " S[1]:=W#16#D27;\r\n S[2]:=W#16#FF00;\r\nEND_DATA_BLOCK\r\n\r\n\r\n"));

    // A count too small for the file: the source, then the warning.
    dialog.show();
    dialog.CheckBox1->click();
    Type(dialog.LabeledEdit3, "1");
    dialog.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(host.results.back().lines.size(), std::size_t{12});
    QCOMPARE(host.recorder.messages,
             QStringList{"Warnung !\r\rDie angegebene Datei ist zu groß für die\rangegebene/ errechnete Arraygröße!"});

    // A folder cannot be opened; a bad name has its code.
    dialog.show();
    Type(dialog.LabeledEdit1, dir.path());
    dialog.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(host.recorder.messages.last(), "Datei " + dir.path() + " kann nicht geöffnet werden. Is a directory");
    dialog.show();
    Type(dialog.LabeledEdit1, path);
    dialog.LabeledEdit5->setText("Zähler");
    dialog.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(host.recorder.messages.last(), QString("Error: 14 / Name der Arrayvariable ist ungültig !"));
    QVERIFY(host.results.back().lines.empty());
  }

  void dbImageTakesADroppedFileWhereverItLands() {
    QTemporaryDir dir;
    const QString path = dir.filePath("tabelle.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    FakeToolHost host;
    TForm7QuelleDBFileKopieBin dialog(host);
    dialog.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // On the dialog, and on another field, which would take it as text.
    for (QWidget* target : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(dialog.LabeledEdit5->edit())}) {
      dialog.LabeledEdit1->setText("alt");
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(target, &drop);
      QCOMPARE(dialog.LabeledEdit1->text(), QDir::toNativeSeparators(path));
      QCOMPARE(dialog.LabeledEdit5->text(), QString("S"));
    }
    // Two files, or a folder: not taken.
    for (const QList<QUrl>& urls : {QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)},
                                    QList<QUrl>{QUrl::fromLocalFile(dir.path())}}) {
      QMimeData other;
      other.setUrls(urls);
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &other, Qt::LeftButton, {});
      QApplication::sendEvent(&dialog, &enter);
      QVERIFY(!enter.isAccepted());
    }
  }
};

QTEST_MAIN(TargetActualDialogsTest)
#include "target_actual_dialogs_test.moc"
