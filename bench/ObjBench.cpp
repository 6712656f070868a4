// OBJ import against tinyobjloader on the same generated meshes: a closed, smoothly bumped
// sphere like a scan, written with LF line ends, six decimals, faces as "f a b c" or with
// texture indices "f a/b c/d e/f".
#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "bench/ChildPeakMemory.h"
#include "model/Model.h"

namespace {

std::string GenerateObj(int faces, bool textured) {
  const int cols = static_cast<int>(std::sqrt(faces / 2.0));
  const int rows = faces / (2 * cols);
  std::string text = "# generated scan-like mesh\no scan\n";
  char line[160];
  for (int r = 0; r <= rows; ++r) {
    const double lat = M_PI * r / rows;
    for (int c = 0; c < cols; ++c) {
      const double lon = 2 * M_PI * c / cols;
      const double radius = 1 + 0.05 * std::sin(7 * lat) * std::cos(5 * lon);
      std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", radius * std::sin(lat) * std::cos(lon),
                    radius * std::sin(lat) * std::sin(lon), radius * std::cos(lat));
      text += line;
      if (textured) {
        std::snprintf(line, sizeof line, "vt %.6f %.6f\n", static_cast<double>(c) / cols, static_cast<double>(r) / rows);
        text += line;
      }
    }
  }
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int a = r * cols + c + 1, b = r * cols + (c + 1) % cols + 1;
      const int d = a + cols, e = b + cols;
      if (textured)
        std::snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, b, b, e, e, a, a, e, e, d, d);
      else
        std::snprintf(line, sizeof line, "f %d %d %d\nf %d %d %d\n", a, b, e, a, e, d);
      text += line;
    }
  }
  return text;
}

const std::string& ObjFile(int faces, bool textured) {
  static std::map<std::pair<int, bool>, std::string> files;
  auto& path = files[{faces, textured}];
  if (path.empty()) {
    path = (std::filesystem::temp_directory_path() /
            ("zarn-bench-" + std::to_string(faces) + (textured ? "-vt" : "") + ".obj"))
               .string();
    const std::string text = GenerateObj(faces, textured);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

void LoadOurs(const std::string& path, TModel*& model) {
  model = new TModel;
  model->ImportObj(path);
}

void LoadTiny(const std::string& path, tinyobj::attrib_t*& attrib, std::vector<tinyobj::shape_t>*& shapes) {
  attrib = new tinyobj::attrib_t;
  shapes = new std::vector<tinyobj::shape_t>;
  std::vector<tinyobj::material_t> materials;
  std::string warn, err;
  tinyobj::LoadObj(attrib, shapes, &materials, &warn, &err, path.c_str(), nullptr, false);
}

void Report(benchmark::State& state, const std::string& path, double peak) {
  state.counters["PeakMiB"] = peak;
  state.counters["FileMiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}

void BM_ObjImportOurs(benchmark::State& state) {
  const std::string& path = ObjFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    TModel* model;
    LoadOurs(path, model);
    benchmark::DoNotOptimize(model->Nodes[0]->Mesh->Surfaces.Count());
    state.PauseTiming();
    delete model;
    state.ResumeTiming();
  }
  Report(state, path, ChildPeakMemoryMiB([&] {
           TModel* model;
           LoadOurs(path, model);
         }));
}

void BM_ObjImportTinyObj(benchmark::State& state) {
  const std::string& path = ObjFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    tinyobj::attrib_t* attrib;
    std::vector<tinyobj::shape_t>* shapes;
    LoadTiny(path, attrib, shapes);
    benchmark::DoNotOptimize(attrib->vertices.size());
    state.PauseTiming();
    delete attrib;
    delete shapes;
    state.ResumeTiming();
  }
  Report(state, path, ChildPeakMemoryMiB([&] {
           tinyobj::attrib_t* attrib;
           std::vector<tinyobj::shape_t>* shapes;
           LoadTiny(path, attrib, shapes);
         }));
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"faces", "textured"});
  for (int faces : {100000, 1000000})
    for (int textured : {0, 1}) b->Args({faces, textured});
  b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
}

}  // namespace

BENCHMARK(BM_ObjImportTinyObj)->Apply(Cases);
BENCHMARK(BM_ObjImportOurs)->Apply(Cases);
