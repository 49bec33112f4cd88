// The symbol generator's dialog ("Symbolgenerator") and the small dialog
// that stores its form as one of eight named templates.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "symbols/symbol_generator.h"
#include "ui/generator_dialog_ui.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class LabeledEdit;
class RadioGroup;

// "Formular Speichern als": picks one of the eight slots and names it.
class TFormSymbolgenSaveFormular : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSymbolgenSaveFormular(QWidget* parent);

  // Puts the stored names into the name fields without moving the
  // selection, and selects the slot saved to last (slot 1 at first).
  void SetNames(const std::array<QString, 8>& names);
  // The chosen slot (1..8) and the text of its name field.
  int SelectedSlot() const;
  QString SelectedName() const;

  RadioGroup* RadioGroup1;
  std::array<QLineEdit*, 8> Edits{};  // Edit1 .. Edit8
  QPushButton* Button1;               // Speichern
  QPushButton* Button2;               // Abbrechen
  bool Saved = false;

 public slots:
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Clicking into or changing name field `index` selects its slot.
  void EditTouched(int index);
  bool fillingNames_ = false;
  int lastSavedSlot_ = 1;
};

class TForm2 : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm2(ToolHost& host, QWidget* parent);

  // The form as the controls hold it now (the view included), and back.
  brendax::SymbolParams Form() const;
  void SetForm(const brendax::SymbolParams& form);

  // Sets the eight load entries to "Lade Vorlage N : " and the stored name.
  void RefreshMenus() override;

  LabeledEdit* LabeledEdit5;              // Anzahl Symbole
  QComboBox* ComboBox1;                   // Adressbereich
  QLabel* Label1;                         // its caption
  LabeledEdit* LabeledEdit1;              // Startadresse <A1>
  LabeledEdit* LabeledEdit2;              // Startadresse2 <A2>
  LabeledEdit* LabeledEdit3;              // Startwert Counter1 <C1>
  LabeledEdit* LabeledEdit4;              // Startwert Counter2 <C2>
  LabeledEdit* LabeledEdit8;              // Startw. Count.3 (Sequ.) <C3>
  LabeledEdit* LabeledEdit9;              // Schrittweite C1
  LabeledEdit* LabeledEdit10;             // Schrittweite C2
  std::array<LabeledEdit*, 4> T1Edits{};  // LabeledEdit12 .. 15
  std::array<LabeledEdit*, 4> T2Edits{};  // LabeledEdit16 .. 19
  LabeledEdit* LabeledEdit6;              // Symbol
  LabeledEdit* LabeledEdit7;              // Kommentar
  QFrame* Bevel1;                         // divider
  QPushButton* Button6;                   // Vereinfachen / Erweitern

  QMenuBar* MainMenu1;
  QAction* Abbrechen1;
  QAction* OKGenerieren1;
  QAction* BeispielInterface1;
  QAction* BeispielZylinder1;
  QAction* Programmnummer1;
  std::array<QAction*, 8> LoadEntries{};  // LadeFormular11 .. LadeFormular81
  QAction* LadeFormular82;                // Speichern als Vorlage
  QAction* Vereinfacht1;
  QAction* Hilfe1;

  TFormSymbolgenSaveFormular* FormSymbolgenSaveFormular;

  bool SimplifiedView = true;
  int SequenceCount = 0;

 public slots:
  void Vereinfacht1Click();
  void LabeledEdit12Change();
  void Button4Click();                 // Beispiel Interface
  void Button5Click();                 // Beispiel Zylinder
  void Programmnummer1Click();         // Beispiel Programmnummer
  void LadeFormular11Click(int slot);  // load template 1..8
  void LadeFormular82Click();          // save as template

 protected:
  void ApplyDefaults() override;
  void OnShow() override;
  void PrepareOutput() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;
  std::string HelpText() const override;
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyView();
  int AreaIndex() const;
};
