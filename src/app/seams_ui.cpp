#include "app/seams_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "text/cp1252.h"

void DesktopSeams::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

void DesktopSeams::SetClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }

void DesktopSeams::OpenDocument(const QString& fileName) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

QString FromAnsi(const std::string& cp1252) { return QString::fromStdString(brendax::Cp1252ToUtf8(cp1252)); }

std::string ToAnsi(const QString& text) { return brendax::Utf8ToCp1252(text.toStdString()); }
