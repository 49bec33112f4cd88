#include "ui/generator_preview_ui.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls_ui.h"
#include "ui/seams_ui.h"

namespace {

// "Vorschau": on at start, then as the user left it in any dialog.
bool g_sessionVisible = true;

QFont PreviewFont() {
  QFont font("Courier New", 8);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

constexpr int kVisibleLines = 12;
constexpr int kVisibleRows = 5;

}  // namespace

GeneratorPreview::GeneratorPreview(TaskSource source, ControlOf controlOf, QWidget* parent)
    : QWidget(parent), source_(std::move(source)), controlOf_(std::move(controlOf)), timer_(new QTimer(this)) {
  setObjectName("Preview");
  pool_.setMaxThreadCount(1);
  timer_->setSingleShot(true);
  timer_->setInterval(kDebounceMs);
  connect(timer_, &QTimer::timeout, this, &GeneratorPreview::Start);

  CheckBox1 = new QCheckBox("Vorschau", this);
  CheckBox1->setObjectName("PreviewCheck");
  CheckBox1->setChecked(g_sessionVisible);
  count_ = new QLabel(this);
  count_->setObjectName("PreviewCount");
  auto* header = new QHBoxLayout;
  header->addWidget(CheckBox1);
  header->addStretch(1);
  header->addWidget(count_);

  body_ = new QWidget(this);
  body_->setObjectName("PreviewBody");
  text_ = new QPlainTextEdit(body_);
  text_->setObjectName("PreviewText");
  text_->setReadOnly(true);
  text_->setFocusPolicy(Qt::ClickFocus);
  text_->setFont(PreviewFont());
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setUndoRedoEnabled(false);
  text_->setFixedHeight(text_->fontMetrics().lineSpacing() * kVisibleLines + 2 * text_->frameWidth() + 8);
  text_->setMinimumWidth(380);
  rows_ = new QTableWidget(0, 4, body_);
  rows_->setObjectName("PreviewRows");
  rows_->setFont(PreviewFont());
  rows_->setHorizontalHeaderLabels({"Symbol", "Adresse", "Typ", "Kommentar"});
  rows_->verticalHeader()->hide();
  rows_->verticalHeader()->setDefaultSectionSize(rows_->fontMetrics().height() + 4);
  rows_->horizontalHeader()->setStretchLastSection(true);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->setFocusPolicy(Qt::ClickFocus);
  rows_->setWordWrap(false);
  rows_->setFixedHeight(rows_->horizontalHeader()->sizeHint().height() +
                        rows_->verticalHeader()->defaultSectionSize() * kVisibleRows + 2 * rows_->frameWidth());
  rows_->hide();
  message_ = new QLabel(body_);
  message_->setObjectName("PreviewMessage");
  message_->setWordWrap(true);
  message_->setStyleSheet("QLabel { color: #c00000; }");
  message_->hide();
  auto* bodyLayout = new QVBoxLayout(body_);
  bodyLayout->setContentsMargins(0, 0, 0, 0);
  bodyLayout->setSpacing(4);
  bodyLayout->addWidget(text_);
  bodyLayout->addWidget(rows_);
  bodyLayout->addWidget(message_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->setSpacing(4);
  layout->addLayout(header);
  layout->addWidget(body_);
  body_->setVisible(g_sessionVisible);

  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
    g_sessionVisible = on;
    ApplyVisible();
    if (on)
      UpdateNow();
    else
      Stop();
  });
}

GeneratorPreview::~GeneratorPreview() {
  // The worker refers to this pane; it must be done before the pane goes.
  pool_.waitForDone();
}

bool GeneratorPreview::SessionVisible() { return g_sessionVisible; }

void GeneratorPreview::SetDebounceForTesting(int ms) { timer_->setInterval(ms); }

void GeneratorPreview::SetParts(bool lines, bool rows) {
  text_->setVisible(lines);
  rows_->setVisible(rows);
}

void GeneratorPreview::WatchInputs(QWidget* dialog) {
  const auto outside = [this, dialog](QWidget* w) { return w->window() == dialog && !isAncestorOf(w); };
  for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
    if (outside(e)) connect(e, &QLineEdit::textChanged, this, &GeneratorPreview::Schedule);
  for (QPlainTextEdit* m : dialog->findChildren<QPlainTextEdit*>())
    if (outside(m) && !m->isReadOnly()) connect(m, &QPlainTextEdit::textChanged, this, &GeneratorPreview::Schedule);
  for (QComboBox* b : dialog->findChildren<QComboBox*>())
    if (outside(b)) connect(b, &QComboBox::currentIndexChanged, this, &GeneratorPreview::Schedule);
  for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
    if (outside(b) && b->isCheckable()) connect(b, &QAbstractButton::toggled, this, &GeneratorPreview::Schedule);
}

void GeneratorPreview::Schedule() {
  if (!g_sessionVisible || !window()->isVisible()) return;
  pending_ = true;
  timer_->start();
}

void GeneratorPreview::UpdateNow() {
  ApplyVisible();
  timer_->stop();
  if (g_sessionVisible) Start();
}

void GeneratorPreview::Stop() {
  timer_->stop();
  pending_ = false;
  next_.reset();
  ++generation_;  // a run in the worker is dropped when it ends
  Unmark();
}

void GeneratorPreview::ApplyVisible() {
  CheckBox1->setChecked(g_sessionVisible);
  body_->setVisible(g_sessionVisible);
}

