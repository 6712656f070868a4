// Loading a model whose 100 materials lie in a container of 1,000 entries.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/Gob.h"
#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"

namespace {

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Texture(int seed) {
  std::string mat = "MAT ";
  Put32(mat, 0x32);
  Put32(mat, 2);
  Put32(mat, 1);
  Put32(mat, 1);
  Put32(mat, 0);
  Put32(mat, 8);
  mat.resize(76 + 40, '\0');
  Put32(mat, 64);
  Put32(mat, 64);
  mat.resize(mat.size() + 16, '\0');
  for (int i = 0; i < 64 * 64; ++i) mat += static_cast<char>((i + seed) % 64 + 32);
  return mat;
}

std::string Model(int materials) {
  std::string text = "3DO 2.1\nSECTION: MODELRESOURCE\nMATERIALS " + std::to_string(materials) + "\n";
  for (int i = 0; i < materials; ++i) text += std::to_string(i) + ": m" + std::to_string(i * 10) + ".mat\n";
  text += "SECTION: GEOMETRYDEF\nRADIUS 1\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 1\nMESH 0\nNAME m\n"
          "RADIUS 1\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 0\nVERTICES 3\n0: 0 0 0 0\n1: 1 0 0 0\n2: 0 1 0 0\n"
          "TEXTURE VERTICES 3\n0: 0 0\n1: 63 0\n2: 0 63\nVERTEX NORMALS\nFACES " + std::to_string(materials) + "\n";
  for (int i = 0; i < materials; ++i)
    text += std::to_string(i) + ": " + std::to_string(i) + " 0x4 4 3 1 0 3 0, 0 1, 1 2, 2\n";
  text += "SECTION: HIERARCHYDEF\nHIERARCHY NODES 1\n0: 0x0 0x1 0 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 n\n";
  return text;
}

// A container of 1,000 materials (every tenth named by the model) with the model last.
std::string MakeContainer() {
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i = 0; i < 1000; ++i) entries.emplace_back("mat\\m" + std::to_string(i) + ".mat", Texture(i));
  entries.emplace_back("3do\\many.3do", Model(100));
  std::string out = "GOB ";
  Put32(out, 0x14);
  Put32(out, 0x0C);
  Put32(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = static_cast<uint32_t>(16 + 136 * entries.size());
  for (const auto& [name, data] : entries) {
    Put32(out, offset);
    Put32(out, static_cast<uint32_t>(data.size()));
    std::string field = name;
    field.resize(128, '\0');
    out += field;
    offset += static_cast<uint32_t>(data.size());
  }
  for (const auto& entry : entries) out += entry.second;
  const std::string path = (std::filesystem::temp_directory_path() / "zarn-bench-materials.gob").string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
  return path;
}

void BM_ModelWith100MaterialsFromContainer(benchmark::State& state) {
  const std::string path = MakeContainer();
  TGob gob;
  gob.LoadFromFile(path);
  TGobItem item;
  gob.FindFile("many.3do", item);
  THeadlessServices services;
  TCore core(services);
  InstallMaterialLoader(core);
  int uploads = 0;
  for (auto _ : state) {
    core.Model->Clear();
    Load3DOEntry(*core.Model, item);
    state.PauseTiming();
    uploads = 0;
    for (const TMaterial* m : core.Model->Materials) uploads += m->Loaded && m->TextureName < 0 && !m->Pixels.empty() ? 1 : 0;  // each uploads once
    state.ResumeTiming();
  }
  state.counters["Materials"] = core.Model->Materials.Count();
  state.counters["Loaded"] = static_cast<double>(
      std::count_if(core.Model->Materials.begin(), core.Model->Materials.end(), [](const TMaterial* m) { return m->Loaded; }));
  state.counters["Uploads"] = uploads;
}

}  // namespace

BENCHMARK(BM_ModelWith100MaterialsFromContainer)->Unit(benchmark::kMillisecond);
