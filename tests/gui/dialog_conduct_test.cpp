// What every dialog does alike, checked across all of them: the focus at
// opening and the Tab order, captions that fit in the fonts a desktop may
// give, the error box after the dialog has closed, and message boxes wide
// enough for their title.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <vector>

#include "app/generator_registry.h"
#include "app/info_dialog.h"
#include "app/language_dialog.h"
#include "app/main_window.h"
#include "support/recording_seams.h"
#include "symbols/symbol_dialog.h"
#include "tools/pointer_tool_dialog.h"
#include "ui/controls_ui.h"
#include "ui/field_binding_ui.h"
#include "ui/generator_dialog_ui.h"

namespace {

struct NamedDialog {
  QString name;
  QDialog* dialog;
};

// Every dialog of the program: the tools', the language and Info dialogs,
// and the symbol generator's template dialog.
std::vector<NamedDialog> EveryDialog(TForm1& w) {
  std::vector<NamedDialog> dialogs;
  for (const brendax::GeneratorEntry& row : brendax::GeneratorRegistry())
    if (row.factory) dialogs.push_back({row.menuName, w.ToolDialog(row.menuName)});
  dialogs.push_back({"Sprache1", LanguageDialog(w)});
  dialogs.push_back({"Info1", InfoDialog(w)});
  dialogs.push_back({"FormSymbolgenSaveFormular", w.ToolDialog("Symbolgenerator1")->findChild<QDialog*>()});
  return dialogs;
}

QString Describe(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget())
    if (!w->objectName().isEmpty()) return w->objectName() + " (" + widget->metaObject()->className() + ")";
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return '"' + button->text() + '"';
  return widget->metaObject()->className();
}

// Where a Tab stop stands: a radio button stands for its group, a field
// for itself with its caption above it.
QRect PlaceOf(QWidget* stop, QWidget* dialog) {
  const auto place = [dialog](QWidget* w) { return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size()); };
  if (qobject_cast<QRadioButton*>(stop))
    if (auto* group = qobject_cast<QGroupBox*>(stop->parentWidget())) return place(group);
  QRect rect = place(stop);
  for (QLabel* label : dialog->findChildren<QLabel*>())
    if (label->buddy() == stop && label->isVisible()) rect |= place(label);
  return rect;
}

bool TakesTab(const QWidget* w, const QWidget* dialog) {
  return w->window() == dialog && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
         w->isEnabled();
}

void Show(QDialog* dialog) {
  dialog->show();
  QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

// Walks the Tab chain from the focus the dialog opened with until a stop
// repeats, and checks reading order: each stop lies in the same row to the
// right of the one before (tops within a few pixels) or further down. One
// step up is allowed, into a column of buttons right of every field, which
// ends with a stop below everything before it (the preview). Every
// control that takes the Tab key is reached.
void CheckTabChain(QWidget* dialog, const QString& name) {
  QWidget* focus = dialog->focusWidget();
  QVERIFY2(focus, qPrintable(name));
  std::vector<QWidget*> stops;
  QSet<QWidget*> seen;
  while (focus && !seen.contains(focus) && stops.size() < 80) {
    seen.insert(focus);
    stops.push_back(focus);
    QTest::keyClick(focus, Qt::Key_Tab);
    focus = dialog->focusWidget();
  }
  QString chain = " (chain:";
  for (QWidget* stop : stops) chain += " " + Describe(stop);
  chain += ")";
  std::vector<std::pair<QWidget*, QRect>> places;
  for (QWidget* stop : stops) {
    const QRect place = PlaceOf(stop, dialog);
    if (places.empty() || places.back().second != place) places.emplace_back(stop, place);
  }
  if (places.size() > 1 && places.back().second == places.front().second) places.pop_back();

  constexpr int kRowTolerance = 6;
  bool inColumn = false;
  int fieldsRight = places.empty() ? 0 : places.front().second.right();
  int bottom = places.empty() ? 0 : places.front().second.bottom();
  for (std::size_t i = 1; i < places.size(); ++i) {
    const QRect a = places[i - 1].second;
    const QRect b = places[i].second;
    const QString step = name + ": " + Describe(places[i - 1].first) + " -> " + Describe(places[i].first) + chain;
    if (inColumn && b.top() > bottom) {
      inColumn = false;  // below fields and buttons: the preview pane
    } else if (inColumn) {
      QVERIFY2(b.left() > fieldsRight, qPrintable(step));
    }
    bottom = std::max(bottom, b.bottom());
    const bool sameRow = std::abs(b.top() - a.top()) <= kRowTolerance;
    if (!(sameRow ? b.left() > a.left() : b.top() > a.top())) {
      QVERIFY2(!inColumn && b.left() > fieldsRight, qPrintable("out of reading order: " + step));
      inColumn = true;
    }
    if (!inColumn) fieldsRight = std::max(fieldsRight, b.right());
  }

  QSet<QWidget*> groupsSeen;
  for (QWidget* stop : stops)
    if (qobject_cast<QRadioButton*>(stop)) groupsSeen.insert(stop->parentWidget());
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    if (!TakesTab(w, dialog)) continue;
    const bool reached = seen.contains(w) || (qobject_cast<QRadioButton*>(w) && groupsSeen.contains(w->parentWidget()));
    QVERIFY2(reached, qPrintable(name + ": never reached by Tab: " + Describe(w) + chain));
  }
}

