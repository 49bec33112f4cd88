// The frame every generator dialog shares: a fixed dialog window, the
// fields on the left and the button column "Generieren" / "Abbrechen" / "?"
// on the right, the preview pane below them, the defaults at the first
// showing, the same position at every showing, the help text, and the
// generate action that hands the core's result to the main window. A dialog
// supplies its fields as a record (ReadRecord): "Generieren", the preview
// and a project's run all go from there.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <string>

#include "core/generator_result.h"
#include "project/run_record.h"

class GeneratorPreview;
class QHBoxLayout;
class QLayout;
class QPushButton;
class QVBoxLayout;
class ToolHost;

class GeneratorDialog : public QDialog {
  Q_OBJECT

 public:
  // `generatorCode` is the main window's last-generator code (0 for none).
  GeneratorDialog(ToolHost& host, QWidget* parent, int generatorCode, const QString& title);

  QPushButton* Button1;  // Generieren
  QPushButton* Button2;  // Abbrechen
  QPushButton* Button3;  // ?

  // Whether the last closing was a confirmed generate.
  bool Confirmed = false;

  // Called by the main window's RefreshMenus: captions that show stored
  // values (the symbol generator's template entries).
  virtual void RefreshMenus() {}

  // The fields as the record that "Generieren" would generate, without
  // touching them (nothing is trimmed in the fields).
  brendax::RunRecord Record() { return ReadRecord(false); }
  // Puts a record of this dialog's generator into the fields (a project's
  // run); the defaults of the first showing no longer replace them.
  void ShowRecord(const brendax::RunRecord& record);

  GeneratorPreview* Preview() const { return preview_; }

 public slots:
  // Generate: sets the last-generator code, prepares the output views, lets
  // the dialog generate and shows the result; the dialog closes in either
  // case and keeps its values.
  void Button1Click();
  // Help: the dialog's help text in a message box.
  void Button3Click();

 protected:
  // Places the dialog's own controls left of the button column.
  void SetFieldsLayout(QLayout* fields);
  // Names a control so that the field table can find it.
  template <class W>
  static W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
  }

  // The dialog's first showing: its default values.
  virtual void ApplyDefaults() = 0;
  // Every showing, after the defaults.
  virtual void OnShow() {}
  // Prepares the views the result goes to (default: source and symbols).
  virtual void PrepareOutput();
  // The fields as a record, trimmed where the generator trims; with
  // `writeBack` the trimmed texts are also written back into the fields
  // (only "Generieren" does that). The record is the only thing that goes
  // to the generation, so the preview shows what "Generieren" writes.
  virtual brendax::RunRecord ReadRecord(bool writeBack) = 0;
  // The record into the fields.
  virtual void WriteRecord(const brendax::RunRecord& record) = 0;
  // Windows-1252, lines separated by CR; empty: no "?" button.
  virtual std::string HelpText() const { return {}; }

  ToolHost& host() { return host_; }
  const ToolHost& host() const { return host_; }

  // The button column, for dialogs that add buttons of their own.
  QVBoxLayout* ButtonColumn() const { return buttons_; }
  // Takes the button column out of the frame (a dialog that places the
  // three buttons itself).
  void RemoveButtonColumn();

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  ToolHost& host_;
  int generatorCode_;
  bool defaultsApplied_ = false;
  bool previewWatching_ = false;
  QVBoxLayout* buttons_ = nullptr;
  QHBoxLayout* row_ = nullptr;  // the fields and the button column
  GeneratorPreview* preview_ = nullptr;
};

// Centres a dialog over its parent window (or the screen) the same way at
// every showing, whatever the height of the window frame.
void CentreOverParent(QWidget* dialog);

// Gives the focus to the first control of the dialog's Tab chain that can
// take it (the chosen item of a radio group): every dialog opens with the
// focus in its first field, whatever had it when the dialog closed.
void FocusFirstField(QWidget* dialog);

// Sets the Tab order of the widgets to the order given; a compound control
// (LabeledEdit) moves with its parts.
void SetTabChain(std::initializer_list<QWidget*> widgets);
