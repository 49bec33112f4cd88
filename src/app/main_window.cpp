#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <functional>
#include <map>

#include "app/generator_registry.h"
#include "app/info_dialog.h"
#include "app/language_dialog.h"
#include "app/settings_path_ui.h"
#include "app/symbol_grid_ui.h"
#include "core/block_header.h"
#include "core/file_writer.h"
#include "core/symbol_table_file.h"
#include "core/window_placement.h"
#include "datablocks/db_image_dialog.h"
#include "project/job_runs.h"
#include "text/cp1252.h"
#include "ui/controls_ui.h"
#include "ui/generator_dialog_ui.h"
#include "ui/help_document_ui.h"
#include "ui/seams_ui.h"

namespace {

constexpr int kClientWidth = 633;
constexpr int kClientHeight = 372;
constexpr int kPanelHeight = 41;
constexpr int kButtonWidth = 115;
constexpr int kButtonHeight = 25;

// The output area: both views always fill it; at most one of them is shown.
class OutputArea : public QWidget {
 public:
  explicit OutputArea(QWidget* parent) : QWidget(parent) {}
  void AddView(QWidget* view) { views_.push_back(view); }
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    for (QWidget* view : views_) view->setGeometry(rect());
    if (onResize) onResize();
  }

 private:
  std::vector<QWidget*> views_;
};

QFont OutputFont() {
  QFont font("Courier New", 8);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

// "awl" from "AWL-Quelle (*.awl)".
QString ExtensionOf(const QString& filter) { return filter.section("*.", 1).chopped(1); }

}  // namespace

