#include "datablocks/message_db_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/tool_host_ui.h"

using brendax::MessageDbFields;

TForm6Melde_DB_UDT::TForm6Melde_DB_UDT(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenMessageDb, QString::fromUtf8(brendax::DialogCaptionOf("message-db"))),
      binder_(MessageDbFields(), this) {
  Button1->setText("OK");
  LabeledEdit2 = Named(new LabeledEdit("DB-/ UDT- Nummer", this), "LabeledEdit2");
  LabeledEdit1 = Named(new LabeledEdit("Anzahl Bit-Meldungen:", this), "LabeledEdit1");
  RadioGroup1 =
      Named(new RadioGroup("Erzeuge:", field_binding::ItemCaptions(brendax::MessageDbFields(), "variant"), this),
            "RadioGroup1");
  auto* fields = new QVBoxLayout;
  fields->addWidget(LabeledEdit2);
  fields->addWidget(LabeledEdit1);
  fields->addWidget(RadioGroup1);
  fields->addStretch();
  SetFieldsLayout(fields);
}

void TForm6Melde_DB_UDT::ApplyDefaults() { binder_.Write(brendax::DefaultsOf(MessageDbFields())); }

void TForm6Melde_DB_UDT::PrepareOutput() { host().PrepareSourceOutput(); }

brendax::RunRecord TForm6Melde_DB_UDT::ReadRecord(bool) { return binder_.Read(); }

void TForm6Melde_DB_UDT::WriteRecord(const brendax::RunRecord& record) {
  binder_.Write(std::get<brendax::MessageDbParams>(record));
}
