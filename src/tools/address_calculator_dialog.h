#pragma once

#include <QDialog>

#include "tools/address_calculator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ToolHost;

// The address calculator window ("Adressrechner"): of start address, start
// number, end address and end number the one marked "X" is computed from
// the other three at every keystroke. It writes nothing into the main
// window and keeps its texts and the sought field between showings.
class TForm5 : public QDialog {
  Q_OBJECT

 public:
  TForm5(ToolHost& host, QWidget* parent);

  // The state as the window holds it now.
  brendax::AddressState State() const;
  brendax::AddressField Sought() const { return sought_; }

  QLineEdit* Edit1;      // Anfang / Adresse
  QLineEdit* Edit2;      // Anfang / Lfd. Nummer
  QLineEdit* Edit3;      // Ende / Adresse
  QLineEdit* Edit4;      // Ende / Lfd. Nummer
  QLineEdit* Edit5;      // Differenz (display only, read-only)
  QPushButton* Button4;  // marks Edit1 as sought
  QPushButton* Button5;  // marks Edit2
  QPushButton* Button6;  // marks Edit3
  QPushButton* Button7;  // marks Edit4
  QPushButton* Button3;  // Toggle X
  QPushButton* Button2;  // Clear
  QPushButton* Button8;  // Beispiel
  QPushButton* Button1;  // Close

 public slots:
  void Recompute();
  void Button3Click();
  void Button2Click();
  void Button8Click();
  void Button1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void Button4Click(brendax::AddressField field);
  QLineEdit* FieldEdit(int field) const;
  QPushButton* MarkButton(int field) const;
  void SetFields(const brendax::AddressState& state);

  ToolHost& host_;
  brendax::AddressField sought_ = brendax::kEndNumber;
  bool shownOnce_ = false;
};
