#pragma once

#include <QDialog>

#include "stepseq/extended_step.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class LabeledEdit;
class TForm1;

// The extended step-sequence dialog ("AWL-Schrittkette-Extended"): fills
// the parameter record from its controls, lets the core generate, and hands
// the result to the main window.
class TForm8AWL_Schrittkette : public QDialog {
  Q_OBJECT

 public:
  explicit TForm8AWL_Schrittkette(TForm1& main);

  brendax::ExtendedStepParams Params() const;
  void SetParams(const brendax::ExtendedStepParams& params);

  LabeledEdit* LabeledEdit1;   // FC- Nummer
  LabeledEdit* LabeledEdit3;   // FC- Name
  LabeledEdit* LabeledEdit2;   // DB- Nummer
  LabeledEdit* LabeledEdit4;   // DB- Name
  QCheckBox* CheckBox2;        // Erzeuge interne Timer
  LabeledEdit* LabeledEdit13;  // FC- Nummer (timer)
  LabeledEdit* LabeledEdit14;  // FC- Name (Timer)
  QLabel* ComboLabel;
  QComboBox* ComboBox1;        // Max. Anzahl Schritte
  LabeledEdit* LabeledEdit9;   // Nr. 1. Schritt
  LabeledEdit* LabeledEdit8;   // Nr. Initialschritt
  LabeledEdit* LabeledEdit10;  // Anzahl Schritte
  LabeledEdit* LabeledEdit11;  // Schrittabstand
  QCheckBox* CheckBox1;        // Erzeuge Rückwärts-Transitionen
  LabeledEdit* LabeledEdit5;   // Freigabe 1
  LabeledEdit* LabeledEdit6;   // Freigabe 2
  LabeledEdit* LabeledEdit7;   // Freig. 3 (vorw.)
  LabeledEdit* LabeledEdit12;  // Freig. 4 (rückw.)
  QPushButton* Button1;        // Generieren
  QPushButton* Button2;        // Abbrechen
  QPushButton* Button3;        // ?
  QPushButton* Button4;        // Beispiel 1
  QPushButton* Button5;        // Beispiel 2

 public slots:
  void Button1Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  TForm1& main_;
  bool initialised_ = false;
};
