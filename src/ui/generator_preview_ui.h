// The preview pane of a generator dialog: the source lines (and the symbol
// rows) that "Generieren" would write for the fields as they stand, updated
// shortly after every edit. The run is computed on a copy of the fields in a
// worker thread, so typing never waits for it; a run that an edit made
// outdated is dropped when it ends. A refused run keeps the last good output
// greyed, shows the message box text under it and marks the field whose
// check refused it: a red frame around the control, the message as its tool
// tip. The pane writes nothing: not the main window, not the settings, not
// the clipboard, not the fields.
#pragma once

#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/generator_result.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QTimer;

class GeneratorPreview : public QWidget {
  Q_OBJECT

 public:
  // The run of the fields as they stand, self-contained (it holds copies),
  // for the worker thread.
  using Task = std::function<brendax::GeneratorResult()>;
  // Makes the task of the current fields; runs on the window's thread.
  using TaskSource = std::function<Task()>;
  // The control that shows the field of a command-line option, or nullptr.
  using ControlOf = std::function<QWidget*(const std::string& option)>;

  // How many lines and rows the pane shows; the counts say how many there are.
  static constexpr std::size_t kShownLines = 500;
  static constexpr std::size_t kShownRows = 200;
  // The pause after the last edit before the run starts.
  static constexpr int kDebounceMs = 150;

  GeneratorPreview(TaskSource source, ControlOf controlOf, QWidget* parent);
  // Waits for a run still in the worker.
  ~GeneratorPreview() override;

  // Which parts the generator writes: source lines, symbol rows.
  void SetParts(bool lines, bool rows);
  // Watches every input control of `dialog` (edits, memos, lists, check
  // boxes, radio buttons) outside this pane: each change schedules a run.
  void WatchInputs(QWidget* dialog);
  // A run kDebounceMs after the last call.
  void Schedule();
  // A run at once (the dialog's showing).
  void UpdateNow();
  // Stops a pending run and removes the mark (the dialog closes).
  void Stop();
  // Shows or hides the pane's body as the session's "Vorschau" says.
  void ApplyVisible();

  // The check box "Vorschau": one state for every dialog, kept for the session.
  static bool SessionVisible();

  // The pause before a run; the benchmarks set 0.
  void SetDebounceForTesting(int ms);

  // What the pane shows, for tests and benchmarks.
  QString ShownText() const;    // the shown lines, each followed by "\n"
  QString CountText() const;    // "12 Zeilen", "134259 Zeilen (die ersten 500 gezeigt)"
  QString MessageText() const;  // the message box text of a refused run, else empty
  int ShownRowCount() const;
  QWidget* MarkedControl() const { return marked_; }
  bool ShowsStaleOutput() const;  // the last good output is greyed
  bool Busy() const { return pending_ || inFlight_ || next_.has_value(); }

  QCheckBox* CheckBox1;  // Vorschau

 signals:
  // A run's result is shown (tests, benchmarks).
  void shown();

 private:
  // What the worker hands back: the run cut to what the pane shows.
  struct Shown {
    int errorCode = 0;
    std::string box;
    std::string field;
    std::vector<std::string> lines;  // at most kShownLines
    std::size_t lineCount = 0;
    std::vector<brendax::SymbolRow> rows;  // at most kShownRows, blank rows left out
    std::size_t rowCount = 0;
  };
  static Shown Cut(const brendax::GeneratorResult& result);
  void Start();
  void Launch();
  void Show(unsigned generation, const Shown& shown);
  void Mark(QWidget* control, const QString& message);
  void Unmark();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TaskSource source_;
  ControlOf controlOf_;
  QTimer* timer_;
  QWidget* body_;
  QPlainTextEdit* text_;
  QTableWidget* rows_;
  QLabel* count_;
  QLabel* message_;
  QFrame* frame_ = nullptr;  // the red frame over the marked control
  QPointer<QWidget> marked_;
  QString markedToolTip_;  // the marked control's own tool tip
  QThreadPool pool_;
  // Every run gets the next generation; only the newest one's result is
  // shown. One run at a time is in the worker, and at most one waits: the
  // newest.
  unsigned generation_ = 0;
  bool pending_ = false;  // the pause after an edit is running
  bool inFlight_ = false;
  std::optional<Task> next_;
  unsigned nextGeneration_ = 0;
};
