#include "stepseq/simple_step_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/controls_ui.h"
#include "app/main_window.h"
#include "ui/seams_ui.h"

using brendax::SimpleStepParams;

TForm10AWL_SchrittketteEinfach::TForm10AWL_SchrittketteEinfach(TForm1& main) : QDialog(&main), main_(main) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle("AWL-Schrittkette-Simple");
  LabeledEdit1 = new LabeledEdit("FC- Nummer", this);
  LabeledEdit3 = new LabeledEdit("FC- Name", this);
  RadioGroup1 = new RadioGroup("Struktur", {"Sprungleiste (schnell)", "Vergleicher (flexibel)"}, this);
  CheckBox1 = new QCheckBox("Nur eine Weiterschaltungpro SPS-Zyklus", this);
  CheckBox2 = new QCheckBox("pro Schritt ein Netzwerk", this);
  LabeledEdit9 = new LabeledEdit("Nr. 1. Schritt", this);
  LabeledEdit11 = new LabeledEdit("Schrittabstand", this);
  LabeledEdit10 = new LabeledEdit("Anzahl Schritte", this);
  LabeledEdit5 = new LabeledEdit("In-Variable Freigabe 1", this);
  LabeledEdit6 = new LabeledEdit("In-Variable Freigabe 2", this);
  LabeledEdit7 = new LabeledEdit("In-Variable Freigabe. 3", this);
  LabeledEdit12 = new LabeledEdit("In-Variable Freigabe. 4", this);
  Button1 = new QPushButton("Generieren", this);
  Button2 = new QPushButton("Abbrechen", this);
  Button3 = new QPushButton("?", this);
  Button1->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(LabeledEdit1, 0, 0);
  fields->addWidget(LabeledEdit3, 0, 1, 1, 2);
  auto* options = new QVBoxLayout;
  options->addWidget(CheckBox1);
  options->addWidget(CheckBox2);
  options->addStretch();
  fields->addWidget(RadioGroup1, 1, 0);
  fields->addLayout(options, 1, 1, 1, 2);
  fields->addWidget(LabeledEdit9, 2, 0);
  fields->addWidget(LabeledEdit11, 2, 1);
  fields->addWidget(LabeledEdit10, 2, 2);
  fields->addWidget(LabeledEdit5, 3, 0);
  fields->addWidget(LabeledEdit6, 3, 1);
  fields->addWidget(LabeledEdit7, 4, 0);
  fields->addWidget(LabeledEdit12, 4, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &TForm10AWL_SchrittketteEinfach::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &TForm10AWL_SchrittketteEinfach::Button3Click);
  connect(RadioGroup1, &RadioGroup::itemClicked, this, &TForm10AWL_SchrittketteEinfach::RadioGroup1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TForm10AWL_SchrittketteEinfach::CheckBox2Click);
}

SimpleStepParams TForm10AWL_SchrittketteEinfach::Params() const {
  SimpleStepParams p;
  p.fcNumber = ToAnsi(LabeledEdit1->text());
  p.fcName = ToAnsi(LabeledEdit3->text());
  p.structure = RadioGroup1->itemIndex();
  p.oneChangePerCycle = CheckBox1->isChecked();
  p.networkPerStep = CheckBox2->isChecked();
  p.firstStep = ToAnsi(LabeledEdit9->text());
  p.distance = ToAnsi(LabeledEdit11->text());
  p.count = ToAnsi(LabeledEdit10->text());
  p.release1 = ToAnsi(LabeledEdit5->text());
  p.release2 = ToAnsi(LabeledEdit6->text());
  p.release3 = ToAnsi(LabeledEdit7->text());
  p.release4 = ToAnsi(LabeledEdit12->text());
  return p;
}

void TForm10AWL_SchrittketteEinfach::SetParams(const SimpleStepParams& p) {
  LabeledEdit1->setText(FromAnsi(p.fcNumber));
  LabeledEdit3->setText(FromAnsi(p.fcName));
  RadioGroup1->setItemIndex(p.structure);
  CheckBox1->setChecked(p.oneChangePerCycle);
  CheckBox2->setChecked(p.networkPerStep);
  LabeledEdit9->setText(FromAnsi(p.firstStep));
  LabeledEdit11->setText(FromAnsi(p.distance));
  LabeledEdit10->setText(FromAnsi(p.count));
  LabeledEdit5->setText(FromAnsi(p.release1));
  LabeledEdit6->setText(FromAnsi(p.release2));
  LabeledEdit7->setText(FromAnsi(p.release3));
  LabeledEdit12->setText(FromAnsi(p.release4));
}

void TForm10AWL_SchrittketteEinfach::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TForm10AWL_SchrittketteEinfach::FormShow() {
  if (!defaultsApplied_) {
    SetParams(SimpleStepParams{});
    RadioGroup1Click();
    defaultsApplied_ = true;
  }
  CheckBox2->setChecked(main_.settings().networkPerStep());
}

void TForm10AWL_SchrittketteEinfach::RadioGroup1Click() {
  const bool jumpList = RadioGroup1->itemIndex() == 0;
  if (jumpList) {
    SimpleStepParams p = Params();
    brendax::ApplyJumpListStructure(p);
    SetParams(p);
  }
  CheckBox1->setEnabled(!jumpList);
  LabeledEdit9->setEnabled(!jumpList);
  LabeledEdit11->setEnabled(!jumpList);
}

void TForm10AWL_SchrittketteEinfach::CheckBox2Click() {
  main_.settings().setNetworkPerStep(CheckBox2->isChecked());
  main_.SaveSettings();
}

void TForm10AWL_SchrittketteEinfach::Button3Click() {
  main_.seams().ShowMessage(this, FromAnsi(brendax::SimpleStepHelpText()));
}

void TForm10AWL_SchrittketteEinfach::Button1Click() {
  main_.LastGenerator = brendax::kGenStepSimple;
  main_.PrepareSourceAndSymbolOutput();
  SimpleStepParams p = Params();
  brendax::TrimSimpleFields(p);
  SetParams(p);
  main_.ShowGeneratorResult(brendax::GenerateSimpleStep(p, main_.mnemonics()), this);
  accept();
}
