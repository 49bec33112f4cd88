#include "stepseq/simple_step_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/tool_host_ui.h"

using brendax::SimpleStepParams;

TForm10AWL_SchrittketteEinfach::TForm10AWL_SchrittketteEinfach(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenStepSimple,
                      QString::fromUtf8(brendax::DialogCaptionOf("step-simple"))),
      binder_(brendax::SimpleStepFields(), this) {
  LabeledEdit1 = Named(new LabeledEdit("FC- Nummer", this), "LabeledEdit1");
  LabeledEdit3 = Named(new LabeledEdit("FC- Name", this), "LabeledEdit3");
  RadioGroup1 =
      Named(new RadioGroup("Struktur", field_binding::ItemCaptions(brendax::SimpleStepFields(), "structure"), this),
            "RadioGroup1");
  CheckBox1 = Named(new QCheckBox("Nur eine Weiterschaltungpro SPS-Zyklus", this), "CheckBox1");
  CheckBox2 = Named(new QCheckBox("pro Schritt ein Netzwerk", this), "CheckBox2");
  LabeledEdit9 = Named(new LabeledEdit("Nr. 1. Schritt", this), "LabeledEdit9");
  LabeledEdit11 = Named(new LabeledEdit("Schrittabstand", this), "LabeledEdit11");
  LabeledEdit10 = Named(new LabeledEdit("Anzahl Schritte", this), "LabeledEdit10");
  LabeledEdit5 = Named(new LabeledEdit("In-Variable Freigabe 1", this), "LabeledEdit5");
  LabeledEdit6 = Named(new LabeledEdit("In-Variable Freigabe 2", this), "LabeledEdit6");
  LabeledEdit7 = Named(new LabeledEdit("In-Variable Freigabe. 3", this), "LabeledEdit7");
  LabeledEdit12 = Named(new LabeledEdit("In-Variable Freigabe. 4", this), "LabeledEdit12");

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
  SetFieldsLayout(fields);

  connect(RadioGroup1, &RadioGroup::itemClicked, this, &TForm10AWL_SchrittketteEinfach::RadioGroup1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TForm10AWL_SchrittketteEinfach::CheckBox2Click);
}

void TForm10AWL_SchrittketteEinfach::ApplyDefaults() {
  SetParams(brendax::DefaultsOf(brendax::SimpleStepFields()));
  RadioGroup1Click();
}

// The check box shows the stored setting at every showing.
void TForm10AWL_SchrittketteEinfach::OnShow() { CheckBox2->setChecked(host().settings().networkPerStep()); }

void TForm10AWL_SchrittketteEinfach::RadioGroup1Click() {
  const bool jumpList = RadioGroup1->itemIndex() == brendax::kSimpleJumpList;
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
  host().settings().setNetworkPerStep(CheckBox2->isChecked());
  host().SaveSettings();
}

brendax::RunRecord TForm10AWL_SchrittketteEinfach::ReadRecord(bool writeBack) {
  SimpleStepParams p = Params();
  brendax::TrimFields(brendax::SimpleStepFields(), p);
  if (writeBack) SetParams(p);
  return p;
}

void TForm10AWL_SchrittketteEinfach::WriteRecord(const brendax::RunRecord& record) {
  const SimpleStepParams& p = std::get<SimpleStepParams>(record);
  SetParams(p);
  RadioGroup1Click();
  // "pro Schritt ein Netzwerk" is the stored setting: a run's state is
  // stored as a click stores it.
  if (host().settings().networkPerStep() != p.networkPerStep) {
    host().settings().setNetworkPerStep(p.networkPerStep);
    host().SaveSettings();
  }
}
