#include "stepseq/extended_step_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

TForm8AWL_Schrittkette::TForm8AWL_Schrittkette(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenStepExtended,
                      QString::fromUtf8(brendax::DialogCaptionOf("step-extended"))),
      binder_(brendax::ExtendedStepFields(), this) {
  LabeledEdit1 = Named(new LabeledEdit("FC- Nummer", this), "LabeledEdit1");
  LabeledEdit3 = Named(new LabeledEdit("FC- Name", this), "LabeledEdit3");
  LabeledEdit2 = Named(new LabeledEdit("DB- Nummer", this), "LabeledEdit2");
  LabeledEdit4 = Named(new LabeledEdit("DB- Name", this), "LabeledEdit4");
  CheckBox2 = Named(new QCheckBox("Erzeuge interne Timer", this), "CheckBox2");
  LabeledEdit13 = Named(new LabeledEdit("FC- Nummer", this), "LabeledEdit13");
  LabeledEdit14 = Named(new LabeledEdit("FC- Name (Timer)", this), "LabeledEdit14");
  ComboLabel = new QLabel(QString::fromUtf8("Max. Anzahl Schritte (viele Schritte-> großer DB):"), this);
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  for (const auto& item : brendax::ExtendedMaxStepsItems()) ComboBox1->addItem(FromAnsi(item));
  // Text typed into the list that matches no item selects none.
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboLabel->setBuddy(ComboBox1);
  LabeledEdit9 = Named(new LabeledEdit("Nr. 1. Schritt", this), "LabeledEdit9");
  LabeledEdit8 = Named(new LabeledEdit("Nr. Initialschritt", this), "LabeledEdit8");
  LabeledEdit10 = Named(new LabeledEdit("Anzahl Schritte", this), "LabeledEdit10");
  LabeledEdit11 = Named(new LabeledEdit("Schrittabstand", this), "LabeledEdit11");
  CheckBox1 = Named(new QCheckBox(QString::fromUtf8("Erzeuge Rückwärts-Transitionen"), this), "CheckBox1");
  LabeledEdit5 = Named(new LabeledEdit("In-Variable Freigabe 1", this), "LabeledEdit5");
  LabeledEdit6 = Named(new LabeledEdit("In-Variable Freigabe 2", this), "LabeledEdit6");
  LabeledEdit7 = Named(new LabeledEdit("In-Variable Freig. 3 (vorw.)", this), "LabeledEdit7");
  LabeledEdit12 = Named(new LabeledEdit(QString::fromUtf8("In-Variable Freig. 4 (rückw.)"), this), "LabeledEdit12");
  Button4 = Named(new QPushButton("Beispiel 1", this), "Button4");
  Button5 = Named(new QPushButton("Beispiel 2", this), "Button5");

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
  SetFieldsLayout(fields);

  // The example buttons go below "?" in the button column, before its
  // closing stretch.
  QVBoxLayout* column = ButtonColumn();
  const int stretch = column->count() - 1;
  column->insertSpacing(stretch, 16);
  column->insertWidget(stretch + 1, Button4);
  column->insertWidget(stretch + 2, Button5);
  SetTabChain({Button3, Button4, Button5});

  connect(Button4, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm8AWL_Schrittkette::Button5Click);
}

void TForm8AWL_Schrittkette::Button4Click() { SetParams(brendax::ExtendedExample1()); }

void TForm8AWL_Schrittkette::Button5Click() { SetParams(brendax::ExtendedExample2()); }

brendax::RunRecord TForm8AWL_Schrittkette::ReadRecord(bool writeBack) {
  brendax::ExtendedStepParams p = Params();
  brendax::TrimFields(brendax::ExtendedStepFields(), p);
  if (writeBack) SetParams(p);
  return p;
}

void TForm8AWL_Schrittkette::WriteRecord(const brendax::RunRecord& record) {
  SetParams(std::get<brendax::ExtendedStepParams>(record));
}
