// Importing a glTF character: a 40-node model and its 10 animations sampled into KEYs, as
// File > Open and `convert` read it. Goal: under 0.2 s.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "GltfCharacter.h"
#include "formats/GltfImport.h"
#include "model/Model.h"

namespace {

void BM_GltfCharacterImport(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "zarn-bench-character.glb").string();
  WriteGltfCharacter(path);
  for (auto _ : state) {
    TModel model;
    benchmark::DoNotOptimize(ImportGltf(model, path).Animations.size());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_GltfCharacterImport)->Unit(benchmark::kMillisecond);

}  // namespace
