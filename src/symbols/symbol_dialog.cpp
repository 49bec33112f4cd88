#include "symbols/symbol_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "symbols/symbol_templates.h"
#include "ui/controls_ui.h"
#include "ui/field_binding_ui.h"
#include "ui/seams_ui.h"
#include "ui/tool_host_ui.h"

using brendax::SymbolParams;

namespace {

// Client area of the symbol dialog, below its menu.
constexpr int kClientWidth = 676;
constexpr int kClientHeight = 454;
// Four columns of fields, 145 pixels wide, starting at x = 16, 182, 348, 514.
constexpr int kColumnWidth = 145;
constexpr int kColumnGap = 182 - 16 - kColumnWidth;
constexpr int kLeftMargin = 16;

}  // namespace

// ------------------------------------------------------------ save dialog

TFormSymbolgenSaveFormular::TFormSymbolgenSaveFormular(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSymbolgenSaveFormular");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle("Formular Speichern als");
  QStringList items;
  for (int i = 1; i <= 8; ++i) items << QString("Vorlage %1").arg(i);
  RadioGroup1 = new RadioGroup(QString(), items, this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setItemIndex(0);

  // Each name field stands beside its radio item, inside the group.
  delete RadioGroup1->layout();
  auto* grid = new QGridLayout(RadioGroup1);
  for (int i = 0; i < 8; ++i) {
    Edits[i] = new QLineEdit(RadioGroup1);
    Edits[i]->setObjectName(QString("Edit%1").arg(i + 1));
    Edits[i]->setMinimumWidth(180);
    Edits[i]->installEventFilter(this);
    grid->addWidget(RadioGroup1->item(i), i, 0);
    grid->addWidget(Edits[i], i, 1);
    connect(Edits[i], &QLineEdit::textChanged, this, [this, i] { EditTouched(i); });
  }

  Button1 = new QPushButton("Speichern", this);
  Button1->setObjectName("Button1");
  Button2 = new QPushButton("Abbrechen", this);
  Button2->setObjectName("Button2");
  for (QPushButton* b : {Button1, Button2}) {
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
  }
  Button1->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Row by row: each slot, then its name.
  for (int i = 0; i < 8; ++i) {
    SetTabChain({i == 0 ? nullptr : Edits[i - 1], RadioGroup1->item(i), Edits[i]});
  }

  connect(Button1, &QPushButton::clicked, this, &TFormSymbolgenSaveFormular::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFormSymbolgenSaveFormular::Button2Click);
}

void TFormSymbolgenSaveFormular::SetNames(const std::array<QString, 8>& names) {
  fillingNames_ = true;
  for (int i = 0; i < 8; ++i) Edits[i]->setText(names[i]);
  fillingNames_ = false;
  RadioGroup1->setItemIndex(lastSavedSlot_ - 1);
}

int TFormSymbolgenSaveFormular::SelectedSlot() const { return RadioGroup1->itemIndex() + 1; }

QString TFormSymbolgenSaveFormular::SelectedName() const {
  const int slot = SelectedSlot();
  return slot >= 1 && slot <= 8 ? Edits[slot - 1]->text() : QString();
}

void TFormSymbolgenSaveFormular::showEvent(QShowEvent* event) {
  Saved = false;
  CentreOverParent(this);
  FocusFirstField(this);
  QDialog::showEvent(event);
}

void TFormSymbolgenSaveFormular::Button1Click() {
  Saved = true;
  lastSavedSlot_ = SelectedSlot();
  accept();
}

void TFormSymbolgenSaveFormular::Button2Click() { reject(); }

void TFormSymbolgenSaveFormular::EditTouched(int index) {
  if (!fillingNames_) RadioGroup1->setItemIndex(index);
}

bool TFormSymbolgenSaveFormular::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) {
    for (int i = 0; i < 8; ++i)
      if (watched == Edits[i]) EditTouched(i);
  }
  return QDialog::eventFilter(watched, event);
}

// ------------------------------------------------------------ symbol dialog

