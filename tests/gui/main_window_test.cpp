// The main window: start state, output states, grid layout, clipboard copy,
// generator results, "Formular", help and the settings save failure.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "app/generator_registry.h"
#include "app/language_dialog.h"
#include "app/main_window.h"
#include "app/symbol_grid_ui.h"
#include "datablocks/db_image_dialog.h"
#include "support/recording_seams.h"
#include "text/cp1252.h"
#include "ui/controls_ui.h"
#include "ui/generator_dialog_ui.h"

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
  Grid(w)->selectionModel()->select(QItemSelection(GridModel(w)->index(top, left), GridModel(w)->index(bottom, right)),
                                    QItemSelectionModel::ClearAndSelect);
}

bool ButtonsEnabled(TForm1& w, bool clr, bool clip, bool form, bool toggle) {
  return Button(w, "Button1")->isEnabled() == clr && Button(w, "Button2")->isEnabled() == clip &&
         Button(w, "Button3")->isEnabled() == form && Button(w, "Button4")->isEnabled() == toggle;
}

// A generator dialog on the shared base that generates a fixed record (the
// simple step sequence's defaults) and counts the menu refreshes it is
// asked for.
class ProbeDialog : public GeneratorDialog {
 public:
  ProbeDialog(ToolHost& host, QWidget* parent) : GeneratorDialog(host, parent, brendax::kGenDbSource, "Probe") {
    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel("Probe", this));
    SetFieldsLayout(fields);
  }
  void RefreshMenus() override { ++refreshes; }
  void WriteRecord(const brendax::RunRecord&) override {}
  int refreshes = 0;

 protected:
  void ApplyDefaults() override {}
  brendax::RunRecord ReadRecord(bool) override { return brendax::DefaultsOf(brendax::SimpleStepFields()); }
};

