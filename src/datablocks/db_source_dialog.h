#pragma once

#include "datablocks/db_source.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class LabeledEdit;
class RadioGroup;

// "DB - Quelle erzeugen": a data block of variables of one elementary type.
// Picking a type proposes its initial value.
class TForm5QuelleDB : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm5QuelleDB(ToolHost& host, QWidget* parent);

  LabeledEdit* LabeledEdit2;  // DB- Nummer
  QLabel* Label1;             // Datentyp :
  QComboBox* ComboBox1;       // the type list, selection only
  LabeledEdit* LabeledEdit4;  // Anzahl Variablen
  LabeledEdit* LabeledEdit5;  // Namenskürzel (vorn)
  RadioGroup* RadioGroup1;    // Generiere Name aus
  LabeledEdit* LabeledEdit8;  // Startadresse/ Startnummer
  QLabel* Label2;             // Zahlenformat:
  QComboBox* ComboBox2;       // digit count
  QLabel* Label3;             // Sequenz (optional):
  QPlainTextEdit* Memo1;      // name suffixes, one per line
  LabeledEdit* LabeledEdit7;  // Anfangswertzuweisung

  brendax::DbSourceParams Params() const { return binder_.Read(); }

 public slots:
  // The user picked a type: its initial value replaces the typed one.
  void ComboBox1Change(int index);

 protected:
  void ApplyDefaults() override;
  void PrepareOutput() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;

 private:
  FieldBinder<brendax::DbSourceParams> binder_;
};
