// The command line as a function, in this process: what the WebAssembly
// module runs for the browser page (bench/web/core_bench.mjs sets the two
// side by side). Standard output goes to /dev/null.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/run.h"

namespace {

void RunArgs(benchmark::State& state, std::vector<std::string> args) {
  args.insert(args.begin(), "brendax-cli");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::fflush(stdout);
  const int saved = ::dup(1);
  const int sink = ::open("/dev/null", O_WRONLY);
  ::dup2(sink, 1);
  int status = 0;
  for (auto _ : state) status |= RunCommandLine(static_cast<int>(args.size()), argv.data());
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(saved);
  ::close(sink);
  if (status != 0) state.SkipWithError("the command line failed");
}

void BM_CliStepSimpleDefaultsJson(benchmark::State& state) { RunArgs(state, {"step-simple", "--json"}); }
void BM_CliStepSimpleDefaultsSource(benchmark::State& state) { RunArgs(state, {"step-simple"}); }
void BM_CliTargetActualLargestJson(benchmark::State& state) {
  RunArgs(state, {"target-actual-db", "--double-words", "32", "--variants", "64", "--json"});
}
void BM_CliTargetActualLargestSource(benchmark::State& state) {
  RunArgs(state, {"target-actual-db", "--double-words", "32", "--variants", "64"});
}
BENCHMARK(BM_CliStepSimpleDefaultsJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliStepSimpleDefaultsSource)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliTargetActualLargestJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliTargetActualLargestSource)->Unit(benchmark::kMillisecond);

}  // namespace
