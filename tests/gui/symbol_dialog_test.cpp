// The symbol generator's dialog and its template dialog, driven through
// their real widgets on a fake main window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "support/fake_tool_host.h"
#include "support/recording_seams.h"
#include "symbols/symbol_dialog.h"
#include "symbols/symbol_templates.h"
#include "ui/controls_ui.h"

namespace {

// Runs `inside` once the modal dialog is showing, then makes sure it closed.
void WithModal(QDialog* dialog, const std::function<void()>& open, const std::function<void()>& inside) {
  bool ran = false;
  QTimer::singleShot(0, dialog, [&] {
    ran = true;
    inside();
    if (dialog->isVisible()) dialog->reject();
  });
  open();
  QVERIFY(ran);
  QVERIFY(!dialog->isVisible());
}

void Type(LabeledEdit* edit, const QString& text) {
  edit->edit()->clear();
  QTest::keyClicks(edit->edit(), text);
}

QColor Background(LabeledEdit* edit) { return edit->edit()->palette().color(QPalette::Base); }

}  // namespace

class SymbolDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void firstShowingIsTheProgramNumberExample() {
    FakeToolHost host;
    TForm2 d(host, nullptr);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Symbolgenerator"));
    QCOMPARE(d.Button1->text(), QString("OK"));
    QCOMPARE(d.LabeledEdit5->text(), QString("8"));
    QCOMPARE(d.ComboBox1->currentText(), QString("M     Merker"));
    QCOMPARE(d.LabeledEdit1->text(), QString("10.0"));
    QCOMPARE(d.LabeledEdit6->text(), QString("M_PrgNr_Bit<C1>"));
    QCOMPARE(d.LabeledEdit7->text(), QString("Programmnummer Bit <C1>"));
    QVERIFY(d.SimplifiedView);
    QVERIFY(d.Vereinfacht1->isChecked());
    QCOMPARE(d.Button6->text(), QString("Erweitern"));
    QVERIFY(!d.LabeledEdit2->isVisible());
    QVERIFY(!d.T2Edits[3]->isVisible());
    QVERIFY(d.LabeledEdit3->isVisible());
    QVERIFY(!d.Button3->isVisible());
    QCOMPARE(d.LoadEntries[0]->text(), QString("Lade Vorlage 1 : "));
    // 676 × 454 below the menu, above the preview; wider only as the longest caption needs.
    const QSize fields = d.findChild<QWidget*>("Fields")->size();
    QVERIFY(fields.width() >= 676);
    QCOMPARE(fields.height(), 454);
    SaveScreenshot(&d, "symbol_dialog_simplified.png");

