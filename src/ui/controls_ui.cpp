#include "ui/controls_ui.h"

#include <QAction>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <memory>

#include "ui/seams_ui.h"

LabeledEdit::LabeledEdit(const QString& caption, QWidget* parent)
    : QWidget(parent), label_(new QLabel(caption, this)), edit_(new QLineEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  label_->setBuddy(edit_);
  layout->addWidget(label_);
  layout->addWidget(edit_);
  setFocusProxy(edit_);
  // A stop of its own in the Tab order, so that it moves there as a whole.
  setFocusPolicy(edit_->focusPolicy());
}

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_->addButton(button, i);
    layout->addWidget(button);
  }
  connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* button = group_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = group_->checkedButton()) {
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
  }
}

void RadioGroup::setItemText(int index, const QString& text) {
  if (QAbstractButton* button = group_->button(index)) button->setText(text);
}

QAbstractButton* RadioGroup::item(int index) const { return group_->button(index); }

CrLfTextPane::CrLfTextPane(Seams& seams, QWidget* parent) : QPlainTextEdit(parent), seams_(seams) {}

QString CrLfTextPane::SelectedText() const {
  QString text = textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text;
}

void CrLfTextPane::CopySelection() {
  if (textCursor().hasSelection()) seams_.SetClipboardText(SelectedText());
}

void CrLfTextPane::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) {
    CopySelection();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CrLfTextPane::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String("edit-copy")) continue;
    action->disconnect();
    connect(action, &QAction::triggered, this, &CrLfTextPane::CopySelection);
  }
  menu->exec(event->globalPos());
}

QMimeData* CrLfTextPane::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(SelectedText());
  return data;
}