TForm1::TForm1(Seams& seams, QString settingsPath, QWidget* parent, std::span<const brendax::GeneratorEntry> tools)
    : QMainWindow(parent),
      SettingsPath(std::move(settingsPath)),
      seams_(seams),
      qtTranslator_(std::make_unique<QTranslator>()) {
  // FormCreate.
  HelpFileDe = "Brendax_de.pdf";
  HelpFileEn = "Brendax_de.pdf";
  LoadSettings();

  setWindowTitle("Brendax");
  QFont windowFont("Tahoma", 8);
  windowFont.setStyleHint(QFont::SansSerif);
  setFont(windowFont);

  BuildMenu(tools.empty() ? brendax::GeneratorRegistry() : tools);

  // Output area with the two views.
  auto* central = new QWidget(this);
  auto* outputArea = new OutputArea(central);

  Memo1 = new CrLfTextPane(seams_, outputArea);
  Memo1->setObjectName("Memo1");
  Memo1->setFont(OutputFont());
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setWordWrapMode(QTextOption::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  GridModel = new SymbolGridModel(this);
  StringGrid1 = new QTableView(outputArea);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setFont(OutputFont());
  StringGrid1->setModel(GridModel);
  // The titles of row 0 stand in the header, which stays in place while the
  // rows scroll; dragging a title's edge widens its column, a double click
  // on the edge fits the column to its content.
  StringGrid1->setRowHidden(0, true);
  connect(GridModel, &QAbstractItemModel::modelReset, this, [this] { StringGrid1->setRowHidden(0, true); });
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->horizontalHeader()->setStretchLastSection(false);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(0);
  // Uniform row heights keep a grid of many thousand rows fast.
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setMinimumSectionSize(0);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1->setWordWrap(false);
  StringGrid1->setTextElideMode(Qt::ElideNone);

  outputArea->AddView(Memo1);
  outputArea->AddView(StringGrid1);
  outputArea->onResize = [this] { LayoutGrid(); };

  // Button panel: aligned to the bottom, buttons anchored to the right.
  Panel1 = new QWidget(central);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(kPanelHeight);
  Button5 = new QPushButton("Speichern ...", Panel1);
  Button1 = new QPushButton("CLR", Panel1);
  Button4 = new QPushButton("Quelle / Symbole", Panel1);
  Button3 = new QPushButton("Formular", Panel1);
  Button2 = new QPushButton("--> Zwischenablage", Panel1);
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(8, 8, 8, 8);
  buttons->setSpacing(8);
  buttons->addStretch(1);
  Button1->setObjectName("Button1");
  Button2->setObjectName("Button2");
  Button3->setObjectName("Button3");
  Button4->setObjectName("Button4");
  Button5->setObjectName("Button5");
  for (QPushButton* b : {Button5, Button1, Button4, Button3, Button2}) {
    b->setFixedSize(kButtonWidth, kButtonHeight);
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  // Ctrl+S saves whichever view is shown, while saving is possible.
  auto* save = new QShortcut(QKeySequence::Save, this);
  connect(save, &QShortcut::activated, this, [this] {
    if (Button5->isEnabled()) Button5Click();
  });

  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(outputArea, 1);
  layout->addWidget(Panel1);
  setCentralWidget(central);

  StatusLines = new QLabel(this);
  StatusLines->setObjectName("StatusLines");
  StatusRows = new QLabel(this);
  StatusRows->setObjectName("StatusRows");
  StatusGenerator = new QLabel(this);
  StatusGenerator->setObjectName("StatusGenerator");
  statusBar()->setSizeGripEnabled(true);
  for (QLabel* label : {StatusLines, StatusRows, StatusGenerator}) {
    label->setContentsMargins(4, 0, 16, 0);
    statusBar()->addWidget(label, label == StatusGenerator ? 1 : 0);
  }
  connect(Memo1, &QPlainTextEdit::blockCountChanged, this, &TForm1::UpdateStatusLine);
  connect(GridModel, &QAbstractItemModel::modelReset, this, &TForm1::UpdateStatusLine);
  connect(GridModel, &QAbstractItemModel::rowsInserted, this, &TForm1::UpdateStatusLine);
  connect(GridModel, &QAbstractItemModel::rowsRemoved, this, &TForm1::UpdateStatusLine);

  // A file dropped on the window goes to the DB image dialog.
  setAcceptDrops(true);
  Memo1->viewport()->installEventFilter(this);

  // Right after start both views are hidden and every button is disabled.
  Memo1->hide();
  StringGrid1->hide();
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) b->setEnabled(false);

  // Client area 633 x 372 between the menu bar and the status line, centred
  // on the screen; or where the window was when it was last closed.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  if (const QScreen* screen = QApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  RestorePlacement();

  // The dialogs, created once and hidden; they keep their values from one
  // opening to the next.
  Form4 = new TForm4(*this, this);
  Form4->setObjectName("Form4");
  connect(Form4, &TForm4::expertModeChanged, this, &TForm1::SetExpertMode);
  FormSpracheinstellung = new TFormSpracheinstellung(*this, this);
  FormSpracheinstellung->setObjectName("FormSpracheinstellung");
  connect(FormSpracheinstellung, &TFormSpracheinstellung::languageChosen, this, &TForm1::ApplyLanguage);
  for (ToolEntry& tool : tools_)
    if (tool.row->factory) tool.dialog = tool.row->factory(*this, this);

  // The projects opened last, kept beside the settings file.
  if (QFile file(RecentProjectsPath()); file.open(QIODevice::ReadOnly)) {
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
      if (recentProjects_.size() < static_cast<qsizetype>(LetzteProjekte.size())) recentProjects_ << line;
  }
  UpdateProjectMenu();
}

void TForm1::BuildMenu(std::span<const brendax::GeneratorEntry> rows) {
  using brendax::ToolMenu;
  QMenuBar* bar = menuBar();
  Beenden1 = bar->addAction("Beenden");
  Projekt1 = bar->addMenu("Projekt");
  ProjektNeu1 = Projekt1->addAction("Neu");
  ProjektOeffnen1 = Projekt1->addAction("Öffnen ...");
  ProjektSpeichern1 = Projekt1->addAction("Speichern");
  ProjektSpeichernUnter1 = Projekt1->addAction("Speichern unter ...");
  Projekt1->addSeparator();
  AllesGenerieren1 = Projekt1->addAction("Alles generieren");
  Projekt1->addSeparator();
  for (std::size_t i = 0; i < LetzteProjekte.size(); ++i) {
    LetzteProjekte[i] = Projekt1->addAction(QString());
    LetzteProjekte[i]->setObjectName(QString("LetztesProjekt%1").arg(i + 1));
    connect(LetzteProjekte[i], &QAction::triggered, this, [this, i] {
      const auto index = static_cast<qsizetype>(i);
      if (index < recentProjects_.size() && ConfirmCloseProject()) OpenProject(recentProjects_.at(index));
    });
  }
  Projekt1->setObjectName("Projekt1");
  ProjektNeu1->setObjectName("ProjektNeu1");
  ProjektOeffnen1->setObjectName("ProjektOeffnen1");
  ProjektSpeichern1->setObjectName("ProjektSpeichern1");
  ProjektSpeichernUnter1->setObjectName("ProjektSpeichernUnter1");
  AllesGenerieren1->setObjectName("AllesGenerieren1");
  connect(ProjektNeu1, &QAction::triggered, this, &TForm1::ProjektNeu1Click);
  connect(ProjektOeffnen1, &QAction::triggered, this, &TForm1::ProjektOeffnen1Click);
  connect(ProjektSpeichern1, &QAction::triggered, this, &TForm1::ProjektSpeichern1Click);
  connect(ProjektSpeichernUnter1, &QAction::triggered, this, &TForm1::ProjektSpeichernUnter1Click);
  connect(AllesGenerieren1, &QAction::triggered, this, &TForm1::AllesGenerieren1Click);
  Tools = bar->addMenu(brendax::kToolsMenuCaption);
  Quellen1 = new QMenu(brendax::kSourceGeneratorMenuCaption, Tools);
  auto addTool = [this](QMenu* menu, const brendax::GeneratorEntry& row) {
    QAction* action = menu->addAction(LanguageText(row.caption));
    action->setObjectName(row.menuName);
    action->setVisible(!row.expertOnly);
    tools_.push_back({&row, action, nullptr});
    connect(action, &QAction::triggered, this, [this, &row] { OpenTool(row); });
  };
  for (const auto& row : rows)
    if (row.menu == ToolMenu::kTools) addTool(Tools, row);
  Tools->addMenu(Quellen1);
  for (const auto& row : rows)
    if (row.menu == ToolMenu::kSourceGenerator) addTool(Quellen1, row);
  Tools->addSeparator();
  for (const auto& row : rows)
    if (row.menu == ToolMenu::kToolsBelowSeparator) addTool(Tools, row);
  Einstellungen1 = bar->addMenu("Einstellungen");
  Sprache1 = Einstellungen1->addAction("Sprache");
  Hilfe2 = bar->addMenu("Hilfe");
  HilfeBrendaxde1 = Hilfe2->addAction("Hilfe (Brendax_de.pdf)");
  Hilfe2->addSeparator();
  Info1 = Hilfe2->addAction("Über Brendax");

  Beenden1->setObjectName("Beenden1");
  Tools->setObjectName("Tools");
  Quellen1->setObjectName("Quellen1");
  Einstellungen1->setObjectName("Einstellungen1");
  Sprache1->setObjectName("Sprache1");
  Hilfe2->setObjectName("Hilfe2");
  HilfeBrendaxde1->setObjectName("HilfeBrendaxde1");
  Info1->setObjectName("Info1");

  connect(Beenden1, &QAction::triggered, this, &TForm1::Beenden1Click);
  connect(Sprache1, &QAction::triggered, this, &TForm1::Sprache1Click);
  connect(HilfeBrendaxde1, &QAction::triggered, this, &TForm1::HilfeBrendaxde1Click);
  connect(Info1, &QAction::triggered, this, &TForm1::Info1Click);
}

TForm1::~TForm1() = default;

// ---------------------------------------------------------------- settings

QString TForm1::LanguageText(const QString& bilingual) const {
  const qsizetype at = bilingual.indexOf(QLatin1Char('@'));
  if (settings_.nationalLanguage() == 0) return at < 0 ? QString() : bilingual.left(at);
  return at < 0 ? bilingual : bilingual.mid(at + 1);
}

void TForm1::ApplyLanguage() {
  mnemonics_ = brendax::MnemonicsFor(settings_.englishMnemonics() != 0);
  const auto text = [this](const QString& bilingual) { return LanguageText(bilingual); };

  Form4->ApplyCaptions(text);

  Beenden1->setText(LanguageText("Beenden@Exit"));
  Tools->setTitle(LanguageText("Tools@Tools"));
  Quellen1->setTitle(LanguageText("Quellengenerator@Source Generator"));
  for (const ToolEntry& tool : tools_) tool.action->setText(LanguageText(tool.row->caption));
  Einstellungen1->setTitle(LanguageText("Einstellungen@Settings"));
  Sprache1->setText(LanguageText("Sprache@Language"));
  Hilfe2->setTitle(LanguageText("Hilfe@Help"));
  Info1->setText(LanguageText("Über Brendax@About Brendax"));
  Projekt1->setTitle(LanguageText("Projekt@Project"));
  ProjektNeu1->setText(LanguageText("Neu@New"));
  ProjektOeffnen1->setText(LanguageText("Öffnen ...@Open ..."));
  ProjektSpeichern1->setText(LanguageText("Speichern@Save"));
  ProjektSpeichernUnter1->setText(LanguageText("Speichern unter ...@Save As ..."));
  AllesGenerieren1->setText(LanguageText("Alles generieren@Generate All"));
  HilfeBrendaxde1->setText(LanguageText("Hilfe (" + HelpFileDe + ")@Help (" + HelpFileEn + ")"));

  UpdateCaption();

  Button1->setText(LanguageText("CLR@CLR"));
  Button4->setText(LanguageText("Quelle / Symbole@Source / Symbols"));
  Button3->setText(LanguageText("Formular@Form"));
  Button2->setText(LanguageText("-->Zwischenablage@--> Clipboard"));
  Button5->setText(LanguageText("Speichern ...@Save ..."));
  FormSpracheinstellung->ApplyCaptions(text);
  ApplyQtTranslation();
  UpdateStatusLine();
}

void TForm1::ApplyQtTranslation() {
  QCoreApplication::removeTranslator(qtTranslator_.get());
  if (settings_.nationalLanguage() != 0) return;
  // Debian's Qt translations, or a "translations" folder beside the program
  // (where the Windows deployment puts them).
  for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                QDir(QCoreApplication::applicationDirPath()).filePath("translations")}) {
    if (qtTranslator_->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_", folder)) {
      QCoreApplication::installTranslator(qtTranslator_.get());
      return;
    }
  }
}