const brendax::GeneratorEntry kProbeTools[] = {
    {brendax::kGenDbSource, "Probe1", brendax::ToolMenu::kSourceGenerator, "Probe@Sample", false,
     [](ToolHost& host, QWidget* parent) -> QDialog* { return new ProbeDialog(host, parent); }},
    {brendax::kGenNone, "Later1", brendax::ToolMenu::kTools, "Später@Later", true, nullptr},
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsEmptyWithGermanCaptions() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Brendax"));
    QCOMPARE(Action(w, "Beenden1")->text(), QString("Beenden"));
    QCOMPARE(Action(w, "PointerTool1")->text(), QString("Pointer Tool"));
    QCOMPARE(Action(w, "DBAbbildvonDateibin1")->text(), QString("DB- Abbild von Datei"));
    QCOMPARE(Action(w, "HilfeBrendaxde1")->text(), QString("Hilfe (Brendax_de.pdf)"));
    QCOMPARE(Action(w, "Info1")->text(), QString("Über Brendax"));
    QCOMPARE(Button(w, "Button2")->text(), QString("-->Zwischenablage"));
    QCOMPARE(Button(w, "Button4")->text(), QString("Quelle / Symbole"));
    QVERIFY(Memo(w)->isHidden());
    QVERIFY(Grid(w)->isHidden());
    QVERIFY(ButtonsEnabled(w, false, false, false, false));
    QVERIFY(!Action(w, "SollIstDB1")->isVisible());
    QCOMPARE(GridModel(w)->RowCount(), 1);
    QCOMPARE(GridModel(w)->Cell(0, 0), QString("Symbol"));
    QCOMPARE(GridModel(w)->Cell(0, 3), QString("Kommentar"));
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
    QVERIFY(!Grid(w)->isHidden() && Memo(w)->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, false));

    w.PrepareSourceOutput();
    QVERIFY(Grid(w)->isHidden() && !Memo(w)->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, false));

    w.PrepareSourceAndSymbolOutput();
    QVERIFY(Grid(w)->isHidden() && !Memo(w)->isHidden());
    QVERIFY(ButtonsEnabled(w, true, true, true, true));
    w.SetOutputLines({"a", "b"});
    w.SetSymbolRows(FiveRows());

    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    QVERIFY(!Grid(w)->isHidden() && Memo(w)->isHidden());
    QCOMPARE(Grid(w)->width(), w.centralWidget()->width());
    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    QVERIFY(Grid(w)->isHidden() && !Memo(w)->isHidden());

    QTest::mouseClick(Button(w, "Button1"), Qt::LeftButton);  // CLR
    QVERIFY(Grid(w)->isHidden() && Memo(w)->isHidden());
    QVERIFY(ButtonsEnabled(w, false, false, false, false));
    QCOMPARE(GridModel(w)->RowCount(), 1);
    QCOMPARE(GridModel(w)->Cell(0, 1), QString("Adresse"));
    QVERIFY(Memo(w)->toPlainText().isEmpty());
  }

  void layoutGridFollowsTheWidth() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSymbolOutput();
    QCOMPARE(Grid(w)->width(), 633);
    QCOMPARE(Grid(w)->columnWidth(0), 95);
    QCOMPARE(Grid(w)->columnWidth(1), 95);
    QCOMPARE(Grid(w)->columnWidth(2), 95);
    QCOMPARE(Grid(w)->columnWidth(3), 315);

    w.resize(800, w.height());
    QCOMPARE(Grid(w)->width(), 800);
    QCOMPARE(Grid(w)->columnWidth(0), 123);  // 800 / 6 - 10
    QCOMPARE(Grid(w)->columnWidth(3), 399);  // 3 * (800 / 6)
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
    for (int i = 1; i <= 5; ++i) expected += QString("Sym%1\tE %1.0\tBOOL\tKommentar %1\r\n").arg(i);
    QCOMPARE(f.seams.clipboard.last(), expected);
    // The whole table is now shown selected.
    const QItemSelection selection = Grid(w)->selectionModel()->selection();
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
    QVERIFY(Memo(w)->textCursor().hasSelection());

    QTextCursor cursor = Memo(w)->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(24, QTextCursor::KeepAnchor);  // first line, line break, two blanks
    Memo(w)->setTextCursor(cursor);
    w.Button2Click();
    QCOMPARE(f.seams.clipboard.last(), QString("FUNCTION FC 10 : VOID\r\n  "));
    // Ctrl+C in the view copies the same bytes.
    f.seams.clipboard.clear();
    QTest::keyClick(Memo(w), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.seams.clipboard, QStringList{"FUNCTION FC 10 : VOID\r\n  "});

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
    QVERIFY(Memo(w)->toPlainText().isEmpty());
    QCOMPARE(GridModel(w)->RowCount(), 1);

    GeneratorResult ok;
    ok.symbols = {{"Kette", "FC 80", "FC 80", brendax::Ansi("Schrittkette für Förderband")}};
    ok.lines = {brendax::Ansi("// Schrittübergänge"), "END_FUNCTION"};
    ok.notices = {"Hinweis 1", "Hinweis 2"};
    w.ShowGeneratorResult(ok, &w);
    QCOMPARE(GridModel(w)->RowCount(), 2);
    QCOMPARE(GridModel(w)->Cell(0, 0), QString("Symbol"));
    QCOMPARE(GridModel(w)->Cell(1, 3), QString("Schrittkette für Förderband"));
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

    QCOMPARE(Memo(w)->document()->blockCount(), 135001);  // the last line break opens an empty line
    QCOMPARE(Memo(w)->document()->findBlockByNumber(134999).text(), QString("      L     DB10.DBW 134999"));
    QVERIFY(!Memo(w)->document()->isUndoAvailable());
    QCOMPARE(GridModel(w)->RowCount(), 100001);
  }

  void menuIsBuiltFromTheRegistryInBothLanguages() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    // The order of the entries in "Tools" and its source-generator submenu.
    auto names = [](QMenu* menu) {
      QStringList list;
      for (QAction* action : menu->actions())
        list << (action->menu() ? action->menu()->objectName() : action->objectName());
      return list;
    };
    QCOMPARE(names(Menu(w, "Tools")),
             (QStringList{"Symbolgenerator1", "Quellen1", "", "Adressrechner", "PointerTool1"}));
    QVERIFY(Menu(w, "Tools")->actions().at(2)->isSeparator());
    QCOMPARE(names(Menu(w, "Quellen1")), (QStringList{"DBUDT1", "MeldeDBUDT1", "SollIstDB1", "DBAbbildvonDateibin1",
                                                      "AWLSchrittketteBasic1", "AWLSchrittkette1"}));

    for (int language : {0, 1}) {
      w.settings().setNationalLanguage(language);
      w.ApplyLanguage();
      for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry()) {
        const QString caption = QString::fromUtf8(row.caption);
        const QString expected = caption.section('@', language, language);
        QAction* action = Action(w, row.menuName);
        QCOMPARE(action->text(), expected);
        QMenu* owner = row.menu == brendax::ToolMenu::kSourceGenerator ? Menu(w, "Quellen1") : Menu(w, "Tools");
        QVERIFY2(owner->actions().contains(action), row.menuName);
        QCOMPARE(action->isVisible(), !row.expertOnly);
      }
    }
    QCOMPARE(Action(w, "SollIstDB1")->text(), QString("Soll- Ist- DB"));
    QCOMPARE(Action(w, "AWLSchrittketteBasic1")->text(), QString("STL-Step-Sequence-Simple"));

    // Expert-only entries follow the mode at the next RefreshMenus.
    w.SetExpertMode(true);
    QVERIFY(!Action(w, "SollIstDB1")->isVisible());
    w.RefreshMenus();
    for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry())
      QVERIFY2(Action(w, row.menuName)->isVisible(), row.menuName);
    w.SetExpertMode(false);
    w.RefreshMenus();
    QVERIFY(!Action(w, "SollIstDB1")->isVisible());
  }

  void menuAndFormularOpenEachToolsDialog() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QWidget* seen = nullptr;
    auto openAndClose = [&seen](const std::function<void()>& open) {
      seen = nullptr;
      QTimer::singleShot(0, [&seen] {
        seen = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(seen)) dialog->reject();
      });
      open();
      QCoreApplication::processEvents();  // a tool without a dialog leaves the timer pending
    };

    int withDialog = 0;
    for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry()) {
      QDialog* dialog = w.ToolDialog(row.menuName);
      QCOMPARE(dialog != nullptr, row.factory != nullptr);
      if (!dialog) continue;
      ++withDialog;
      QVERIFY2(dialog->isHidden(), row.menuName);  // created at start, hidden
      openAndClose([&] { Action(w, row.menuName)->trigger(); });
      QCOMPARE(seen, static_cast<QWidget*>(dialog));
      if (row.code == brendax::kGenNone) continue;
      QCOMPARE(brendax::FindGenerator(row.code), &row);
      w.LastGenerator = row.code;
      openAndClose([&] { w.Button3Click(); });
      QCOMPARE(seen, static_cast<QWidget*>(dialog));
    }
    QVERIFY(withDialog >= 2);

    // No generator yet, or a code of none: "Formular" does nothing.
    for (int code : {0, 1, 99}) {
      w.LastGenerator = code;
      openAndClose([&] { w.Button3Click(); });
      QCOMPARE(seen, static_cast<QWidget*>(nullptr));
    }
  }

  void registryRowDrivesMenuDialogAndFormular() {
    MainWindowFixture f(kProbeTools);
    TForm1& w = *f.window;
    auto* probe = dynamic_cast<ProbeDialog*>(w.ToolDialog("Probe1"));
    QVERIFY(probe);
    QCOMPARE(Action(w, "Probe1")->text(), QString("Probe"));
    QVERIFY(Menu(w, "Quellen1")->actions().contains(Action(w, "Probe1")));
    QVERIFY(!Action(w, "Later1")->isVisible());

    // The window's menu refresh reaches the dialogs on the shared base.
    const int refreshed = probe->refreshes;
    QVERIFY(refreshed >= 1);  // at the first showing
    w.RefreshMenus();
    QCOMPARE(probe->refreshes, refreshed + 1);

    // Generate from the menu: the code, the views and the focus follow.
    QTimer::singleShot(0, probe, [probe] { probe->Button1->click(); });
    Action(w, "Probe1")->trigger();
    QCOMPARE(w.LastGenerator, int(brendax::kGenDbSource));
    const auto expected = brendax::GenerateSimpleStep(brendax::DefaultsOf(brendax::SimpleStepFields()), w.mnemonics());
    QCOMPARE(w.MemoText(), FromAnsi(brendax::JoinLinesCrLf(expected.lines)));
    QCOMPARE(GridModel(w)->RowCount(), 2);
    QVERIFY(ButtonsEnabled(w, true, true, true, true));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));

    // "Formular" reopens it; an entry without a dialog does nothing.
    bool reopened = false;
    QTimer::singleShot(0, probe, [probe, &reopened] {
      reopened = QApplication::activeModalWidget() == probe;
      probe->reject();
    });
    QTest::mouseClick(Button(w, "Button3"), Qt::LeftButton);
    QVERIFY(reopened);
    w.SetExpertMode(true);
    w.RefreshMenus();
    QVERIFY(Action(w, "Later1")->isVisible());
    Action(w, "Later1")->trigger();
    QVERIFY(!QApplication::activeModalWidget());
  }

  void mainWindowIsActiveAgainAfterADialogCloses() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    std::vector<std::function<void()>> openers = {[&] { Action(w, "Sprache1")->trigger(); },
                                                  [&] { Action(w, "Info1")->trigger(); }};
    for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry())
      if (row.factory) openers.push_back([&w, &row] { Action(w, row.menuName)->trigger(); });
    for (const auto& open : openers) {
      bool dialogWasActive = false;
      QTimer::singleShot(0, [&dialogWasActive] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialogWasActive = QTest::qWaitForWindowActive(dialog);
        // Activating another window on close would leave the keyboard there.
        qobject_cast<QDialog*>(dialog)->reject();
      });
      open();
      QVERIFY(dialogWasActive);
      QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    }
  }

  void dialogsOpenCentredAtTheSamePlaceEveryTime() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.move(w.pos() + QPoint(37, 21));  // not where the dialogs would be on the screen
    std::vector<std::pair<QString, QAction*>> entries = {{"Sprache1", Action(w, "Sprache1")},
                                                         {"Info1", Action(w, "Info1")}};
    for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry())
      if (row.factory) entries.emplace_back(row.menuName, Action(w, row.menuName));
    for (const auto& [name, action] : entries) {
      QList<QRect> places;
      for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, [&places] {
          QWidget* dialog = QApplication::activeModalWidget();
          places << dialog->geometry();
          qobject_cast<QDialog*>(dialog)->reject();
        });
        action->trigger();
      }
      QCOMPARE(places.size(), 2);
      QVERIFY2(places[0] == places[1], qPrintable(name));
      // Centred over the main window.
      const QPoint offset = places[0].center() - w.frameGeometry().center();
      QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2, qPrintable(name));
    }
  }

  void helpFindsTheManualOrSaysWhereItLooked() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    // Nowhere to be found: one message that names the folders searched.
    w.HilfeBrendaxde1Click();
    QVERIFY(f.seams.opened.isEmpty());
    QCOMPARE(f.seams.messages.size(), 1);
    QVERIFY2(f.seams.messages[0].contains(QDir::currentPath()), qPrintable(f.seams.messages[0]));

    // In the working folder it opens, with English captions as well.
    QFile pdf(work.filePath("Brendax_de.pdf"));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    w.settings().setNationalLanguage(1);
    w.ApplyLanguage();
    QCOMPARE(Action(w, "HilfeBrendaxde1")->text(), QString("Help (Brendax_de.pdf)"));
    w.HilfeBrendaxde1Click();
    QCOMPARE(f.seams.opened.size(), 1);
    QCOMPARE(QFileInfo(f.seams.opened[0]).canonicalFilePath(), QFileInfo(pdf).canonicalFilePath());
    // No viewer could open it: the user is told.
    f.seams.openSucceeds = false;
    w.HilfeBrendaxde1Click();
    QCOMPARE(f.seams.messages.size(), 2);
    QVERIFY(f.seams.messages[1].contains("Brendax_de.pdf"));
    // A stored language of neither kind opens nothing.
    w.settings().setNationalLanguage(2);
    w.HilfeBrendaxde1Click();
    QCOMPARE(f.seams.opened.size(), 2);
    QCOMPARE(f.seams.messages.size(), 2);
    QDir::setCurrent(previous);
  }

  void saveWritesTheVisibleView() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QPushButton* save = Button(w, "Button5");
    QVERIFY(!save->isEnabled());
    QCOMPARE(save->text(), QString("Speichern ..."));
    GeneratorResult result;
    result.symbols = {{"Kette", "FC 80", "FC 80", brendax::Ansi("Schrittkette für Band")},
                      {"Start", "E  1.0", "Bool", ""}};
    result.lines = {"FUNCTION FC 80 : VOID", "END_FUNCTION"};
    w.PrepareSourceAndSymbolOutput();
    w.ShowGeneratorResult(result, &w);
    QVERIFY(save->isEnabled());

    // The source: without an extension the file gets ".awl".
    QTemporaryDir dir;
    f.seams.saveAnswers << dir.filePath("kette");
    save->click();
    QCOMPARE(f.seams.saveFilters.last(), QString("AWL-Quelle (*.awl)"));
    QCOMPARE(ReadAll(dir.filePath("kette.awl")), QByteArray("FUNCTION FC 80 : VOID\r\nEND_FUNCTION\r\n"));

    // The rows, in the type chosen in the dialog.
    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    f.seams.saveAnswers << dir.filePath("a.asc") + "|Symboltabelle ASC (*.asc)"
                        << dir.filePath("b") + "|Symboltabelle SEQ (*.seq)";
    save->click();
    save->click();
    const QByteArray asc = ReadAll(dir.filePath("a.asc"));
    QCOMPARE(asc.size(), 2 * 132);
    QVERIFY(asc.startsWith("126,Kette                   FC     80   FC 80     Schrittkette f\xFCr Band"));
    QCOMPARE(ReadAll(dir.filePath("b.seq")),
             QByteArray("\tFC 80\tKette\tSchrittkette f\xFCr Band\r\n\tE 1.0\tStart\t\r\n"));
    QVERIFY(f.seams.questions.isEmpty());

    // Rows the import would refuse: asked first; "No" writes nothing.
    result.symbols.push_back({"Start", "E  1.1", "Bool", ""});
    w.PrepareSourceAndSymbolOutput();
    w.ShowGeneratorResult(result, &w);
    QTest::mouseClick(Button(w, "Button4"), Qt::LeftButton);
    f.seams.yesNoAnswers << false;
    f.seams.saveAnswers << dir.filePath("c.sdf") + "|Symboltabelle SDF (*.sdf)";
    save->click();
    QCOMPARE(f.seams.questions.size(), 1);
    QVERIFY(f.seams.questions[0].contains("gleiches Symbol \"Start\""));
    QVERIFY(!QFile::exists(dir.filePath("c.sdf")));

    // A failed write names the file and the reason.
    f.seams.saveAnswers << dir.filePath("kein Ordner/x.txt") + "|Text mit Tabulatoren (*.txt)";
    save->click();
    QVERIFY(f.seams.messages.last().startsWith("Beim Speichern der Datei\r\n"));
    QVERIFY(f.seams.messages.last().contains("kein Ordner"));

    // Cancelled: nothing happens.
    const int messages = f.seams.messages.size();
    save->click();
    QCOMPARE(f.seams.messages.size(), messages);
  }

  void saveProposesTheBlockNameInTheFolderSavedToLast() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    GeneratorResult result;
    result.symbols = {{"Kette", "FC 80", "FC 80", ""}};
    result.lines = {"DATA_BLOCK DB 81", "END_DATA_BLOCK", "FUNCTION FC 80 : VOID", "END_FUNCTION"};
    w.PrepareSourceAndSymbolOutput();
    w.ShowGeneratorResult(result, &w);
    QPushButton* save = Button(w, "Button5");
    QTemporaryDir dir;
    f.seams.saveAnswers << dir.filePath("erste.awl");
    save->click();
    QCOMPARE(f.seams.saveProposals.last(), QDir::current().filePath("FC80.awl"));

    // The rows: the same name in the folder saved to last, in the type chosen last.
    w.Button4Click();
    f.seams.saveAnswers << dir.filePath("zeilen.sdf") + "|Symboltabelle SDF (*.sdf)";
    save->click();
    QCOMPARE(f.seams.saveProposals.last(), dir.filePath("FC80.asc"));
    save->click();  // cancelled
    QCOMPARE(f.seams.saveProposals.last(), dir.filePath("FC80.sdf"));

    // Rows without a block (the symbol generator's) have a name of their own.
    w.PrepareSymbolOutput();
    w.SetSymbolRows(FiveRows());
    save->click();
    QCOMPARE(f.seams.saveProposals.last(), dir.filePath("Symbole.sdf"));
  }

  void statusLineCountsLinesAndRowsAndNamesTheGenerator() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    const auto status = [&w] {
      QStringList texts;
      for (const char* name : {"StatusLines", "StatusRows", "StatusGenerator"})
        texts << w.findChild<QLabel*>(name)->text();
      return texts;
    };
    QVERIFY(w.statusBar()->isVisible());
    QCOMPARE(status(), (QStringList{"Quelltext: 0 Zeilen", "Symbole: 0 Zeilen", ""}));

    GeneratorResult result;
    result.symbols = {{"Kette", "FC 80", "FC 80", ""}, {"Start", "E  1.0", "Bool", ""}};
    result.lines = {"FUNCTION FC 80 : VOID", "", "END_FUNCTION"};
    w.SetLastGenerator(brendax::kGenStepSimple);
    w.PrepareSourceAndSymbolOutput();
    w.ShowGeneratorResult(result, &w);
    QCOMPARE(status(), (QStringList{"Quelltext: 3 Zeilen", "Symbole: 2 Zeilen", "Generator: AWL-Schrittkette-Simple"}));

    w.settings().setNationalLanguage(1);
    w.ApplyLanguage();
    QCOMPARE(status(), (QStringList{"Source: 3 lines", "Symbols: 2 rows", "Generator: STL-Step-Sequence-Simple"}));
    Button(w, "Button1")->click();  // CLR
    QCOMPARE(status(), (QStringList{"Source: 0 lines", "Symbols: 0 rows", "Generator: STL-Step-Sequence-Simple"}));
  }

  void sizeAndPlaceAreKeptInAFileBesideTheSettings() {
    QTemporaryDir dir;
    const QString settings = dir.filePath("brendax.set");
    const QString side = dir.filePath("brendax.window");
    {
      MainWindowFixture f(settings);
      QCOMPARE(f.window->PlacementPath(), side);
      f.window->resize(700, 500);
      f.window->move(30, 40);
      f.window->close();
    }
    QCOMPARE(ReadAll(side), QByteArray("Brendax-Fenster 1\r\n30 40 700 500 0\r\n"));
    QVERIFY(!QFile::exists(settings));  // the settings record is not written for it
    {
      MainWindowFixture f(settings);
      QCOMPARE(f.window->size(), QSize(700, 500));
      QCOMPARE(f.window->pos(), QPoint(30, 40));
    }
    // A damaged file is ignored: the window opens as at the first start.
    QFile damaged(side);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("Brendax-Fenster 1\r\n30 40 7");
    damaged.close();
    MainWindowFixture f(settings);
    QCOMPARE(f.window->centralWidget()->size(), QSize(633, 372));
  }

  void gridColumnsWidenByDraggingAndFitByADoubleClick() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.PrepareSymbolOutput();
    w.SetSymbolRows({{"FC_Schrittkette_Band_1", "FC 80", "FC 80", "K"}});
    QHeaderView* header = Grid(w)->horizontalHeader();
    // The titles stand in the header, not in a row of their own.
    QVERIFY(header->isVisible());
    QVERIFY(Grid(w)->isRowHidden(0));
    QCOMPARE(header->model()->headerData(3, Qt::Horizontal).toString(), QString("Kommentar"));
    QCOMPARE(Grid(w)->columnWidth(0), 95);  // as laid out

    const int y = header->height() / 2;
    const auto edge = [header](int column) {
      return header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
    };
    const int address = edge(1);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(address, y));
    QTest::mouseMove(header->viewport(), QPoint(address + 40, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(address + 40, y));
    QCOMPARE(Grid(w)->columnWidth(1), 135);

    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(edge(0), y));
    QVERIFY(Grid(w)->columnWidth(0) > Grid(w)->fontMetrics().horizontalAdvance("FC_Schrittkette_Band_1"));
  }

  void aFileDroppedOnTheWindowOpensTheDbImageDialog() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QTemporaryDir dir;
    const QString file = dir.filePath("tabelle.bin");
    QFile bytes(file);
    QVERIFY(bytes.open(QIODevice::WriteOnly));
    bytes.write("abc");
    bytes.close();
    w.PrepareSourceOutput();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    // On the source view, which would take the name as text.
    QWidget* target = Memo(w)->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QString shown;
    QTimer::singleShot(0, [&shown] {
      auto* dialog = qobject_cast<TForm7QuelleDBFileKopieBin*>(QApplication::activeModalWidget());
      shown = dialog ? dialog->LabeledEdit1->text() : QString("no dialog");
      if (dialog) dialog->reject();
    });
    QTRY_VERIFY(!shown.isEmpty());
    QCOMPARE(shown, QDir::toNativeSeparators(file));
    QVERIFY(Memo(w)->toPlainText().isEmpty());

    // A folder is not taken.
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(dir.path())});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &folder, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &refused);
    QVERIFY(!refused.isAccepted());
  }

  void qtsOwnDialogsAndButtonsFollowTheLanguage() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
      QSKIP("Qt's German texts (qt6-translations-l10n) are not installed");
    MainWindowFixture f;
    TForm1& w = *f.window;
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Suchen in:"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ja"));
    w.settings().setNationalLanguage(1);
    w.ApplyLanguage();
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
    w.settings().setNationalLanguage(0);
    w.ApplyLanguage();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
  }

  void saveFailureShowsTheFullPath() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kein Ordner/brendax.set");
    MainWindowFixture f(path);
    TForm1& w = *f.window;
    QTimer::singleShot(0, [&w] {
      LanguageDialog(w)->ListBox1->setCurrentRow(1);
      LanguageDialog(w)->Button1->click();
    });
    w.Sprache1Click();
    QCOMPARE(f.seams.messages,
             QStringList{"Beim speichern der Datei\r\n" + path + "\r\nist ein Fehler aufgetreten !!"});
    // The settings in memory stay as chosen.
    QCOMPARE(w.settings().nationalLanguage(), 1);
    QCOMPARE(Action(w, "Sprache1")->text(), QString("Language"));
    QVERIFY(!w.SaveSettings());
    QCOMPARE(f.seams.messages.size(), 2);
  }

  void exitClosesTheWindow() {
    MainWindowFixture f;
    QVERIFY(f.window->isVisible());
    Action(*f.window, "Beenden1")->trigger();
    QVERIFY(!f.window->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
