// The largest extended step sequence: 512 steps 0 .. 511 of distance 1 with
// backward transitions and internal timers.
#include <benchmark/benchmark.h>

#include "stepseq/extended_step.h"

namespace {

void BM_ExtendedStepLargest(benchmark::State& state) {
  brendax::ExtendedStepParams params = brendax::ExtendedExample1();
  params.maxSteps = "512";
  params.firstStep = "0";
  params.initialStep = "0";
  params.count = "512";
  params.distance = "1";
  params.backward = true;
  params.timers = true;
  const brendax::MnemonicSet mnemonics = brendax::GermanMnemonics();
  std::size_t lines = 0;
  for (auto _ : state) {
    brendax::GeneratorResult result = brendax::GenerateExtendedStep(params, mnemonics);
    lines = result.lines.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ExtendedStepLargest)->Unit(benchmark::kMillisecond);

}  // namespace
