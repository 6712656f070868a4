#include "editing/SelectCommands.h"

#include "document/Core.h"
#include "services/Progress.h"

namespace {

// How many objects of the current mode's kind the model holds.
uint64_t ModeObjects(const TCore& core) {
  uint64_t count = 0;
  for (const TNode* n : core.Model->Nodes) {
    if (core.EditMode == emNode) ++count;
    else if (!n->Mesh) continue;
    else if (core.EditMode == emSurface) count += static_cast<uint64_t>(n->Mesh->Surfaces.Count());
    else count += static_cast<uint64_t>(n->Mesh->Vertices.Count());
  }
  return count;
}

// Flips every object of the current mode's kind in model order. The property panel is told
// once at the end rather than once per object: a million toggles stay linear.
void ToggleEverything(TCore& core) {
  TModel& model = *core.Model;
  TProgress progress(&core.Services, "Selecting", ModeObjects(core), kProgressObjects);
  uint64_t done = 0;
  switch (core.EditMode) {
    case emNode:
      for (TNode* n : model.Nodes) {
        core.Nodes.Toggle(n);
        progress.Step(++done);
      }
      break;
    case emSurface:
      for (TNode* n : model.Nodes)
        if (n->Mesh)
          for (TFace* f : n->Mesh->Surfaces) {
            core.Surfaces.Toggle(f);
            progress.Step(++done);
          }
      break;
    case emVertex:
      for (TNode* n : model.Nodes)
        if (n->Mesh)
          for (TVertex* v : n->Mesh->Vertices) {
            core.Vertices.Toggle(v);
            progress.Step(++done);
          }
      break;
  }
  core.Changed(chProperties);
}

void ClearCurrent(TCore& core) {
  const TProgress progress(&core.Services, "Clearing", static_cast<uint64_t>(core.SelectedCount()), kProgressObjects);
  switch (core.EditMode) {
    case emNode:
      core.Nodes.Clear();
      break;
    case emSurface:
      core.Surfaces.Clear();
      break;
    case emVertex:
      core.Vertices.Clear();
      break;
  }
}

void SelectOnly(TCore& core, TNode* node) {
  if (!node) return;
  core.Nodes.Clear();
  core.ToggleNode(node);
}

// Runs a hierarchy walk only where one can start: node mode with a selected node.
template <class Walk>
void Navigate(TCore& core, Walk walk) {
  if (core.EditMode != emNode || core.Nodes.Empty()) return;
  SelectOnly(core, walk(*core.Nodes.First()));
  core.Changed(chSelection);
}

}  // namespace

// Selecting changes no geometry: the view draws its selection marks again without
// recompiling the model, which for a million faces takes seconds.
TCommandResult actSelClear(TCore& core) {
  ClearCurrent(core);
  core.Changed(chProperties);
  core.Changed(chSelection);
  return {};
}

TCommandResult actSelAll(TCore& core) {
  ClearCurrent(core);
  ToggleEverything(core);
  core.Changed(chSelection);
  return {};
}

TCommandResult actSelInvert(TCore& core) {
  ToggleEverything(core);
  core.Changed(chSelection);
  return {};
}

TCommandResult actSelParentNode(TCore& core) {
  Navigate(core, [](TNode& f) { return f.Parent; });
  return {};
}

TCommandResult actSelChildNode(TCore& core) {
  Navigate(core, [](TNode& f) { return f.Child; });
  return {};
}

TCommandResult actSelNextSiblingNode(TCore& core) {
  Navigate(core, [](TNode& f) { return f.Sibling; });
  return {};
}

TCommandResult actSelPrevSiblingNode(TCore& core) {
  Navigate(core, [&core](TNode& f) -> TNode* {
    for (TNode* n : core.Model->Nodes)
      if (n->Sibling == &f) return n;
    return nullptr;
  });
  return {};
}
