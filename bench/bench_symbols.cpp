// The largest symbol run: 1000 rows, every placeholder in both patterns,
// four text sequences.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "symbols/symbol_generator.h"

namespace {

// Every placeholder in both patterns; every symbol stays within 24
// characters.
brendax::SymbolParams LargestRun() {
  brendax::SymbolParams p = brendax::SymbolExampleCylinder();
  p.count = "1000";
  p.startAddress = "100.0";
  p.startAddress2 = "2000.0";
  p.c1Start = "1";
  p.c2Start = "5000";
  p.c2Step = "-3";
  p.t1Seq1 = "a";
  p.t1Seq2 = "b";
  p.t1Seq3 = "c";
  p.t1Seq4 = "d";
  p.t2Seq1 = "x";
  p.t2Seq2 = "";
  p.symbol = "<A1><A2><C1><C2><C3><T1><T2>";
  p.comment = "<A1> <A2> C1 <C1> C2 <C2> Zylinder <C3> <T1> <T2>";
  return p;
}

void BM_Symbols1000Rows(benchmark::State& state) {
  const brendax::SymbolParams params = LargestRun();
  const brendax::MnemonicSet mnemonics = brendax::GermanMnemonics();
  brendax::GeneratorResult previous;
  for (auto _ : state) {
    brendax::GeneratorResult result = brendax::GenerateSymbols(params, mnemonics);
    if (!result.ok() || result.symbols.size() != 1000) state.SkipWithError("run refused");
    benchmark::DoNotOptimize(result.symbols.data());
    previous = std::move(result);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Symbols1000Rows)->Unit(benchmark::kMicrosecond);

void BM_ExpandPlaceholders(benchmark::State& state) {
  brendax::SymbolRunState run;
  run.a1Byte = 123;
  run.a1Bit = 4;
  run.c1 = 4711;
  run.sequenceCount = 2;
  run.t1 = {"ausg", "eing", "", ""};
  run.t2 = {"ausgefahren", "eingefahren", "", ""};
  std::string out;
  for (auto _ : state) {
    out.clear();
    brendax::ExpandPlaceholders("<A1> <A2> C1 <C1> C2 <C2> Zylinder <C3> <T1> <T2>", run, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExpandPlaceholders);

}  // namespace
