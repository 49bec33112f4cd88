#pragma once

#include "datablocks/message_db.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class LabeledEdit;
class RadioGroup;

// "Melde-DB /-UDT": numbered bit messages as a data block, or as a UDT with
// a data block of its instances.
class TForm6Melde_DB_UDT : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm6Melde_DB_UDT(ToolHost& host, QWidget* parent);

  LabeledEdit* LabeledEdit2;  // DB-/ UDT- Nummer
  LabeledEdit* LabeledEdit1;  // Anzahl Bit-Meldungen
  RadioGroup* RadioGroup1;    // Erzeuge

  brendax::MessageDbParams Params() const { return binder_.Read(); }

 protected:
  void ApplyDefaults() override;
  void PrepareOutput() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;

 private:
  FieldBinder<brendax::MessageDbParams> binder_;
};
