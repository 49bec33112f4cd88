// The window side of big outputs: the memo filled with ~135,000 lines and
// the symbol grid with 100,000 rows, each in one operation; beside them the
// memo filled line by line, as one append per line would do it, on a tenth
// of the lines and scaled up, so the two ways compare in one run. Runs on
// the offscreen platform unless a display is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <memory>

#include "app/main_window.h"
#include "stepseq/extended_step.h"
#include "window_fixture_ui.h"

namespace {

std::vector<std::string> ManyLines(std::size_t count) {
  brendax::ExtendedStepParams params = brendax::ExtendedExample1();
  params.maxSteps = "512";
  params.count = "512";
  params.distance = "1";
  params.timers = true;
  const auto result = brendax::GenerateExtendedStep(params, brendax::GermanMnemonics());
  std::vector<std::string> lines;
  lines.reserve(count);
  while (lines.size() < count)
    for (const auto& line : result.lines) {
      if (lines.size() == count) break;
      lines.push_back(line);
    }
  return lines;
}

void BM_MemoFill135kLines(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  const auto lines = ManyLines(135000);
  for (auto _ : state) {
    // Emptying the previous run's memo is not part of the fill.
    state.PauseTiming();
    w.window.PrepareSourceOutput();
    QApplication::processEvents();
    state.ResumeTiming();
    w.window.SetOutputLines(lines);
    QApplication::processEvents();
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_MemoFill135kLines)->Unit(benchmark::kMillisecond)->Iterations(5);

// The fill the one-operation memo replaces: one append per line. Its cost
// grows at least with the line count, so the figure for 135,000 lines is a
// lower bound of the real one.
void BM_MemoAppendLineByLine13500Lines(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  auto* memo = w.window.findChild<QPlainTextEdit*>("Memo1");
  const auto lines = ManyLines(13500);
  double seconds = 0;
  for (auto _ : state) {
    w.window.PrepareSourceOutput();
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    for (const auto& line : lines) memo->appendPlainText(FromAnsi(line));
    QApplication::processEvents();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["lines"] = static_cast<double>(lines.size());
  state.counters["s_scaled_to_135k"] = seconds / static_cast<double>(state.iterations()) * 10.0;
}
BENCHMARK(BM_MemoAppendLineByLine13500Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridFill100kRows(benchmark::State& state) {
  BenchWindow& w = SharedWindow();
  std::vector<brendax::SymbolRow> rows;
  for (int i = 0; i < 100000; ++i)
    rows.push_back({"Sym_" + std::to_string(i), "E " + std::to_string(i / 8) + "." + std::to_string(i % 8), "BOOL",
                    "Kommentar " + std::to_string(i)});
  for (auto _ : state) {
    w.window.PrepareSymbolOutput();
    w.window.SetSymbolRows(rows);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridFill100kRows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