void TForm1::LoadSettings() { settings_ = brendax::LoadSettingsFile(EncodeFileName(SettingsPath).toStdString()); }

bool TForm1::SaveSettings() {
  const std::string path = EncodeFileName(SettingsPath).toStdString();
  if (brendax::SaveSettingsFile(path, settings_)) return true;
  seams_.ShowMessage(this, QString::fromStdString(brendax::SaveFailedMessage(SettingsPath.toStdString())));
  return false;
}

void TForm1::RefreshMenus() {
  for (const ToolEntry& tool : tools_) {
    if (tool.row->expertOnly) tool.action->setVisible(expertMode_);
    // Captions that show stored values (the template names) belong to the
    // dialogs.
    if (auto* dialog = qobject_cast<GeneratorDialog*>(tool.dialog)) dialog->RefreshMenus();
  }
}

// ---------------------------------------------------------------- status line

void TForm1::SetLastGenerator(int code) {
  LastGenerator = code;
  UpdateStatusLine();
}

void TForm1::UpdateStatusLine() {
  // The text ends with a line break, which opens an empty last block.
  const QTextDocument* document = Memo1->document();
  const int lines = document->blockCount() - (document->lastBlock().text().isEmpty() ? 1 : 0);
  const int rows = GridModel->RowCount() - 1;
  StatusLines->setText(
      LanguageText(lines == 1 ? "Quelltext: %1 Zeile@Source: %1 line" : "Quelltext: %1 Zeilen@Source: %1 lines")
          .arg(lines));
  StatusRows->setText(
      LanguageText(rows == 1 ? "Symbole: %1 Zeile@Symbols: %1 row" : "Symbole: %1 Zeilen@Symbols: %1 rows").arg(rows));
  QString generator;
  for (const ToolEntry& tool : tools_)
    if (LastGenerator != brendax::kGenNone && tool.row->code == LastGenerator)
      generator = LanguageText(tool.row->caption);
  StatusGenerator->setText(generator.isEmpty() ? QString() : LanguageText("Generator: @Generator: ") + generator);
}

