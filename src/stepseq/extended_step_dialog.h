#pragma once

#include "stepseq/extended_step.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class LabeledEdit;

// The extended step-sequence dialog ("AWL-Schrittkette-Extended"), with the
// two example sets on "Beispiel 1" and "Beispiel 2".
class TForm8AWL_Schrittkette : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm8AWL_Schrittkette(ToolHost& host, QWidget* parent);

  // The record as the controls hold it now, and back.
  brendax::ExtendedStepParams Params() const { return binder_.Read(); }
  void SetParams(const brendax::ExtendedStepParams& params) { binder_.Write(params); }

  LabeledEdit* LabeledEdit1;   // FC- Nummer
  LabeledEdit* LabeledEdit3;   // FC- Name
  LabeledEdit* LabeledEdit2;   // DB- Nummer
  LabeledEdit* LabeledEdit4;   // DB- Name
  QCheckBox* CheckBox2;        // Erzeuge interne Timer
  LabeledEdit* LabeledEdit13;  // FC- Nummer (timer)
  LabeledEdit* LabeledEdit14;  // FC- Name (Timer)
  QLabel* ComboLabel;
  QComboBox* ComboBox1;        // Max. Anzahl Schritte (editable)
  LabeledEdit* LabeledEdit9;   // Nr. 1. Schritt
  LabeledEdit* LabeledEdit8;   // Nr. Initialschritt
  LabeledEdit* LabeledEdit10;  // Anzahl Schritte
  LabeledEdit* LabeledEdit11;  // Schrittabstand
  QCheckBox* CheckBox1;        // Erzeuge Rückwärts-Transitionen
  LabeledEdit* LabeledEdit5;   // Freigabe 1
  LabeledEdit* LabeledEdit6;   // Freigabe 2
  LabeledEdit* LabeledEdit7;   // Freig. 3 (vorw.)
  LabeledEdit* LabeledEdit12;  // Freig. 4 (rückw.)
  QPushButton* Button4;        // Beispiel 1
  QPushButton* Button5;        // Beispiel 2

 public slots:
  void Button4Click();
  void Button5Click();

 protected:
  void ApplyDefaults() override { SetParams(brendax::ExtendedExample1()); }
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;
  std::string HelpText() const override { return brendax::ExtendedStepHelpText(); }

 private:
  FieldBinder<brendax::ExtendedStepParams> binder_;
};
