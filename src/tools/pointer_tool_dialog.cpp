#include "tools/pointer_tool_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/generator_dialog_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

using brendax::PointerListItem;
using brendax::PointerState;

namespace {

QComboBox* ListOf(std::span<const PointerListItem> items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);  // selection only: every state is one of the items
  for (const auto& item : items) list->addItem(FromAnsi(item.text));
  return list;
}

QLineEdit* Edit(QWidget* parent) { return new QLineEdit(parent); }

// A label that keeps its place in the grid while hidden, like the input
// below it, so that the window does not change shape with the variant.
template <class W>
W* Steady(W* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
  return widget;
}

}  // namespace

TForm14Pointerrechner::TForm14Pointerrechner(ToolHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("Form14Pointerrechner");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(brendax::DialogCaptionOf("pointer")));

  RadioGroup1 = new RadioGroup("Variante", {"POINTER", "ANY-Datentyp", "ANY-Parametertyp"}, this);
  // The three items side by side.
  delete RadioGroup1->layout();
  auto* variantRow = new QHBoxLayout(RadioGroup1);
  for (int i = 0; i < 3; ++i) variantRow->addWidget(RadioGroup1->item(i), 1);
  RadioGroup1->setItemIndex(brendax::kPointerVariantAnyDataType);

  LabelDatenryp = Steady(new QLabel("Datentyp", this));
  ComboBoxDatentyp = Steady(ListOf(brendax::PointerDataTypeItems(), this));
  LabelWiederholfaktor = Steady(new QLabel("Wiederholfaktor", this));
  EditWiederholfaktor = Steady(Edit(this));
  LabelDatentypParametertyp = Steady(new QLabel("Parametertyp", this));
  ComboBoxDatentypParametertyp = Steady(ListOf(brendax::PointerParameterTypeItems(), this));
  LabelBausteinnummer = Steady(new QLabel(QString::fromUtf8("Nummer des Zählers, Timers bzw. Bausteines"), this));
  EditBausteinummer = Steady(Edit(this));
  LabelDBNummer = Steady(new QLabel("DB-Nummer (oder 0)", this));
  EditDBNummer = Steady(Edit(this));
  LabelSpeicherbereich = Steady(new QLabel("Speicherbereich", this));
  ComboBoxSpeicherbereich = Steady(ListOf(brendax::PointerAreaItems(), this));
  LabelAdresse = Steady(new QLabel("Nummerische  Adresse (z.B. 50 oder 15.4)", this));
  EditAdresse = Steady(Edit(this));
  LabelDatenryp->setBuddy(ComboBoxDatentyp);
  LabelWiederholfaktor->setBuddy(EditWiederholfaktor);
  LabelDatentypParametertyp->setBuddy(ComboBoxDatentypParametertyp);
  LabelBausteinnummer->setBuddy(EditBausteinummer);
  LabelDBNummer->setBuddy(EditDBNummer);
  LabelSpeicherbereich->setBuddy(ComboBoxSpeicherbereich);
  LabelAdresse->setBuddy(EditAdresse);

  const PointerState defaults;
  CheckBoxLBefehl = new QCheckBox("L", this);
  CheckBoxTBefehl = new QCheckBox("T", this);
  CheckBoxByte = new QCheckBox("als Byte", this);
  CheckBoxWord = new QCheckBox("als Word", this);
  CheckBoxDWord = new QCheckBox("als DWord", this);
  CheckBoxKommentar1 = new QCheckBox("Kommentar 1", this);
  CheckBoxKommentar2 = new QCheckBox("Kommentar 2", this);
  CheckBoxLBefehl->setChecked(defaults.load);
  CheckBoxTBefehl->setChecked(defaults.transfer);
  CheckBoxByte->setChecked(defaults.asByte);
  CheckBoxWord->setChecked(defaults.asWord);
  CheckBoxDWord->setChecked(defaults.asDWord);
  CheckBoxKommentar1->setChecked(defaults.comment1);
  CheckBoxKommentar2->setChecked(defaults.comment2);

  // Its copies carry CR LF, as the main window's do.
  Memo1 = new CrLfTextPane(host_.seams(), this);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont courier("Courier New");
  courier.setStyleHint(QFont::TypeWriter);
  courier.setFixedPitch(true);
  Memo1->setFont(courier);
  Memo1->setPlainText("Memo1");
  Memo1->setMinimumSize(QFontMetrics(courier).horizontalAdvance(QString(84, 'M')), 300);

  Button2 = new QPushButton("Aktualisieren", this);
  Button1 = new QPushButton("Close", this);
  QFont buttonFont = Button1->font();
  buttonFont.setBold(true);
  buttonFont.setPointSizeF(buttonFont.pointSizeF() * 1.25);
  Button1->setFont(buttonFont);
  Button2->setFont(buttonFont);
  // Return in an edit field recomputes instead of closing the window.
  Button2->setDefault(true);
  Button1->setAutoDefault(false);

  // Inputs: the ANY-Datentyp list and repetition factor lie exactly over
  // the ANY-Parametertyp list and number (the same cells); the left-hand
  // inputs have the width of the DB number.
  auto* inputs = new QGridLayout;
  inputs->setHorizontalSpacing(24);
  inputs->addWidget(LabelDatentypParametertyp, 0, 0);
  inputs->addWidget(LabelDatenryp, 0, 0);
  inputs->addWidget(ComboBoxDatentypParametertyp, 1, 0);
  inputs->addWidget(ComboBoxDatentyp, 1, 0);
  inputs->addWidget(LabelBausteinnummer, 2, 0);
  inputs->addWidget(LabelWiederholfaktor, 2, 0);
  inputs->addWidget(EditBausteinummer, 3, 0);
  inputs->addWidget(EditWiederholfaktor, 3, 0);
  inputs->addWidget(LabelDBNummer, 0, 1);
  inputs->addWidget(EditDBNummer, 1, 1);
  inputs->addWidget(LabelSpeicherbereich, 2, 1);
  inputs->addWidget(ComboBoxSpeicherbereich, 3, 1);
  inputs->addWidget(LabelAdresse, 4, 1);
  inputs->addWidget(EditAdresse, 5, 1);
  inputs->setColumnStretch(0, 1);
  inputs->setColumnStretch(1, 1);
  inputs->setColumnMinimumWidth(0, 260);
  inputs->setColumnMinimumWidth(1, 260);

  auto* checks = new QHBoxLayout;
  for (QCheckBox* box : {CheckBoxLBefehl, CheckBoxTBefehl, CheckBoxByte, CheckBoxWord, CheckBoxDWord,
                         CheckBoxKommentar1, CheckBoxKommentar2}) {
    checks->addWidget(box);
  }
  checks->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button2);
  buttons->addStretch();
  buttons->addWidget(Button1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup1);
  layout->addLayout(inputs);
  layout->addLayout(checks);
  layout->addWidget(Memo1, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Recompute on every change of a selection at once; on an edit field when
  // it is left (or with "Aktualisieren").
  connect(RadioGroup1, &RadioGroup::itemClicked, this, &TForm14Pointerrechner::RadioGrup1Enter);
  for (int i = 0; i < 3; ++i) RadioGroup1->item(i)->installEventFilter(this);
  for (QComboBox* list : {ComboBoxDatentyp, ComboBoxDatentypParametertyp, ComboBoxSpeicherbereich}) {
    connect(list, &QComboBox::currentIndexChanged, this, &TForm14Pointerrechner::RadioGrup1Enter);
  }
  for (QLineEdit* edit : {EditWiederholfaktor, EditBausteinummer, EditDBNummer, EditAdresse}) {
    edit->installEventFilter(this);
  }
  for (QCheckBox* box : {CheckBoxLBefehl, CheckBoxTBefehl, CheckBoxByte, CheckBoxWord, CheckBoxDWord,
                         CheckBoxKommentar1, CheckBoxKommentar2}) {
    connect(box, &QCheckBox::clicked, this, &TForm14Pointerrechner::RadioGrup1Enter);
  }
  // Row by row: the two inputs of a row side by side.
  SetTabChain({RadioGroup1->item(2), ComboBoxDatentyp, ComboBoxDatentypParametertyp, EditDBNummer, EditWiederholfaktor,
               EditBausteinummer, ComboBoxSpeicherbereich, EditAdresse, CheckBoxLBefehl});

  connect(Button2, &QPushButton::clicked, this, &TForm14Pointerrechner::RadioGrup1Enter);
  connect(Button1, &QPushButton::clicked, this, &TForm14Pointerrechner::Button1Click);
}

