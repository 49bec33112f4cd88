// A Seams implementation for tests: records every message, clipboard text
// and opened document instead of talking to the desktop, so nothing blocks.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <span>

#include "ui/seams_ui.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class SymbolGridModel;
class TForm1;
class TForm4;
class TFormSpracheinstellung;
namespace brendax {
struct GeneratorEntry;
}

class RecordingSeams : public Seams {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override;
  void SetClipboardText(const QString& text) override;
  bool OpenDocument(const QString& fileName) override;
  // Answers from `openAnswers`, first in first out; empty (cancelled) when
  // none is left. Records the folder each dialog started in.
  QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;

  QStringList messages;
  // Called at every message box, before it is recorded, with its parent.
  std::function<void(QWidget* parent)> onMessage;
  QStringList clipboard;  // every text put on the clipboard, in order
  QStringList opened;
  QStringList openAnswers;   // what the next file-open dialogs return
  QStringList openFolders;   // the folder every file-open dialog started in
  bool openSucceeds = true;  // what OpenDocument reports
  // File-save dialogs: the answers first in first out (a path, "|", the
  // chosen type's filter text; empty: cancelled); the filter lists offered.
  QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filters,
                          QString* selectedFilter) override;
  QStringList saveAnswers;
  QStringList saveFilters;
  QStringList saveProposals;  // the path each dialog proposed
  // Yes/no questions: the texts asked and the answers (Yes when none is left).
  bool AskYesNo(QWidget* parent, const QString& text) override;
  QStringList questions;
  QList<bool> yesNoAnswers;
  // Save / discard / cancel: the texts go to `questions`; the answers first
  // in first out (Cancel when none is left).
  SaveChoice AskSaveDiscardCancel(QWidget* parent, const QString& text) override;
  QList<SaveChoice> choiceAnswers;
};

// A main window on a fresh settings path inside its own temporary folder,
// shown (so that its first-show work has run).
struct MainWindowFixture {
  MainWindowFixture();
  explicit MainWindowFixture(const QString& settingsPath);
  // A window whose Tools menu holds these rows instead of the program's.
  explicit MainWindowFixture(std::span<const brendax::GeneratorEntry> tools);
  ~MainWindowFixture();

  QTemporaryDir dir;
  QString settingsPath;
  RecordingSeams seams;
  std::unique_ptr<TForm1> window;
};

// With BRENDAX_SCREENSHOTS (or BRENDAX_SCREENSHOT_DIR) set to a folder,
// saves the widget there under `name`; a generator dialog once its preview
// shows the fields as they stand.
void SaveScreenshot(QWidget* widget, const char* name);

// Reads a whole file; empty when missing.
QByteArray ReadAll(const QString& path);

// The main window's parts, found by their object names ("Memo1", "Button3",
// "Sprache1", ...); a missing part ends the test program.
QPlainTextEdit* Memo(TForm1& window);
QTableView* Grid(TForm1& window);
SymbolGridModel* GridModel(TForm1& window);
QPushButton* Button(TForm1& window, const char* name);
QAction* Action(TForm1& window, const char* name);
QMenu* Menu(TForm1& window, const char* name);
TFormSpracheinstellung* LanguageDialog(TForm1& window);
TForm4* InfoDialog(TForm1& window);
