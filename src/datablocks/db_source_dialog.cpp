#include "datablocks/db_source_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

using brendax::DbSourceFields;

TForm5QuelleDB::TForm5QuelleDB(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenDbSource, QString::fromUtf8(brendax::DialogCaptionOf("db"))),
      binder_(DbSourceFields(), this) {
  LabeledEdit2 = Named(new LabeledEdit("DB- Nummer", this), "LabeledEdit2");
  Label1 = new QLabel("Datentyp :", this);
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  for (const auto& type : brendax::DbSourceTypes()) ComboBox1->addItem(QString::fromLatin1(type.entry));
  ComboBox1->setEditable(false);
  Label1->setBuddy(ComboBox1);
  LabeledEdit4 = Named(new LabeledEdit("Anzahl Variablen:", this), "LabeledEdit4");
  LabeledEdit5 = Named(new LabeledEdit(QString::fromUtf8("Namenskürzel (vorn) :"), this), "LabeledEdit5");
  RadioGroup1 =
      Named(new RadioGroup("Generiere Name aus:", field_binding::ItemCaptions(DbSourceFields(), "name-from"), this),
            "RadioGroup1");
  LabeledEdit8 = Named(new LabeledEdit("Startadresse/ Startnummer (0..1023) :", this), "LabeledEdit8");
  Label2 = new QLabel("Zahlenformat:", this);
  ComboBox2 = Named(new QComboBox(this), "ComboBox2");
  for (const auto& format : brendax::DbSourceDigitFormats()) ComboBox2->addItem(QString::fromLatin1(format.c_str()));
  Label2->setBuddy(ComboBox2);
  Label3 = new QLabel("Sequenz (optional):", this);
  Memo1 = Named(new QPlainTextEdit(this), "Memo1");
  Memo1->setTabChangesFocus(true);
  Memo1->setFixedHeight(90);
  Label3->setBuddy(Memo1);
  LabeledEdit7 = Named(new LabeledEdit("Anfangswertzuweisung :", this), "LabeledEdit7");

  auto* typeBox = new QVBoxLayout;
  typeBox->setSpacing(2);
  typeBox->addWidget(Label1);
  typeBox->addWidget(ComboBox1);
  auto* formatBox = new QVBoxLayout;
  formatBox->setSpacing(2);
  formatBox->addWidget(Label2);
  formatBox->addWidget(ComboBox2);
  formatBox->addStretch();
  auto* suffixBox = new QVBoxLayout;
  suffixBox->setSpacing(2);
  suffixBox->addWidget(Label3);
  suffixBox->addWidget(Memo1);

  auto* fields = new QGridLayout;
  fields->addWidget(LabeledEdit2, 0, 0);
  fields->addLayout(typeBox, 0, 1);
  fields->addWidget(LabeledEdit4, 1, 0);
  fields->addWidget(LabeledEdit7, 1, 1);
  fields->addWidget(LabeledEdit5, 2, 0);
  fields->addWidget(RadioGroup1, 2, 1, 2, 1);
  fields->addWidget(LabeledEdit8, 3, 0);
  fields->addLayout(formatBox, 4, 0);
  fields->addLayout(suffixBox, 4, 1);
  SetFieldsLayout(fields);
  SetTabChain({LabeledEdit2, ComboBox1, LabeledEdit4, LabeledEdit7, LabeledEdit5, RadioGroup1->item(0),
               RadioGroup1->item(1), LabeledEdit8, ComboBox2, Memo1, Button1});

  // Only a pick by the user proposes a value, not the defaults written at the first showing.
  connect(ComboBox1, &QComboBox::activated, this, &TForm5QuelleDB::ComboBox1Change);
}

void TForm5QuelleDB::ComboBox1Change(int index) {
  LabeledEdit7->setText(FromAnsi(brendax::ProposedInitialValue(index)));
}

void TForm5QuelleDB::ApplyDefaults() { binder_.Write(brendax::DefaultsOf(DbSourceFields())); }

void TForm5QuelleDB::PrepareOutput() { host().PrepareSourceOutput(); }

brendax::RunRecord TForm5QuelleDB::ReadRecord(bool) { return binder_.Read(); }

void TForm5QuelleDB::WriteRecord(const brendax::RunRecord& record) {
  binder_.Write(std::get<brendax::DbSourceParams>(record));
}
