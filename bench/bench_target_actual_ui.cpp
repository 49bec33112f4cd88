// The largest target/actual block (32 double words, 64 variants: 134,259
// lines) side by side: made by the core, shown in the main window's memo in
// one operation, and, for comparison, a tenth of it appended line by line as
// a memo fill used to work. Reports the peak memory of the process after
// the window holds the block. Runs on the offscreen platform unless a
// display is chosen.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPlainTextEdit>

#include "app/main_window.h"
#include "datablocks/target_actual.h"
#include "window_fixture_ui.h"

namespace {

brendax::TargetActualParams Largest() {
  brendax::TargetActualParams p = brendax::DefaultsOf(brendax::TargetActualFields());
  p.doubleWords = "32";
  p.variants = "64";
  p.variantSymbols = "1=Grund\r\n2=Auto\r\n64=Ende";
  p.addressSymbols = "0_0=Start\r\n127_7=Stop";
  return p;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_TargetActualLargestCore(benchmark::State& state) {
  const auto params = Largest();
  std::size_t lines = 0;
  for (auto _ : state) {
    const auto result = brendax::GenerateTargetActual(params);
    lines = result.lines.size();
    benchmark::DoNotOptimize(result.lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_TargetActualLargestCore)->Unit(benchmark::kMillisecond);

// What the user waits for after "Generieren": the core, then the memo.
void BM_TargetActualLargestInMemo(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  const auto params = Largest();
  for (auto _ : state) {
    w.window.PrepareSourceOutput();
    w.window.ShowGeneratorResult(brendax::GenerateTargetActual(params), &w.window);
    QApplication::processEvents();
  }
  state.counters["memo_lines"] = w.window.findChild<QPlainTextEdit*>("Memo1")->blockCount();
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_TargetActualLargestInMemo)->Unit(benchmark::kMillisecond)->Iterations(5);

// The fill it replaces, line by line; only a tenth of the lines, since the
// whole block takes far longer.
void BM_TargetActualTenthLineByLine(benchmark::State& state) {
  const auto result = brendax::GenerateTargetActual(Largest());
  const std::size_t count = result.lines.size() / 10;
  QPlainTextEdit memo;
  memo.setLineWrapMode(QPlainTextEdit::NoWrap);
  memo.show();
  for (auto _ : state) {
    memo.clear();
    for (std::size_t i = 0; i < count; ++i) memo.appendPlainText(FromAnsi(result.lines[i]));
    QApplication::processEvents();
  }
  state.counters["lines"] = static_cast<double>(count);
}
BENCHMARK(BM_TargetActualTenthLineByLine)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