// ---------------------------------------------------------------- window place

QString TForm1::PlacementPath() const {
  return DecodeFileName(
      QByteArray::fromStdString(brendax::WindowPlacementPath(EncodeFileName(SettingsPath).toStdString())));
}

void TForm1::RestorePlacement() {
  QFile file(PlacementPath());
  if (!file.open(QIODevice::ReadOnly)) return;
  const auto placement = brendax::ParseWindowPlacement(file.read(256).toStdString());
  if (!placement) return;
  QRect place(placement->x, placement->y, placement->width, placement->height);
  // Only onto a screen that is there now (a second monitor may be gone),
  // and no larger than it.
  const QScreen* screen = QGuiApplication::screenAt(place.center());
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  place.setSize(place.size().boundedTo(available.size()));
  resize(place.size());
  move(place.topLeft());
  if (placement->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::SavePlacement() const {
  // The size and place the window returns to from a maximized state.
  const QPoint frameOffset = geometry().topLeft() - pos();
  const QRect normal =
      isMaximized() ? QRect(normalGeometry().topLeft() - frameOffset, normalGeometry().size()) : QRect(pos(), size());
  const brendax::WindowPlacement placement{normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()};
  // Only a convenience: a failed write says nothing.
  brendax::WriteFileAtomically(EncodeFileName(PlacementPath()).toStdString(), brendax::FormatWindowPlacement(placement),
                               brendax::NonRegularTarget::kRefuse);
}

// ---------------------------------------------------------------- output

void TForm1::ClearOutput() {
  Memo1->clear();
  GridModel->SetRowCount(1);
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) b->setEnabled(false);
  StringGrid1->hide();
  Memo1->hide();
}

void TForm1::PrepareSymbolOutput() {
  ClearOutput();
  for (QPushButton* b : {Button1, Button2, Button3, Button5}) b->setEnabled(true);
  StringGrid1->show();
  LayoutGrid();
}

void TForm1::PrepareSourceOutput() {
  ClearOutput();
  for (QPushButton* b : {Button1, Button2, Button3, Button5}) b->setEnabled(true);
  Memo1->show();
  LayoutGrid();
}

void TForm1::PrepareSourceAndSymbolOutput() {
  ClearOutput();
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) b->setEnabled(true);
  Memo1->show();
  LayoutGrid();
}

void TForm1::LayoutGrid() {
  // The grid always fills the output area, shown or not.
  const int w = StringGrid1->width();
  const int standard = std::max(0, w / 6 - 10);
  StringGrid1->horizontalHeader()->setDefaultSectionSize(standard);
  for (int c = 0; c < 3; ++c) StringGrid1->setColumnWidth(c, standard);
  StringGrid1->setColumnWidth(3, std::max(0, 3 * (w / 6)));
}

