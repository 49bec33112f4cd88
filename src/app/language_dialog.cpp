#include "app/language_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/generator_dialog_ui.h"
#include "ui/tool_host_ui.h"

TFormSpracheinstellung::TFormSpracheinstellung(ToolHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setWindowTitle("Spracheinstellungen");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  GroupBox1 = new QGroupBox("Landessprache", this);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setReadOnly(true);
  // It only shows the chosen entry; the keyboard starts in the list.
  Edit1->setFocusPolicy(Qt::NoFocus);
  ListBox1 = new QListWidget(GroupBox1);
  ListBox1->setMouseTracking(true);
  ListBox1->setFixedHeight(ListBox1->fontMetrics().height() * 2 + 12);
  auto* languageLayout = new QVBoxLayout(GroupBox1);
  languageLayout->addWidget(Edit1);
  languageLayout->addWidget(ListBox1);

  RadioGroup1 = new QGroupBox("Mnemonik", this);
  RadioGroup1Item0 = new QRadioButton("Deutsch     ( U E0.1     S A4.0 )", RadioGroup1);
  RadioGroup1Item1 = new QRadioButton("Englisch     ( A I0.1      S Q4.0 )", RadioGroup1);
  auto* items = new QButtonGroup(RadioGroup1);
  items->addButton(RadioGroup1Item0, 0);
  items->addButton(RadioGroup1Item1, 1);
  auto* mnemonicLayout = new QVBoxLayout(RadioGroup1);
  mnemonicLayout->addWidget(RadioGroup1Item0);
  mnemonicLayout->addWidget(RadioGroup1Item1);

  Button1 = new QPushButton("OK", this);
  Button1->setDefault(true);
  Button1->setAutoDefault(true);
  Button2 = new QPushButton("Abbrechen", this);
  Button2->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // fixed dialog border

  connect(ListBox1, &QListWidget::itemClicked, this, &TFormSpracheinstellung::ListBox1Click);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFormSpracheinstellung::ListBox1Click);
  connect(ListBox1, &QListWidget::itemEntered, this, &TFormSpracheinstellung::ListBox1Click);
  connect(ListBox1, &QListWidget::currentRowChanged, this, &TFormSpracheinstellung::ListBox1Click);
  connect(Button1, &QPushButton::clicked, this, &TFormSpracheinstellung::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFormSpracheinstellung::Button2Click);
}

int TFormSpracheinstellung::RadioGroup1ItemIndex() const {
  if (RadioGroup1Item1->isChecked()) return 1;
  if (RadioGroup1Item0->isChecked()) return 0;
  return -1;
}

void TFormSpracheinstellung::ApplyCaptions(const std::function<QString(const QString&)>& languageText) {
  setWindowTitle(languageText("Spracheinstellungen@Language Settings"));
  GroupBox1->setTitle(languageText("Landessprache@National Language"));
  RadioGroup1->setTitle(languageText("Mnemonik@Mnemonics"));
  RadioGroup1Item0->setText(languageText("Deutsch     ( U E0.1     S A4.0 )@German      ( U E0.1     S A4.0 )"));
  RadioGroup1Item1->setText(languageText("Englisch     ( A I0.1      S Q4.0 )@English       ( A I0.1      S Q4.0 )"));
}

void TFormSpracheinstellung::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CentreOverParent(this);
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormSpracheinstellung::FormShow() {
  auto& settings = host_.settings();
  (settings.englishMnemonics() != 0 ? RadioGroup1Item1 : RadioGroup1Item0)->setChecked(true);
  ListBox1->clear();
  ListBox1->addItem("deutsch");
  ListBox1->addItem("english");
  // Any stored value other than 0 means English; select that entry so that
  // "OK" always stores one of the two listed languages.
  ListBox1->setCurrentRow(settings.nationalLanguage() == 0 ? 0 : 1);
  Confirmed = false;
  FocusFirstField(this);
}

void TFormSpracheinstellung::ListBox1Click() {
  const QListWidgetItem* item = ListBox1->currentItem();
  Edit1->setText(item ? item->text() : QString());
}

void TFormSpracheinstellung::Button1Click() {
  auto& settings = host_.settings();
  settings.setEnglishMnemonics(RadioGroup1ItemIndex() == 1 ? 1 : 0);
  const int row = ListBox1->currentRow();
  settings.setNationalLanguage(row < 0 ? settings.nationalLanguage() : row);
  emit languageChosen();
  Confirmed = true;
  accept();
}

void TFormSpracheinstellung::Button2Click() { reject(); }
