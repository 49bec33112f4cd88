// The two step-sequence dialogs driven through their real widgets: opened
// from the menu, generated, reopened with "Formular".
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "core/settings.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "support/fake_tool_host.h"
#include "support/recording_seams.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"

namespace {

// Types a distinct text (with outer blanks and an umlaut) into every text
// field of the dialog's table, toggles every check box and selects another
// item of every choice, generates, and compares the record the dialog then
// holds with one built from the table: a field bound to the wrong control
// or member, a wrong caption, or a wrong trim flag shows as a difference.
template <class Dialog, class Params>
void CheckEveryFieldIsBound(const brendax::FieldTable<Params>& table) {
  FakeToolHost host;
  Dialog dialog(host, nullptr);
  dialog.show();
  Params expected = dialog.Params();
  int number = 0;
  for (const auto& f : table) {
    QWidget* control = dialog.template findChild<QWidget*>(QLatin1String(f.control));
    QVERIFY2(control != nullptr, f.control);
    const QString caption = QString::fromUtf8(f.label);
    switch (f.kind) {
      case brendax::FieldKind::kText: {
        const QString typed = QString(" T%1").arg(++number) + QString::fromUtf8("\u00e4 ");
        QLineEdit* edit = nullptr;
        if (auto* labeled = qobject_cast<LabeledEdit*>(control)) {
          QCOMPARE(labeled->label()->text(), caption);
          edit = labeled->edit();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
          bool captioned = false;
          for (auto* label : dialog.template findChildren<QLabel*>()) captioned |= label->buddy() == combo;
          QVERIFY2(captioned, f.control);
          edit = combo->lineEdit();
        }
        QVERIFY2(edit != nullptr, f.control);
        edit->clear();
        QTest::keyClicks(edit, typed.left(typed.size() - 2));  // the key events carry ASCII only
        edit->insert(typed.right(2));
        expected.*(f.text) = ToAnsi(f.trimmed ? typed.trimmed() : typed);
        break;
      }
      case brendax::FieldKind::kCheck: {
        auto* box = qobject_cast<QCheckBox*>(control);
        QVERIFY2(box != nullptr, f.control);
        QCOMPARE(box->text(), caption);
        box->click();
        expected.*(f.check) = box->isChecked();
        QCOMPARE(expected.*(f.check), f.defaultIndex == 0);
        break;
      }
      case brendax::FieldKind::kChoice: {
        auto* group = qobject_cast<RadioGroup*>(control);
        QVERIFY2(group != nullptr, f.control);
        QCOMPARE(group->title(), caption);
        const int other = (f.defaultIndex + 1) % static_cast<int>(f.choices.size());
        group->setItemIndex(other);
        expected.*(f.choice) = other;
        break;
      }
    }
  }
  dialog.Button1->click();
  QCOMPARE(host.results.size(), std::size_t{1});
  QVERIFY(!host.results[0].ok());  // the distinct texts are no valid values
  const Params held = dialog.Params();
  QVERIFY(held == expected);
  // Each text row reads back its own text: two rows sharing a member would
  // leave one of them showing the other's.
  number = 0;
  for (const auto& f : table) {
    if (f.kind != brendax::FieldKind::kText) continue;
    const std::string own = ToAnsi(QString(" T%1").arg(++number) + QString::fromUtf8("\u00e4 "));
    QCOMPARE(held.*(f.text), f.trimmed ? own.substr(1, own.size() - 2) : own);
  }
}

// Runs `inside` once the modal dialog opened by `open` is showing; the
// dialog must be closed by `inside` (or by the action it triggers).
void WithModal(QDialog* dialog, const std::function<void()>& open, const std::function<void()>& inside) {
  bool ran = false;
  QTimer::singleShot(0, dialog, [&] {
    ran = true;
    inside();
    if (dialog->isVisible()) dialog->reject();  // never leave a test blocked
  });
  open();
  QVERIFY(ran);
  QVERIFY(!dialog->isVisible());
}

QString Cell(TForm1& w, int row, int column) { return Grid(w)->model()->index(row, column).data().toString(); }

int Rows(TForm1& w) { return Grid(w)->model()->rowCount(); }

}  // namespace

class StepDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void simpleBindsEveryFieldOfItsTable() {
    CheckEveryFieldIsBound<TForm10AWL_SchrittketteEinfach>(brendax::SimpleStepFields());
  }

  void extendedBindsEveryFieldOfItsTable() {
    CheckEveryFieldIsBound<TForm8AWL_Schrittkette>(brendax::ExtendedStepFields());
  }

  void extendedTakesTheButtonColumnOfTheBase() {
    FakeToolHost host;
    TForm8AWL_Schrittkette d(host, nullptr);
    d.show();
    QCOMPARE(d.Button1->text(), QString("Generieren"));
    QVERIFY(d.Button4->y() > d.Button3->y());
    QVERIFY(d.Button5->y() > d.Button4->y());
    QCOMPARE(d.Button4->x(), d.Button1->x());
    d.Button1->click();
    QCOMPARE(host.lastGenerator, 24);
    QCOMPARE(host.prepared, QStringList{"source+symbols"});
    QCOMPARE(host.results.size(), std::size_t{1});
    QCOMPARE(host.results[0].rowCount(), 3);
  }

  void simpleGeneratesTextAndRowFromTheMenu() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          // First showing: the defaults.
          QCOMPARE(d->LabeledEdit1->text(), QString("80"));
          QCOMPARE(d->LabeledEdit3->text(), QString("FC_Schrittkette"));
          QCOMPARE(d->RadioGroup1->itemIndex(), 1);
          QVERIFY(d->CheckBox1->isChecked());
          QCOMPARE(d->LabeledEdit10->text(), QString("12"));
          d->LabeledEdit10->setText("3");
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(w.LastGenerator, 25);
    QVERIFY(f.seams.messages.isEmpty());
    QCOMPARE(Rows(w), 2);
    QCOMPARE(Cell(w, 1, 0), QString("FC_Schrittkette"));
    QCOMPARE(Cell(w, 1, 1), QString("FC 80"));
    QCOMPARE(Cell(w, 1, 2), QString("FC 80"));
    QCOMPARE(Cell(w, 1, 3), QString("FC_Schrittkette"));
    const QString text = w.MemoText();
    QVERIFY(text.startsWith("FUNCTION \"FC_Schrittkette\" : VOID\r\n"));
    QVERIFY(text.endsWith("S_EX: NOP 0;\r\n\r\nEND_FUNCTION\r\n"));
    QVERIFY(text.contains(QString::fromUtf8("// Das Grundgerüst dieses Bausteines wurde erzeugt mit #")));
    QVERIFY(Memo(w)->isVisible());

    // The toggle shows the row; the clipboard then carries it.
    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    QVERIFY(Grid(w)->isVisible());
    QVERIFY(!Memo(w)->isVisible());
    QTest::mouseClick(Button(w, "Button2"), Qt::LeftButton);
    QCOMPARE(f.seams.clipboard.last(), QString("FC_Schrittkette\tFC 80\tFC 80\tFC_Schrittkette\r\n"));
    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    QTest::mouseClick(Button(w, "Button2"), Qt::LeftButton);
    QCOMPARE(f.seams.clipboard.last(), text);
  }

  void simpleTrimsFieldsAndFormularReopensWithThem() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          d->LabeledEdit1->setText("  81 ");
          d->LabeledEdit5->setText(" Start");
          d->LabeledEdit9->setText(" 99 ");  // refused: code 31
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(f.seams.messages, QStringList{QString::fromUtf8("Error: 31 / Erste Schrittnr. ist ungültig !")});
    QCOMPARE(Rows(w), 1);
    QVERIFY(w.MemoText().isEmpty());
    QVERIFY(Button(w, "Button3")->isEnabled());

    WithModal(
        d, [&] { QTest::mouseClick(Button(w, "Button3"), Qt::LeftButton); },
        [&] {
          QCOMPARE(d->LabeledEdit1->text(), QString("81"));
          QCOMPARE(d->LabeledEdit5->text(), QString("Start"));
          QCOMPARE(d->LabeledEdit9->text(), QString("99"));
          d->LabeledEdit9->setText("0");
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(f.seams.messages.size(), 1);
    QCOMPARE(Cell(w, 1, 1), QString("FC 81"));
    QVERIFY(w.MemoText().contains("      U     Start;\r\n"));
  }

  void simpleStructureForcesAndGreysTheNumbering() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          d->CheckBox1->setChecked(false);
          d->LabeledEdit9->setText("10");
          QTest::mouseClick(d->RadioGroup1->item(0), Qt::LeftButton);
          QCOMPARE(d->LabeledEdit9->text(), QString("0"));
          QCOMPARE(d->LabeledEdit11->text(), QString("1"));
          QVERIFY(d->CheckBox1->isChecked());
          QVERIFY(!d->CheckBox1->isEnabled());
          QVERIFY(!d->LabeledEdit9->isEnabled());
          QVERIFY(!d->LabeledEdit11->isEnabled());
          QTest::mouseClick(d->RadioGroup1->item(1), Qt::LeftButton);
          QVERIFY(d->CheckBox1->isEnabled());
          QVERIFY(d->LabeledEdit9->isEnabled());
          QVERIFY(d->LabeledEdit11->isEnabled());
          QCOMPARE(d->LabeledEdit9->text(), QString("0"));
          QCOMPARE(d->LabeledEdit11->text(), QString("1"));
          QTest::mouseClick(d->Button2, Qt::LeftButton);  // Abbrechen
        });
    // Abbrechen leaves the main window untouched.
    QCOMPARE(w.LastGenerator, 0);
    QVERIFY(!Button(w, "Button1")->isEnabled());

    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); }, [&] { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(w.LastGenerator, 0);
  }

  void simpleNetworkPerStepIsStoredAtEveryClick() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          QVERIFY(!d->CheckBox2->isChecked());
          QTest::mouseClick(d->CheckBox2, Qt::LeftButton);
          QByteArray file = ReadAll(f.settingsPath);
          QCOMPARE(file.size(), 2756);
          QCOMPARE(int(file[int(brendax::SettingsRecord::kNetworkPerStepOffset)]), 1);
          QTest::mouseClick(d->CheckBox2, Qt::LeftButton);
          file = ReadAll(f.settingsPath);
          QCOMPARE(int(file[int(brendax::SettingsRecord::kNetworkPerStepOffset)]), 0);
          QTest::mouseClick(d->CheckBox2, Qt::LeftButton);
          d->reject();
        });
    QVERIFY(w.settings().networkPerStep());
    // The next window (next program start) shows the stored state.
    MainWindowFixture again(f.settingsPath);
    auto* d2 = again.window->findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d2, [&] { Action(*again.window, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          QVERIFY(d2->CheckBox2->isChecked());
          QTest::mouseClick(d2->Button1, Qt::LeftButton);
        });
    QVERIFY(again.window->MemoText().contains("NETWORK\r\nTITLE = Schritt 0\r\n"));
  }

  void simpleHelpShowsItsText() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm10AWL_SchrittketteEinfach*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittketteBasic1")->trigger(); },
        [&] {
          QTest::mouseClick(d->Button3, Qt::LeftButton);
          d->reject();
        });
    QCOMPARE(f.seams.messages.size(), 1);
    QVERIFY(f.seams.messages[0].startsWith("Hilfe zu AWL-Schrittkette-Simple\r\r"));
    QVERIFY(f.seams.messages[0].contains(QString::fromUtf8("mögliche Schritte sind 0..999.")));
  }

  void extendedExamplesAndTimerRun() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm8AWL_Schrittkette*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittkette1")->trigger(); },
        [&] {
          // First showing: "Beispiel 1".
          QCOMPARE(d->LabeledEdit1->text(), QString("80"));
          QCOMPARE(d->ComboBox1->currentText(), QString("64"));
          QVERIFY(d->CheckBox1->isChecked());
          QVERIFY(!d->CheckBox2->isChecked());
          QCOMPARE(d->LabeledEdit7->text(), QString("SV"));
          QTest::mouseClick(d->Button5, Qt::LeftButton);  // Beispiel 2
          QCOMPARE(d->LabeledEdit1->text(), QString("100"));
          QCOMPARE(d->ComboBox1->currentText(), QString("32"));
          QVERIFY(d->CheckBox2->isChecked());
          QVERIFY(!d->CheckBox1->isChecked());
          QCOMPARE(d->LabeledEdit7->text(), QString());
          QCOMPARE(d->LabeledEdit12->text(), QString());
          d->LabeledEdit3->setText(" FC_Kette ");
          d->LabeledEdit14->setText("FC_Timer ");  // timer fields are not trimmed
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(w.LastGenerator, 24);
    QCOMPARE(Rows(w), 4);
    QCOMPARE(Cell(w, 1, 0), QString("FC_Kette"));
    QCOMPARE(Cell(w, 2, 1), QString("DB 100"));
    QCOMPARE(Cell(w, 3, 0), QString("FC_Timer "));
    QCOMPARE(Cell(w, 3, 2), QString("FC 101"));
    // The timer function stands between data block and step-sequence function.
    const QString text = w.MemoText();
    const auto db = text.indexOf("DATA_BLOCK \"DB_Schrittkette100\"");
    const auto timer = text.indexOf("FUNCTION \"FC_Timer \" : VOID");
    const auto fc = text.indexOf("FUNCTION \"FC_Kette\" : VOID");
    QVERIFY(db == 0 && timer > db && fc > timer);
    QCOMPARE(f.seams.messages.size(), 1);
    QVERIFY(f.seams.messages[0].startsWith("Der Baustein \r\rSFC 64 \"TIME_TCK\""));

    WithModal(
        d, [&] { QTest::mouseClick(Button(w, "Button3"), Qt::LeftButton); },
        [&] {
          QCOMPARE(d->LabeledEdit3->text(), QString("FC_Kette"));
          QCOMPARE(d->LabeledEdit14->text(), QString("FC_Timer "));
          QTest::mouseClick(d->Button4, Qt::LeftButton);  // Beispiel 1
          QCOMPARE(d->LabeledEdit3->text(), QString("FC_Schrittkette"));
          d->reject();
        });
  }

  void extendedErrorsLeaveTheViewsEmpty() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = w.findChild<TForm8AWL_Schrittkette*>();
    WithModal(
        d, [&] { Action(w, "AWLSchrittkette1")->trigger(); },
        [&] {
          d->ComboBox1->setEditText("100");  // typed text: no item selected
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(f.seams.messages, QStringList{"Error: 90 / Interner Fehler !"});
    QCOMPARE(Rows(w), 1);
    QVERIFY(w.MemoText().isEmpty());

    WithModal(
        d, [&] { QTest::mouseClick(Button(w, "Button3"), Qt::LeftButton); },
        [&] {
          QCOMPARE(d->ComboBox1->currentText(), QString("100"));  // kept as typed
          d->ComboBox1->setCurrentIndex(0);
          d->LabeledEdit10->setText("33");
          d->LabeledEdit11->setText("1");
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(f.seams.messages.last(),
             QString("Error: 36 / Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!"));
  }
};

QTEST_MAIN(StepDialogsTest)
#include "step_dialogs_test.moc"
