// The views on a scan-sized mesh (1,111,216 triangles) against what this machine's GL can do
// at best: a reference that draws the same triangles (or their edges, for the wireframe) from
// one vertex buffer with one draw call, in the context `zarn-cli render` draws in (Mesa's
// surfaceless EGL, compatibility profile, 24-bit depth) at the same size. ZARN's own
// drawing code is timed in that context for each view mode, and the window's frame under
// xvfb-run. Then the way to the first picture of the mesh saved as 3DO, File > Open in the
// window against `zarn-cli info` of the same file, and Select All of its faces. Run as
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/zarn_bench --benchmark_filter=Frame
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QTabBar>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "BenchApp.h"
#include "bench/WindowRig.h"
#include "app/MainWindow.h"
#include "app/QtServices.h"
#include "bench/ObjFiles.h"
#include "document/Core.h"
#include "formats/ObjImport.h"
#include "formats/ThreeDo.h"
#include "services/HeadlessServices.h"
#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"
#include "view/MeshBuffers.h"
#include "view/ModelDrawing.h"
#include "view/OffscreenContext.h"
#include "view/Textures.h"
#include "view/ViewModeState.h"

namespace {

constexpr int kFaces = 1111216;
constexpr int kWidth = 800, kHeight = 600;
const char* const ModeNames[] = {"wireframe", "solid", "textured", "game"};

// The mesh imported once per process, as File > Import leaves it.
TCore& BigMesh() {
  static THeadlessServices services;
  static TCore core(services);
  static const bool loaded = [] {
    ImportObj(*core.Model, ObjFile(kFaces, false));
    core.Model->Update();
    PrepareModel(core);
    return true;
  }();
  (void)loaded;
  return core;
}

TCameraRec FrontCamera(const TCore& core, int mode) {
  TCameraRec camera = ResetCamera(1, core.Model->Radius);
  camera.ViewMode = static_cast<unsigned char>(mode);
  return camera;
}

// What both sides of a comparison start from: the offscreen context with the views' state
// and the Front camera fitted to the mesh.
void StartFrame(const TCore& core, int mode) {
  glViewport(0, 0, kWidth, kHeight);
  InitDrawingState();
  SetupCamera(FrontCamera(core, mode), kWidth, kHeight);
  ApplyViewModeState(mode);
}

void Finish(benchmark::State& state) {
  glFinish();
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The reference: every triangle's corners (or every face edge's two ends) at their world
// positions in one buffer, drawn with one call.
void BM_FrameReference(benchmark::State& state) {
  const bool lines = state.range(0) == 0;
  TCore& core = BigMesh();
  std::vector<float> xyz;
  for (const TNode* n : core.Model->Nodes)
    if (n->Mesh)
      for (const TFace* f : n->Mesh->Surfaces) {
        const int corners = f->Vertices.Count();
        const auto add = [&](int k) {
          const TVector& w = f->Vertices[k]->World;
          xyz.insert(xyz.end(), {static_cast<float>(w.X), static_cast<float>(w.Y), static_cast<float>(w.Z)});
        };
        if (lines)
          for (int k = 0; k < corners; ++k) {
            add(k);
            add((k + 1) % corners);
          }
        else
          for (int k = 1; k + 1 < corners; ++k) {
            add(0);
            add(k);
            add(k + 1);
          }
      }
  TOffscreenContext context(kWidth, kHeight);
  StartFrame(core, lines ? 0 : 1);
  glDisable(GL_LIGHTING);
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(xyz.size() * sizeof(float)), xyz.data(), GL_STATIC_DRAW);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glColor3f(1, 1, 1);
  const auto count = static_cast<GLsizei>(xyz.size() / 3);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, count);
    glFinish();
  }
  Finish(state);
  glDeleteBuffers(1, &buffer);
}
BENCHMARK(BM_FrameReference)->ArgName("triangles")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// ZARN's drawing code in the same context: the mesh's buffers synced once, then each frame.
void BM_FrameOffscreen(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  TCore& core = BigMesh();
  TOffscreenContext context(kWidth, kHeight);
  StartFrame(core, mode);
  TTextureCache textures;
  textures.Sync(core.Model->Materials);
  TMeshBuffers buffers;
  const auto start = std::chrono::steady_clock::now();
  buffers.Sync(*core.Model);
  glFinish();
  state.counters["upload_ms"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  TGameDrawing game;
  TGameLight light;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (mode == kGameViewMode)
      game.Draw(core, light);
    else
      DrawGeometry(core, buffers, mode);
    glFinish();
  }
  Finish(state);
  game.Release();
  buffers.Release();
  textures.Forget(core.Model->Materials);
  state.SetLabel(ModeNames[mode]);
}
BENCHMARK(BM_FrameOffscreen)->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

using TRig = TWindowRig<TQtServices>;

// The big mesh saved as 3DO, once per process.
const std::string& BigModelFile() {
  static const std::string path = [] {
    const std::string p =
        (std::filesystem::temp_directory_path() / ("zarn-frame-bench-" + std::to_string(::getpid()) + ".3do")).string();
    Save3DOFile(*BigMesh().Model, p);
    std::atexit([] {
      std::filesystem::remove(std::filesystem::temp_directory_path() /
                              ("zarn-frame-bench-" + std::to_string(::getpid()) + ".3do"));
    });
    return p;
  }();
  return path;
}

// A frame of the window's Front view: a camera move replays the buffers.
void BM_FrameWindow(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  TRig rig;
  if (!rig.Ready(state)) return;
  rig.Window->OpenFile(BigModelFile());
  TViewportFrame& frame = *rig.Window->Builder();
  frame.tacCameras->setCurrentIndex(1);
  frame.Cameras->Current().Rec.ViewMode = static_cast<unsigned char>(mode);
  frame.tacCamerasChange();
  QApplication::processEvents();
  for (auto _ : state) frame.Redraw(false);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(ModeNames[mode]);
}
BENCHMARK(BM_FrameWindow)->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// File > Open of the big model to its first picture, and `zarn-cli info` of the same file.
void BM_FrameOpenToPicture(benchmark::State& state) {
  TRig rig;
  if (!rig.Ready(state)) return;
  const std::string& path = BigModelFile();
  for (auto _ : state) {
    // Letting go of the model opened before is not part of the way to the picture.
    state.PauseTiming();
    rig.Window->actFileNewExecute();
    QApplication::processEvents();
    state.ResumeTiming();
    // The open ends with the first frame drawn: a redraw draws before it returns.
    rig.Window->OpenFile(path);
    QApplication::processEvents();
  }
  state.counters["faces"] = rig.Core->Model->Nodes[0]->Mesh->Surfaces.Count();
}
BENCHMARK(BM_FrameOpenToPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_FrameCliInfo(benchmark::State& state) {
  const std::string command = std::string("'") + ZARN_CLI_PATH + "' info '" + BigModelFile() + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("zarn-cli info failed");
}
BENCHMARK(BM_FrameCliInfo)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Select All in surface mode on the opened mesh, from the menu command to its frame, in the
// Top view's wireframe the file opens in.
void BM_FrameSelectAllSurfaces(benchmark::State& state) {
  TRig rig;
  if (!rig.Ready(state)) return;
  rig.Window->OpenFile(BigModelFile());
  rig.Window->Builder()->SetEditMode(emSurface);
  rig.TimeSelectAll(state);
}
BENCHMARK(BM_FrameSelectAllSurfaces)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
