#include "app/info_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/generator_dialog_ui.h"
#include "ui/tool_host_ui.h"

namespace {

const std::array<QColor, 4> kPanelColours = {QColor(200, 40, 40), QColor(230, 200, 40), QColor(40, 90, 200),
                                             QColor(130, 130, 130)};
const QColor kExpertColour(40, 170, 60);

}  // namespace

ClickPanel::ClickPanel(QColor colour, QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  setFixedSize(40, 40);
  SetColour(colour);
}

void ClickPanel::SetColour(QColor colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

void ClickPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QFrame::mousePressEvent(event);
}

TForm4::TForm4(ToolHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setWindowTitle("Über Brendax");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Label1 = new QLabel("Brendax", this);
  QFont big = Label1->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  Label1->setFont(big);
  Label1->setAlignment(Qt::AlignCenter);
  Label2 = new QLabel(brendax::kVersionLine, this);
  Label2->setAlignment(Qt::AlignCenter);
  auto* description = new QLabel("Werkzeugkasten für S7-Programmierer:\nAWL-Quellen und Symboltabellen", this);
  description->setAlignment(Qt::AlignCenter);

  auto* panels = new QHBoxLayout;
  panels->addStretch(1);
  for (int i = 0; i < 4; ++i) {
    Panels[static_cast<std::size_t>(i)] = new ClickPanel(kPanelColours[static_cast<std::size_t>(i)], this);
    connect(Panels[static_cast<std::size_t>(i)], &ClickPanel::clicked, this, [this, i] { PanelClick(i + 1); });
    panels->addWidget(Panels[static_cast<std::size_t>(i)]);
  }
  panels->addStretch(1);

  Button1 = new QPushButton("OK", this);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(description);
  layout->addSpacing(8);
  layout->addLayout(panels);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm4::ApplyCaptions(const std::function<QString(const QString&)>& languageText) {
  setWindowTitle(languageText("Über Brendax@About Brendax"));
}

void TForm4::PanelClick(int n) {
  if (host_.expertMode()) {
    // The next click after the sequence switches the mode off again.
    emit expertModeChanged(false);
    progress_ = 0;
  } else if (n == kExpertSequence[static_cast<std::size_t>(progress_)]) {
    ++progress_;
    if (progress_ == static_cast<int>(kExpertSequence.size())) {
      emit expertModeChanged(true);
      progress_ = 0;
    }
  } else {
    // A wrong click starts over; it may itself be the first of the sequence.
    progress_ = n == kExpertSequence[0] ? 1 : 0;
  }
  ShowPanelColours();
}

void TForm4::ShowPanelColours() {
  for (std::size_t i = 0; i < Panels.size(); ++i)
    Panels[i]->SetColour(host_.expertMode() ? kExpertColour : kPanelColours[i]);
}

void TForm4::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CentreOverParent(this);
  QDialog::showEvent(event);
  ShowPanelColours();
  FocusFirstField(this);
}
