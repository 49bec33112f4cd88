// The pointer tool and the address calculator driven through their real
// widgets: what recomputes when, the reset at every showing, the colours.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "support/fake_tool_host.h"
#include "tools/address_calculator_dialog.h"
#include "tools/pointer_tool_dialog.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"

namespace {

// The core's listing as the pane shows it: one "\n" after every line.
QString Listing(const brendax::PointerState& state) {
  QString text;
  for (const auto& line : brendax::Compute(state).lines) text += FromAnsi(line) + '\n';
  return text;
}

// Leaving an edit field the way the window sees it.
void Leave(QLineEdit* edit) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(edit, &out);
}

void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QColor Background(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }
QColor Foreground(QLineEdit* edit) { return edit->palette().color(QPalette::Text); }

}  // namespace

class ToolsWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void pointerToolShowsTheDefaultListing() {
    FakeToolHost host;
    TForm14Pointerrechner tool(host, nullptr);
    tool.show();
    QCOMPARE(tool.windowTitle(), QString("Pointer-Tool"));
    QCOMPARE(tool.RadioGroup1->itemIndex(), 1);
    QCOMPARE(tool.ComboBoxDatentyp->currentText(), QString("02h   BYTE"));
    QCOMPARE(tool.ComboBoxDatentypParametertyp->currentText(), QString("19h    BLOCK_DB"));
    QCOMPARE(tool.ComboBoxSpeicherbereich->currentText(), QString("84h    DB Datenbaustein"));
    QCOMPARE(tool.ComboBoxSpeicherbereich->count(), 8);
    QCOMPARE(tool.ComboBoxDatentyp->count(), 15);
    QVERIFY(!tool.ComboBoxDatentyp->isEditable());
    QCOMPARE(tool.LabelAdresse->text(), QString("Nummerische  Adresse (z.B. 50 oder 15.4)"));
    QCOMPARE(tool.LabelBausteinnummer->text(), QString::fromUtf8("Nummer des Zählers, Timers bzw. Bausteines"));
    QCOMPARE(tool.EditAdresse->text(), QString("0.0"));
    QVERIFY(tool.Memo1->isReadOnly());
    QCOMPARE(tool.Memo1->toPlainText(), Listing(brendax::PointerState{}));
    QVERIFY(host.results.empty());
    QVERIFY(host.prepared.isEmpty());
  }

  void pointerToolRecomputesOnSelectionsAtOnceAndOnEditsWhenLeft() {
    FakeToolHost host;
    TForm14Pointerrechner tool(host, nullptr);
    tool.show();
    const QString defaults = tool.Memo1->toPlainText();

    // An edit field: nothing until it is left.
    Type(tool.EditDBNummer, "10");
    QCOMPARE(tool.Memo1->toPlainText(), defaults);
    Leave(tool.EditDBNummer);
    QVERIFY(tool.Memo1->toPlainText().contains("W#16#000A"));

    // "Aktualisieren" after typing.
    Type(tool.EditWiederholfaktor, "0");
    QVERIFY(!tool.Memo1->toPlainText().contains("Fehler:"));
    tool.Button2->click();
    QVERIFY(
        tool.Memo1->toPlainText().endsWith(QString::fromUtf8("Fehler:\n- Wiederholfaktor ist nicht zulässig!\n\n")));

    // A list and a check box: at once.
    tool.ComboBoxSpeicherbereich->setCurrentIndex(3);
    QVERIFY(tool.Memo1->toPlainText().contains("W#16#8300"));
    tool.CheckBoxKommentar1->click();
    QVERIFY(!tool.Memo1->toPlainText().contains("// B0..B1"));
    QVERIFY(tool.Memo1->toPlainText().contains("// S7-Kennung"));

    // The variant: at once, and only its inputs show.
    QTest::mouseClick(tool.RadioGroup1->item(2), Qt::LeftButton);
    QCOMPARE(tool.RadioGroup1->itemIndex(), 2);
    QVERIFY(tool.Memo1->toPlainText().contains("W#16#1900"));
    QVERIFY(tool.EditBausteinummer->isVisible());
    QVERIFY(tool.ComboBoxDatentypParametertyp->isVisible());
    QVERIFY(!tool.EditWiederholfaktor->isVisible());
    QVERIFY(!tool.EditDBNummer->isVisible());
    QVERIFY(!tool.LabelAdresse->isVisible());
    // The two lists of the ANY variants lie on one another.
    QCOMPARE(tool.ComboBoxDatentyp->geometry(), tool.ComboBoxDatentypParametertyp->geometry());
    QCOMPARE(tool.EditWiederholfaktor->geometry(), tool.EditBausteinummer->geometry());

    const QSize size = tool.size();
    tool.RadioGroup1->item(0)->click();
    QCOMPARE(tool.RadioGroup1->itemIndex(), 0);
    QVERIFY(tool.EditDBNummer->isVisible());
    QVERIFY(tool.ComboBoxSpeicherbereich->isVisible());
    QVERIFY(!tool.EditBausteinummer->isVisible());
    QVERIFY(!tool.ComboBoxDatentyp->isVisible());
    QCOMPARE(tool.size(), size);  // the window keeps its shape
  }

  void pointerToolResetsTheValuesAtEveryShowingAndKeepsVariantAndBoxes() {
    FakeToolHost host;
    TForm14Pointerrechner tool(host, nullptr);
    tool.show();
    tool.RadioGroup1->item(0)->click();
    tool.CheckBoxByte->click();
    tool.CheckBoxWord->click();
    tool.ComboBoxSpeicherbereich->setCurrentIndex(0);
    tool.ComboBoxDatentyp->setCurrentIndex(5);
    tool.ComboBoxDatentypParametertyp->setCurrentIndex(5);
    for (QLineEdit* edit : {tool.EditDBNummer, tool.EditAdresse, tool.EditWiederholfaktor, tool.EditBausteinummer}) {
      edit->setText("77");
    }
    tool.Button1->click();
    QVERIFY(!tool.isVisible());

    tool.show();
    QCOMPARE(tool.EditDBNummer->text(), QString("1"));
    QCOMPARE(tool.EditAdresse->text(), QString("0.0"));
    QCOMPARE(tool.EditWiederholfaktor->text(), QString("2"));
    QCOMPARE(tool.EditBausteinummer->text(), QString("1"));
    QCOMPARE(tool.ComboBoxSpeicherbereich->currentIndex(), 4);
    QCOMPARE(tool.ComboBoxDatentyp->currentIndex(), 2);
    QCOMPARE(tool.ComboBoxDatentypParametertyp->currentIndex(), 2);
    QCOMPARE(tool.RadioGroup1->itemIndex(), 0);
    QVERIFY(tool.CheckBoxByte->isChecked());
    QVERIFY(!tool.CheckBoxWord->isChecked());
    QVERIFY(tool.Memo1->toPlainText().startsWith(
        "Lade Bytes in AWL (aufsteigend einzelne Bytes):\n L    B#16#00        // B0 | DB-Nummer H-Byte         \n"));
  }

  void addressCalculatorFirstShowingAndExample() {
    FakeToolHost host;
    TForm5 calc(host, nullptr);
    calc.show();
    QCOMPARE(calc.windowTitle(), QString("Adressrechner"));
    QCOMPARE(calc.Edit1->text(), QString("0.0"));
    QCOMPARE(calc.Edit2->text(), QString("0"));
    QCOMPARE(calc.Edit3->text(), QString("0.0"));
    QCOMPARE(calc.Edit4->text(), QString("0"));
    QCOMPARE(calc.Edit5->text(), QString("0"));
    QCOMPARE(calc.Button7->text(), QString("X"));
    QCOMPARE(calc.Button4->text(), QString());
    // The sought field and the distance take the focus but no typing.
    QVERIFY(calc.Edit4->isReadOnly());
    QVERIFY(calc.Edit5->isReadOnly());
    QCOMPARE(Background(calc.Edit4), QColor(Qt::yellow));
    QCOMPARE(Foreground(calc.Edit4), QColor(Qt::red));
    QCOMPARE(Background(calc.Edit1), QColor(Qt::white));

    calc.Button8->click();
    QCOMPARE(calc.Edit3->text(), QString("22.6"));
    QCOMPARE(calc.Edit5->text(), QString("22"));
    QCOMPARE(calc.Button6->text(), QString("X"));
    QCOMPARE(calc.Button7->text(), QString());
    QVERIFY(!calc.Edit4->isReadOnly());
    QVERIFY(calc.Edit3->isReadOnly());
    QVERIFY(host.results.empty());
  }

  void addressCalculatorRecomputesAtEveryKeystrokeWithItsColours() {
    FakeToolHost host;
    TForm5 calc(host, nullptr);
    calc.show();
    calc.Button8->click();
    calc.Button7->click();  // the end number is sought: 1 + 22
    QCOMPARE(calc.Edit4->text(), QString("23"));

    calc.Edit3->selectAll();
    QTest::keyClicks(calc.Edit3, "21");
    QCOMPARE(calc.Edit4->text(), QString("Error"));  // "21" is no address
    QCOMPARE(Background(calc.Edit3), QColor(Qt::red));
    QCOMPARE(calc.Edit5->text(), QString("0"));
    QTest::keyClicks(calc.Edit3, ".");
    QCOMPARE(calc.Edit4->text(), QString("Error"));
    QTest::keyClicks(calc.Edit3, "3");
    QCOMPARE(calc.Edit4->text(), QString("12"));
    QCOMPARE(calc.Edit5->text(), QString("11"));
    QCOMPARE(Background(calc.Edit3), QColor(Qt::white));
    QCOMPARE(Foreground(calc.Edit3), QColor(Qt::black));

    // Out of range: the sought field keeps its text, without "Error".
    calc.Button4->click();  // start address = 21.3 - (12 - 1) bits
    QCOMPARE(calc.Edit1->text(), QString("20.0"));
    QCOMPARE(calc.Edit5->text(), QString("11"));
    calc.Edit4->selectAll();
    QTest::keyClicks(calc.Edit4, "99");  // 21.3 - (99 - 1) bits
    QCOMPARE(calc.Edit1->text(), QString("9.1"));
    QTest::keyClicks(calc.Edit4, "9");  // 21.3 - (999 - 1) bits is below 0.0
    QCOMPARE(calc.Edit1->text(), QString("9.1"));
    QCOMPARE(calc.Edit5->text(), QString("0"));
    QCOMPARE(Background(calc.Edit1), QColor(Qt::yellow));
    QCOMPARE(Background(calc.Edit4), QColor(Qt::white));
  }

  void pointerToolListingCopiesWithCrLf() {
    FakeToolHost host;
    TForm14Pointerrechner tool(host, nullptr);
    tool.show();
    tool.Memo1->setFocus();
    QTest::keyClick(tool.Memo1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(tool.Memo1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(host.recorder.clipboard, QStringList{FromAnsi(brendax::JoinLinesCrLf(brendax::Compute({}).lines))});
  }

  void addressCalculatorResultFieldsTakeAClickButNoKeys() {
    FakeToolHost host;
    TForm5 calc(host, nullptr);
    calc.show();
    QVERIFY(QTest::qWaitForWindowActive(&calc));
    calc.Button8->click();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(calc.Edit1));  // the first field
    calc.Edit4->selectAll();
    QTest::keyClicks(calc.Edit4, "100");  // the end number: 99 bits on
    const brendax::AddressState before = calc.State();
    // A click into the distance or the result, then a key: nothing changes.
    for (QLineEdit* shown : {calc.Edit5, calc.Edit3}) {
      QTest::mouseClick(shown, Qt::LeftButton);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(shown));
      QTest::keyClicks(shown, "5");
      QVERIFY(calc.State().fields == before.fields);
    }
    QCOMPARE(calc.Edit5->text(), QString("99"));
    // The distance looks read-only, not like a field to type into.
    QCOMPARE(Background(calc.Edit5), calc.palette().color(QPalette::Window));
    for (QPushButton* mark : {calc.Button4, calc.Button5, calc.Button6, calc.Button7})
      QVERIFY(mark->toolTip().contains("berechnen"));
  }

  void addressCalculatorToggleAndKeptState() {
    FakeToolHost host;
    TForm5 calc(host, nullptr);
    calc.show();
    QCOMPARE(calc.Sought(), brendax::kEndNumber);
    calc.Button3->click();
    QCOMPARE(calc.Sought(), brendax::kStartAddress);
    QCOMPARE(calc.Button4->text(), QString("X"));
    QCOMPARE(calc.Button7->text(), QString());
    QVERIFY(calc.Edit1->isReadOnly());
    QVERIFY(!calc.Edit4->isReadOnly());
    QCOMPARE(Background(calc.Edit4), QColor(Qt::white));
    calc.Edit2->setText("5");
    calc.Edit3->setText("4.4");
    calc.Button1->click();
    QVERIFY(!calc.isVisible());

    calc.show();
    QCOMPARE(calc.Sought(), brendax::kStartAddress);
    QCOMPARE(calc.Edit2->text(), QString("5"));
    QCOMPARE(calc.Edit3->text(), QString("4.4"));
    // Recomputed at the showing: 4.4 - (0 - 5) = 36 + 5 bits.
    QCOMPARE(calc.Edit1->text(), QString("5.1"));
    QCOMPARE(calc.Edit5->text(), QString("-5"));

    calc.Button2->click();
    QCOMPARE(calc.Edit2->text(), QString("0"));
    QCOMPARE(calc.Sought(), brendax::kStartAddress);
    QCOMPARE(calc.Edit1->text(), QString("0.0"));
  }
};

QTEST_MAIN(ToolsWindowsTest)
#include "tools_windows_test.moc"
