// Export to a .glb file: a game character of 40 nodes with 10 animations (goal: under 0.2 s)
// and a mesh of a million faces (goal: under 2 s), one material found, as a real model's.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "CharacterModel.h"
#include "GridModel.h"
#include "PeakMemory.h"
#include "document/Core.h"
#include "formats/GltfExport.h"
#include "services/HeadlessServices.h"

namespace {

void GiveMaterial(TModel& model) {
  TMaterial& material = *model.Materials.FindOrAdd("dflt.mat");
  material.Width = material.Height = 64;
  material.Pixels.assign(64 * 64 * 3, 0x80);
  material.Loaded = true;
  for (const TNode* node : model.Nodes)
    if (node->Mesh)
      for (TFace* face : node->Mesh->Surfaces) face->Material = &material;
}

void Export(benchmark::State& state, TModel& model, const std::vector<TNamedKey>& keys) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zarn-bench-gltf-" + std::to_string(::getpid()));
  std::filesystem::create_directory(folder);
  const std::string path = (folder / "model.glb").string();
  for (auto _ : state) ExportGltf(model, path, keys);
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  state.counters["peak_MiB"] = PeakMemoryMiB();
  std::filesystem::remove_all(folder);
}

void BM_ExportGltfCharacter(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildCharacter(*core.Model);
  GiveMaterial(*core.Model);
  std::vector<TNamedKey> keys;
  for (int i = 0; i < 10; ++i) keys.push_back({"move" + std::to_string(i), EveryNode(*core.Model, 40 + 8 * i)});
  Export(state, *core.Model, keys);
}
BENCHMARK(BM_ExportGltfCharacter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportGltfMillionFaces(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, SideFor(1'000'000) + 1);  // 1001 x 1001 vertices: 1,000,000 quads
  GiveMaterial(*core.Model);
  Export(state, *core.Model, {});
  state.counters["faces"] = core.Model->Nodes[1]->Mesh->Surfaces.Count();
}
BENCHMARK(BM_ExportGltfMillionFaces)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
