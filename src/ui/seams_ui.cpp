#include "ui/seams_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <array>

#include "text/cp1252.h"

void DesktopSeams::ShowMessage(QWidget* parent, const QString& text) {
  // Messages separate their lines with CR LF or with CR alone; the label
  // breaks lines only at LF.
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), shown, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void DesktopSeams::SetClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }

bool DesktopSeams::OpenDocument(const QString& fileName) {
  // A bare name is looked up in the current working directory.
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
}

QString DesktopSeams::GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filters, QString* selectedFilter) {
  return QFileDialog::getSaveFileName(parent, caption, dir, filters, selectedFilter);
}

namespace {
// Message texts break lines at CR LF or at CR alone; the label only at LF.
QString ShownText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}
}  // namespace

bool DesktopSeams::AskYesNo(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), ShownText(text),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

Seams::SaveChoice DesktopSeams::AskSaveDiscardCancel(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), ShownText(text), QMessageBox::NoButton,
                  parent);
  box.setTextFormat(Qt::PlainText);
  QPushButton* save = box.addButton("Speichern", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("Verwerfen", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton("Abbrechen", QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveChoice::kSave;
  if (box.clickedButton() == discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

QString DesktopSeams::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

void AppendAnsi(QString& out, std::string_view cp1252) {
  // Straight from the bytes to UTF-16: the memo may receive megabytes at once.
  static const std::array<char16_t, 32> high = [] {
    std::array<char16_t, 32> table{};
    for (int b = 0x80; b < 0xA0; ++b)
      table[static_cast<std::size_t>(b - 0x80)] =
          QString::fromStdString(brendax::Cp1252ToUtf8(std::string(1, static_cast<char>(b)))).at(0).unicode();
    return table;
  }();
  const qsizetype start = out.size();
  out.resize(start + static_cast<qsizetype>(cp1252.size()));
  QChar* data = out.data() + start;
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp1252[i]);
    data[i] = QChar(byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t{byte});
  }
}

QString FromAnsi(const std::string& cp1252) {
  QString out;
  AppendAnsi(out, cp1252);
  return out;
}

std::string ToAnsi(const QString& text) { return brendax::Utf8ToCp1252(text.toStdString()); }
