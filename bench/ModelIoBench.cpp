// Reading, updating and writing generated models of about 10k, 100k and 1M vertices.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "PeakMemory.h"
#include "bench/GridModel.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"

namespace {

// The model file of each size, written once per process.
const std::string& ModelFile(int side) {
  static std::map<int, std::string> files;
  auto& path = files[side];
  if (path.empty()) {
    path = (std::filesystem::temp_directory_path() /
            ("zarn-bench-" + std::to_string(::getpid()) + "-" + std::to_string(side) + ".3do"))
               .string();
    THeadlessServices services;
    TCore core(services);
    BuildGrid(*core.Model, side);
    Save3DOFile(*core.Model, path);
    std::atexit([] {
      for (auto& [s, p] : files) std::filesystem::remove(p);
    });
  }
  return path;
}

void BM_Read(benchmark::State& state) {
  const std::string& path = ModelFile(SideFor(state.range(0)));
  for (auto _ : state) {
    THeadlessServices services;
    TCore core(services);
    Load3DOFile(*core.Model, path);  // includes the Update that ends every read
    if (!services.Errors.empty()) state.SkipWithError(services.Errors[0].c_str());
    state.PauseTiming();
    core.Model->Clear();
    state.ResumeTiming();
  }
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  state.counters["peak_MiB"] = PeakMemoryMiB();
}

void BM_Update(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(state.range(0)));
  for (auto _ : state) core.Model->Update();
  state.counters["peak_MiB"] = PeakMemoryMiB();
}

// What File > Save does: an update, then the text streamed to a file that replaces the old one.
void BM_Write(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(state.range(0)));
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("zarn-bench-save-" + std::to_string(::getpid()) + ".3do"))
                               .string();
  for (auto _ : state) Save3DOFile(*core.Model, path);
  std::filesystem::remove(path);
  state.counters["peak_MiB"] = PeakMemoryMiB();
}

}  // namespace

BENCHMARK(BM_Read)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Update)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Write)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

namespace {
// The text alone, handed to a sink that keeps nothing: the formatting cost without the disk.
void BM_Format(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state)
    Write3DO(*core.Model, [&bytes](std::string_view block) { bytes += block.size(); }, core.Model->Nodes.Pointers());
  benchmark::DoNotOptimize(bytes);
}
}  // namespace

BENCHMARK(BM_Format)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