void TForm1::SetOutputLines(const std::vector<std::string>& lines) {
  qsizetype size = 0;
  for (const auto& line : lines) size += static_cast<qsizetype>(line.size()) + 1;
  QString text;
  text.reserve(size);
  for (const auto& line : lines) {
    AppendAnsi(text, line);
    text += QLatin1Char('\n');
  }
  // One operation: a memo of a hundred thousand lines fills in a blink,
  // where adding line by line would take minutes.
  Memo1->setUndoRedoEnabled(false);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setPlainText(text);
  Memo1->setUndoRedoEnabled(true);
}

void TForm1::SetSymbolRows(const std::vector<brendax::SymbolRow>& rows) { GridModel->SetSymbolRows(rows); }

void TForm1::ShowGeneratorResult(const brendax::GeneratorResult& result, QWidget* messageParent) {
  if (!result.ok()) {
    // A failed run writes no text, but keeps the rows written before its
    // error (the symbol generator's partial result).
    if (!result.symbols.empty()) SetSymbolRows(result.symbols);
    seams_.ShowMessage(messageParent, FromAnsi(brendax::ErrorBoxText(result)));
    return;
  }
  SetSymbolRows(result.symbols);
  SetOutputLines(result.lines);
  for (const auto& notice : result.notices) seams_.ShowMessage(messageParent, FromAnsi(notice));
}

