// The language dialog: national language of the captions and the mnemonic
// convention of the generated code.
#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class TForm1;

class TFormSpracheinstellung : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSpracheinstellung(TForm1& main);

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

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  TForm1& main_;
};
