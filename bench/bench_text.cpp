// Speed of the shared text routines and of the settings file round trip.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/settings.h"
#include "text/integer_text.h"
#include "text/text_routines.h"

namespace {

void BM_TrimSpaces(benchmark::State& state) {
  const std::string text = "      Schrittkette_Foerderband_1      ";
  for (auto _ : state) benchmark::DoNotOptimize(brendax::TrimSpaces(text));
}
BENCHMARK(BM_TrimSpaces);

void BM_ParseInt32Decimal(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(brendax::ParseInt32("  -2147483648"));
}
BENCHMARK(BM_ParseInt32Decimal);

void BM_ParseInt32Hex(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(brendax::ParseInt32("0xDEADBEEF"));
}
BENCHMARK(BM_ParseInt32Hex);

void BM_CenterPad(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(brendax::CenterPad("Brendax Ver.: 03.09", 51));
}
BENCHMARK(BM_CenterPad);

void BM_StepLabel(benchmark::State& state) {
  long long n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(brendax::StepLabel("S", n));
    n = (n + 1) % 1000;
  }
}
BENCHMARK(BM_StepLabel);

void BM_SettingsRoundTrip(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("brendax-bench-" + std::to_string(::getpid()) + ".set")).string();
  brendax::SettingsRecord record;
  record.setNationalLanguage(1);
  for (auto _ : state) {
    if (!brendax::SaveSettingsFile(path, record)) state.SkipWithError("save failed");
    benchmark::DoNotOptimize(brendax::LoadSettingsFile(path));
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_SettingsRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