QString TForm1::MemoText() const {
  QString text = Memo1->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

// ---------------------------------------------------------------- menu

void TForm1::Beenden1Click() { close(); }

QDialog* TForm1::ToolDialog(const QString& menuName) const {
  for (const ToolEntry& tool : tools_)
    if (menuName == QLatin1String(tool.row->menuName)) return tool.dialog;
  return nullptr;
}

void TForm1::OpenFileAsDbImage(const QString& path) {
  for (const ToolEntry& tool : tools_) {
    if (auto* dialog = qobject_cast<TForm7QuelleDBFileKopieBin*>(tool.dialog)) {
      dialog->SetFile(path);
      return OpenTool(*tool.row);
    }
  }
}

void TForm1::OpenTool(const brendax::GeneratorEntry& entry) {
  // Tools that are still to come: their entries exist and do nothing yet.
  if (QDialog* dialog = ToolDialog(entry.menuName)) ExecAndRegainFocus(dialog);
}

int TForm1::ExecAndRegainFocus(QDialog* dialog) {
  const int result = dialog->exec();
  activateWindow();
  raise();
  return result;
}

void TForm1::Sprache1Click() {
  ExecAndRegainFocus(FormSpracheinstellung);
  if (FormSpracheinstellung->Confirmed) SaveSettings();
}

void TForm1::HilfeBrendaxde1Click() {
  const int language = settings_.nationalLanguage();
  if (language != 0 && language != 1) return;
  // Beside the program first (build tree, installation), then the working folder.
  const QStringList folders = HelpDocumentFolders(QCoreApplication::applicationDirPath(), QDir::currentPath());
  const QString path = FindHelpDocument(folders, HelpFileDe);
  if (path.isEmpty())
    seams_.ShowMessage(this, HelpDocumentMissingText(HelpFileDe, folders));
  else if (!seams_.OpenDocument(path))
    seams_.ShowMessage(this, HelpDocumentNotOpenedText(path));
}

void TForm1::Button5Click() {
  // The visible view: the source as an STL source file, or the rows as a
  // symbol table in the type chosen in the dialog.
  const bool source = !Memo1->isHidden();
  static const char* const kSourceFilter = "AWL-Quelle (*.awl)";
  static const std::pair<const char*, brendax::SymbolFileFormat> kRowFilters[] = {
      {"Symboltabelle ASC (*.asc)", brendax::SymbolFileFormat::kAsc},
      {"Symboltabelle SDF (*.sdf)", brendax::SymbolFileFormat::kSdf},
      {"Symboltabelle SEQ (*.seq)", brendax::SymbolFileFormat::kSeq},
      {"Text mit Tabulatoren (*.txt)", brendax::SymbolFileFormat::kTsv},
  };
  QString filters = kSourceFilter;
  QString chosen = kSourceFilter;
  if (!source) {
    QStringList list;
    for (const auto& [filter, format] : kRowFilters) list << filter;
    filters = list.join(";;");
    chosen = rowFilter_.isEmpty() ? QString(kRowFilters[0].first) : rowFilter_;
  }
  std::vector<brendax::SymbolRow> rows;
  for (int r = 1; r < GridModel->RowCount(); ++r)
    rows.push_back({ToAnsi(GridModel->Cell(r, 0)), ToAnsi(GridModel->Cell(r, 1)), ToAnsi(GridModel->Cell(r, 2)),
                    ToAnsi(GridModel->Cell(r, 3))});
  // The proposal: the source's main block ("FC80") with the type's
  // extension, in the folder saved to last.
  std::vector<std::string> sourceLines;
  for (const QString& line : Memo1->toPlainText().split(QLatin1Char('\n'))) sourceLines.push_back(ToAnsi(line));
  QString stem = FromAnsi(brendax::SourceFileStem(sourceLines, rows));
  if (stem.isEmpty()) stem = LanguageText("Symbole@Symbols");
  const QString proposal =
      QDir(saveFolder_.isEmpty() ? QDir::currentPath() : saveFolder_).filePath(stem + "." + ExtensionOf(chosen));
  QString path = seams_.GetSaveFileName(this, LanguageText("Speichern@Save"), proposal, filters, &chosen);
  if (path.isEmpty()) return;
  saveFolder_ = QFileInfo(path).absolutePath();
  if (!source) rowFilter_ = chosen;

  std::string bytes;
  if (source) {
    if (QFileInfo(path).suffix().isEmpty()) path += ".awl";
    bytes = ToAnsi(MemoText());
    if (!bytes.empty() && bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) bytes += "\r\n";
  } else {
    brendax::SymbolFileFormat format = brendax::SymbolFileFormat::kAsc;
    QString extension = "asc";
    for (const auto& [filter, f] : kRowFilters) {
      if (chosen == filter) {
        format = f;
        extension = ExtensionOf(filter);
      }
    }
    if (QFileInfo(path).suffix().isEmpty()) path += "." + extension;
    const std::string warning = brendax::SymbolFileWarning(rows);
    if (!warning.empty() && !seams_.AskYesNo(this, FromAnsi(warning + "\r\rTrotzdem speichern?"))) return;
    bytes = brendax::FormatSymbolFile(rows, format);
  }
  const brendax::WriteResult written =
      brendax::WriteFileAtomically(EncodeFileName(path).toStdString(), bytes, brendax::NonRegularTarget::kRefuse);
  if (!written.ok) ShowWriteFailure(path, written.error);
}

void TForm1::ShowWriteFailure(const QString& path, const std::string& error) {
  // The writer says "Cannot write NAME: reason"; the window names the full path.
  const std::size_t colon = error.rfind(": ");
  const QString reason = QString::fromStdString(colon == std::string::npos ? error : error.substr(colon + 2));
  seams_.ShowMessage(this, "Beim Speichern der Datei\r\n" + QDir::toNativeSeparators(path) +
                               "\r\nist ein Fehler aufgetreten: " + reason);
}

void TForm1::Info1Click() {
  ExecAndRegainFocus(Form4);
  RefreshMenus();
}

// ---------------------------------------------------------------- buttons

void TForm1::Button1Click() { ClearOutput(); }

void TForm1::Button2Click() {
  if (!StringGrid1->isHidden() && GridModel->RowCount() >= 2) {
    // The selection rectangle; without a selection the current cell.
    int left = 0, top = 0, right = 0, bottom = 0;
    const QItemSelection selection = StringGrid1->selectionModel()->selection();
    if (!selection.isEmpty()) {
      left = selection.first().left();
      top = selection.first().top();
      right = selection.first().right();
      bottom = selection.first().bottom();
      for (const QItemSelectionRange& range : selection) {
        left = std::min(left, range.left());
        top = std::min(top, range.top());
        right = std::max(right, range.right());
        bottom = std::max(bottom, range.bottom());
      }
    } else if (const QModelIndex current = StringGrid1->currentIndex(); current.isValid()) {
      left = right = current.column();
      top = bottom = current.row();
    }
    if (top < 1) top = 1;  // the title row is never copied
    const int rows = GridModel->RowCount();
    if (left < 0 || right < left || right > 3 || top < 1 || bottom < top || bottom > rows - 1) {
      left = 0;
      right = 3;
      top = 1;
      bottom = rows - 1;
      StringGrid1->selectionModel()->select(
          QItemSelection(GridModel->index(top, left), GridModel->index(bottom, right)),
          QItemSelectionModel::ClearAndSelect);
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
      for (int c = left; c <= right; ++c) {
        text += GridModel->Cell(r, c);
        if (c != right) text += QLatin1Char('\t');
      }
      text += QStringLiteral("\r\n");
    }
    seams_.SetClipboardText(text);
  }
  if (!Memo1->isHidden()) {
    if (!Memo1->textCursor().hasSelection()) Memo1->selectAll();
    Memo1->CopySelection();
  }
}

void TForm1::Button3Click() {
  if (LastGenerator == brendax::kGenNone) return;
  for (const ToolEntry& tool : tools_)
    if (tool.row->code == LastGenerator) return OpenTool(*tool.row);
}

void TForm1::Button4Click() {
  if (!Memo1->isHidden()) {
    StringGrid1->show();
    Memo1->hide();
  } else {
    Memo1->show();
    StringGrid1->hide();
  }
  LayoutGrid();
}

// ---------------------------------------------------------------- project

namespace {

// The name a project is shown by: its file name without ".brendax.json".
QString ProjectName(const QString& path) {
  QString name = QFileInfo(path).fileName();
  const QString extension = QString::fromLatin1(brendax::kProjectExtension);
  if (name.endsWith(extension) && name.size() > extension.size()) name.chop(extension.size());
  return name;
}

const char* const kProjectFilter = "Brendax-Projekt (*.brendax.json);;Batch-Auftrag (*.json);;Alle Dateien (*)";

}  // namespace

void TForm1::UpdateCaption() {
  QString caption = expertMode_ ? "Brendax +" : "Brendax";
  if (project_) {
    caption += " - " + (projectPath_.isEmpty() ? LanguageText("Unbenannt@Untitled") : ProjectName(projectPath_));
    if (projectChanged_) caption += "*";
  }
  setWindowTitle(caption);
}

void TForm1::UpdateProjectMenu() {
  for (QAction* a : {ProjektSpeichern1, ProjektSpeichernUnter1, AllesGenerieren1}) a->setEnabled(project_.has_value());
  for (std::size_t i = 0; i < LetzteProjekte.size(); ++i) {
    const auto index = static_cast<qsizetype>(i);
    const bool used = index < recentProjects_.size();
    LetzteProjekte[i]->setVisible(used);
    if (used) {
      LetzteProjekte[i]->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(recentProjects_.at(index)).fileName()));
      LetzteProjekte[i]->setStatusTip(QDir::toNativeSeparators(recentProjects_.at(index)));
    }
  }
}

