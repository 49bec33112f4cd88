// The language dialog and the settings it stores.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "app/language_dialog.h"
#include "app/main_window.h"
#include "core/settings.h"
#include "support/recording_seams.h"

namespace {

// Opens the language dialog from the menu, lets `inside` work in it while it
// runs modally, and returns once it has closed.
template <typename F>
void RunLanguageDialog(TForm1& w, F inside) {
  QTimer::singleShot(0, [&w, inside] { inside(*LanguageDialog(w)); });
  Action(w, "Sprache1")->trigger();
}

}  // namespace

class LanguageDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void firstShowSelectsGermanBoth() {
    MainWindowFixture f;
    bool checked = false;
    RunLanguageDialog(*f.window, [&checked](TFormSpracheinstellung& d) {
      QCOMPARE(d.windowTitle(), QString("Spracheinstellungen"));
      QCOMPARE(d.GroupBox1->title(), QString("Landessprache"));
      QCOMPARE(d.RadioGroup1->title(), QString("Mnemonik"));
      QCOMPARE(d.RadioGroup1Item0->text(), QString("Deutsch     ( U E0.1     S A4.0 )"));
      QCOMPARE(d.ListBox1->count(), 2);
      QCOMPARE(d.ListBox1->item(0)->text(), QString("deutsch"));
      QCOMPARE(d.ListBox1->item(1)->text(), QString("english"));
      QCOMPARE(d.ListBox1->currentRow(), 0);
      QCOMPARE(d.RadioGroup1ItemIndex(), 0);
      QVERIFY(d.Edit1->isReadOnly());
      QVERIFY(d.Button1->isDefault());
      checked = true;
      d.Button2->click();
    });
    QVERIFY(checked);
  }

  void englishCaptionsWithGermanMnemonicsAreStored() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) {
      d.ListBox1->setCurrentRow(1);
      QCOMPARE(d.Edit1->text(), QString("english"));
      d.Button1->click();
    });
    QVERIFY(LanguageDialog(w)->Confirmed);
    QCOMPARE(Action(w, "Beenden1")->text(), QString("Exit"));
    QCOMPARE(Action(w, "Adressrechner")->text(), QString("Address Calculator"));
    QCOMPARE(Menu(w, "Quellen1")->title(), QString("Source Generator"));
    QCOMPARE(Action(w, "MeldeDBUDT1")->text(), QString("Reporting DB/ UDT"));
    QCOMPARE(Action(w, "DBAbbildvonDateibin1")->text(), QString("DB Dump File"));
    QCOMPARE(Action(w, "AWLSchrittkette1")->text(), QString("STL-Step-Sequence-Extended"));
    QCOMPARE(Menu(w, "Hilfe2")->title(), QString("Help"));
    QCOMPARE(Button(w, "Button2")->text(), QString("--> Clipboard"));
    QCOMPARE(Button(w, "Button4")->text(), QString("Source / Symbols"));
    QCOMPARE(LanguageDialog(w)->windowTitle(), QString("Language Settings"));
    QCOMPARE(LanguageDialog(w)->RadioGroup1Item1->text(), QString("English       ( A I0.1      S Q4.0 )"));
    QCOMPARE(w.windowTitle(), QString("Brendax"));
    // The two settings are independent.
    QCOMPARE(w.mnemonics().MnemAnd, std::string("U"));
    QCOMPARE(w.mnemonics().MnemJumpIf, std::string("SPB"));

    const QByteArray file = ReadAll(f.settingsPath);
    QCOMPARE(file.size(), 2756);
    QCOMPARE(file.at(0), char(2));
    QCOMPARE(file.at(260), char(0));
    QCOMPARE(file.at(264), char(1));

    // A new start reads the choice back.
    TForm1 again(f.seams, f.settingsPath);
    again.show();
    QCOMPARE(Action(again, "Sprache1")->text(), QString("Language"));
    bool checked = false;
    RunLanguageDialog(again, [&checked](TFormSpracheinstellung& d) {
      QCOMPARE(d.ListBox1->currentRow(), 1);
      QCOMPARE(d.RadioGroup1ItemIndex(), 0);
      checked = true;
      d.Button2->click();
    });
    QVERIFY(checked);
  }

  void englishMnemonicsWithGermanCaptions() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) {
      d.RadioGroup1Item1->setChecked(true);
      d.Button1->click();
    });
    QCOMPARE(Action(w, "Beenden1")->text(), QString("Beenden"));
    const brendax::MnemonicSet& m = w.mnemonics();
    QCOMPARE(m.MnemInput, std::string("I"));
    QCOMPARE(m.MnemOutput, std::string("Q"));
    QCOMPARE(m.MnemOpenDB, std::string("OPN"));
    QCOMPARE(m.MnemJumpIfNot, std::string("JCN"));
    const QByteArray file = ReadAll(f.settingsPath);
    QCOMPARE(file.at(260), char(1));
    QCOMPARE(file.at(264), char(0));
  }

  void cancelChangesAndWritesNothing() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) {
      d.ListBox1->setCurrentRow(1);
      d.RadioGroup1Item1->setChecked(true);
      d.Button2->click();
    });
    QVERIFY(!LanguageDialog(w)->Confirmed);
    QVERIFY(!QFile::exists(f.settingsPath));
    QCOMPARE(w.settings().nationalLanguage(), 0);
    QCOMPARE(w.settings().englishMnemonics(), 0);
    QCOMPARE(Action(w, "Beenden1")->text(), QString("Beenden"));
    QCOMPARE(w.mnemonics().MnemAnd, std::string("U"));
    QVERIFY(f.seams.messages.isEmpty());

    // A confirmed dialog shown again starts unconfirmed.
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) { d.Button1->click(); });
    QVERIFY(QFile::exists(f.settingsPath));
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) {
      QVERIFY(!d.Confirmed);
      d.Button2->click();
    });
    QVERIFY(!LanguageDialog(w)->Confirmed);
  }

  void storedForeignLanguageShowsEnglish() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.settings().setNationalLanguage(7);
    RunLanguageDialog(w, [](TFormSpracheinstellung& d) {
      QCOMPARE(d.ListBox1->currentRow(), 1);
      d.Button1->click();
    });
    QCOMPARE(w.settings().nationalLanguage(), 1);
  }

  void languageTextSplitsAtTheFirstAt() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QCOMPARE(w.LanguageText("Sprache@Language"), QString("Sprache"));
    QCOMPARE(w.LanguageText("ohne"), QString());
    QCOMPARE(w.LanguageText("a@b@c"), QString("a"));
    w.settings().setNationalLanguage(1);
    QCOMPARE(w.LanguageText("Sprache@Language"), QString("Language"));
    QCOMPARE(w.LanguageText("ohne"), QString("ohne"));
    QCOMPARE(w.LanguageText("a@b@c"), QString("b@c"));
    w.settings().setNationalLanguage(-1);
    QCOMPARE(w.LanguageText("Sprache@Language"), QString("Language"));
  }
};

QTEST_MAIN(LanguageDialogTest)
#include "language_dialog_test.moc"
