// The language dialog: national language of the captions and the mnemonic
// convention of the generated code.
#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class ToolHost;

class TFormSpracheinstellung : public QDialog {
  Q_OBJECT

 public:
  TFormSpracheinstellung(ToolHost& host, QWidget* parent);

  // The translated captions; `languageText` picks one side of a bilingual text.
  void ApplyCaptions(const std::function<QString(const QString&)>& languageText);

  // Set by "OK"; cleared each time the dialog is shown.
  bool Confirmed = false;

  // Index of the selected mnemonic item (0 German, 1 English).
  int RadioGroup1ItemIndex() const;

  QGroupBox* GroupBox1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* RadioGroup1Item0 = nullptr;
  QRadioButton* RadioGroup1Item1 = nullptr;
  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // Abbrechen

 public slots:
  void ListBox1Click();
  void Button1Click();
  void Button2Click();

 signals:
  // "OK" stored the choice in the settings record: the captions and the
  // mnemonic set follow it now, before the dialog closes.
  void languageChosen();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  ToolHost& host_;
};