std::string TForm1::ProjectJobPath() const {
  return projectPath_.isEmpty() ? ToAnsi(LanguageText("Unbenannt@Untitled"))
                                : EncodeFileName(projectPath_).toStdString();
}

QString TForm1::RecentProjectsPath() const {
  const QFileInfo settings(SettingsPath);
  return settings.dir().filePath(settings.completeBaseName() + ".projects");
}

void TForm1::RememberProject(const QString& path) {
  recentProjects_.removeAll(path);
  recentProjects_.prepend(path);
  while (recentProjects_.size() > static_cast<qsizetype>(LetzteProjekte.size())) recentProjects_.removeLast();
  // A list that cannot be written is not worth a message.
  brendax::WriteFileAtomically(EncodeFileName(RecentProjectsPath()).toStdString(),
                               recentProjects_.join('\n').toUtf8().toStdString() + "\n");
  UpdateProjectMenu();
}

void TForm1::RecordRun(const brendax::RunRecord& record) {
  if (!project_) return;
  brendax::RecordRun(*project_, record, ProjectJobPath());
  projectChanged_ = true;
  UpdateCaption();
}

bool TForm1::OpenProject(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const std::string jobPath = EncodeFileName(absolute).toStdString();
  brendax::Job job;
  std::vector<brendax::RunRecord> records;
  try {
    job = brendax::ReadJob(jobPath);
    for (std::size_t i = 0; i < job.runs.size(); ++i) records.push_back(brendax::RecordOfRun(job, i, jobPath));
  } catch (const brendax::JobFailure& failure) {
    seams_.ShowMessage(this, QString::fromStdString(failure.message));
    return false;
  }
  // Every dialog shows its generator's first run.
  std::map<std::string, int> runs;
  for (const brendax::RunRecord& record : records) {
    if (runs[brendax::GeneratorName(record)]++ > 0) continue;
    for (const ToolEntry& tool : tools_)
      if (auto* dialog = qobject_cast<GeneratorDialog*>(tool.dialog);
          dialog != nullptr && tool.row->code == brendax::GeneratorCode(record))
        dialog->ShowRecord(record);
  }
  project_ = std::move(job);
  projectPath_ = absolute;
  projectChanged_ = false;
  RememberProject(absolute);
  UpdateCaption();
  QStringList several;
  for (const auto& [generator, count] : runs)
    if (count > 1) several << QString("%1 (%2)").arg(QString::fromStdString(generator)).arg(count);
  if (!several.isEmpty())
    seams_.ShowMessage(this, "Das Projekt enthält mehrere Läufe von " + several.join(", ") +
                                 ".\r\nDer Dialog zeigt jeweils den ersten; \"Alles generieren\" erzeugt alle.");
  return true;
}

