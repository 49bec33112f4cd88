#include "datablocks/target_actual_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

namespace {

// A list with its caption above it.
QPlainTextEdit* AddList(QGridLayout* grid, int row, int column, const QString& caption, QWidget* parent) {
  auto* box = new QVBoxLayout;
  box->setSpacing(2);
  auto* label = new QLabel(caption, parent);
  auto* memo = new QPlainTextEdit(parent);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setTabChangesFocus(true);
  memo->setMinimumSize(220, 190);
  label->setBuddy(memo);
  box->addWidget(label);
  box->addWidget(memo);
  grid->addLayout(box, row, column);
  return memo;
}

}  // namespace

TForm3::TForm3(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenTargetActualDb,
                      QString::fromUtf8(brendax::DialogCaptionOf("target-actual-db"))),
      binder_(brendax::TargetActualFields(), this) {
  LabeledEdit6 = Named(new LabeledEdit(QStringLiteral("Startadresse (0..1023) :"), this), "LabeledEdit6");
  LabeledEdit2 = Named(new LabeledEdit(QStringLiteral("Anzahl Doppelworte (1..32) :"), this), "LabeledEdit2");
  LabeledEdit1 = Named(new LabeledEdit(QStringLiteral("Anzahl Varianten (1..64) :"), this), "LabeledEdit1");
  LabeledEdit3 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Ist-DW :"), this), "LabeledEdit3");
  LabeledEdit9 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Teach-Maske :"), this), "LabeledEdit9");
  LabeledEdit8 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Fehler-Bit :"), this), "LabeledEdit8");
  LabeledEdit4 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Soll-Bit :"), this), "LabeledEdit4");
  LabeledEdit5 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Aktiv-Bit :"), this), "LabeledEdit5");
  LabeledEdit7 = Named(new LabeledEdit(QStringLiteral("Symbolkürzel f. Variante (Schritt) :"), this), "LabeledEdit7");
  LabeledEdit2->setToolTip(QStringLiteral("Größe des zu überwachenden Eingangsabbildes"));
  LabeledEdit1->setToolTip(QStringLiteral("Varianten für Prozessstatus, Schritt o.ä."));

  auto* fields = new QGridLayout;
  fields->addWidget(LabeledEdit6, 0, 0);
  fields->addWidget(LabeledEdit2, 1, 0);
  fields->addWidget(LabeledEdit1, 2, 0);
  fields->addWidget(LabeledEdit3, 0, 1);
  fields->addWidget(LabeledEdit9, 1, 1);
  fields->addWidget(LabeledEdit8, 2, 1);
  fields->addWidget(LabeledEdit4, 0, 2);
  fields->addWidget(LabeledEdit5, 1, 2);
  fields->addWidget(LabeledEdit7, 2, 2);
  Memo1 = Named(AddList(fields, 3, 0, QStringLiteral("Symbolzuordnung Varianten / Schritte :"), this), "Memo1");
  Memo2 = Named(AddList(fields, 3, 1, QStringLiteral("Symbolzuordnung Adressen :"), this), "Memo2");

  QString note;
  for (const auto& line : brendax::TargetActualSyntaxNote()) note += (note.isEmpty() ? "" : "\n") + FromAnsi(line);
  Memo3 = Named(new QPlainTextEdit(note, this), "Memo3");
  Memo3->setReadOnly(true);
  Memo3->setFocusPolicy(Qt::NoFocus);
  Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int noteWidth = 0;
  for (const QString& line : note.split('\n'))
    noteWidth = std::max(noteWidth, Memo3->fontMetrics().horizontalAdvance(line));
  Memo3->setFixedSize(noteWidth + 24, Memo3->fontMetrics().lineSpacing() * 4 + 16);
  fields->addWidget(Memo3, 3, 2, Qt::AlignTop);
  SetFieldsLayout(fields);
  SetTabChain({LabeledEdit6, LabeledEdit3, LabeledEdit4, LabeledEdit2, LabeledEdit9, LabeledEdit5, LabeledEdit1,
               LabeledEdit8, LabeledEdit7, Memo1, Memo2, Button1});
}

void TForm3::ApplyDefaults() { binder_.Write(brendax::DefaultsOf(brendax::TargetActualFields())); }

void TForm3::PrepareOutput() { host().PrepareSourceOutput(); }

brendax::RunRecord TForm3::ReadRecord(bool) { return binder_.Read(); }

void TForm3::WriteRecord(const brendax::RunRecord& record) {
  binder_.Write(std::get<brendax::TargetActualParams>(record));
}
