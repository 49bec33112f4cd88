// The largest file image: 65,535 DWords from -32767 to 32767, read from a
// file of 262,140 bytes, in every element type's largest form.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "datablocks/db_image.h"

namespace {

std::string ImageFile() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "brendax-bench-image.bin";
    std::string bytes(65535 * 4, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37);
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }();
  return path;
}

void BM_DbImageLargest(benchmark::State& state) {
  brendax::DbImageParams p = brendax::DefaultsOf(brendax::DbImageFields());
  p.filePath = ImageFile();
  p.start = "-32767";
  p.type = static_cast<int>(state.range(0));
  p.swap = true;
  std::size_t lines = 0;
  for (auto _ : state) {
    const auto result = brendax::GenerateDbImage(p);
    lines = result.lines.size();
    benchmark::DoNotOptimize(result.lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_DbImageLargest)
    ->Arg(brendax::kDbImageDWord)
    ->Arg(brendax::kDbImageChar)
    ->ArgName("type")
    ->Unit(benchmark::kMillisecond);

}  // namespace
