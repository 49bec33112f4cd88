// The frame every generator dialog shares: a fixed dialog window, the
// fields on the left and the button column "Generieren" / "Abbrechen" / "?"
// on the right, the defaults at the first showing, the same position at
// every showing, the help text, and the generate action that hands the
// core's result to the main window.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <string>

#include "core/generator_result.h"

class QLayout;
class QPushButton;
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
  // Reads the controls (trimming and writing back as the generator does)
  // and lets the core generate.
  virtual brendax::GeneratorResult Generate() = 0;
  // Windows-1252, lines separated by CR; empty: no "?" button.
  virtual std::string HelpText() const { return {}; }

  ToolHost& host() { return host_; }
  const ToolHost& host() const { return host_; }

  void showEvent(QShowEvent* event) override;

 private:
  ToolHost& host_;
  int generatorCode_;
  bool defaultsApplied_ = false;
  QLayout* buttons_ = nullptr;
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
