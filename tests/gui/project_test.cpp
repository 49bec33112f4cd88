// Projects in the window: a project file is a batch job of brendax-cli.
// Opening fills the dialogs, "Generieren" records its run, saving and
// opening again gives the same job, and "Alles generieren" writes the same
// bytes as the batch.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/main_window.h"
#include "app/symbol_grid_ui.h"
#include "core/symbol_table_file.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "project/job_runs.h"
#include "stepseq/extended_step_dialog.h"
#include "support/recording_seams.h"
#include "text/cp1252.h"
#include "ui/controls_ui.h"

namespace {

// The job of the README, and a larger one: every generator, the largest
// target/actual block, two runs of one generator, English mnemonics.
const char* const kReadmeJob = R"({
  "source": "anlage.awl",
  "symbols": "anlage.sdf",
  "symbols-format": "sdf",
  "mnemonics": "de",
  "runs": [
    {"generator": "step-extended", "options": {"fc-number": "81", "count": "10"}},
    {"generator": "db", "options": {"db-number": "100", "type": "Int", "suffix": ["_ein", "_aus"]}},
    {"generator": "message-db", "options": {"number": "12", "variant": "udt-ack"}},
    {"generator": "db-image", "options": {"file": "tabelle.bin", "db-number": "7"}},
    {"generator": "symbols", "options": {"example": "cylinder"}}
  ]
})";

const char* const kLargerJob = R"({
  "source": "gross.awl",
  "symbols": "gross.seq",
  "mnemonics": "en",
  "runs": [
    {"generator": "target-actual-db", "options": {"double-words": "32", "variants": "64",
                                                 "variant-symbols": "varianten.txt"}},
    {"generator": "step-simple", "options": {"fc-number": "90", "structure": "jump-list", "count": "255"}},
    {"generator": "step-extended", "options": {"example": "2", "fc-number": "91", "db-number": "92",
                                              "timer-fc-number": "93"}},
    {"generator": "db", "options": {"db-number": "200", "type": "Date_And_Time", "count": "32768",
                                   "name-from": "number"}},
    {"generator": "db", "options": {"db-number": "201", "initial-value": "TRUE"}},
    {"generator": "message-db", "options": {"number": "300", "count": "10000"}},
    {"generator": "db-image", "options": {"file": "tabelle.bin", "db-number": "7", "type": "dword", "swap": "on"}},
    {"generator": "symbols", "options": {"example": "interface", "count": "1000", "area": "outputs"}}
  ]
})";

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Runs brendax-cli batch on the job; its exit status.
int RunBatch(const QString& job) {
  QProcess cli;
  cli.start(BRENDAX_CLI_PATH, {"batch", job});
  if (!cli.waitForFinished(120000)) return -1;
  return cli.exitCode();
}

// The grid's rows 1 onward as symbol rows.
std::vector<brendax::SymbolRow> GridRows(TForm1& w) {
  auto* model = w.findChild<SymbolGridModel*>();
  std::vector<brendax::SymbolRow> rows;
  for (int r = 1; r < model->RowCount(); ++r)
    rows.push_back(
        {ToAnsi(model->Cell(r, 0)), ToAnsi(model->Cell(r, 1)), ToAnsi(model->Cell(r, 2)), ToAnsi(model->Cell(r, 3))});
  return rows;
}

QAction* Entry(TForm1& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }

