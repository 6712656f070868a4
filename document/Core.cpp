#include "document/Core.h"

#include <cmath>

#include "model/Hierarchy.h"

TCore::TCore(TUserServices& services) : Services(services), Model(std::make_unique<TModel>()) {
  Model->Services = &services;
  Model->ReleaseSelection = [this] { ClearSelection(); };
  History.Changed = [this] { Changed(chHistory); };
  Colors[ccGeometry] = {0.8f, 0.8f, 0.8f};
  Colors[ccVertices] = {1.0f, 1.0f, 0.0f};
  Colors[ccSelection] = {1.0f, 0.0f, 0.0f};
  Colors[ccGrid] = {0.25f, 0.25f, 0.25f};
  Colors[ccGridZero] = {0.4f, 0.4f, 0.4f};
  Colors[ccPivot] = {0.0f, 0.7f, 0.7f};
  ResetHistory();
}

TCore::~TCore() {
  ClearSelection();
}

void TCore::ResetHistory() {
  // Every step derives the links, so the state a history starts from has them derived too.
  DeriveLinks(*Model);
  History.Reset(*Model);
}

void TCore::BeginStep(bool hold) {
  History.Begin(TakeSelectionState(*this));
  StepSelection = SelectionVersion();
  StepGeoset = Model->CurrentGeoset();
  Holding = hold;
  Held = 0;
}

bool TCore::CommitStep(const std::string& caption) {
  Holding = false;
  const unsigned stepped = History.Commit(*Model, [this] { return TakeSelectionState(*this); }, caption);
  unsigned changes = stepped | std::exchange(Held, 0);
  if (SelectionVersion() != StepSelection) changes |= chSelection | chProperties;
  if (Model->CurrentGeoset() != StepGeoset) changes |= chGeometry | chProperties;
  if (changes) Changed(changes);
  return stepped != 0;
}

void TCore::CancelStep() {
  Holding = false;
  Held = 0;
  TSelectionState selection;
  const bool changed = History.Cancel(*Model, selection);
  const bool reselected = changed || !(TakeSelectionState(*this) == selection);
  if (reselected) RestoreSelectionState(*this, selection);
  if (changed) Changed(chHierarchy | chMaterials | chProperties | chGeometry);
  else if (reselected) Changed(chSelection | chProperties);
}

void TCore::Undo() { GoInHistory(&THistory::Undo); }

void TCore::Redo() { GoInHistory(&THistory::Redo); }

void TCore::GoInHistory(bool (THistory::*go)(TModel&, TSelectionState&)) {
  TSelectionState selection;
  if (!(History.*go)(*Model, selection)) return;
  RestoreSelectionState(*this, selection);
  Changed(chHierarchy | chMaterials | chProperties | chGeometry);
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
