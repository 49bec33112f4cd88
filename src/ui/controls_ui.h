// Small composite controls that the tool dialogs share: an edit field with
// its label above it, and a titled group of radio buttons.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLabel;

// A single-line edit with its caption above it.
class LabeledEdit : public QWidget {
  Q_OBJECT

 public:
  LabeledEdit(const QString& caption, QWidget* parent = nullptr);
  QString text() const { return edit_->text(); }
  void setText(const QString& text) { edit_->setText(text); }
  QLineEdit* edit() const { return edit_; }
  QLabel* label() const { return label_; }

 private:
  QLabel* label_;
  QLineEdit* edit_;
};

// A group box of radio buttons with one selected item (or none: -1).
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);
  int itemIndex() const;
  // Selects an item without emitting itemClicked.
  void setItemIndex(int index);
  void setItemText(int index, const QString& text);
  QAbstractButton* item(int index) const;

 signals:
  // The user (or a test) clicked an item.
  void itemClicked(int index);

 private:
  QButtonGroup* group_;
};