// With BRENDAX_SCREENSHOTS set to a folder, the window with its menu
// "Projekt" open is saved there, as the screen shows it.
void MenuScreenshot(TForm1& w) {
  const QString dir = qEnvironmentVariable("BRENDAX_SCREENSHOTS");
  if (dir.isEmpty()) return;
  auto* menu = w.findChild<QMenu*>("Projekt1");
  w.raise();
  w.activateWindow();
  QTest::qWait(200);
  menu->popup(w.menuBar()->mapToGlobal(w.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
  QTest::qWait(400);
  const QRect area = w.frameGeometry().united(menu->geometry());
  QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(QDir(dir).filePath("project_menu.png"));
  menu->hide();
}

}  // namespace

class ProjectTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    WriteFile(dir_.filePath("tabelle.bin"), QByteArray("Tabelle\0\x01\x02\xFF", 11));
    WriteFile(dir_.filePath("varianten.txt"), "1=Grund\n2=Automatik\n64=Ende\n");
  }

  // "Alles generieren" puts the batch's source file into the memo byte for
  // byte, and its symbol file's rows into the grid.
  void allesGenerierenWritesWhatTheBatchWrites() {
    struct Case {
      const char* name;
      const char* job;
      const char* source;
      const char* symbols;
      brendax::SymbolFileFormat format;
    } cases[] = {
        {"anlage.brendax.json", kReadmeJob, "anlage.awl", "anlage.sdf", brendax::SymbolFileFormat::kSdf},
        {"gross.brendax.json", kLargerJob, "gross.awl", "gross.seq", brendax::SymbolFileFormat::kSeq},
    };
    for (const Case& c : cases) {
      const QString job = dir_.filePath(c.name);
      WriteFile(job, c.job);
      QCOMPARE(RunBatch(job), 0);
      MainWindowFixture f;
      TForm1& w = *f.window;
      QVERIFY(w.OpenProject(job));
      Entry(w, "AllesGenerieren1")->trigger();
      const QByteArray source = ReadAll(dir_.filePath(c.source));
      QVERIFY(!source.isEmpty());
      QCOMPARE(ToAnsi(w.MemoText()), source.toStdString());
      QCOMPARE(brendax::FormatSymbolFile(GridRows(w), c.format), ReadAll(dir_.filePath(c.symbols)).toStdString());
    }
  }

  // Saving and opening again gives the job that was opened; the caption
  // shows the name and "*" while there are unsaved changes; "Generieren"
  // replaces the run of its generator and block, or adds one.
  void saveOpenRoundTripAndRecordedRuns() {
    const QString job = dir_.filePath("anlage.brendax.json");
    WriteFile(job, kReadmeJob);
    MainWindowFixture f;
    TForm1& w = *f.window;
    QVERIFY(w.OpenProject(job));
    QCOMPARE(w.windowTitle(), QString("Brendax - anlage"));
    const brendax::Job read = brendax::ReadJob(job.toStdString());
    QCOMPARE(w.Project(), read);
    // Each dialog shows its run.
    auto* db = w.findChild<TForm5QuelleDB*>();
    QCOMPARE(db->LabeledEdit2->text(), QString("100"));
    QCOMPARE(db->ComboBox1->currentText(), QString("Int"));

    const QString copy = dir_.filePath("kopie.brendax.json");
    QVERIFY(w.SaveProject(copy));
    QCOMPARE(brendax::ReadJob(copy.toStdString()), read);
    QCOMPARE(w.RecentProjects(), QStringList({copy, job}));
    MenuScreenshot(w);

    // The same block again replaces run 2; another block is a new run.
    auto generate = [](QDialog* dialog, const std::function<void()>& edit) {
      QTimer::singleShot(0, dialog, [dialog, edit] {
        edit();
        dialog->findChild<QPushButton*>("Button1")->click();
      });
      dialog->exec();
    };
    generate(db, [db] { db->LabeledEdit4->setText("7"); });
    QCOMPARE(w.windowTitle(), QString("Brendax - kopie*"));
    QCOMPARE(w.Project().runs.size(), read.runs.size());
    QCOMPARE(w.Project().runs[1].generator, std::string("db"));
    auto* messages = w.findChild<TForm6Melde_DB_UDT*>();
    generate(messages, [messages] { messages->LabeledEdit2->setText("13"); });
    QCOMPARE(w.Project().runs.size(), read.runs.size() + 1);
    QVERIFY(w.ProjectChanged());

    // Both runs as the batch reads them: the dialog's record again.
    QVERIFY(w.SaveProject(copy));
    QCOMPARE(w.windowTitle(), QString("Brendax - kopie"));
    const brendax::Job saved = brendax::ReadJob(copy.toStdString());
    QVERIFY(std::get<brendax::DbSourceParams>(brendax::RecordOfRun(saved, 1, "")).count == "7");
    QVERIFY(std::get<brendax::MessageDbParams>(brendax::RecordOfRun(saved, 5, "")).number == "13");
  }

  // A file that is no valid job gives the batch's message and leaves the
  // open project and the dialogs as they were; unsaved changes are asked
  // about before another project replaces them.
  void badFilesChangeNothingAndChangesAreAskedFor() {
    const QString good = dir_.filePath("anlage.brendax.json");
    WriteFile(good, kReadmeJob);
    struct Case {
      const char* text;
      const char* message;
    } cases[] = {
        {"{\"source\": \"a.awl\",\n \"runs\": [\n  {\"generator\": \"db\",, }]}",
         "not valid JSON at line 3, column 22"},
        {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"foo": "1"}}]})",
         "run 1 (db): unknown option --foo"},
        {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"type": "Bit"}}]})",
         "run 1 (db): --type: Bit not in {Bool,"},
    };
    MainWindowFixture f;
    TForm1& w = *f.window;
    QVERIFY(w.OpenProject(good));
    auto* db = w.findChild<TForm5QuelleDB*>();
    for (const Case& c : cases) {
      const QString bad = dir_.filePath("bad.json");
      WriteFile(bad, c.text);
      f.seams.messages.clear();
      QVERIFY(!w.OpenProject(bad));
      QCOMPARE(f.seams.messages.size(), 1);
      QVERIFY2(f.seams.messages.front().contains(QString::fromUtf8(c.message)), qPrintable(f.seams.messages.front()));
      QCOMPARE(w.ProjectPath(), good);
      QCOMPARE(db->LabeledEdit2->text(), QString("100"));
    }
    QVERIFY(!w.OpenProject(dir_.filePath("missing.json")));

    // Unsaved changes: "Abbrechen" keeps the project, "Verwerfen" lets "Neu" go on.
    w.RecordRun(brendax::DefaultsOf(brendax::MessageDbFields()));
    QVERIFY(w.ProjectChanged());
    f.seams.choiceAnswers = {Seams::SaveChoice::kCancel, Seams::SaveChoice::kDiscard};
    Entry(w, "ProjektNeu1")->trigger();
    QCOMPARE(w.ProjectPath(), good);
    Entry(w, "ProjektNeu1")->trigger();
    QVERIFY(w.ProjectOpen() && w.ProjectPath().isEmpty() && !w.ProjectChanged());
    QCOMPARE(f.seams.questions.size(), 2);
    QCOMPARE(w.windowTitle(), QString("Brendax - Unbenannt"));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(ProjectTest)
#include "project_test.moc"
