// The main window: menu, the two output views (source memo and symbol grid),
// the four output buttons, and the state all tools share (settings record,
// mnemonic set, last generator, expert mode).
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "core/settings.h"
#include "core/generator_codes.h"
#include "ui/tool_host_ui.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QWidget;
class Seams;
class SymbolGridModel;
class TForm4;
class TFormSpracheinstellung;
class TForm8AWL_Schrittkette;
class TForm10AWL_SchrittketteEinfach;


class TForm1 : public QMainWindow, public ToolHost {
  Q_OBJECT

 public:
  // Derives nothing itself: the caller passes the settings path it resolved.
  TForm1(Seams& seams, QString settingsPath, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shared state.
  int LastGenerator = brendax::kGenNone;
  bool ExpertMode = false;
  QString SettingsPath;
  QString HelpFileDe;
  QString HelpFileEn;
  // ToolHost.
  brendax::SettingsRecord& settings() override { return settings_; }
  const brendax::MnemonicSet& mnemonics() const override { return mnemonics_; }
  Seams& seams() override { return seams_; }
  bool expertMode() const override { return ExpertMode; }
  void SetLastGenerator(int code) override { LastGenerator = code; }

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

  // Widgets, named as in the program.
  QPlainTextEdit* Memo1 = nullptr;
  QTableView* StringGrid1 = nullptr;
  SymbolGridModel* GridModel = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* Button1 = nullptr;  // CLR
  QPushButton* Button2 = nullptr;  // --> Zwischenablage
  QPushButton* Button3 = nullptr;  // Formular
  QPushButton* Button4 = nullptr;  // Quelle / Symbole

  // Menu entries.
  QAction* Beenden1 = nullptr;
  QMenu* Tools = nullptr;
  QAction* Symbolgenerator1 = nullptr;
  QMenu* Quellen1 = nullptr;
  QAction* DBUDT1 = nullptr;
  QAction* MeldeDBUDT1 = nullptr;
  QAction* SollIstDB1 = nullptr;
  QAction* DBAbbildvonDateibin1 = nullptr;
  QAction* AWLSchrittketteBasic1 = nullptr;
  QAction* AWLSchrittkette1 = nullptr;
  QAction* Adressrechner = nullptr;
  QAction* PointerTool1 = nullptr;
  QMenu* Einstellungen1 = nullptr;
  QAction* Sprache1 = nullptr;
  QMenu* Hilfe2 = nullptr;
  QAction* HilfeBrendaxde1 = nullptr;
  QAction* Info1 = nullptr;

  // Dialogs, created once at start.
  TForm4* Form4 = nullptr;  // Info
  TForm8AWL_Schrittkette* Form8AWL_Schrittkette = nullptr;
  TFormSpracheinstellung* FormSpracheinstellung = nullptr;
  TForm10AWL_SchrittketteEinfach* Form10AWL_SchrittketteEinfach = nullptr;

 public slots:
  void Beenden1Click();
  void SymInterfaceClick();
  void DBUDT1Click();
  void MeldeDBUDT1Click();
  void SollIstDB1Click();
  void DBAbbildvonDateibin1Click();
  void AWLSchrittketteBasic1Click();
  void AWLSchrittkette1Click();
  void AdressrechnerClick();
  void PointerTool1Click();
  void Sprache1Click();
  void HilfeBrendaxde1Click();
  void Info1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormShow();
  Seams& seams_;
  brendax::SettingsRecord settings_;
  brendax::MnemonicSet mnemonics_;
  bool firstShowDone_ = false;
};
