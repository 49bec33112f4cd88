// The main window: menu, the two output views (source memo and symbol grid),
// the four output buttons, and the state all tools share (settings record,
// mnemonic set, last generator, expert mode). The tools reach it only through
// the ToolHost interface.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/generator_codes.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "core/settings.h"
#include "project/job.h"
#include "ui/tool_host_ui.h"

class CrLfTextPane;
class QAction;
class QCloseEvent;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QTranslator;
class QWidget;
class Seams;
class SymbolGridModel;
class TForm4;
class TFormSpracheinstellung;

namespace brendax {
struct GeneratorEntry;
}

class TForm1 : public QMainWindow, public ToolHost {
  Q_OBJECT

 public:
  // Derives nothing itself: the caller passes the settings path it resolved.
  // `tools` are the rows of the Tools menu (default: GeneratorRegistry()); they
  // must outlive the window.
  TForm1(Seams& seams, QString settingsPath, QWidget* parent = nullptr,
         std::span<const brendax::GeneratorEntry> tools = {});
  ~TForm1() override;

  // Shared state.
  int LastGenerator = brendax::kGenNone;
  QString SettingsPath;
  QString HelpFileDe;
  QString HelpFileEn;

  // ToolHost.
  brendax::SettingsRecord& settings() override { return settings_; }
  const brendax::MnemonicSet& mnemonics() const override { return mnemonics_; }
  Seams& seams() override { return seams_; }
  bool expertMode() const override { return expertMode_; }
  void SetLastGenerator(int code) override;
  // Switches the expert mode; the menu follows at the next RefreshMenus, the
  // caption at the next ApplyLanguage.
  void SetExpertMode(bool on) { expertMode_ = on; }

  // Language and settings.
  QString LanguageText(const QString& bilingual) const;
  void ApplyLanguage();
  void LoadSettings();
  // Writes the settings record; on failure shows the message and keeps the
  // record in memory. Returns whether it was written.
  bool SaveSettings() override;
  void RefreshMenus() override;

