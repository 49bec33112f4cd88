#include "ui/seams_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <array>

#include "text/cp1252.h"

void DesktopSeams::ShowMessage(QWidget* parent, const QString& text) {
  MakeMessageBox(parent, QMessageBox::NoIcon, text, QMessageBox::Ok)->exec();
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

bool DesktopSeams::AskYesNo(QWidget* parent, const QString& text) {
  return MakeMessageBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No)->exec() ==
         QMessageBox::Yes;
}

Seams::SaveChoice DesktopSeams::AskSaveDiscardCancel(QWidget* parent, const QString& text) {
  const auto box = MakeMessageBox(parent, QMessageBox::Question, text, QMessageBox::NoButton);
  QPushButton* save = box->addButton("Speichern", QMessageBox::AcceptRole);
  QPushButton* discard = box->addButton("Verwerfen", QMessageBox::DestructiveRole);
  QPushButton* cancel = box->addButton("Abbrechen", QMessageBox::RejectRole);
  box->setDefaultButton(save);
  box->setEscapeButton(cancel);
  box->exec();
  if (box->clickedButton() == save) return SaveChoice::kSave;
  if (box->clickedButton() == discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

QString DesktopSeams::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons) {
  // Messages separate their lines with CR LF or with CR alone; the label
  // breaks lines only at LF.
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  auto box = std::make_unique<QMessageBox>(icon, QApplication::applicationName(), shown, buttons, parent);
  box->setTextFormat(Qt::PlainText);
  // A short text ("Fehler: 10") would make a box too narrow for its title.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(kMessageBoxMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return box;
}

QString DroppedLocalFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  const QString path = urls.first().toLocalFile();
  return QFileInfo(path).isDir() ? QString() : path;
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
