// File > Export of generated models of about 10k, 100k and 1M vertices, one material found,
// so that every texture coordinate is scaled as a real model's are.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "PeakMemory.h"
#include "bench/GridModel.h"
#include "formats/ObjExport.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

void BM_ExportObj(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(state.range(0)));
  TMaterial& material = *core.Model->Materials.FindOrAdd("dflt.mat");
  material.Width = material.Height = 64;
  material.Pixels.assign(64 * 64 * 3, 0x80);
  material.Loaded = true;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zarn-bench-export-" + std::to_string(::getpid()));
  std::filesystem::create_directory(folder);
  const std::string path = (folder / "grid.obj").string();
  for (auto _ : state) ExportObj(*core.Model, path);
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  state.counters["peak_MiB"] = PeakMemoryMiB();
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_ExportObj)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