  // Output operations.
  void ClearOutput();
  void PrepareSymbolOutput() override;
  void PrepareSourceOutput() override;
  void PrepareSourceAndSymbolOutput() override;
  void LayoutGrid();
  // Sets the memo to the lines in one operation (each line ends with a line break).
  void SetOutputLines(const std::vector<std::string>& lines);
  // Sets the grid's row count to rows + 1 and fills rows 1 onward.
  void SetSymbolRows(const std::vector<brendax::SymbolRow>& rows);
  void ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent) override;
  // Text shown in the memo, with CR LF line ends (for tests and the clipboard).
  QString MemoText() const;

  // The project: a batch job of brendax-cli, kept while the window runs.
  // While one is open, every run "Generieren" makes in a dialog becomes its
  // run. Opening fills each dialog with its generator's first run; the
  // batch's message, and nothing changed, when the file cannot be read.
  void RecordRun(const brendax::RunRecord& record) override;
  bool OpenProject(const QString& path);
  // Saves the project at `path`, all or nothing; a failure names the file.
  bool SaveProject(const QString& path);
  bool ProjectOpen() const { return project_.has_value(); }
  bool ProjectChanged() const { return projectChanged_; }
  const brendax::Job& Project() const { return *project_; }
  QString ProjectPath() const { return projectPath_; }
  QStringList RecentProjects() const { return recentProjects_; }

  // The dialog created for a tool's menu entry (nullptr while it has none).
  QDialog* ToolDialog(const QString& menuName) const;
  // Shows a tool's dialog modally, then gives the window the focus back.
  void OpenTool(const brendax::GeneratorEntry& entry);
  // Opens the DB image dialog with this file (a file dropped on the window).
  void OpenFileAsDbImage(const QString& path);

  // The file beside the settings file that keeps the window's size and
  // place between starts (written when the window closes).
  QString PlacementPath() const;

 public slots:
  void Beenden1Click();
  void Sprache1Click();
  void HilfeBrendaxde1Click();
  void Info1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  // "Speichern ...": the visible view into a file.
  void Button5Click();
  // The menu "Projekt".
  void ProjektNeu1Click();
  void ProjektOeffnen1Click();
  bool ProjektSpeichern1Click();
  bool ProjektSpeichernUnter1Click();
  void AllesGenerieren1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // With unsaved project changes, asks first (Speichern / Verwerfen /
  // Abbrechen); keeps the window's place.
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The source view would take a dropped file's name as text; the window
  // takes the file instead.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ToolEntry {
    const brendax::GeneratorEntry* row;
    QAction* action;
    QDialog* dialog;
  };

  void BuildMenu(std::span<const brendax::GeneratorEntry> rows);
  void FormShow();
  // Runs a dialog modally; afterwards the main window is active again, so
  // the keyboard works on it without a click.
  int ExecAndRegainFocus(QDialog* dialog);
  // Qt's own texts (file dialogs, standard buttons) in German while the
  // German interface is chosen.
  void ApplyQtTranslation();
  // The status line: lines of the source, rows of the symbols, the last
  // generator.
  void UpdateStatusLine();
  void RestorePlacement();
  void SavePlacement() const;
  // "Brendax", " +" in the expert mode, the project's name and "*" while it
  // has unsaved changes.
  void UpdateCaption();
  void UpdateProjectMenu();
  // True when the project may be closed: no unsaved changes, or the user
  // saved or discarded them.
  bool ConfirmCloseProject();
  // The job path the messages name: the project file, or "Unbenannt".
  std::string ProjectJobPath() const;
  void RememberProject(const QString& path);
  QString RecentProjectsPath() const;
  // "Beim Speichern der Datei <path> ist ein Fehler aufgetreten: <reason>".
  void ShowWriteFailure(const QString& path, const std::string& error);

  Seams& seams_;
  brendax::SettingsRecord settings_;
  brendax::MnemonicSet mnemonics_;
  bool expertMode_ = false;
  bool firstShowDone_ = false;

  // Widgets, named as in the program (object names as well).
  CrLfTextPane* Memo1 = nullptr;
  QTableView* StringGrid1 = nullptr;
  SymbolGridModel* GridModel = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* Button1 = nullptr;  // CLR
  QPushButton* Button2 = nullptr;  // --> Zwischenablage
  QPushButton* Button3 = nullptr;  // Formular
  QPushButton* Button4 = nullptr;  // Quelle / Symbole
  QPushButton* Button5 = nullptr;  // Speichern ...
  QLabel* StatusLines = nullptr;
  QLabel* StatusRows = nullptr;
  QLabel* StatusGenerator = nullptr;

  // Menu entries outside the tool registry.
  QAction* Beenden1 = nullptr;
  QMenu* Tools = nullptr;
  QMenu* Quellen1 = nullptr;
  QMenu* Einstellungen1 = nullptr;
  QAction* Sprache1 = nullptr;
  QMenu* Hilfe2 = nullptr;
  QAction* HilfeBrendaxde1 = nullptr;
  QAction* Info1 = nullptr;
  QMenu* Projekt1 = nullptr;
  QAction* ProjektNeu1 = nullptr;
  QAction* ProjektOeffnen1 = nullptr;
  QAction* ProjektSpeichern1 = nullptr;
  QAction* ProjektSpeichernUnter1 = nullptr;
  QAction* AllesGenerieren1 = nullptr;
  std::array<QAction*, 4> LetzteProjekte{};  // LetztesProjekt1 .. 4

  std::optional<brendax::Job> project_;
  QString projectPath_;  // empty while the project has never been saved
  bool projectChanged_ = false;
  QStringList recentProjects_;  // newest first, at most four

  // The tools' entries and dialogs, in registry order.
  std::vector<ToolEntry> tools_;
  // The application's own dialogs.
  TForm4* Form4 = nullptr;  // Info
  TFormSpracheinstellung* FormSpracheinstellung = nullptr;

  std::unique_ptr<QTranslator> qtTranslator_;
  // "Speichern ...": the folder and the symbol-table type chosen last, for
  // this session.
  QString saveFolder_;
  QString rowFilter_;
};