    // Help comes from the menu.
    d.Hilfe1->trigger();
    QCOMPARE(host.recorder.messages.size(), 1);
    QVERIFY(host.recorder.messages[0].startsWith("Hilfe zum Symbolgenerator\r\r<A1>, <A2>"));
    d.reject();
  }

  void examplesSetTheFormAndColourTheSequences() {
    FakeToolHost host;
    TForm2 d(host, nullptr);
    d.show();
    d.BeispielZylinder1->trigger();
    QVERIFY(!d.SimplifiedView);
    QCOMPARE(d.Button6->text(), QString("Vereinfachen"));
    QVERIFY(d.T1Edits[0]->isVisible());
    QCOMPARE(d.ComboBox1->currentIndex(), 0);
    QCOMPARE(d.LabeledEdit6->text(), QString("E<A1>Zyl<C3><T1>"));
    QCOMPARE(d.T2Edits[1]->text(), QString("eingefahren"));
    QCOMPARE(d.SequenceCount, 2);
    const QColor white = d.palette().color(QPalette::Base);
    const QColor face = d.palette().color(QPalette::Button);
    QCOMPARE(Background(d.T1Edits[1]), white);
    QCOMPARE(Background(d.T2Edits[2]), face);
    SaveScreenshot(&d, "symbol_dialog_extended.png");

    // A text typed into sequence 4 after an empty sequence 3 does not count;
    // emptying sequence 2 leaves one.
    Type(d.T1Edits[3], "x");
    QCOMPARE(d.SequenceCount, 2);
    QCOMPARE(Background(d.T1Edits[3]), face);
    d.T1Edits[1]->setText("");
    d.T2Edits[1]->setText("");
    QCOMPARE(d.SequenceCount, 1);
    QCOMPARE(Background(d.T2Edits[1]), face);

    d.BeispielInterface1->trigger();
    QCOMPARE(d.LabeledEdit7->text(), QString("Eingang E<A1>  / Roboter Ausgang <C1> / "));
    QCOMPARE(d.T1Edits[3]->text(), QString());
    QCOMPARE(d.SequenceCount, 0);
    d.Programmnummer1->trigger();
    QVERIFY(d.SimplifiedView);
    d.reject();
  }

  void generatesIntoTheSymbolViewWithHiddenValues() {
    FakeToolHost host;
    TForm2 d(host, nullptr);
    d.show();
    QTest::mouseClick(d.Button6, Qt::LeftButton);  // extended
    Type(d.LabeledEdit4, "100");
    Type(d.LabeledEdit10, "-10");
    d.Vereinfacht1->trigger();  // simplified again: C2 hidden, kept
    QVERIFY(!d.LabeledEdit4->isVisible());
    QCOMPARE(d.LabeledEdit4->text(), QString("100"));
    Type(d.LabeledEdit5, "3");
    Type(d.LabeledEdit7, "C2 <C2>");
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QVERIFY(d.Confirmed);
    QCOMPARE(host.lastGenerator, 10);
    QCOMPARE(host.prepared, QStringList{"symbols"});
    QCOMPARE(host.results.size(), std::size_t{1});
    const auto& rows = host.results[0].symbols;
    QCOMPARE(rows.size(), std::size_t{3});
    QCOMPARE(rows[2], (brendax::SymbolRow{"M_PrgNr_Bit2", "M  10.2", "Bool", "C2 80"}));
    QVERIFY(host.recorder.messages.isEmpty());

    // Reopened: the values are kept; a typed area is refused after the run
    // kept its rows empty.
    d.show();
    QCOMPARE(d.LabeledEdit5->text(), QString("3"));
    d.ComboBox1->setEditText("Merker");
    d.OKGenerieren1->trigger();
    QCOMPARE(host.results.size(), std::size_t{2});
    QCOMPARE(host.results[1].rowCount(), 4);
    QCOMPARE(host.recorder.messages, QStringList{QString::fromUtf8("Error: 3 / Aressbereich ungültig !")});

    // "Abbrechen" in the menu changes nothing.
    d.show();
    d.Abbrechen1->trigger();
    QVERIFY(!d.Confirmed);
    QCOMPARE(host.results.size(), std::size_t{2});
  }

  void savesAndLoadsTemplatesWithTheirCaptions() {
    FakeToolHost host;
    host.record.WriteShortString(brendax::SettingsRecord::TemplateOffset(2), 20, "Alt");
    TForm2 d(host, nullptr);
    d.show();
    d.BeispielZylinder1->trigger();
    auto* save = d.FormSymbolgenSaveFormular;
    WithModal(
        save, [&] { d.LadeFormular82->trigger(); },
        [&] {
          QCOMPARE(save->windowTitle(), QString("Formular Speichern als"));
          // The stored names are filled in without moving the selection.
          QCOMPARE(save->Edits[1]->text(), QString("Alt"));
          QCOMPARE(save->SelectedSlot(), 1);
          SaveScreenshot(save, "symbol_save_dialog.png");
          save->Edits[1]->setText("Umbenannt");  // discarded: slot 3 is saved
          QTest::keyClicks(save->Edits[2], "Zylinder mit langem Namen");
          QCOMPARE(save->SelectedSlot(), 3);
          QTest::mouseClick(save->Button1, Qt::LeftButton);
        });
    QCOMPARE(host.saveCount, 1);
    QVERIFY(host.refreshCount >= 1);
    QCOMPARE(d.LoadEntries[2]->text(), QString("Lade Vorlage 3 : Zylinder mit langem "));
    QCOMPARE(d.LoadEntries[1]->text(), QString("Lade Vorlage 2 : Alt"));
    const brendax::SymbolTemplate stored = brendax::ReadSymbolTemplate(host.record, 3);
    QCOMPARE(stored.symbol, std::string("E<A1>Zyl<C3><T1>"));
    QVERIFY(stored.extendedView);

    // Cancelled: nothing is written; the next opening is on slot 3 again.
    WithModal(
        save, [&] { d.LadeFormular82->trigger(); },
        [&] {
          QCOMPARE(save->SelectedSlot(), 3);
          save->RadioGroup1->item(6)->click();
          QTest::mouseClick(save->Button2, Qt::LeftButton);
        });
    QCOMPARE(host.saveCount, 1);

    // Loading brings the form back, view included.
    d.Programmnummer1->trigger();
    d.LoadEntries[2]->trigger();
    QVERIFY(!d.SimplifiedView);
    QCOMPARE(d.LabeledEdit5->text(), QString("10"));
    QCOMPARE(d.T1Edits[1]->text(), QString("eing"));
    QCOMPARE(d.SequenceCount, 2);
    QCOMPARE(d.ComboBox1->currentIndex(), 0);

    // A never-saved slot: simplified, count 0, no address; generating fails.
    d.LoadEntries[7]->trigger();
    QVERIFY(d.SimplifiedView);
    QCOMPARE(d.LabeledEdit5->text(), QString("0"));
    QCOMPARE(d.LabeledEdit1->text(), QString());
    QCOMPARE(d.ComboBox1->currentIndex(), 0);
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QCOMPARE(host.recorder.messages, QStringList{QString::fromUtf8("Error: 4 / Startadresse ungültig !")});
  }

  // A control character would come back from the settings file as extra
  // lines or cells: the form is not saved, the message names the field.
  void aControlCharacterIsNotSaved() {
    FakeToolHost host;
    TForm2 d(host, nullptr);
    d.show();
    d.LabeledEdit6->setText("E<A1>\tZyl");
    auto* save = d.FormSymbolgenSaveFormular;
    WithModal(
        save, [&] { d.LadeFormular82->trigger(); },
        [&] {
          QTest::keyClicks(save->Edits[0], "Neu");
          QTest::mouseClick(save->Button1, Qt::LeftButton);
        });
    QCOMPARE(host.saveCount, 0);
    QCOMPARE(host.recorder.messages, QStringList{QString::fromUtf8("Steuerzeichen im Feld \"Symbol\" !")});
    QCOMPARE(brendax::SymbolTemplateName(host.record, 1), std::string());
    QCOMPARE(d.LoadEntries[0]->text(), QString("Lade Vorlage 1 : "));
  }

  void opensFromTheMenuAndFillsTheGrid() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    auto* d = qobject_cast<TForm2*>(w.ToolDialog("Symbolgenerator1"));
    QVERIFY(d);
    QCOMPARE(d->LoadEntries[0]->text(), QString("Lade Vorlage 1 : "));  // the window's first show refreshed them
    auto* entry = w.findChild<QAction*>("Symbolgenerator1");
    QVERIFY(entry);
    WithModal(
        d, [&] { entry->trigger(); },
        [&] {
          d->BeispielZylinder1->trigger();
          QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
    QCOMPARE(w.LastGenerator, 10);
    auto* grid = w.findChild<QTableView*>("StringGrid1");
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 11);
    QCOMPARE(grid->model()->index(10, 0).data().toString(), QString("E51.1Zyl5eing"));
    QCOMPARE(grid->model()->index(10, 1).data().toString(), QString("E  51.1"));
    QVERIFY(grid->isVisible());
    QVERIFY(f.seams.messages.isEmpty());
  }

  void failedWriteShowsTheMessageAndKeepsTheTemplate() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/brendax.set");
    MainWindowFixture f(path);
    TForm2 d(*f.window, f.window.get());
    d.show();
    auto* save = d.FormSymbolgenSaveFormular;
    WithModal(
        save, [&] { d.LadeFormular82->trigger(); },
        [&] {
          QTest::keyClicks(save->Edits[4], "Neu");
          QTest::mouseClick(save->Button1, Qt::LeftButton);
        });
    QCOMPARE(f.seams.messages.size(), 1);
    QVERIFY(f.seams.messages[0].startsWith("Beim speichern der Datei\r\n"));
    QCOMPARE(brendax::SymbolTemplateName(f.window->settings(), 5), std::string("Neu"));
    QCOMPARE(d.LoadEntries[4]->text(), QString("Lade Vorlage 5 : Neu"));
    d.reject();
  }
};

QTEST_MAIN(SymbolDialogTest)
#include "symbol_dialog_test.moc"
