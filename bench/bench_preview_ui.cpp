// The preview pane while typing: from a key press in the simple step
// sequence's dialog to its preview painted (the pause after the last key
// set to 0, since it is a deliberate wait), and the longest the window's
// event loop stands still while a user types into the target/actual DB's
// dialog holding the largest block (32 double words, 64 variants: 134,259
// lines per run, computed in the worker). Runs on the offscreen platform
// unless a display is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "app/main_window.h"
#include "datablocks/target_actual_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "ui/controls_ui.h"
#include "ui/generator_preview_ui.h"
#include "window_fixture_ui.h"

namespace {

void PressKey(QWidget* target, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

void WaitIdle(GeneratorPreview* preview) {
  while (preview->Busy()) QApplication::processEvents(QEventLoop::AllEvents, 1);
}

void BM_PreviewStepSimpleKeyToPaint(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  TForm10AWL_SchrittketteEinfach dialog(w.window, &w.window);
  dialog.show();
  GeneratorPreview* preview = dialog.Preview();
  WaitIdle(preview);
  preview->SetDebounceForTesting(0);
  QLineEdit* count = dialog.LabeledEdit10->edit();
  count->setFocus();
  count->end(false);
  bool append = true;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    if (append)
      PressKey(count, Qt::Key_3, "3");  // 12 steps become 123
    else
      PressKey(count, Qt::Key_Backspace, QString());
    append = !append;
    WaitIdle(preview);
    preview->repaint();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  state.counters["lines"] = static_cast<double>(preview->ShownText().count('\n'));
}
BENCHMARK(BM_PreviewStepSimpleKeyToPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

// Eight keys at 40 ms each into a prefix of the largest block, then the
// last preview: the longest gap between two turns of the event loop, seen
// by a 1 ms timer.
void BM_TargetActualTypingLongestStall(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  TForm3 dialog(w.window, &w.window);
  dialog.show();
  dialog.LabeledEdit2->setText("32");
  dialog.LabeledEdit1->setText("64");
  GeneratorPreview* preview = dialog.Preview();
  WaitIdle(preview);
  QLineEdit* prefix = dialog.LabeledEdit3->edit();
  prefix->setFocus();
  double longest = 0;
  int shown = 0;
  QObject::connect(preview, &GeneratorPreview::shown, [&shown] { ++shown; });
  for (auto _ : state) {
    QElapsedTimer clock;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    qint64 last = 0;
    double stall = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      stall = std::max(stall, static_cast<double>(now - last) / 1e6);
      last = now;
    });
    QEventLoop loop;
    const QString keys = "Ventil_1";
    for (int i = 0; i < keys.size(); ++i) {
      QTimer::singleShot(40 * i, &loop, [prefix, key = keys.mid(i, 1)] {
        PressKey(prefix, static_cast<Qt::Key>(key.at(0).toUpper().unicode()), key);
      });
    }
    QTimer::singleShot(40 * static_cast<int>(keys.size()), &loop, [&] {
      // The rest of the word's previews, then stop.
      auto* idle = new QTimer(&loop);
      QObject::connect(idle, &QTimer::timeout, &loop, [&loop, preview] {
        if (!preview->Busy()) loop.quit();
      });
      idle->start(5);
    });
    clock.start();
    ticker.start();
    loop.exec();
    ticker.stop();
    longest = std::max(longest, stall);
    prefix->clear();
    WaitIdle(preview);
  }
  state.counters["longest_stall_ms"] = longest;
  state.counters["previews"] = shown;
  state.counters["lines"] = static_cast<double>(
      brendax::GenerateTargetActual(std::get<brendax::TargetActualParams>(dialog.Record())).lines.size());
}
BENCHMARK(BM_TargetActualTypingLongestStall)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