TForm2::TForm2(ToolHost& host, QWidget* parent)
    : GeneratorDialog(host, parent, brendax::kGenSymbols, QString::fromUtf8(brendax::DialogCaptionOf("symbols"))) {
  setObjectName("Form2");
  Button1->setText("OK");
  // The longest captions ("Startw. Count.3 (Sequ.) <C3>") fit the 145-pixel
  // columns only in the slightly smaller dialog font.
  QFont small = font();
  if (small.pointSizeF() > 8) small.setPointSizeF(8);
  setFont(small);

  LabeledEdit5 = Named(new LabeledEdit("Anzahl Symbole", this), "LabeledEdit5");
  auto* area = new QWidget(this);
  Label1 = Named(new QLabel("Adressbereich", area), "Label1");
  ComboBox1 = Named(new QComboBox(area), "ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  for (const auto& item : brendax::SymbolAreaItems()) ComboBox1->addItem(FromAnsi(item));
  Label1->setBuddy(ComboBox1);
  auto* areaLayout = new QVBoxLayout(area);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  areaLayout->setSpacing(2);
  areaLayout->addWidget(Label1);
  areaLayout->addWidget(ComboBox1);

  LabeledEdit1 = Named(new LabeledEdit("Startadresse <A1>", this), "LabeledEdit1");
  LabeledEdit2 = Named(new LabeledEdit("Startadresse2 <A2>", this), "LabeledEdit2");
  LabeledEdit3 = Named(new LabeledEdit("Startwert Counter1 <C1>", this), "LabeledEdit3");
  LabeledEdit4 = Named(new LabeledEdit("Startwert Counter2 <C2>", this), "LabeledEdit4");
  LabeledEdit8 = Named(new LabeledEdit("Startw. Count.3 (Sequ.) <C3>", this), "LabeledEdit8");
  LabeledEdit9 = Named(new LabeledEdit("Schrittweite C1", this), "LabeledEdit9");
  LabeledEdit10 = Named(new LabeledEdit("Schrittweite C2", this), "LabeledEdit10");
  for (int i = 0; i < 4; ++i) {
    T1Edits[i] = new LabeledEdit(QString("Var Text <T1> (Sequ. %1)").arg(i + 1), this);
    T1Edits[i]->setObjectName(QString("LabeledEdit%1").arg(12 + i));
    T2Edits[i] = new LabeledEdit(QString("Var Text <T2> (Sequ. %1)").arg(i + 1), this);
    T2Edits[i]->setObjectName(QString("LabeledEdit%1").arg(16 + i));
  }
  LabeledEdit6 = Named(new LabeledEdit("Symbol", this), "LabeledEdit6");
  LabeledEdit7 = Named(new LabeledEdit("Kommentar", this), "LabeledEdit7");
  Bevel1 = Named(new QFrame(this), "Bevel1");
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Button6 = Named(new QPushButton("Vereinfachen", this), "Button6");

  // Hidden fields keep their place, so the visible ones never move.
  for (QWidget* w : {static_cast<QWidget*>(LabeledEdit2), static_cast<QWidget*>(LabeledEdit4),
                     static_cast<QWidget*>(LabeledEdit10), static_cast<QWidget*>(LabeledEdit8)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  }
  for (int i = 0; i < 4; ++i) {
    for (QWidget* w : {static_cast<QWidget*>(T1Edits[i]), static_cast<QWidget*>(T2Edits[i])}) {
      QSizePolicy policy = w->sizePolicy();
      policy.setRetainSizeWhenHidden(true);
      w->setSizePolicy(policy);
    }
  }

  auto* grid = new QGridLayout;
  // The last column is as wide as its longest caption ("Startw. Count.3
  // (Sequ.) <C3>" may stand out beyond its 145-pixel field); the dialog
  // grows beyond its 676 pixels when the captions need it.
  grid->setContentsMargins(kLeftMargin, 8, kLeftMargin, 12);
  grid->setHorizontalSpacing(kColumnGap);
  grid->setVerticalSpacing(10);
  for (int column = 0; column < 4; ++column) grid->setColumnMinimumWidth(column, kColumnWidth);
  for (LabeledEdit* e : {LabeledEdit2, LabeledEdit8, T1Edits[3], T2Edits[3]}) e->edit()->setFixedWidth(kColumnWidth);
  LabeledEdit7->setMaximumWidth(2 * kColumnWidth + kColumnGap);
  grid->addWidget(LabeledEdit5, 0, 0);
  grid->addWidget(area, 0, 1);
  grid->addWidget(LabeledEdit1, 0, 2);
  grid->addWidget(LabeledEdit2, 0, 3);
  grid->addWidget(LabeledEdit3, 1, 0);
  grid->addWidget(LabeledEdit4, 1, 1);
  grid->addWidget(LabeledEdit8, 1, 3);
  grid->addWidget(LabeledEdit9, 2, 0);
  grid->addWidget(LabeledEdit10, 2, 1);
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(T1Edits[i], 3, i);
    grid->addWidget(T2Edits[i], 4, i);
  }
  grid->addWidget(Bevel1, 5, 0, 1, 4);
  grid->addWidget(LabeledEdit6, 6, 0, 1, 2);
  grid->addWidget(LabeledEdit7, 6, 2, 1, 2);
  grid->setRowStretch(7, 1);
  grid->addWidget(Button6, 8, 1);

  // The base's frame without its button column: "OK" and "Abbrechen" stand
  // at the bottom right, the help is a menu entry. The fields keep their
  // client area below the menu; the preview goes below them.
  auto* form = Named(new QWidget(this), "Fields");
  form->setLayout(grid);
  // Wider than 676 pixels only where the captions need it.
  form->setFixedSize(std::max(kClientWidth, grid->minimumSize().width()), kClientHeight);
  auto* fields = new QVBoxLayout;
  fields->addWidget(form);
  SetFieldsLayout(fields);
  layout()->setContentsMargins(0, 0, 0, 0);
  layout()->setSpacing(0);
  RemoveButtonColumn();
  Button3->hide();
  auto* okCancel = new QHBoxLayout;
  okCancel->addStretch();
  okCancel->addWidget(Button1);
  okCancel->addWidget(Button2);
  grid->addLayout(okCancel, 8, 2, 1, 2);

  MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
  QMenu* formular = MainMenu1->addMenu("Formular");
  Abbrechen1 = Named(formular->addAction("Abbrechen"), "Abbrechen1");
  OKGenerieren1 = Named(formular->addAction("OK - Generieren"), "OKGenerieren1");
  QMenu* vorlagen = MainMenu1->addMenu("Vorlagen");
  BeispielInterface1 = Named(vorlagen->addAction("Beispiel Interface"), "BeispielInterface1");
  BeispielZylinder1 = Named(vorlagen->addAction("Beispiel Zylinder"), "BeispielZylinder1");
  Programmnummer1 = Named(vorlagen->addAction("Beispiel Programmnummer"), "Programmnummer1");
  vorlagen->addSeparator();
  for (int i = 0; i < 8; ++i) {
    LoadEntries[i] = vorlagen->addAction(QString("Lade Formular %1").arg(i + 1));
    LoadEntries[i]->setObjectName(QString("LadeFormular%1").arg(i + 1) + "1");
    connect(LoadEntries[i], &QAction::triggered, this, [this, i] { LadeFormular11Click(i + 1); });
  }
  vorlagen->addSeparator();
  LadeFormular82 = Named(vorlagen->addAction("Speichern als Vorlage"), "LadeFormular82");
  QMenu* ansicht = MainMenu1->addMenu("Ansicht");
  Vereinfacht1 = Named(ansicht->addAction("Vereinfacht"), "Vereinfacht1");
  Vereinfacht1->setCheckable(true);
  Hilfe1 = Named(MainMenu1->addAction("Hilfe"), "Hilfe1");
  layout()->setMenuBar(MainMenu1);

  // Row by row: the T1 texts before the T2 texts.
  SetTabChain({LabeledEdit10, T1Edits[0], T1Edits[1], T1Edits[2], T1Edits[3], T2Edits[0], T2Edits[1], T2Edits[2],
               T2Edits[3], LabeledEdit6});

  FormSymbolgenSaveFormular = new TFormSymbolgenSaveFormular(this);

  connect(Abbrechen1, &QAction::triggered, this, &QDialog::reject);
  connect(OKGenerieren1, &QAction::triggered, this, &GeneratorDialog::Button1Click);
  connect(BeispielInterface1, &QAction::triggered, this, &TForm2::Button4Click);
  connect(BeispielZylinder1, &QAction::triggered, this, &TForm2::Button5Click);
  connect(Programmnummer1, &QAction::triggered, this, &TForm2::Programmnummer1Click);
  connect(LadeFormular82, &QAction::triggered, this, &TForm2::LadeFormular82Click);
  connect(Vereinfacht1, &QAction::triggered, this, &TForm2::Vereinfacht1Click);
  connect(Button6, &QPushButton::clicked, this, &TForm2::Vereinfacht1Click);
  connect(Hilfe1, &QAction::triggered, this, &GeneratorDialog::Button3Click);
  for (int i = 0; i < 4; ++i) {
    connect(T1Edits[i]->edit(), &QLineEdit::textChanged, this, &TForm2::LabeledEdit12Change);
    connect(T2Edits[i]->edit(), &QLineEdit::textChanged, this, &TForm2::LabeledEdit12Change);
  }
}

int TForm2::AreaIndex() const {
  // Text typed into the box selects an item only when it is that item's text.
  return ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

SymbolParams TForm2::Form() const {
  SymbolParams p = FieldBinder<SymbolParams>(brendax::SymbolFieldTable(), const_cast<TForm2*>(this)).Read();
  p.area = AreaIndex();
  p.simplifiedView = SimplifiedView;
  return p;
}

void TForm2::SetForm(const SymbolParams& form) {
  FieldBinder<SymbolParams>(brendax::SymbolFieldTable(), this).Write(form);
  SimplifiedView = form.simplifiedView;
  LabeledEdit12Change();
  ApplyView();
}

void TForm2::RefreshMenus() {
  for (int n = 1; n <= 8; ++n) {
    LoadEntries[n - 1]->setText(
        FromAnsi(brendax::LoadEntryCaption(n, brendax::SymbolTemplateName(host().settings(), n))));
  }
}

void TForm2::ApplyDefaults() { Programmnummer1Click(); }

void TForm2::OnShow() {
  LabeledEdit12Change();
  ApplyView();
  RefreshMenus();
}

void TForm2::showEvent(QShowEvent* event) {
  GeneratorDialog::showEvent(event);
  Button3->hide();  // help is the menu entry "Hilfe"
}

void TForm2::PrepareOutput() { host().PrepareSymbolOutput(); }

brendax::RunRecord TForm2::ReadRecord(bool) { return Form(); }

void TForm2::WriteRecord(const brendax::RunRecord& record) {
  SymbolParams form = std::get<SymbolParams>(record);
  form.simplifiedView = SimplifiedView;  // the view is no field
  SetForm(form);
}

std::string TForm2::HelpText() const { return brendax::SymbolHelpText(); }

void TForm2::ApplyView() {
  Vereinfacht1->setChecked(SimplifiedView);
  Button6->setText(SimplifiedView ? "Erweitern" : "Vereinfachen");
  for (QWidget* w : {static_cast<QWidget*>(LabeledEdit2), static_cast<QWidget*>(LabeledEdit4),
                     static_cast<QWidget*>(LabeledEdit10), static_cast<QWidget*>(LabeledEdit8)})
    w->setVisible(!SimplifiedView);
  for (int i = 0; i < 4; ++i) {
    T1Edits[i]->setVisible(!SimplifiedView);
    T2Edits[i]->setVisible(!SimplifiedView);
  }
}

void TForm2::Vereinfacht1Click() {
  SimplifiedView = !SimplifiedView;
  ApplyView();
}

void TForm2::LabeledEdit12Change() {
  const QColor inactive = palette().color(QPalette::Button);
  const QColor active = palette().color(QPalette::Base);
  const auto paint = [](LabeledEdit* e, const QColor& colour) {
    QPalette p = e->edit()->palette();
    p.setColor(QPalette::Base, colour);
    e->edit()->setPalette(p);
  };
  for (int i = 0; i < 4; ++i) {
    paint(T1Edits[i], inactive);
    paint(T2Edits[i], inactive);
  }
  SequenceCount = 0;
  for (int i = 0; i < 4; ++i) {
    if (T1Edits[i]->text().isEmpty() && T2Edits[i]->text().isEmpty()) break;
    SequenceCount = i + 1;
    paint(T1Edits[i], active);
    paint(T2Edits[i], active);
  }
}

void TForm2::Button4Click() { SetForm(brendax::SymbolExampleInterface()); }

void TForm2::Button5Click() { SetForm(brendax::SymbolExampleCylinder()); }

void TForm2::Programmnummer1Click() { SetForm(brendax::SymbolExampleProgramNumber()); }

void TForm2::LadeFormular11Click(int slot) {
  SetForm(brendax::FormFromTemplate(brendax::ReadSymbolTemplate(host().settings(), slot)));
}

void TForm2::LadeFormular82Click() {
  std::array<QString, 8> names;
  for (int n = 1; n <= 8; ++n) names[n - 1] = FromAnsi(brendax::SymbolTemplateName(host().settings(), n));
  FormSymbolgenSaveFormular->SetNames(names);
  FormSymbolgenSaveFormular->exec();
  if (!FormSymbolgenSaveFormular->Saved) return;
  const int slot = FormSymbolgenSaveFormular->SelectedSlot();
  if (slot < 1 || slot > 8) return;
  const std::string name = ToAnsi(FormSymbolgenSaveFormular->SelectedName());
  const brendax::SymbolTemplate stored = brendax::TemplateFromForm(Form(), name);
  // A control character would go into the settings file and come back as
  // extra lines or cells: refused, nothing is saved.
  if (const brendax::GeneratorResult refused = brendax::CheckTemplateForSaving(stored); !refused.ok()) {
    host().seams().ShowMessage(this, FromAnsi(brendax::ErrorBoxText(refused)));
    return;
  }
  brendax::WriteSymbolTemplate(host().settings(), slot, stored);
  // A failed write shows its message; the template stays changed in memory.
  host().SaveSettings();
  host().RefreshMenus();
  RefreshMenus();
}
