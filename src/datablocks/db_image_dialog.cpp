#include "datablocks/db_image_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "ui/controls_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

TForm7QuelleDBFileKopieBin::TForm7QuelleDBFileKopieBin(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenDbImage, QString::fromUtf8(brendax::DialogCaptionOf("db-image"))),
      binder_(brendax::DbImageFields(), this) {
  // The button column of the frame carries this dialog's own names.
  GeneratorDialog::Button1->setObjectName(QStringLiteral("Button2"));
  GeneratorDialog::Button2->setObjectName(QStringLiteral("Button3"));
  GeneratorDialog::Button3->setObjectName(QStringLiteral("Button4"));

  LabeledEdit1 = Named(new LabeledEdit(QStringLiteral("Quelldatei (Text- oder Binär-File):"), this), "LabeledEdit1");
  LabeledEdit1->edit()->setMinimumWidth(360);
  BrowseButton = Named(new QPushButton(QStringLiteral(".."), this), "Button1");
  BrowseButton->setFixedWidth(32);
  BrowseButton->setAutoDefault(false);
  LabeledEdit2 = Named(new LabeledEdit(QStringLiteral("DB-Nummer:"), this), "LabeledEdit2");
  LabeledEdit5 = Named(new LabeledEdit(QStringLiteral("Name d. Arrayvariable:"), this), "LabeledEdit5");
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  ComboBox1->addItems(field_binding::ItemCaptions(brendax::DbImageFields(), "type"));
  ComboBox1->setEditable(false);
  CheckBox2 = Named(new QCheckBox(QStringLiteral("Bytefolge im Word /DWord tauschen"), this), "CheckBox2");
  LabeledEdit3 = Named(new LabeledEdit(QStringLiteral("Array-Größe / Anzahl Variablen:"), this), "LabeledEdit3");
  CheckBox1 = Named(new QCheckBox(QStringLiteral("Automatisch"), this), "CheckBox1");
  LabeledEdit4 = Named(new LabeledEdit(QStringLiteral("Array beginnt mit:"), this), "LabeledEdit4");

  auto* fields = new QGridLayout;
  auto* file = new QHBoxLayout;
  file->addWidget(LabeledEdit1, 1);
  file->addWidget(BrowseButton, 0, Qt::AlignBottom);
  fields->addLayout(file, 0, 0, 1, 2);
  fields->addWidget(LabeledEdit2, 1, 0);
  fields->addWidget(LabeledEdit5, 1, 1);
  fields->addWidget(ComboBox1, 2, 0, Qt::AlignBottom);
  fields->addWidget(CheckBox2, 2, 1, Qt::AlignBottom);
  fields->addWidget(LabeledEdit3, 3, 0);
  fields->addWidget(CheckBox1, 3, 1, Qt::AlignBottom);
  fields->addWidget(LabeledEdit4, 4, 0);
  fields->setRowStretch(5, 1);
  SetFieldsLayout(fields);

  setAcceptDrops(true);
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(this);

  connect(BrowseButton, &QPushButton::clicked, this, &TForm7QuelleDBFileKopieBin::Button1Click);
  connect(CheckBox1, &QCheckBox::toggled, this, &TForm7QuelleDBFileKopieBin::UpdateCountField);
}

brendax::DbImageParams TForm7QuelleDBFileKopieBin::Params() const {
  brendax::DbImageParams p = binder_.Read();
  p.filePath = QFile::encodeName(LabeledEdit1->text()).toStdString();
  return p;
}

void TForm7QuelleDBFileKopieBin::Button1Click() {
  const QString current = LabeledEdit1->text();
  const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
  const QString chosen = host().seams().GetOpenFileName(this, QStringLiteral("Öffnen"), folder, QString());
  if (!chosen.isEmpty()) SetFile(chosen);
}

void TForm7QuelleDBFileKopieBin::SetFile(const QString& path) {
  LabeledEdit1->setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void TForm7QuelleDBFileKopieBin::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm7QuelleDBFileKopieBin::dropEvent(QDropEvent* event) {
  const QString file = DroppedLocalFile(event->mimeData());
  if (file.isEmpty()) return;
  SetFile(file);
  event->acceptProposedAction();
}

bool TForm7QuelleDBFileKopieBin::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      if (!DroppedLocalFile(static_cast<QDragMoveEvent*>(event)->mimeData()).isEmpty()) {
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
      }
      break;
    case QEvent::Drop:
      if (!DroppedLocalFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
      }
      break;
    default: break;
  }
  return GeneratorDialog::eventFilter(watched, event);
}

void TForm7QuelleDBFileKopieBin::UpdateCountField() { LabeledEdit3->setEnabled(!CheckBox1->isChecked()); }

void TForm7QuelleDBFileKopieBin::ApplyDefaults() {
  binder_.Write(brendax::DefaultsOf(brendax::DbImageFields()));
  UpdateCountField();
}

void TForm7QuelleDBFileKopieBin::PrepareOutput() { host().PrepareSourceOutput(); }

brendax::RunRecord TForm7QuelleDBFileKopieBin::ReadRecord(bool) { return Params(); }

void TForm7QuelleDBFileKopieBin::WriteRecord(const brendax::RunRecord& record) {
  const brendax::DbImageParams& p = std::get<brendax::DbImageParams>(record);
  binder_.Write(p);
  LabeledEdit1->setText(QFile::decodeName(QByteArray::fromStdString(p.filePath)));
  UpdateCountField();
}

std::string TForm7QuelleDBFileKopieBin::HelpText() const { return brendax::DbImageHelpText(); }
