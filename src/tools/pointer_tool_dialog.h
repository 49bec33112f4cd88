#pragma once

#include <QDialog>

#include "tools/pointer_tool.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class CrLfTextPane;
class QPushButton;
class RadioGroup;
class ToolHost;

// The pointer tool window ("Pointer-Tool"): the variant, its inputs, seven
// check boxes and the listing pane that follows every change. It works on
// its own and writes nothing into the main window.
class TForm14Pointerrechner : public QDialog {
  Q_OBJECT

 public:
  TForm14Pointerrechner(ToolHost& host, QWidget* parent);

  // The state as the controls hold it now.
  brendax::PointerState State() const;

  RadioGroup* RadioGroup1;  // Variante
  QLabel* LabelDatenryp;    // Datentyp
  QComboBox* ComboBoxDatentyp;
  QLabel* LabelWiederholfaktor;  // Wiederholfaktor
  QLineEdit* EditWiederholfaktor;
  QLabel* LabelDatentypParametertyp;  // Parametertyp
  QComboBox* ComboBoxDatentypParametertyp;
  QLabel* LabelBausteinnummer;  // Nummer des Zählers, Timers bzw. Bausteines
  QLineEdit* EditBausteinummer;
  QLabel* LabelDBNummer;  // DB-Nummer (oder 0)
  QLineEdit* EditDBNummer;
  QLabel* LabelSpeicherbereich;  // Speicherbereich
  QComboBox* ComboBoxSpeicherbereich;
  QLabel* LabelAdresse;  // Nummerische  Adresse (z.B. 50 oder 15.4)
  QLineEdit* EditAdresse;
  QCheckBox* CheckBoxLBefehl;     // L
  QCheckBox* CheckBoxTBefehl;     // T
  QCheckBox* CheckBoxByte;        // als Byte
  QCheckBox* CheckBoxWord;        // als Word
  QCheckBox* CheckBoxDWord;       // als DWord
  QCheckBox* CheckBoxKommentar1;  // Kommentar 1
  QCheckBox* CheckBoxKommentar2;  // Kommentar 2
  CrLfTextPane* Memo1;            // the listing
  QPushButton* Button2;           // Aktualisieren
  QPushButton* Button1;           // Close

 public slots:
  // Recompute: shows the inputs of the chosen variant and writes the listing.
  void RadioGrup1Enter();
  void Button1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Every showing: the value fields back to their defaults, then recompute.
  void FormShow();
  void ShowVariantInputs(int variant);

  ToolHost& host_;
};
