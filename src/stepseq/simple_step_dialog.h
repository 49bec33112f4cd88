#pragma once

#include <QDialog>

#include "stepseq/simple_step.h"

class QCheckBox;
class QPushButton;
class LabeledEdit;
class RadioGroup;
class TForm1;

// The simple step-sequence dialog ("AWL-Schrittkette-Simple"): fills the
// parameter record from its controls, lets the core generate, and hands the
// result to the main window.
class TForm10AWL_SchrittketteEinfach : public QDialog {
  Q_OBJECT

 public:
  explicit TForm10AWL_SchrittketteEinfach(TForm1& main);

  // The record as the controls hold it now, and back.
  brendax::SimpleStepParams Params() const;
  void SetParams(const brendax::SimpleStepParams& params);

  LabeledEdit* LabeledEdit1;   // FC- Nummer
  LabeledEdit* LabeledEdit3;   // FC- Name
  RadioGroup* RadioGroup1;     // Struktur
  QCheckBox* CheckBox1;        // one change per cycle
  QCheckBox* CheckBox2;        // pro Schritt ein Netzwerk
  LabeledEdit* LabeledEdit9;   // Nr. 1. Schritt
  LabeledEdit* LabeledEdit11;  // Schrittabstand
  LabeledEdit* LabeledEdit10;  // Anzahl Schritte
  LabeledEdit* LabeledEdit5;   // Freigabe 1
  LabeledEdit* LabeledEdit6;   // Freigabe 2
  LabeledEdit* LabeledEdit7;   // Freigabe. 3
  LabeledEdit* LabeledEdit12;  // Freigabe. 4
  QPushButton* Button1;        // Generieren
  QPushButton* Button2;        // Abbrechen
  QPushButton* Button3;        // ?

 public slots:
  void Button1Click();
  void Button3Click();
  void RadioGroup1Click();
  void CheckBox2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  TForm1& main_;
  bool defaultsApplied_ = false;
};
