// Small composite controls that the tool dialogs share: an edit field with
// its label above it, and a titled group of radio buttons.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class Seams;

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

// A plain-text pane (the main window's source view, the pointer tool's
// listing) whose copies carry CR LF line ends, as every copy the program
// makes: Ctrl+C and the context menu's "Copy" put the selection on the
// clipboard through the seams; a dragged selection carries the same text.
class CrLfTextPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  CrLfTextPane(Seams& seams, QWidget* parent = nullptr);
  // The selected text with CR LF after every line but the last.
  QString SelectedText() const;
  // Puts the selection on the clipboard; nothing when there is none.
  void CopySelection();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  Seams& seams_;
};
