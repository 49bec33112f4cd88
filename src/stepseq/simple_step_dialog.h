#pragma once

#include "stepseq/simple_step.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class QCheckBox;
class LabeledEdit;
class RadioGroup;

// The simple step-sequence dialog ("AWL-Schrittkette-Simple"). Choosing the
// jump list forces and greys the numbering; "pro Schritt ein Netzwerk" is a
// stored setting, written at every click.
class TForm10AWL_SchrittketteEinfach : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm10AWL_SchrittketteEinfach(ToolHost& host, QWidget* parent);

  // The record as the controls hold it now, and back.
  brendax::SimpleStepParams Params() const { return binder_.Read(); }
  void SetParams(const brendax::SimpleStepParams& params) { binder_.Write(params); }

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

 public slots:
  void RadioGroup1Click();
  void CheckBox2Click();

 protected:
  void ApplyDefaults() override;
  void OnShow() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;
  std::string HelpText() const override { return brendax::SimpleStepHelpText(); }

 private:
  FieldBinder<brendax::SimpleStepParams> binder_;
};
