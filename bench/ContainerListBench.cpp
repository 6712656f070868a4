// Opening a model of 50 materials while 20 containers of 1,000 entries each are listed and
// the materials lie in the last of them: every material walks the whole list.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"
#include "tests/core/FormatBytes.h"

namespace {

constexpr int kContainers = 20, kEntries = 1000, kMaterials = 50;

std::string ModelText() {
  std::string text = "3DO 2.1\nSECTION: MODELRESOURCE\nMATERIALS " + std::to_string(kMaterials) + "\n";
  for (int i = 0; i < kMaterials; ++i) text += std::to_string(i) + ": m" + std::to_string(i) + ".mat\n";
  text += "SECTION: GEOMETRYDEF\nRADIUS 1\nINSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 1\nMESH 0\nNAME m\n"
          "RADIUS 1\nGEOMETRYMODE 4\nLIGHTINGMODE 3\nTEXTUREMODE 0\nVERTICES 3\n0: 0 0 0 0\n1: 1 0 0 0\n2: 0 1 0 0\n"
          "TEXTURE VERTICES 3\n0: 0 0\n1: 63 0\n2: 0 63\nVERTEX NORMALS\nFACES " + std::to_string(kMaterials) + "\n";
  for (int i = 0; i < kMaterials; ++i) text += std::to_string(i) + ": " + std::to_string(i) + " 0x4 4 3 1 0 3 0, 0 1, 1 2, 2\n";
  return text + "SECTION: HIERARCHYDEF\nHIERARCHY NODES 1\n0: 0x0 0x1 0 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 n\n";
}

// The containers in one folder, the model alone in another.
struct TGameFolder {
  TGameFolder() {
    Model = Dir.Write("models/many.3do", ModelText());
    const std::string texture = fmt_test::MakeTextureMat(64, 64, 8, std::string(64 * 64, '\x10'));
    for (int c = 0; c < kContainers; ++c) {
      std::vector<fmt_test::TEntrySpec> entries;
      for (int i = 0; i < kEntries; ++i) {
        const bool named = c == kContainers - 1 && i < kMaterials;
        entries.push_back({"mat\\" + (named ? "m" + std::to_string(i) : "c" + std::to_string(c) + "_" + std::to_string(i)) + ".mat",
                           named ? texture : fmt_test::MakeColourMat(i % 256)});
      }
      Containers.push_back(Dir.Write("game/res" + std::to_string(c) + ".gob", fmt_test::MakeGob(entries)));
    }
  }
  fmt_test::TTempDir Dir;
  std::string Model;
  std::vector<std::string> Containers;
};

const TGameFolder& Folder() {
  static const TGameFolder folder;
  return folder;
}

// Bytes this process has read from files so far.
double BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string name;
  double value = 0;
  while (io >> name >> value)
    if (name == "rchar:") return value;
  return 0;
}

struct TOpenCore {
  explicit TOpenCore(bool listed) {
    InstallMaterialLoader(Core);
    if (listed) Core.ResourceList = Folder().Containers;
  }
  void Open() {
    Core.Model->Clear();
    Load3DOFile(*Core.Model, Folder().Model);
  }
  THeadlessServices Services;
  TCore Core{Services};
};

// Arg 0: no containers listed (the model itself, its materials not found); 1: the 20
// containers with a fresh program each time (every directory read); 2: the 20 containers
// reopened in one program (directories kept while their files stay unchanged).
void BM_OpenModelWithContainerList(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  auto core = std::make_unique<TOpenCore>(mode != 0);
  core->Open();
  const double before = BytesRead();
  for (auto _ : state) {
    if (mode == 1) {
      state.PauseTiming();
      core = std::make_unique<TOpenCore>(true);
      state.ResumeTiming();
    }
    core->Open();
  }
  int loaded = 0;
  for (const TMaterial* m : core->Core.Model->Materials) loaded += m->Loaded ? 1 : 0;
  state.counters["Loaded"] = loaded;
  state.counters["KiB_read_per_open"] = (BytesRead() - before) / 1024 / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_OpenModelWithContainerList)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
