// Speed of one recompute of the pointer tool and of the address calculator,
// the work done at every selection change or keystroke.
#include <benchmark/benchmark.h>

#include "tools/address_calculator.h"
#include "tools/pointer_tool.h"

namespace {

// The largest listing: an ANY with every listing form, the transfer lines
// and both comments.
void BM_PointerListingEveryOption(benchmark::State& state) {
  brendax::PointerState pointer;
  pointer.variant = static_cast<int>(state.range(0));
  pointer.asByte = pointer.asWord = pointer.asDWord = true;
  pointer.transfer = true;
  pointer.address = "4711.3";
  for (auto _ : state) benchmark::DoNotOptimize(brendax::Compute(pointer));
}
BENCHMARK(BM_PointerListingEveryOption)
    ->Arg(brendax::kPointerVariantPointer)
    ->Arg(brendax::kPointerVariantAnyDataType)
    ->Arg(brendax::kPointerVariantAnyParameter);

// The pointer tool with invalid fields: every error line.
void BM_PointerListingErrors(benchmark::State& state) {
  brendax::PointerState pointer;
  pointer.variant = brendax::kPointerVariantPointer;
  pointer.area = 0;
  pointer.dbNumber = "x";
  pointer.address = "15.8";
  pointer.asWord = false;
  for (auto _ : state) benchmark::DoNotOptimize(brendax::Compute(pointer));
}
BENCHMARK(BM_PointerListingErrors);

void BM_AddressRecompute(benchmark::State& state) {
  brendax::AddressState address;
  address.fields = {"20.0", "1", "22.6", "23"};
  address.sought = static_cast<brendax::AddressField>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(brendax::Recompute(address));
}
BENCHMARK(BM_AddressRecompute)->DenseRange(brendax::kStartAddress, brendax::kEndNumber);

}  // namespace
