#include <benchmark/benchmark.h>

#include "bench/GridModel.h"
#include "camera/CameraMoves.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"

namespace {

// A click in the views on the million-face grid, framed by the Free camera turned to look
// at it slanted: the whole model is tested against the ray each time, in node, surface and
// vertex mode; a click must feel instant.
void BM_ClickSelect(benchmark::State& state) {
  THeadlessServices services;
  TCore core(services);
  BuildGrid(*core.Model, 1000);
  core.EditMode = static_cast<TEditMode>(state.range(0));
  TCameraRec camera = DefaultCameras()[3];
  camera.RotX = -40;
  camera.RotZ = 25;
  camera = FitCameraToBox(camera, 800, 600, core.SelectionBox());
  const TViewTransform view = MakeViewTransform(camera, 800, 600);
  int hits = 0;
  for (auto _ : state) hits += core.SelectAt(400, 300, false, view);
  if (hits != state.iterations()) state.SkipWithError("the click missed the grid");
  state.SetItemsProcessed(state.iterations() * 999 * 999);
}
BENCHMARK(BM_ClickSelect)->Arg(emNode)->Arg(emSurface)->Arg(emVertex)->Unit(benchmark::kMillisecond);

}  // namespace
