#include "stepseq/extended_step_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/controls_ui.h"
#include "app/main_window.h"
#include "ui/seams_ui.h"

using brendax::ExtendedStepParams;

TForm8AWL_Schrittkette::TForm8AWL_Schrittkette(TForm1& main) : QDialog(&main), main_(main) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle("AWL-Schrittkette-Extended");
  LabeledEdit1 = new LabeledEdit("FC- Nummer", this);
  LabeledEdit3 = new LabeledEdit("FC- Name", this);
  LabeledEdit2 = new LabeledEdit("DB- Nummer", this);
  LabeledEdit4 = new LabeledEdit("DB- Name", this);
  CheckBox2 = new QCheckBox("Erzeuge interne Timer", this);
  LabeledEdit13 = new LabeledEdit("FC- Nummer", this);
  LabeledEdit14 = new LabeledEdit("FC- Name (Timer)", this);
  ComboLabel = new QLabel(QString::fromUtf8("Max. Anzahl Schritte (viele Schritte-> großer DB):"), this);
  ComboBox1 = new QComboBox(this);
  ComboBox1->addItems({"32", "64", "128", "256", "512"});
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboLabel->setBuddy(ComboBox1);
  LabeledEdit9 = new LabeledEdit("Nr. 1. Schritt", this);
  LabeledEdit8 = new LabeledEdit("Nr. Initialschritt", this);
  LabeledEdit10 = new LabeledEdit("Anzahl Schritte", this);
  LabeledEdit11 = new LabeledEdit("Schrittabstand", this);
  CheckBox1 = new QCheckBox(QString::fromUtf8("Erzeuge Rückwärts-Transitionen"), this);
  LabeledEdit5 = new LabeledEdit("In-Variable Freigabe 1", this);
  LabeledEdit6 = new LabeledEdit("In-Variable Freigabe 2", this);
  LabeledEdit7 = new LabeledEdit("In-Variable Freig. 3 (vorw.)", this);
  LabeledEdit12 = new LabeledEdit(QString::fromUtf8("In-Variable Freig. 4 (rückw.)"), this);
  Button1 = new QPushButton("Generieren", this);
  Button2 = new QPushButton("Abbrechen", this);
  Button3 = new QPushButton("?", this);
  Button4 = new QPushButton("Beispiel 1", this);
  Button5 = new QPushButton("Beispiel 2", this);
  Button1->setDefault(true);

  auto* blocks = new QGridLayout;
  blocks->addWidget(LabeledEdit1, 0, 0);
  blocks->addWidget(LabeledEdit3, 0, 1);
  blocks->addWidget(LabeledEdit2, 1, 0);
  blocks->addWidget(LabeledEdit4, 1, 1);

  auto* timerBox = new QGroupBox(this);
  auto* timers = new QGridLayout(timerBox);
  timers->addWidget(CheckBox2, 0, 0, 1, 2);
  timers->addWidget(LabeledEdit13, 1, 0);
  timers->addWidget(LabeledEdit14, 1, 1);

  auto* steps = new QGridLayout;
  steps->addWidget(ComboLabel, 0, 0, 1, 2);
  steps->addWidget(ComboBox1, 1, 0);
  steps->addWidget(LabeledEdit9, 2, 0);
  steps->addWidget(LabeledEdit8, 2, 1);
  steps->addWidget(LabeledEdit10, 3, 0);
  steps->addWidget(LabeledEdit11, 3, 1);
  steps->addWidget(CheckBox1, 4, 0, 1, 2);
  steps->addWidget(LabeledEdit5, 5, 0);
  steps->addWidget(LabeledEdit6, 5, 1);
  steps->addWidget(LabeledEdit7, 6, 0);
  steps->addWidget(LabeledEdit12, 6, 1);

  auto* fields = new QVBoxLayout;
  fields->addLayout(blocks);
  fields->addWidget(timerBox);
  fields->addLayout(steps);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  buttons->addSpacing(16);
  buttons->addWidget(Button4);
  buttons->addWidget(Button5);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button5Click);
}

ExtendedStepParams TForm8AWL_Schrittkette::Params() const {
  ExtendedStepParams p;
  p.fcNumber = ToAnsi(LabeledEdit1->text());
  p.fcName = ToAnsi(LabeledEdit3->text());
  p.dbNumber = ToAnsi(LabeledEdit2->text());
  p.dbName = ToAnsi(LabeledEdit4->text());
  p.timers = CheckBox2->isChecked();
  p.timerFcNumber = ToAnsi(LabeledEdit13->text());
  p.timerFcName = ToAnsi(LabeledEdit14->text());
  // Text typed into the list that matches no item leaves no item selected.
  p.maxStepsIndex = ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly);
  p.firstStep = ToAnsi(LabeledEdit9->text());
  p.initialStep = ToAnsi(LabeledEdit8->text());
  p.count = ToAnsi(LabeledEdit10->text());
  p.distance = ToAnsi(LabeledEdit11->text());
  p.backward = CheckBox1->isChecked();
  p.release1 = ToAnsi(LabeledEdit5->text());
  p.release2 = ToAnsi(LabeledEdit6->text());
  p.release3 = ToAnsi(LabeledEdit7->text());
  p.release4 = ToAnsi(LabeledEdit12->text());
  return p;
}

void TForm8AWL_Schrittkette::SetParams(const ExtendedStepParams& p) {
  LabeledEdit1->setText(FromAnsi(p.fcNumber));
  LabeledEdit3->setText(FromAnsi(p.fcName));
  LabeledEdit2->setText(FromAnsi(p.dbNumber));
  LabeledEdit4->setText(FromAnsi(p.dbName));
  CheckBox2->setChecked(p.timers);
  LabeledEdit13->setText(FromAnsi(p.timerFcNumber));
  LabeledEdit14->setText(FromAnsi(p.timerFcName));
  // Text typed into the list stays when the record says "no item".
  if (p.maxStepsIndex != ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly))
    ComboBox1->setCurrentIndex(p.maxStepsIndex);
  LabeledEdit9->setText(FromAnsi(p.firstStep));
  LabeledEdit8->setText(FromAnsi(p.initialStep));
  LabeledEdit10->setText(FromAnsi(p.count));
  LabeledEdit11->setText(FromAnsi(p.distance));
  CheckBox1->setChecked(p.backward);
  LabeledEdit5->setText(FromAnsi(p.release1));
  LabeledEdit6->setText(FromAnsi(p.release2));
  LabeledEdit7->setText(FromAnsi(p.release3));
  LabeledEdit12->setText(FromAnsi(p.release4));
}

void TForm8AWL_Schrittkette::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TForm8AWL_Schrittkette::FormShow() {
  if (initialised_) return;
  SetParams(brendax::ExtendedExample1());
  initialised_ = true;
}

void TForm8AWL_Schrittkette::Button4Click() { SetParams(brendax::ExtendedExample1()); }

void TForm8AWL_Schrittkette::Button5Click() { SetParams(brendax::ExtendedExample2()); }

void TForm8AWL_Schrittkette::Button3Click() {
  main_.seams().ShowMessage(this, FromAnsi(brendax::ExtendedStepHelpText()));
}

void TForm8AWL_Schrittkette::Button1Click() {
  main_.LastGenerator = brendax::kGenStepExtended;
  main_.PrepareSourceAndSymbolOutput();
  ExtendedStepParams p = Params();
  brendax::TrimExtendedFields(p);
  SetParams(p);
  main_.ShowGeneratorResult(brendax::GenerateExtendedStep(p, main_.mnemonics()), this);
  accept();
}