PointerState TForm14Pointerrechner::State() const {
  PointerState state;
  state.variant = RadioGroup1->itemIndex();
  state.dataType = ComboBoxDatentyp->currentIndex();
  state.repeat = ToAnsi(EditWiederholfaktor->text());
  state.parameterType = ComboBoxDatentypParametertyp->currentIndex();
  state.number = ToAnsi(EditBausteinummer->text());
  state.dbNumber = ToAnsi(EditDBNummer->text());
  state.area = ComboBoxSpeicherbereich->currentIndex();
  state.address = ToAnsi(EditAdresse->text());
  state.load = CheckBoxLBefehl->isChecked();
  state.transfer = CheckBoxTBefehl->isChecked();
  state.asByte = CheckBoxByte->isChecked();
  state.asWord = CheckBoxWord->isChecked();
  state.asDWord = CheckBoxDWord->isChecked();
  state.comment1 = CheckBoxKommentar1->isChecked();
  state.comment2 = CheckBoxKommentar2->isChecked();
  return state;
}

void TForm14Pointerrechner::ShowVariantInputs(int variant) {
  const bool pointer = variant == brendax::kPointerVariantPointer;
  const bool anyDataType = variant == brendax::kPointerVariantAnyDataType;
  const bool anyParameter = variant == brendax::kPointerVariantAnyParameter;
  for (QWidget* widget : {static_cast<QWidget*>(LabelDatenryp), static_cast<QWidget*>(ComboBoxDatentyp),
                          static_cast<QWidget*>(LabelWiederholfaktor), static_cast<QWidget*>(EditWiederholfaktor)}) {
    widget->setVisible(anyDataType);
  }
  for (QWidget* widget :
       {static_cast<QWidget*>(LabelDatentypParametertyp), static_cast<QWidget*>(ComboBoxDatentypParametertyp),
        static_cast<QWidget*>(LabelBausteinnummer), static_cast<QWidget*>(EditBausteinummer)}) {
    widget->setVisible(anyParameter);
  }
  for (QWidget* widget : {static_cast<QWidget*>(LabelDBNummer), static_cast<QWidget*>(EditDBNummer),
                          static_cast<QWidget*>(LabelSpeicherbereich), static_cast<QWidget*>(ComboBoxSpeicherbereich),
                          static_cast<QWidget*>(LabelAdresse), static_cast<QWidget*>(EditAdresse)}) {
    widget->setVisible(pointer || anyDataType);
  }
}

