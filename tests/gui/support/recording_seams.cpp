#include "support/recording_seams.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/info_dialog.h"
#include "app/language_dialog.h"
#include "app/main_window.h"
#include "app/symbol_grid_ui.h"
#include "ui/generator_dialog_ui.h"
#include "ui/generator_preview_ui.h"

void RecordingSeams::ShowMessage(QWidget* parent, const QString& text) {
  if (onMessage) onMessage(parent);
  messages << text;
}
void RecordingSeams::SetClipboardText(const QString& text) { clipboard << text; }
bool RecordingSeams::OpenDocument(const QString& fileName) {
  opened << fileName;
  return openSucceeds;
}
QString RecordingSeams::GetSaveFileName(QWidget*, const QString&, const QString& dir, const QString& filters,
                                        QString* selectedFilter) {
  saveFilters << filters;
  saveProposals << dir;
  if (saveAnswers.isEmpty()) return {};
  const QString answer = saveAnswers.takeFirst();
  const qsizetype bar = answer.indexOf(QLatin1Char('|'));
  if (selectedFilter && bar >= 0) *selectedFilter = answer.mid(bar + 1);
  return bar >= 0 ? answer.left(bar) : answer;
}
bool RecordingSeams::AskYesNo(QWidget*, const QString& text) {
  questions << text;
  return yesNoAnswers.isEmpty() ? true : yesNoAnswers.takeFirst();
}
Seams::SaveChoice RecordingSeams::AskSaveDiscardCancel(QWidget*, const QString& text) {
  questions << text;
  return choiceAnswers.isEmpty() ? SaveChoice::kCancel : choiceAnswers.takeFirst();
}
QString RecordingSeams::GetOpenFileName(QWidget*, const QString&, const QString& dir, const QString&) {
  openFolders << dir;
  return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

MainWindowFixture::MainWindowFixture() : MainWindowFixture(QString()) {}

MainWindowFixture::MainWindowFixture(const QString& path)
    : settingsPath(path.isEmpty() ? dir.filePath("brendax.set") : path) {
  window = std::make_unique<TForm1>(seams, settingsPath);
  window->show();
}

MainWindowFixture::MainWindowFixture(std::span<const brendax::GeneratorEntry> tools)
    : settingsPath(dir.filePath("brendax.set")) {
  window = std::make_unique<TForm1>(seams, settingsPath, nullptr, tools);
  window->show();
}

MainWindowFixture::~MainWindowFixture() = default;

void SaveScreenshot(QWidget* widget, const char* name) {
  QString dir = qEnvironmentVariable("BRENDAX_SCREENSHOTS");
  if (dir.isEmpty()) dir = qEnvironmentVariable("BRENDAX_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  if (auto* dialog = qobject_cast<GeneratorDialog*>(widget)) {
    QElapsedTimer clock;
    clock.start();
    while (dialog->Preview()->Busy() && clock.elapsed() < 10000) QTest::qWait(5);
    QTest::qWait(50);  // the layout follows the shown text
  }
  widget->grab().save(QDir(dir).filePath(QLatin1String(name)));
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

namespace {

template <class T>
T* Part(TForm1& window, const char* name) {
  T* part = window.findChild<T*>(QString::fromLatin1(name));
  if (!part) qFatal("the main window has no part named %s", name);
  return part;
}

}  // namespace

QPlainTextEdit* Memo(TForm1& window) { return Part<QPlainTextEdit>(window, "Memo1"); }
QTableView* Grid(TForm1& window) { return Part<QTableView>(window, "StringGrid1"); }
SymbolGridModel* GridModel(TForm1& window) {
  auto* model = qobject_cast<SymbolGridModel*>(Grid(window)->model());
  if (!model) qFatal("the grid has no symbol model");
  return model;
}
QPushButton* Button(TForm1& window, const char* name) { return Part<QPushButton>(window, name); }
QAction* Action(TForm1& window, const char* name) { return Part<QAction>(window, name); }
QMenu* Menu(TForm1& window, const char* name) { return Part<QMenu>(window, name); }
TFormSpracheinstellung* LanguageDialog(TForm1& window) {
  return Part<TFormSpracheinstellung>(window, "FormSpracheinstellung");
}
TForm4* InfoDialog(TForm1& window) { return Part<TForm4>(window, "Form4"); }
