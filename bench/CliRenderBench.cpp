// `zarn-cli render` as a user runs it, a whole process per picture: generated models of 10k,
// 100k and 1M faces (time linear in the faces; the 1M one under 3 s) and the sample, a model
// of the game's size (well under a second). Draws offscreen: no display needed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "bench/GridModel.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"

namespace {

// The model file of each face count, written once per process.
const std::string& GridFile(int faces) {
  static std::map<int, std::string> files;
  auto& path = files[faces];
  if (path.empty()) {
    path = (std::filesystem::temp_directory_path() /
            ("zarn-render-bench-" + std::to_string(::getpid()) + "-" + std::to_string(faces) + ".3do"))
               .string();
    THeadlessServices services;
    TCore core(services);
    BuildGrid(*core.Model, static_cast<int>(std::lround(std::sqrt(faces))) + 1);
    Save3DOFile(*core.Model, path);
    std::atexit([] {
      for (auto& [f, p] : files) std::filesystem::remove(p);
    });
  }
  return path;
}

void RenderRuns(benchmark::State& state, const std::string& model, const char* mode) {
  const std::string out = (std::filesystem::temp_directory_path() / ("zarn-render-bench-" + std::to_string(::getpid()) + ".png")).string();
  const std::string command = std::string("'") + ZARN_CLI_PATH + "' render '" + model + "' '" + out + "' --mode " + mode;
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("zarn-cli render failed");
  std::filesystem::remove(out);
}

void BM_CliRenderGrid(benchmark::State& state) {
  const std::string& model = GridFile(static_cast<int>(state.range(0)));
  RenderRuns(state, model, "game");
  state.counters["faces"] = static_cast<double>(state.range(0));
}

void BM_CliRenderSample(benchmark::State& state) {
  RenderRuns(state, std::string(ZARN_SAMPLES_DIR) + "/fighter.3do", state.range(0) ? "game" : "textured");
}

}  // namespace

BENCHMARK(BM_CliRenderGrid)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CliRenderSample)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