void TForm14Pointerrechner::RadioGrup1Enter() {
  const PointerState state = State();
  ShowVariantInputs(state.variant);
  const brendax::PointerListing listing = brendax::Compute(state);
  QString text;
  for (const auto& line : listing.lines) {
    text += FromAnsi(line);
    text += '\n';
  }
  Memo1->setPlainText(text);
}

void TForm14Pointerrechner::Button1Click() { close(); }

void TForm14Pointerrechner::FormShow() {
  const PointerState defaults;
  for (QWidget* widget : {static_cast<QWidget*>(ComboBoxDatentypParametertyp), static_cast<QWidget*>(ComboBoxDatentyp),
                          static_cast<QWidget*>(ComboBoxSpeicherbereich)}) {
    widget->blockSignals(true);
  }
  ComboBoxDatentypParametertyp->setCurrentIndex(defaults.parameterType);
  EditBausteinummer->setText(FromAnsi(defaults.number));
  ComboBoxDatentyp->setCurrentIndex(defaults.dataType);
  EditWiederholfaktor->setText(FromAnsi(defaults.repeat));
  EditDBNummer->setText(FromAnsi(defaults.dbNumber));
  ComboBoxSpeicherbereich->setCurrentIndex(defaults.area);
  EditAdresse->setText(FromAnsi(defaults.address));
  for (QWidget* widget : {static_cast<QWidget*>(ComboBoxDatentypParametertyp), static_cast<QWidget*>(ComboBoxDatentyp),
                          static_cast<QWidget*>(ComboBoxSpeicherbereich)}) {
    widget->blockSignals(false);
  }
  RadioGrup1Enter();
  // Centred the same way at every showing, as every dialog is.
  CentreOverParent(this);
  FocusFirstField(this);
}

void TForm14Pointerrechner::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

bool TForm14Pointerrechner::eventFilter(QObject* watched, QEvent* event) {
  const bool variantItem =
      watched == RadioGroup1->item(0) || watched == RadioGroup1->item(1) || watched == RadioGroup1->item(2);
  if (event->type() == QEvent::FocusOut || (variantItem && event->type() == QEvent::FocusIn)) RadioGrup1Enter();
  return QDialog::eventFilter(watched, event);
}
