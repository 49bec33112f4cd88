#pragma once

#include "datablocks/target_actual.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class LabeledEdit;
class QPlainTextEdit;

// The target/actual DB dialog ("Soll-Ist-DB"): sizes, name prefixes and the
// two assignment lists; the generated block goes to the source view.
class TForm3 : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm3(ToolHost& host, QWidget* parent = nullptr);

  LabeledEdit* LabeledEdit6;  // Startadresse
  LabeledEdit* LabeledEdit2;  // Anzahl Doppelworte
  LabeledEdit* LabeledEdit1;  // Anzahl Varianten
  LabeledEdit* LabeledEdit3;  // Ist-DW
  LabeledEdit* LabeledEdit9;  // Teach-Maske
  LabeledEdit* LabeledEdit8;  // Fehler-Bit
  LabeledEdit* LabeledEdit4;  // Soll-Bit
  LabeledEdit* LabeledEdit5;  // Aktiv-Bit
  LabeledEdit* LabeledEdit7;  // Variante (Schritt)
  QPlainTextEdit* Memo1;      // variant symbols
  QPlainTextEdit* Memo2;      // address symbols
  QPlainTextEdit* Memo3;      // the syntax note

  const FieldBinder<brendax::TargetActualParams>& binder() const { return binder_; }

 protected:
  void ApplyDefaults() override;
  void PrepareOutput() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;

 private:
  FieldBinder<brendax::TargetActualParams> binder_;
};
