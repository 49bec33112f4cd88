// The main window: menu, the two output views (source memo and symbol grid),
// the four output buttons, and the state all tools share (settings record,
// mnemonic set, last generator, expert mode).
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/generator_result.h"
#include "app/mnemonics.h"
#include "app/settings.h"

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

// Codes of the generator that ran last; "Formular" reopens its dialog.
enum LastGeneratorCode : int {
  kGenNone = 0,
  kGenSymbols = 10,
  kGenDbSource = 20,
  kGenMessageDb = 21,
  kGenTargetActualDb = 22,
  kGenDbImage = 23,
  kGenStepExtended = 24,
  kGenStepSimple = 25,
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Derives nothing itself: the caller passes the settings path it resolved.
  TForm1(Seams& seams, QString settingsPath, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shared state.
  int LastGenerator = kGenNone;
  bool ExpertMode = false;
  QString SettingsPath;
  QString HelpFileDe;
  QString HelpFileEn;
  brendax::SettingsRecord& settings() { return settings_; }
  const brendax::MnemonicSet& mnemonics() const { return mnemonics_; }
  Seams& seams() { return seams_; }

  // Language and settings.
  QString LanguageText(const QString& bilingual) const;
  void ApplyLanguage();
  void LoadSettings();
  // Writes the settings record; on failure shows the message and keeps the
  // record in memory. Returns whether it was written.
  bool SaveSettings();
  void RefreshMenus();

  // Output operations.
  void ClearOutput();
  void PrepareSymbolOutput();
  void PrepareSourceOutput();
  void PrepareSourceAndSymbolOutput();
  void LayoutGrid();
  // Sets the memo to the lines in one operation (each line ends with a line break).
  void SetOutputLines(const std::vector<std::string>& lines);
  // Sets the grid's row count to rows + 1 and fills rows 1 onward.
  void SetSymbolRows(const std::vector<brendax::SymbolRow>& rows);
  // Hands a generator's result to the window: the error message box, or the
  // symbol rows, the lines and then the notices as message boxes.
  void ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent);
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
