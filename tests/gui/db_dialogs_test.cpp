// The DB source and message DB dialogs driven through their real widgets
// against a fake main window.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "support/fake_tool_host.h"
#include "support/recording_seams.h"
#include "ui/controls_ui.h"

namespace {

// Triggers the menu entry and runs `inside` on the modal dialog it opens.
template <class Dialog>
void FromMenu(TForm1& w, const char* menuName, const std::function<void(Dialog&)>& inside) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    ran = true;
    inside(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  Action(w, menuName)->trigger();
  QVERIFY(ran);
}

}  // namespace

class DbDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void dbSourceShowsItsFieldsWithTheirDefaults() {
    FakeToolHost host;
    TForm5QuelleDB d(host, nullptr);
    d.show();
    QCOMPARE(d.windowTitle(), QString("DB - Quelle erzeugen"));
    const struct {
      LabeledEdit* edit;
      const char* label;
      const char* text;
    } edits[] = {
        {d.LabeledEdit2, "DB- Nummer", "1"},
        {d.LabeledEdit4, "Anzahl Variablen:", "255"},
        {d.LabeledEdit5, "Namenskürzel (vorn) :", "Y"},
        {d.LabeledEdit8, "Startadresse/ Startnummer (0..1023) :", "0"},
        {d.LabeledEdit7, "Anfangswertzuweisung :", "0"},
    };
    for (const auto& e : edits) {
      QCOMPARE(e.edit->label()->text(), QString::fromUtf8(e.label));
      QCOMPARE(e.edit->text(), QString::fromUtf8(e.text));
    }
    QCOMPARE(d.Label1->text(), QString("Datentyp :"));
    QCOMPARE(d.ComboBox1->count(), 13);
    QCOMPARE(d.ComboBox1->currentText(), QString("Bool"));
    QVERIFY(!d.ComboBox1->isEditable());
    QCOMPARE(d.RadioGroup1->title(), QString("Generiere Name aus:"));
    QCOMPARE(d.RadioGroup1->itemIndex(), 0);
    QCOMPARE(d.RadioGroup1->item(1)->text(), QString("Nummer"));
    QCOMPARE(d.Label2->text(), QString("Zahlenformat:"));
    QCOMPARE(d.ComboBox2->count(), 6);
    QCOMPARE(d.ComboBox2->currentText(), QString("XXX(.X)"));
    QCOMPARE(d.Label3->text(), QString("Sequenz (optional):"));
    QCOMPARE(d.Memo1->toPlainText(), QString("einf\nausf"));
    QCOMPARE(d.Button1->text(), QString("Generieren"));
    QCOMPARE(d.Button2->text(), QString("Abbrechen"));
    QVERIFY(!d.Button3->isVisible());
    d.reject();
  }

  void dbSourceTypeListProposesTheInitialValue() {
    FakeToolHost host;
    TForm5QuelleDB d(host, nullptr);
    d.show();
    const char* proposed[] = {"B#16#0",
                              "'*'",
                              "W#16#0",
                              "DW#16#0",
                              "0",
                              "L#0",
                              "0.0",
                              "S5T#30S",
                              "T#30S",
                              "D#1990-01-01",
                              "TOD#00:00:00.000",
                              "DT#1995-02-02-08:30:01.999"};
    d.ComboBox1->setFocus();
    for (int i = 0; i < 12; ++i) {
      d.LabeledEdit7->setText("getippt");
      QTest::keyClick(d.ComboBox1, Qt::Key_Down);
      QCOMPARE(d.ComboBox1->currentIndex(), i + 1);
      QCOMPARE(d.LabeledEdit7->text(), QString(proposed[i]));
    }
    // A value typed after the pick stays; reopening keeps every value.
    d.LabeledEdit7->setText("DT#2000-01-01-00:00:00.000");
    d.reject();
    d.show();
    QCOMPARE(d.ComboBox1->currentText(), QString("Date_And_Time"));
    QCOMPARE(d.LabeledEdit7->text(), QString("DT#2000-01-01-00:00:00.000"));
    d.reject();
    QVERIFY(host.results.empty());
  }

  void dbSourceGeneratesIntoTheSourceView() {
    FakeToolHost host;
    TForm5QuelleDB d(host, nullptr);
    d.show();
    d.LabeledEdit2->setText("5");
    d.LabeledEdit4->setText("3");
    d.LabeledEdit8->setText("2");
    d.ComboBox2->setCurrentIndex(1);
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QVERIFY(d.Confirmed);
    QCOMPARE(host.lastGenerator, 20);
    QCOMPARE(host.prepared, QStringList{"source"});
    QCOMPARE(host.LastText(), QString("DATA_BLOCK DB5\r\nTITLE =\r\nVERSION : 0.1\r\n\r\n  STRUCT\r\n"
                                      "   Y02_0einf : BOOL := FALSE;   //  Y02.0einf\r\n"
                                      "   Y02_1ausf : BOOL := FALSE;   //  Y02.1ausf\r\n"
                                      "   Y02_2einf : BOOL := FALSE;   //  Y02.2einf\r\n"
                                      "  END_STRUCT ;\r\nBEGIN\r\nEND_DATA_BLOCK\r\n\r\n"));
    QVERIFY(host.recorder.messages.isEmpty());
  }

  void dbSourceErrorBoxBeginsWithFehler() {
    FakeToolHost host;
    TForm5QuelleDB d(host, nullptr);
    d.show();
    d.LabeledEdit2->setText("abc");
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(host.recorder.messages, QStringList{"Fehler: 4 / Fehler im Feld \"DB-Nummer\" !"});
    QCOMPARE(host.prepared, QStringList{"source"});
    d.show();
    QCOMPARE(d.LabeledEdit2->text(), QString("abc"));  // kept for the next try
    d.reject();
  }

  void messageDbShowsItsFieldsAndGenerates() {
    FakeToolHost host;
    TForm6Melde_DB_UDT d(host, nullptr);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Melde-DB /-UDT"));
    QCOMPARE(d.LabeledEdit2->label()->text(), QString("DB-/ UDT- Nummer"));
    QCOMPARE(d.LabeledEdit2->text(), QString("1"));
    QCOMPARE(d.LabeledEdit1->label()->text(), QString("Anzahl Bit-Meldungen:"));
    QCOMPARE(d.LabeledEdit1->text(), QString("1000"));
    QCOMPARE(d.RadioGroup1->title(), QString("Erzeuge:"));
    QCOMPARE(d.RadioGroup1->itemIndex(), 2);
    QCOMPARE(d.RadioGroup1->item(0)->text(), QString("DB mit Meldungen"));
    QCOMPARE(d.RadioGroup1->item(1)->text(), QString("UDT + DB mit Meldungen"));
    QCOMPARE(d.RadioGroup1->item(2)->text(), QString("UDT + DB mit Meldungen und Quittiermeldungen"));
    QCOMPARE(d.Button1->text(), QString("OK"));
    QVERIFY(d.Button1->isDefault());
    QCOMPARE(d.Button2->text(), QString("Abbrechen"));

    d.LabeledEdit2->setText("4");
    d.LabeledEdit1->setText("5");
    d.RadioGroup1->item(0)->click();
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(host.lastGenerator, 21);
    QCOMPARE(host.prepared, QStringList{"source"});
    QString expected = "DATA_BLOCK DB4\r\nTITLE =\r\nVERSION : 0.1\r\n\r\n  STRUCT\r\n";
    for (const int k : {8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7})
      expected += QString("   m%1 : BOOL ;\t\r\n").arg(k);
    expected += "  END_STRUCT ;\r\nBEGIN\r\nEND_DATA_BLOCK\r\n";
    QCOMPARE(host.LastText(), expected);
  }

  void messageDbErrorBoxBeginsWithError() {
    FakeToolHost host;
    TForm6Melde_DB_UDT d(host, nullptr);
    d.show();
    d.LabeledEdit1->setText("10001");
    d.LabeledEdit2->setText("0");
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QCOMPARE(host.recorder.messages, QStringList{QString::fromUtf8("Error: 3 / Anzahl Meldungen ungültig !")});
    d.show();
    d.LabeledEdit1->setText("16");
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QCOMPARE(host.recorder.messages.last(), QString::fromUtf8("Error: 5 / DB-/ UDT- Nummer ist ungültig !"));
  }

  void bothOpenFromTheMenuAndWriteIntoTheMainWindow() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    FromMenu<TForm5QuelleDB>(w, "DBUDT1", [](TForm5QuelleDB& d) {
      d.LabeledEdit4->setText("2");
      QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    QVERIFY(
        Memo(w)->toPlainText().startsWith("DATA_BLOCK DB1\nTITLE =\nVERSION : 0.1\n\n  STRUCT\n"
                                          "   Y000_0einf : BOOL := FALSE;   //  Y000.0einf\n"));
    const QString dbText = Memo(w)->toPlainText();
    // Cancelling leaves the earlier output.
    FromMenu<TForm6Melde_DB_UDT>(w, "MeldeDBUDT1", [](TForm6Melde_DB_UDT& d) { d.Button2->click(); });
    QCOMPARE(Memo(w)->toPlainText(), dbText);
    FromMenu<TForm6Melde_DB_UDT>(w, "MeldeDBUDT1", [](TForm6Melde_DB_UDT& d) {
      d.LabeledEdit1->setText("0");
      d.Button1->click();
    });
    QVERIFY(Memo(w)->toPlainText().isEmpty());
    QCOMPARE(f.seams.messages, QStringList{QString::fromUtf8("Error: 2 / Anzahl Meldungen ungültig !")});
    QCOMPARE(w.LastGenerator, 21);
  }

  void cancellingHandsNothingOver() {
    FakeToolHost host;
    TForm6Melde_DB_UDT d(host, nullptr);
    d.show();
    QTest::mouseClick(d.Button2, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QVERIFY(!d.Confirmed);
    QVERIFY(host.results.empty());
    QVERIFY(host.prepared.isEmpty());
    QCOMPARE(host.lastGenerator, 0);
  }
};

QTEST_MAIN(DbDialogsTest)
#include "db_dialogs_test.moc"
