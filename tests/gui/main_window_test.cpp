// The main window: start state, output states, grid layout, clipboard copy,
// generator results, "Formular", help and the settings save failure.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include "app/language_dialog.h"
#include "app/main_window.h"
#include "app/symbol_grid_ui.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "support/recording_seams.h"
#include "text/cp1252.h"

using brendax::GeneratorResult;
using brendax::SymbolRow;

namespace {

std::vector<SymbolRow> FiveRows() {
  std::vector<SymbolRow> rows;
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    rows.push_back({"Sym" + n, "E " + n + ".0", "BOOL", "Kommentar " + n});
  }
  return rows;
}

void SelectCells(TForm1& w, int top, int left, int bottom, int right) {
  w.StringGrid1->selectionModel()->select(
      QItemSelection(w.GridModel->index(top, left), w.GridModel->index(bottom, right)),
      QItemSelectionModel::ClearAndSelect);
}

bool ButtonsEnabled(TForm1& w, bool clr, bool clip, bool form, bool toggle) {
  return w.Button1->isEnabled() == clr && w.Button2->isEnabled() == clip && w.Button3->isEnabled() == form &&
         w.Button4->isEnabled() == toggle;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsEmptyWithGermanCaptions() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Brendax"));
    QCOMPARE(w.Beenden1->text(), QString("Beenden"));
    QCOMPARE(w.PointerTool1->text(), QString("Pointer Tool"));
    QCOMPARE(w.DBAbbildvonDateibin1->text(), QString("DB- Abbild von Datei"));
    QCOMPARE(w.HilfeBrendaxde1->text(), QString("Hilfe (Brendax_de.pdf)"));
    QCOMPARE(w.Info1->text(), QString("Über Brendax"));
    QCOMPARE(w.Button2->text(), QString("-->Zwischenablage"));
    QCOMPARE(w.Button4->text(), QString("Quelle / Symbole"));
    QVERIFY(w.Memo1->isHidden());
    QVERIFY(w.StringGrid1->isHidden());
    QVERIFY(ButtonsEnabled(w, false, false, false, false));
    QVERIFY(!w.SollIstDB1->isVisible());
    QCOMPARE(w.GridModel->RowCount(), 1);
    QCOMPARE(w.GridModel->Cell(0, 0), QString("Symbol"));
    QCOMPARE(w.GridModel->Cell(0, 3), QString("Kommentar"));
    QCOMPARE(w.mnemonics().MnemJumpIf, std::string("SPB"));
    QCOMPARE(w.LastGenerator, 0);
    // Nothing is written at start.
    QVERIFY(!QFile::exists(f.settingsPath));
    // Client area below the menu bar.
    QCOMPARE(w.centralWidget()->size(), QSize(633, 372));
  }

  void outputStatesAndToggle() {
    MainWindowFixture f;
    TForm1& w = *f.window;

    w.PrepareSymbolOutput();
    QVERIFY(!w.StringGrid1->isHidden() && w.Memo1->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, false));

    w.PrepareSourceOutput();
    QVERIFY(w.StringGrid1->isHidden() && !w.Memo1->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, false));

    w.PrepareSourceAndSymbolOutput();
    QVERIFY(w.StringGrid1->isHidden() && !w.Memo1->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, true));
    w.SetOutputLines({"a", "b"});
    w.SetSymbolRows(FiveRows());

    QTest::mouseClick(w.Button4, Qt::LeftButton);
    QVERIFY(!w.StringGrid1->isHidden() && w.Memo1->isHidden());
    QCOMPARE(w.StringGrid1->width(), w.centralWidget()->width());
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    QVERIFY(w.StringGrid1->isHidden() && !w.Memo1->isHidden());

    QTest::mouseClick(w.Button1, Qt::LeftButton);  // CLR
    QVERIFY(w.StringGrid1->isHidden() && w.Memo1->isHidden());
    QVERIFY(ButtonsEnabled(w, false, false, false, false));
    QCOMPARE(w.GridModel->RowCount(), 1);
    QCOMPARE(w.GridModel->Cell(0, 1), QString("Adresse"));
    QVERIFY(w.Memo1->toPlainText().isEmpty());
  }

  void layoutGridFollowsTheWidth() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSymbolOutput();
    QCOMPARE(w.StringGrid1->width(), 633);
    QCOMPARE(w.StringGrid1->columnWidth(0), 95);
    QCOMPARE(w.StringGrid1->columnWidth(1), 95);
    QCOMPARE(w.StringGrid1->columnWidth(2), 95);
    QCOMPARE(w.StringGrid1->columnWidth(3), 315);

    w.resize(800, w.height());
    QCOMPARE(w.StringGrid1->width(), 800);
    QCOMPARE(w.StringGrid1->columnWidth(0), 123);  // 800 / 6 - 10
    QCOMPARE(w.StringGrid1->columnWidth(3), 399);  // 3 * (800 / 6)
  }

  void copiesWholeTableWhenSelectionIsInTitleRow() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSymbolOutput();
    w.SetSymbolRows(FiveRows());
    SelectCells(w, 0, 0, 0, 0);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.size(), 1);
    QString expected;
    for (int i = 1; i <= 5; ++i)
      expected += QString("Sym%1\tE %1.0\tBOOL\tKommentar %1\r\n").arg(i);
    QCOMPARE(f.seams.clipboard.last(), expected);
    // The whole table is now shown selected.
    const QItemSelection selection = w.StringGrid1->selectionModel()->selection();
    QCOMPARE(selection.size(), 1);
    QCOMPARE(selection.first().top(), 1);
    QCOMPARE(selection.first().bottom(), 5);
    QCOMPARE(selection.first().left(), 0);
    QCOMPARE(selection.first().right(), 3);

    // No selection at all after a new run: the whole table as well.
    w.PrepareSymbolOutput();
    w.SetSymbolRows(FiveRows());
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), expected);
  }

  void copiesSelectedRectangle() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSymbolOutput();
    w.SetSymbolRows(FiveRows());

    SelectCells(w, 3, 1, 5, 2);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), QString("E 3.0\tBOOL\r\nE 4.0\tBOOL\r\nE 5.0\tBOOL\r\n"));

    // A selection reaching into the title row starts at row 1.
    SelectCells(w, 0, 0, 2, 0);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), QString("Sym1\r\nSym2\r\n"));

    // One cell: its text and CR LF, no TAB.
    SelectCells(w, 4, 3, 4, 3);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), QString("Kommentar 4\r\n"));
  }

  void copiesNothingFromTitleRowOnlyOrHiddenViews() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.Button2Click();  // nothing shown
    w.PrepareSymbolOutput();
    w.Button2Click();  // only the title row
    QVERIFY(f.seams.clipboard.isEmpty());
  }

  void copiesMemoSelectionOrAllWithCrLf() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSourceAndSymbolOutput();
    w.SetSymbolRows(FiveRows());
    w.SetOutputLines({"FUNCTION FC 10 : VOID", "  U E 0.1", "END_FUNCTION"});
    QCOMPARE(w.MemoText(), QString("FUNCTION FC 10 : VOID\r\n  U E 0.1\r\nEND_FUNCTION\r\n"));

    w.Button2Click();  // the memo is the visible view; nothing selected: all
    QCOMPARE(f.seams.clipboard.size(), 1);
    QCOMPARE(f.seams.clipboard.last(), w.MemoText());
    QVERIFY(w.Memo1->textCursor().hasSelection());

    QTextCursor cursor = w.Memo1->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(24, QTextCursor::KeepAnchor);  // first line, line break, two blanks
    w.Memo1->setTextCursor(cursor);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), QString("FUNCTION FC 10 : VOID\r\n  "));

    // Toggled to the symbols, the grid is copied instead.
    w.Button4Click();
    w.Button2Click();
    QVERIFY(f.seams.clipboard.last().startsWith("Sym1\tE 1.0\tBOOL\tKommentar 1\r\n"));
  }

  void showsGeneratorResult() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSourceAndSymbolOutput();

    GeneratorResult failed;
    failed.errorCode = 3;
    failed.errorMessage = brendax::Ansi("Baustein ungültig");
    failed.lines = {"never shown"};
    w.ShowGeneratorResult(failed, &w);
    QCOMPARE(f.seams.messages, QStringList{"Error: 3 / Baustein ungültig"});
    QVERIFY(w.Memo1->toPlainText().isEmpty());
    QCOMPARE(w.GridModel->RowCount(), 1);

    GeneratorResult ok;
    ok.symbols = {{"Kette", "FC 80", "FC 80", brendax::Ansi("Schrittkette für Förderband")}};
    ok.lines = {brendax::Ansi("// Schrittübergänge"), "END_FUNCTION"};
    ok.notices = {"Hinweis 1", "Hinweis 2"};
    w.ShowGeneratorResult(ok, &w);
    QCOMPARE(w.GridModel->RowCount(), 2);
    QCOMPARE(w.GridModel->Cell(0, 0), QString("Symbol"));
    QCOMPARE(w.GridModel->Cell(1, 3), QString("Schrittkette für Förderband"));
    QCOMPARE(w.MemoText(), QString("// Schrittübergänge\r\nEND_FUNCTION\r\n"));
    QCOMPARE(f.seams.messages.mid(1), (QStringList{"Hinweis 1", "Hinweis 2"}));
  }

  void largeOutputFillsInOneGo() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSourceAndSymbolOutput();
    std::vector<std::string> lines;
    lines.reserve(135000);
    for (int i = 0; i < 135000; ++i) lines.push_back("      L     DB10.DBW " + std::to_string(i));
    std::vector<SymbolRow> rows(100000, SymbolRow{"S", "E 0.0", "BOOL", "K"});

    QElapsedTimer timer;
    timer.start();
    w.SetOutputLines(lines);
    const qint64 memoMs = timer.restart();
    w.SetSymbolRows(rows);
    w.Button4Click();
    QCoreApplication::processEvents();
    const qint64 gridMs = timer.elapsed();
    qInfo("135000 memo lines: %lld ms; 100000 grid rows: %lld ms", memoMs, gridMs);

    QCOMPARE(w.Memo1->document()->blockCount(), 135001);  // the last line break opens an empty line
    QCOMPARE(w.Memo1->document()->findBlockByNumber(134999).text(), QString("      L     DB10.DBW 134999"));
    QVERIFY(!w.Memo1->document()->isUndoAvailable());
    QCOMPARE(w.GridModel->RowCount(), 100001);
  }

  void formularReopensTheLastGenerator() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QWidget* seen = nullptr;
    auto closeActive = [&seen] {
      seen = QApplication::activeModalWidget();
      if (auto* dialog = qobject_cast<QDialog*>(seen)) dialog->reject();
    };

    w.LastGenerator = brendax::kGenStepSimple;
    QTimer::singleShot(0, closeActive);
    w.Button3Click();
    QCOMPARE(seen, static_cast<QWidget*>(w.Form10AWL_SchrittketteEinfach));

    w.LastGenerator = brendax::kGenStepExtended;
    QTimer::singleShot(0, closeActive);
    w.Button3Click();
    QCOMPARE(seen, static_cast<QWidget*>(w.Form8AWL_Schrittkette));

    // Unknown codes do nothing.
    seen = nullptr;
    w.LastGenerator = 99;
    w.Button3Click();
    QCOMPARE(seen, static_cast<QWidget*>(nullptr));
  }

  void helpOpensTheGermanDocumentInBothLanguages() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.HilfeBrendaxde1Click();
    w.settings().setNationalLanguage(1);
    w.ApplyLanguage();
    QCOMPARE(w.HilfeBrendaxde1->text(), QString("Help (Brendax_de.pdf)"));
    w.HilfeBrendaxde1Click();
    QCOMPARE(f.seams.opened, (QStringList{"Brendax_de.pdf", "Brendax_de.pdf"}));
    // A stored language of neither kind opens nothing.
    w.settings().setNationalLanguage(2);
    w.HilfeBrendaxde1Click();
    QCOMPARE(f.seams.opened.size(), 2);
    QVERIFY(f.seams.messages.isEmpty());
  }

  void saveFailureShowsTheFullPath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kein Ordner/brendax.set");
    MainWindowFixture f(path);
    TForm1& w = *f.window;
    QTimer::singleShot(0, [&w] {
      w.FormSpracheinstellung->ListBox1->setCurrentRow(1);
      w.FormSpracheinstellung->Button1->click();
    });
    w.Sprache1Click();
    QCOMPARE(f.seams.messages,
             QStringList{"Beim speichern der Datei\r\n" + path + "\r\nist ein Fehler aufgetreten !!"});
    // The settings in memory stay as chosen.
    QCOMPARE(w.settings().nationalLanguage(), 1);
    QCOMPARE(w.Sprache1->text(), QString("Language"));
    QVERIFY(!w.SaveSettings());
    QCOMPARE(f.seams.messages.size(), 2);
  }

  void exitClosesTheWindow() {
    MainWindowFixture f;
    QVERIFY(f.window->isVisible());
    f.window->Beenden1->trigger();
    QVERIFY(!f.window->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