GeneratorPreview::Shown GeneratorPreview::Cut(const brendax::GeneratorResult& result) {
  Shown shown;
  shown.errorCode = result.errorCode;
  if (!result.ok()) {
    shown.box = brendax::ErrorBoxText(result);
    shown.field = result.errorField;
    return shown;
  }
  shown.lineCount = result.lines.size();
  const std::size_t lines = std::min(result.lines.size(), kShownLines);
  shown.lines.assign(result.lines.begin(), result.lines.begin() + static_cast<std::ptrdiff_t>(lines));
  for (const auto& row : result.symbols) {
    if (row.symbol.empty() && row.address.empty() && row.type.empty() && row.comment.empty()) continue;
    if (shown.rows.size() < kShownRows) shown.rows.push_back(row);
    ++shown.rowCount;
  }
  return shown;
}

void GeneratorPreview::Start() {
  pending_ = false;
  if (!g_sessionVisible || !source_) return;
  next_ = source_();
  nextGeneration_ = ++generation_;
  if (!inFlight_) Launch();
}

void GeneratorPreview::Launch() {
  inFlight_ = true;
  Task task = std::move(*next_);
  next_.reset();
  const unsigned generation = nextGeneration_;
  pool_.start([this, task = std::move(task), generation] {
    Shown shown = Cut(task());
    QMetaObject::invokeMethod(
        this,
        [this, generation, shown = std::move(shown)] {
          inFlight_ = false;
          Show(generation, shown);
          if (next_) Launch();
        },
        Qt::QueuedConnection);
  });
}

void GeneratorPreview::Show(unsigned generation, const Shown& shown) {
  if (generation != generation_) return;  // an edit came after this run began
  if (shown.errorCode != 0) {
    text_->setEnabled(false);
    rows_->setEnabled(false);
    const QString box = FromAnsi(shown.box);
    message_->setText(box);
    message_->show();
    Mark(controlOf_ ? controlOf_(shown.field) : nullptr, box);
    emit this->shown();
    return;
  }
  Unmark();
  message_->clear();
  message_->hide();
  text_->setEnabled(true);
  rows_->setEnabled(true);
  QString text;
  for (const auto& line : shown.lines) {
    AppendAnsi(text, line);
    text += QLatin1Char('\n');
  }
  text_->setPlainText(text);
  rows_->setRowCount(static_cast<int>(shown.rows.size()));
  for (int r = 0; r < rows_->rowCount(); ++r) {
    const auto& row = shown.rows[static_cast<std::size_t>(r)];
    const std::string* cells[] = {&row.symbol, &row.address, &row.type, &row.comment};
    for (int c = 0; c < 4; ++c) {
      QTableWidgetItem* item = rows_->item(r, c);
      if (item == nullptr) rows_->setItem(r, c, item = new QTableWidgetItem);
      item->setText(FromAnsi(*cells[c]));
    }
  }
  QStringList counts;
  if (!text_->isHidden()) {
    QString lines = QString("%1 Zeilen").arg(shown.lineCount);
    if (shown.lineCount > shown.lines.size()) lines += QString(" (die ersten %1 gezeigt)").arg(shown.lines.size());
    counts << lines;
  }
  if (!rows_->isHidden()) {
    QString rows = QString("%1 Symbole").arg(shown.rowCount);
    if (shown.rowCount > shown.rows.size()) rows += QString(" (die ersten %1 gezeigt)").arg(shown.rows.size());
    counts << rows;
  }
  count_->setText(counts.join(", "));
  emit this->shown();
}

void GeneratorPreview::Mark(QWidget* control, const QString& message) {
  // A labelled edit is marked at its edit field.
  QWidget* target = control;
  if (auto* labeled = qobject_cast<LabeledEdit*>(control)) target = labeled->edit();
  if (target != marked_) Unmark();
  if (target == nullptr) return;
  if (marked_ != target) {
    marked_ = target;
    markedToolTip_ = target->toolTip();
    target->installEventFilter(this);
  }
  target->setToolTip(message);
  QWidget* dialog = window();
  if (frame_ == nullptr) {
    frame_ = new QFrame(dialog);
    frame_->setObjectName("PreviewMark");
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame_->setStyleSheet("QFrame#PreviewMark { border: 2px solid #d00000; background: transparent; }");
  }
  frame_->setGeometry(QRect(target->mapTo(dialog, QPoint(0, 0)) - QPoint(2, 2), target->size() + QSize(4, 4)));
  frame_->setVisible(target->isVisible());
  frame_->raise();
}

void GeneratorPreview::Unmark() {
  if (frame_ != nullptr) frame_->hide();
  if (marked_) {
    marked_->removeEventFilter(this);
    marked_->setToolTip(markedToolTip_);
  }
  marked_ = nullptr;
  markedToolTip_.clear();
}

bool GeneratorPreview::eventFilter(QObject* watched, QEvent* event) {
  // The frame follows its control when the dialog lays it out anew.
  if (watched == marked_ && frame_ != nullptr) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide: {
        QWidget* dialog = window();
        frame_->setGeometry(QRect(marked_->mapTo(dialog, QPoint(0, 0)) - QPoint(2, 2), marked_->size() + QSize(4, 4)));
        frame_->setVisible(event->type() != QEvent::Hide && marked_->isVisible());
        break;
      }
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QString GeneratorPreview::ShownText() const { return text_->toPlainText(); }

QString GeneratorPreview::CountText() const { return count_->text(); }

QString GeneratorPreview::MessageText() const { return message_->isHidden() ? QString() : message_->text(); }

int GeneratorPreview::ShownRowCount() const { return rows_->rowCount(); }

bool GeneratorPreview::ShowsStaleOutput() const { return !text_->isEnabled(); }
