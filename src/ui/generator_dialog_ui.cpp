#include "ui/generator_dialog_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/field_table.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_preview_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

GeneratorDialog::GeneratorDialog(ToolHost& host, QWidget* parent, int generatorCode, const QString& title)
    : QDialog(parent), host_(host), generatorCode_(generatorCode) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(title);
  Button1 = Named(new QPushButton("Generieren", this), "Button1");
  Button2 = Named(new QPushButton("Abbrechen", this), "Button2");
  Button3 = Named(new QPushButton("?", this), "Button3");
  Button1->setDefault(true);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  buttons->addStretch();
  buttons_ = buttons;
  // The preview runs on a copy of the record; the mnemonics are the
  // window's, as for "Generieren".
  preview_ = new GeneratorPreview(
      [this]() -> GeneratorPreview::Task {
        return [record = ReadRecord(false), mnemonics = host_.mnemonics()] {
          return brendax::GenerateRecord(record, mnemonics);
        };
      },
      [this](const std::string& option) -> QWidget* {
        const char* name = brendax::FieldControl(ReadRecord(false), option);
        return name == nullptr ? nullptr : findChild<QWidget*>(QLatin1String(name));
      },
      this);
  connect(Button1, &QPushButton::clicked, this, &GeneratorDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &GeneratorDialog::Button3Click);
}

void GeneratorDialog::SetFieldsLayout(QLayout* fields) {
  auto* layout = new QVBoxLayout(this);
  row_ = new QHBoxLayout;
  row_->addLayout(fields);
  row_->addLayout(buttons_);
  layout->addLayout(row_);
  layout->addWidget(preview_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The button column is read after the fields. The buttons, made first,
  // follow the dialog in the focus ring, and the ring's start is where the
  // Tab order begins: they move behind the last field. Qt leaves a widget
  // that already follows another in the ring (across the dialog, too) where
  // it is, so they first go behind the first field.
  // The preview's switch, made with the base too, is read last, below them.
  QWidget* const previewSwitch = preview_->CheckBox1;
  const auto isButton = [this, previewSwitch](const QWidget* w) {
    return w == Button1 || w == Button2 || w == Button3 || w == previewSwitch;
  };
  QWidget* first = nextInFocusChain();
  while (first != this && (isButton(first) || first->focusPolicy() == Qt::NoFocus)) first = first->nextInFocusChain();
  QWidget* last = previousInFocusChain();
  while (last != this && (isButton(last) || last->focusPolicy() == Qt::NoFocus)) last = last->previousInFocusChain();
  if (first == this || last == this) return;
  for (QWidget* button : std::initializer_list<QWidget*>{Button1, Button2, Button3, previewSwitch})
    setTabOrder(first, button);
  SetTabChain({last, Button1, Button2, Button3, previewSwitch});
}

void GeneratorDialog::RemoveButtonColumn() {
  for (QPushButton* b : {Button1, Button2, Button3}) buttons_->removeWidget(b);
  row_->removeItem(buttons_);
  row_->setSpacing(0);
  delete buttons_;
  buttons_ = nullptr;
}

void GeneratorDialog::showEvent(QShowEvent* event) {
  if (!defaultsApplied_) {
    ApplyDefaults();
    defaultsApplied_ = true;
  }
  if (!previewWatching_) {
    const brendax::RunRecord record = ReadRecord(false);
    preview_->SetParts(brendax::WritesLines(record), brendax::WritesRows(record));
    preview_->WatchInputs(this);
    previewWatching_ = true;
  }
  OnShow();
  Button3->setVisible(!HelpText().empty());
  Confirmed = false;
  preview_->ApplyVisible();
  // The size follows the preview's parts now, before the dialog is placed.
  if (layout() != nullptr) layout()->activate();
  CentreOverParent(this);
  FocusFirstField(this);
  QDialog::showEvent(event);
  preview_->UpdateNow();
}

void GeneratorDialog::ShowRecord(const brendax::RunRecord& record) {
  defaultsApplied_ = true;
  WriteRecord(record);
}

void GeneratorDialog::hideEvent(QHideEvent* event) {
  preview_->Stop();
  QDialog::hideEvent(event);
}

void GeneratorDialog::PrepareOutput() { host_.PrepareSourceAndSymbolOutput(); }

void GeneratorDialog::Button1Click() {
  // The dialog closes first: a refusal is reported over the main window,
  // where the user goes on with "Formular", not over a dialog that would
  // vanish with the message.
  Confirmed = true;
  accept();
  if (generatorCode_ != 0) host_.SetLastGenerator(generatorCode_);
  PrepareOutput();
  const brendax::RunRecord record = ReadRecord(true);
  const brendax::GeneratorResult result = brendax::GenerateRecord(record, host_.mnemonics());
  host_.ShowGeneratorResult(result, parentWidget());
  if (result.ok()) host_.RecordRun(record);
}

void GeneratorDialog::Button3Click() { host_.seams().ShowMessage(this, FromAnsi(HelpText())); }

void CentreOverParent(QWidget* dialog) {
  QRect area;
  if (QWidget* parent = dialog->parentWidget(); parent && parent->isVisible())
    area = parent->window()->frameGeometry();
  else if (const QScreen* screen = QApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isNull()) return;
  // The client size, not the frame: the frame is known only after the first
  // showing, and the position must not depend on it.
  QRect r(QPoint(0, 0), dialog->size());
  r.moveCenter(area.center());
  dialog->move(r.topLeft());
}

void SetTabChain(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (previous && widget) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void FocusFirstField(QWidget* dialog) {
  for (QWidget* w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain()) {
    if (w->window() != dialog || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(dialog))
      continue;
    // In a group of radio buttons the focus goes to the chosen one.
    if (auto* button = qobject_cast<QAbstractButton*>(w);
        button && button->group() && button->group()->exclusive() && button->group()->checkedButton()) {
      w = button->group()->checkedButton();
    }
    w->setFocus(Qt::TabFocusReason);
    return;
  }
}
