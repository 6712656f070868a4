#include "model/Core.h"

#include <cmath>

TCore::TCore(TUserServices& services) : Services(services), Model(std::make_unique<TModel>()) {
  Model->Core = this;
  Colors[ccGeometry] = {0.8f, 0.8f, 0.8f};
  Colors[ccVertices] = {1.0f, 1.0f, 0.0f};
  Colors[ccSelection] = {1.0f, 0.0f, 0.0f};
  Colors[ccGrid] = {0.25f, 0.25f, 0.25f};
  Colors[ccGridZero] = {0.4f, 0.4f, 0.4f};
  Colors[ccPivot] = {0.0f, 0.7f, 0.7f};
  History.Reset(*this);
}

TCore::~TCore() {
  ClearSelection();
}

void TCore::ClearSelection() {
  Nodes.Clear();
  Surfaces.Clear();
  Vertices.Clear();
}

int TCore::SelectedCount() const {
  switch (EditMode) {
    case emNode:
      return Nodes.Count();
    case emSurface:
      return Surfaces.Count();
    case emVertex:
      return Vertices.Count();
  }
  return 0;
}

TColorRGB SystemColorToRGB(unsigned c) {
  return {static_cast<float>((c & 0xFF) / 255.0), static_cast<float>(((c & 0xFFFF) / 256) / 255.0),
          static_cast<float>((c / 0x10000) / 255.0)};
}

unsigned RGBToSystemColor(const TColorRGB& c) {
  const auto channel = [](float v) { return static_cast<unsigned>(std::lround(v * 255.0)); };
  return channel(c.R) + channel(c.G) * 256 + channel(c.B) * 65536;
}
