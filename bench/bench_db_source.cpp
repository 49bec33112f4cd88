// The largest data blocks the checks allow: a DB source of 32,768 variables
// with the longest lines (Date_And_Time, six digits, suffixes), and a message
// DB and UDT of 10,000 messages with acknowledgements.
#include <benchmark/benchmark.h>

#include <utility>

#include "datablocks/db_source.h"
#include "datablocks/message_db.h"

namespace {

brendax::DbSourceParams LargestDbSource(int type) {
  brendax::DbSourceParams params = brendax::DefaultsOf(brendax::DbSourceFields());
  params.type = type;
  params.count = "32768";
  params.start = "1023";
  params.digitFormat = 5;
  params.suffixes = "einf\r\nausf";
  params.initialValue = brendax::ProposedInitialValue(type);
  return params;
}

// The previous output is released only after the next one has been made, as
// the window holds its last output.
template <typename Params, typename Generate>
void Run(benchmark::State& state, const Params& params, Generate generate) {
  brendax::GeneratorResult previous;
  for (auto _ : state) {
    brendax::GeneratorResult result = generate(params);
    benchmark::DoNotOptimize(result.lines.data());
    previous = std::move(result);
  }
  if (!previous.ok()) state.SkipWithError("generation failed");
  state.counters["lines"] = static_cast<double>(previous.lines.size());
}

void BM_DbSourceLargestDateAndTime(benchmark::State& state) {
  Run(state, LargestDbSource(12), brendax::GenerateDbSource);
}
BENCHMARK(BM_DbSourceLargestDateAndTime)->Unit(benchmark::kMillisecond);

void BM_DbSourceLargestBool(benchmark::State& state) {
  Run(state, LargestDbSource(brendax::kDbTypeBool), brendax::GenerateDbSource);
}
BENCHMARK(BM_DbSourceLargestBool)->Unit(benchmark::kMillisecond);

void BM_MessageDb10000(benchmark::State& state) {
  brendax::MessageDbParams params = brendax::DefaultsOf(brendax::MessageDbFields());
  params.count = "10000";
  params.variant = brendax::kMessageUdtAndDbAcks;
  Run(state, params, brendax::GenerateMessageDb);
}
BENCHMARK(BM_MessageDb10000)->Unit(benchmark::kMillisecond);

}  // namespace
