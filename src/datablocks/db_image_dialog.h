#pragma once

#include "datablocks/db_image.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

class LabeledEdit;
class QCheckBox;
class QComboBox;
class QPushButton;

// The DB image dialog ("DB-Abbild von Datei"): a file, the block number, the
// array's name, element type, byte order, size and lower bound. Its buttons
// are named as the program names them: ".." is Button1, "Generieren"
// Button2, "Abbrechen" Button3, "?" Button4.
class TForm7QuelleDBFileKopieBin : public GeneratorDialog {
  Q_OBJECT

 public:
  TForm7QuelleDBFileKopieBin(ToolHost& host, QWidget* parent = nullptr);

  LabeledEdit* LabeledEdit1;  // Quelldatei
  QPushButton* BrowseButton;  // ".." (Button1)
  LabeledEdit* LabeledEdit2;  // DB-Nummer
  LabeledEdit* LabeledEdit5;  // Name d. Arrayvariable
  QComboBox* ComboBox1;       // Byte / Word / DWord / Char
  QCheckBox* CheckBox2;       // swap
  LabeledEdit* LabeledEdit3;  // Array-Größe
  QCheckBox* CheckBox1;       // Automatisch
  LabeledEdit* LabeledEdit4;  // Array beginnt mit

  // The record as the controls hold it, the path included.
  brendax::DbImageParams Params() const;

 public slots:
  // "..": a chosen file's full path replaces the path field.
  void Button1Click();
  // A file dropped on the dialog (or on the main window): its full path
  // replaces the path field.
  void SetFile(const QString& path);

 protected:
  void ApplyDefaults() override;
  void PrepareOutput() override;
  brendax::RunRecord ReadRecord(bool writeBack) override;
  void WriteRecord(const brendax::RunRecord& record) override;
  std::string HelpText() const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The edit fields pass a dropped file to the dialog instead of taking
  // its name as text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateCountField();
  FieldBinder<brendax::DbImageParams> binder_;
};
