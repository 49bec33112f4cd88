// The largest simple step sequence the checks allow: comparator structure
// with one step change per cycle, steps 0 to 999 (39,093 lines).
#include <benchmark/benchmark.h>

#include <utility>

#include "stepseq/simple_step.h"

namespace {

brendax::SimpleStepParams LargestSequence() {
  brendax::SimpleStepParams params = brendax::DefaultsOf(brendax::SimpleStepFields());
  params.structure = brendax::kSimpleComparator;
  params.oneChangePerCycle = true;
  params.firstStep = "0";
  params.distance = "1";
  params.count = "1000";
  params.release3 = "Start";
  params.release4 = "Stop";
  return params;
}

// The generator itself: the previous output is released only after the next
// one has been made, as the window holds its last output, so the heap stays
// in use between runs.
void BM_SimpleStepLargest(benchmark::State& state) {
  const brendax::SimpleStepParams params = LargestSequence();
  const brendax::MnemonicSet mnemonics = brendax::GermanMnemonics();
  brendax::GeneratorResult previous;
  for (auto _ : state) {
    brendax::GeneratorResult result = brendax::GenerateSimpleStep(params, mnemonics);
    benchmark::DoNotOptimize(result.lines.data());
    previous = std::move(result);
  }
  if (!previous.ok()) state.SkipWithError("generation failed");
  state.counters["lines"] = static_cast<double>(previous.lines.size());
}
BENCHMARK(BM_SimpleStepLargest)->Unit(benchmark::kMillisecond);

// Each run generates and frees its output, so the allocator hands the memory
// back to the system and the next run faults it in again.
void BM_SimpleStepLargestFreshHeap(benchmark::State& state) {
  const brendax::SimpleStepParams params = LargestSequence();
  const brendax::MnemonicSet mnemonics = brendax::GermanMnemonics();
  for (auto _ : state) {
    const brendax::GeneratorResult result = brendax::GenerateSimpleStep(params, mnemonics);
    benchmark::DoNotOptimize(result.lines.data());
  }
}
BENCHMARK(BM_SimpleStepLargestFreshHeap)->Unit(benchmark::kMillisecond);

}  // namespace
