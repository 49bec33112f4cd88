#include "tools/address_calculator_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/tool_menu.h"
#include "ui/generator_dialog_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

using brendax::AddressField;
using brendax::AddressState;

namespace {

void Paint(QLineEdit* edit, const QColor& background, const QColor& text) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Text, text);
  edit->setPalette(palette);
}

QPushButton* MarkButtonFor(const char* toolTip, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setFixedSize(22, 22);
  button->setAutoDefault(false);
  button->setToolTip(QString::fromUtf8(toolTip));
  // The keyboard chooses with "Toggle X"; Tab goes from field to field.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

TForm5::TForm5(ToolHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("Form5");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(brendax::DialogCaptionOf("address")));

  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  Edit3 = new QLineEdit(this);
  Edit4 = new QLineEdit(this);
  // Display only: it takes a click (the keys typed next change nothing)
  // and its text can be copied.
  Edit5 = new QLineEdit("0", this);
  Edit5->setReadOnly(true);
  Button4 = MarkButtonFor("Anfangsadresse aus den anderen drei Werten berechnen", this);
  Button5 = MarkButtonFor("Anfangsnummer aus den anderen drei Werten berechnen", this);
  Button6 = MarkButtonFor("Endadresse aus den anderen drei Werten berechnen", this);
  Button7 = MarkButtonFor("Endnummer aus den anderen drei Werten berechnen", this);
  Button3 = new QPushButton("Toggle X", this);
  Button2 = new QPushButton("Clear", this);
  Button8 = new QPushButton("Beispiel", this);
  Button1 = new QPushButton("Close", this);
  for (QPushButton* button : {Button3, Button2, Button8, Button1}) button->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Bereich", this), 0, 0);
  grid->addWidget(new QLabel("Adresse", this), 0, 2);
  grid->addWidget(new QLabel("Lfd. Nummer", this), 0, 4);
  grid->addWidget(new QLabel("Anfang", this), 1, 0);
  grid->addWidget(Button4, 1, 1);
  grid->addWidget(Edit1, 1, 2);
  grid->addWidget(Button5, 1, 3);
  grid->addWidget(Edit2, 1, 4);
  grid->addWidget(new QLabel("Differenz", this), 2, 0);
  grid->addWidget(Edit5, 2, 4);
  grid->addWidget(new QLabel("Ende", this), 3, 0);
  grid->addWidget(Button6, 3, 1);
  grid->addWidget(Edit3, 3, 2);
  grid->addWidget(Button7, 3, 3);
  grid->addWidget(Edit4, 3, 4);
  grid->setColumnMinimumWidth(2, 110);
  grid->setColumnMinimumWidth(4, 110);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button3);
  buttons->addWidget(Button2);
  buttons->addWidget(Button8);
  buttons->addStretch();
  buttons->addWidget(Button1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetTabChain({Edit1, Edit2, Edit5, Edit3, Edit4, Button3, Button2, Button8, Button1});

  for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4}) edit->installEventFilter(this);
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(brendax::kStartAddress); });
  connect(Button5, &QPushButton::clicked, this, [this] { Button4Click(brendax::kStartNumber); });
  connect(Button6, &QPushButton::clicked, this, [this] { Button4Click(brendax::kEndAddress); });
  connect(Button7, &QPushButton::clicked, this, [this] { Button4Click(brendax::kEndNumber); });
  connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
  connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
  connect(Button8, &QPushButton::clicked, this, &TForm5::Button8Click);
  connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

QLineEdit* TForm5::FieldEdit(int field) const {
  switch (field) {
    case brendax::kStartAddress: return Edit1;
    case brendax::kStartNumber: return Edit2;
    case brendax::kEndAddress: return Edit3;
    default: return Edit4;
  }
}

QPushButton* TForm5::MarkButton(int field) const {
  switch (field) {
    case brendax::kStartAddress: return Button4;
    case brendax::kStartNumber: return Button5;
    case brendax::kEndAddress: return Button6;
    default: return Button7;
  }
}

AddressState TForm5::State() const {
  AddressState state;
  for (int field = 0; field < brendax::kAddressFieldCount; ++field) {
    state.fields[static_cast<std::size_t>(field)] = ToAnsi(FieldEdit(field)->text());
  }
  state.sought = sought_;
  return state;
}

void TForm5::SetFields(const AddressState& state) {
  for (int field = 0; field < brendax::kAddressFieldCount; ++field) {
    FieldEdit(field)->setText(FromAnsi(state.fields[static_cast<std::size_t>(field)]));
  }
  sought_ = state.sought;
}

void TForm5::Recompute() {
  const brendax::AddressResult result = brendax::Recompute(State());
  for (int field = 0; field < brendax::kAddressFieldCount; ++field) {
    const auto index = static_cast<std::size_t>(field);
    MarkButton(field)->setText(FromAnsi(result.marks[index]));
    QLineEdit* edit = FieldEdit(field);
    // The sought field shows the result: it takes the focus, but typing
    // into it changes nothing.
    edit->setReadOnly(field == sought_);
    if (field == sought_) {
      // Only the sought field changes its text; the others stay as typed.
      const QString text = FromAnsi(result.fields[index]);
      if (edit->text() != text) edit->setText(text);
      Paint(edit, Qt::yellow, Qt::red);
    } else {
      Paint(edit, result.invalid[index] ? Qt::red : Qt::white, Qt::black);
    }
  }
  Paint(Edit5, palette().color(QPalette::Window), palette().color(QPalette::WindowText));
  Edit5->setText(QString::number(result.distance));
}

void TForm5::Button4Click(AddressField field) {
  sought_ = field;
  Recompute();
}

void TForm5::Button3Click() {
  sought_ = brendax::NextSought(sought_);
  Recompute();
}

void TForm5::Button2Click() {
  AddressState state = State();
  brendax::ClearAddressFields(state);
  SetFields(state);
  Recompute();
}

void TForm5::Button8Click() {
  AddressState state = State();
  brendax::LoadAddressExample(state);
  SetFields(state);
  Recompute();
}

void TForm5::Button1Click() { close(); }

void TForm5::FormShow() {
  if (!shownOnce_) {
    shownOnce_ = true;
    sought_ = brendax::kEndNumber;
    Button2Click();
  }
  Recompute();
  // Centred the same way at every showing, as every dialog is.
  CentreOverParent(this);
  FocusFirstField(this);
}

void TForm5::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  // Every field recomputes when it gets the focus and after every keystroke.
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyRelease) Recompute();
  return QDialog::eventFilter(watched, event);
}