bool TForm1::SaveProject(const QString& path) {
  if (!project_) return false;
  if (project_->runs.empty()) {
    seams_.ShowMessage(this, "Das Projekt enthält noch keinen Lauf: \"Generieren\" in einem Dialog fügt ihn hinzu.");
    return false;
  }
  brendax::Job job = *project_;
  const QFileInfo file(path);
  // A new project writes its source and symbol file beside itself.
  if (job.sourcePath.empty()) {
    const QString stem = ProjectName(file.fileName());
    job.sourcePath = EncodeFileName(file.dir().filePath(stem + ".awl")).toStdString();
    job.symbolsPath = EncodeFileName(file.dir().filePath(stem + ".sdf")).toStdString();
    job.symbolsFormat = brendax::SymbolFileFormat::kSdf;
  }
  const brendax::JobSaveResult saved = brendax::SaveJob(job, EncodeFileName(file.absoluteFilePath()).toStdString());
  if (!saved.ok) {
    ShowWriteFailure(path, saved.error);
    return false;
  }
  project_ = std::move(job);
  projectPath_ = file.absoluteFilePath();
  projectChanged_ = false;
  RememberProject(projectPath_);
  UpdateCaption();
  return true;
}

bool TForm1::ConfirmCloseProject() {
  if (!project_ || !projectChanged_) return true;
  const QString name = projectPath_.isEmpty() ? LanguageText("Unbenannt@Untitled") : ProjectName(projectPath_);
  switch (seams_.AskSaveDiscardCancel(
      this, "Das Projekt \"" + name + "\" wurde geändert.\r\nSollen die Änderungen gespeichert werden?")) {
    case Seams::SaveChoice::kSave: return ProjektSpeichern1Click();
    case Seams::SaveChoice::kDiscard: return true;
    case Seams::SaveChoice::kCancel: break;
  }
  return false;
}

void TForm1::ProjektNeu1Click() {
  if (!ConfirmCloseProject()) return;
  brendax::Job job;
  job.mnemonics = settings_.englishMnemonics() != 0 ? "en" : "de";
  project_ = std::move(job);
  projectPath_.clear();
  projectChanged_ = false;
  UpdateCaption();
  UpdateProjectMenu();
}

void TForm1::ProjektOeffnen1Click() {
  if (!ConfirmCloseProject()) return;
  const QString folder = projectPath_.isEmpty() ? QString() : QFileInfo(projectPath_).absolutePath();
  const QString path =
      seams_.GetOpenFileName(this, LanguageText("Projekt öffnen@Open Project"), folder, kProjectFilter);
  if (!path.isEmpty()) OpenProject(path);
  UpdateProjectMenu();
}

bool TForm1::ProjektSpeichern1Click() {
  if (!project_) return false;
  if (projectPath_.isEmpty()) return ProjektSpeichernUnter1Click();
  return SaveProject(projectPath_);
}

bool TForm1::ProjektSpeichernUnter1Click() {
  if (!project_) return false;
  QString chosen = "Brendax-Projekt (*.brendax.json)";
  QString path = seams_.GetSaveFileName(this, LanguageText("Projekt speichern unter@Save Project As"), projectPath_,
                                        kProjectFilter, &chosen);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += brendax::kProjectExtension;
  return SaveProject(path);
}

void TForm1::AllesGenerieren1Click() {
  if (!project_) return;
  if (project_->runs.empty()) {
    seams_.ShowMessage(this, "Das Projekt enthält noch keinen Lauf: \"Generieren\" in einem Dialog fügt ihn hinzu.");
    return;
  }
  brendax::JobResult result;
  try {
    result = brendax::GenerateJob(*project_, ProjectJobPath());
  } catch (const brendax::JobFailure& failure) {
    seams_.ShowMessage(this, QString::fromStdString(failure.message));
    return;
  }
  PrepareSourceAndSymbolOutput();
  SetSymbolRows(result.output.rows);
  SetOutputLines(result.output.lines);
  QStringList notices;
  for (const auto& [run, notice] : result.notices) notices << QString::fromStdString(run) + ":\r" + FromAnsi(notice);
  if (!notices.isEmpty()) seams_.ShowMessage(this, notices.join("\r\r"));
}

// ---------------------------------------------------------------- events

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutGrid();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!ConfirmCloseProject()) {
    event->ignore();
    return;
  }
  SavePlacement();
  QMainWindow::closeEvent(event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString file = DroppedLocalFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // The dialog opens once the drop is over: the desktop waits for its end.
  QTimer::singleShot(0, this, [this, file] { OpenFileAsDbImage(file); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove;
  if ((drag || event->type() == QEvent::Drop) && watched == Memo1->viewport() &&
      !DroppedLocalFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
    if (drag)
      static_cast<QDropEvent*>(event)->acceptProposedAction();
    else
      dropEvent(static_cast<QDropEvent*>(event));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormShow() {
  if (!firstShowDone_) {
    ApplyLanguage();
    ClearOutput();
    // The DB-image dialog's defaults ("Char", "Automatisch") are set here
    // once that dialog exists.
    firstShowDone_ = true;
  }
  static const char* const kTitles[] = {"Symbol", "Adresse", "Typ", "Kommentar"};
  for (int c = 0; c < 4; ++c) GridModel->SetCell(0, c, kTitles[c]);
  RefreshMenus();
}
