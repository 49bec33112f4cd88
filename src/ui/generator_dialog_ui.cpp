#include "ui/generator_dialog_ui.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

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
  connect(Button1, &QPushButton::clicked, this, &GeneratorDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &GeneratorDialog::Button3Click);
}

void GeneratorDialog::SetFieldsLayout(QLayout* fields) {
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GeneratorDialog::showEvent(QShowEvent* event) {
  if (!defaultsApplied_) {
    ApplyDefaults();
    defaultsApplied_ = true;
  }
  OnShow();
  Button3->setVisible(!HelpText().empty());
  Confirmed = false;
  CentreOverParent(this);
  QDialog::showEvent(event);
}

void GeneratorDialog::PrepareOutput() { host_.PrepareSourceAndSymbolOutput(); }

void GeneratorDialog::Button1Click() {
  if (generatorCode_ != 0) host_.SetLastGenerator(generatorCode_);
  PrepareOutput();
  const brendax::GeneratorResult result = Generate();
  host_.ShowGeneratorResult(result, this);
  Confirmed = true;
  accept();
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
