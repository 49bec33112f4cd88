// The few places where the program talks to the desktop: message boxes, the
// clipboard and the shell's "open". Tests put a recorder in their place so
// that nothing blocks and every message can be checked.
#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

class QMimeData;
class QWidget;

class Seams {
 public:
  virtual ~Seams() = default;
  // A plain message box with one OK button.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // Puts a plain text on the clipboard, replacing its content.
  virtual void SetClipboardText(const QString& text) = 0;
  // Asks the desktop to open a document by file name; false when no viewer
  // could open it.
  virtual bool OpenDocument(const QString& fileName) = 0;
  // A file-open dialog; the chosen file's full path, or empty when cancelled.
  virtual QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    (void)parent, (void)caption, (void)dir, (void)filter;
    return {};
  }
  // A file-save dialog with a list of file types ("Name (*.ext);;..."); the
  // chosen path (empty when cancelled) and the chosen type in
  // `selectedFilter` (which also names the type offered first).
  virtual QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filters,
                                  QString* selectedFilter) = 0;
  // A question with the buttons Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
  // The question before unsaved changes would be lost, with the buttons
  // "Speichern", "Verwerfen" and "Abbrechen" (also the Escape key).
  enum class SaveChoice { kSave, kDiscard, kCancel };
  virtual SaveChoice AskSaveDiscardCancel(QWidget* parent, const QString& text) {
    (void)parent, (void)text;
    return SaveChoice::kCancel;
  }
};

// The real desktop.
class DesktopSeams : public Seams {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override;
  void SetClipboardText(const QString& text) override;
  bool OpenDocument(const QString& fileName) override;
  QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
  QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filters,
                          QString* selectedFilter) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
  SaveChoice AskSaveDiscardCancel(QWidget* parent, const QString& text) override;
};

// The message boxes of the real desktop: plain text (lines may be separated
// by CR LF or by CR alone), the program's name as the title, and at least
// this wide, so that the title shows however short the text is.
constexpr int kMessageBoxMinimumWidth = 280;
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons);

// The local file a drag from the desktop carries, when it carries exactly
// one (not a folder); empty otherwise.
QString DroppedLocalFile(const QMimeData* data);

// Core text (Windows-1252 bytes) to and from the window's Unicode text.
QString FromAnsi(const std::string& cp1252);
// Appends the Windows-1252 bytes to out, converted.
void AppendAnsi(QString& out, std::string_view cp1252);
std::string ToAnsi(const QString& text);