// No caption wider than its widget, and none beyond the dialog's edge.
void CheckCaptions(QDialog* dialog, const QString& where) {
  // The preview hands its text over from its worker thread; the layout it
  // asks for must have run before the widths are read.
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    if (w->window() != dialog || !w->isVisible()) continue;
    int needed = 0;
    if (auto* button = qobject_cast<QPushButton*>(w))
      needed = button->fontMetrics().horizontalAdvance(button->text());  // a button's hint has a minimum width
    else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
      needed = w->sizeHint().width();
    else
      continue;
    const QString what = where + ": " + Describe(w);
    QVERIFY2(needed <= w->width(), qPrintable(what + QString(" needs %1, has %2").arg(needed).arg(w->width())));
    QVERIFY2(dialog->rect().contains(QRect(w->mapTo(dialog, QPoint(0, 0)), w->size())),
             qPrintable(what + " reaches beyond the dialog"));
  }
}

// Runs `check` on every view of a shown dialog: both views of the symbol
// generator, the three variants of the pointer tool, the one view of the
// others.
void ForEachView(const NamedDialog& d, const std::function<void(const QString& view)>& check) {
  if (auto* symbols = qobject_cast<TForm2*>(d.dialog)) {
    for (int view = 0; view < 2; ++view) {
      symbols->Vereinfacht1Click();
      check(d.name + (symbols->SimplifiedView ? " simplified" : " extended"));
    }
  } else if (auto* pointer = qobject_cast<TForm14Pointerrechner*>(d.dialog)) {
    for (int variant = 0; variant < 3; ++variant) {
      pointer->RadioGroup1->item(variant)->click();
      check(d.name + QString(" variant %1").arg(variant));
    }
  } else {
    check(d.name);
  }
}

}  // namespace

class DialogConductTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDialogOpensInItsFirstFieldAndTabsInReadingOrder() {
    MainWindowFixture f;
    for (const NamedDialog& d : EveryDialog(*f.window)) {
      // Closed with the focus on a button (after "Generieren", say), it
      // opens again in its first field.
      Show(d.dialog);
      if (auto* button = d.dialog->findChild<QPushButton*>()) button->setFocus();
      d.dialog->hide();
      Show(d.dialog);
      QVERIFY2(QTest::qWaitForWindowActive(d.dialog), qPrintable(d.name));
      CheckTabChain(d.dialog, d.name);
      // The other views, from their first field.
      ForEachView(d, [&d](const QString& view) {
        FocusFirstField(d.dialog);
        CheckTabChain(d.dialog, view);
      });
      d.dialog->hide();
    }
  }

  void captionsFitInEitherFontSize_data() {
    QTest::addColumn<int>("points");
    QTest::newRow("9 pt (bare X server)") << 9;
    QTest::newRow("11 pt (desktop)") << 11;
  }

  void captionsFitInEitherFontSize() {
    QFETCH(int, points);
    const QFont previous = QApplication::font();
    QFont font = previous;
    font.setPointSize(points);
    QApplication::setFont(font);
    {
      MainWindowFixture f;
      for (const NamedDialog& d : EveryDialog(*f.window)) {
        Show(d.dialog);
        ForEachView(d, [&d](const QString& view) { CheckCaptions(d.dialog, view); });
        d.dialog->hide();
      }
    }
    QApplication::setFont(previous);
  }

  void generatorDialogsCloseBeforeTheirErrorBox() {
    QTemporaryDir dir;
    // A value each generator refuses.
    const struct {
      const char* menu;
      const char* control;
      QString text;
    } refusals[] = {
        {"Symbolgenerator1", "LabeledEdit5", "x"},
        {"DBUDT1", "LabeledEdit2", "abc"},
        {"MeldeDBUDT1", "LabeledEdit1", "0"},
        {"SollIstDB1", "LabeledEdit2", "0"},
        {"DBAbbildvonDateibin1", "LabeledEdit1", dir.filePath("fehlt.bin")},
        {"AWLSchrittketteBasic1", "LabeledEdit1", "abc"},
        {"AWLSchrittkette1", "LabeledEdit1", "abc"},
    };
    MainWindowFixture f;
    TForm1& w = *f.window;
    for (const auto& refusal : refusals) {
      auto* dialog = qobject_cast<GeneratorDialog*>(w.ToolDialog(refusal.menu));
      QVERIFY2(dialog, refusal.menu);
      bool dialogShown = true;
      QWidget* parent = nullptr;
      f.seams.onMessage = [&](QWidget* messageParent) {
        dialogShown = dialog->isVisible();
        parent = messageParent;
      };
      const int messages = f.seams.messages.size();
      QTimer::singleShot(0, dialog, [&] {
        field_binding::WriteText(field_binding::Control(dialog, refusal.control), ToAnsi(refusal.text));
        dialog->Button1->click();
      });
      Action(w, refusal.menu)->trigger();
      QCOMPARE(f.seams.messages.size(), messages + 1);
      QVERIFY2(!dialogShown, refusal.menu);
      QVERIFY2(parent == &w, refusal.menu);
    }
  }

  void messageBoxesAreWideEnoughForTheirTitle() {
    QApplication::setApplicationName("Brendax");
    for (const QString& text : {QString("Fehler: 10"), QString("x")}) {
      auto box = MakeMessageBox(nullptr, QMessageBox::NoIcon, text, QMessageBox::Ok);
      box->show();
      QVERIFY(QTest::qWaitForWindowExposed(box.get()));
      QVERIFY2(box->width() >= kMessageBoxMinimumWidth, qPrintable(QString::number(box->width())));
      QVERIFY(box->width() > box->fontMetrics().horizontalAdvance("Brendax") * 3);
    }
  }
};

QTEST_MAIN(DialogConductTest)
#include "dialog_conduct_test.moc"
