#include "editing/EditCommands.h"

#include "editing/DeleteOps.h"
#include "editing/FileRange.h"
#include "editing/SurfaceOps.h"
#include "document/Core.h"
#include "services/Progress.h"

namespace {

bool RequireMode(TCore& core, TEditMode mode) {
  if (core.EditMode == mode) return true;
  core.Refuse(mode == emSurface ? "Only works in Surface Mode" : "Only works in Vertex Mode");
  return false;
}

// The copies of a merge stand at the sources' world positions once these are shifted by the
// target's offset, which only a world pass works out: the shifts are tried one source at a
// time as the merge makes them, looked at, and undone before anything is copied.
bool MergeFits(TCore& core, const TVector& offset, const std::vector<TMesh*>& sources) {
  std::vector<std::vector<TVector>> saved;
  bool fits = true;
  for (TMesh* source : sources) {
    saved.emplace_back();
    for (TVertex* v : source->Vertices) {
      saved.back().push_back(v->Position);
      v->Position = SubVector(offset, v->Position);
    }
    source->UpdateWorld();
    fits = ResultsFit(core, "Merge", source->Vertices.Pointers(), [](const TVertex& v) { return v.World; });
    if (!fits) break;
  }
  for (size_t i = saved.size(); i-- > 0;)
    for (size_t k = 0; k < saved[i].size(); ++k) sources[i]->Vertices[static_cast<int>(k)]->Position = saved[i][k];
  core.Model->UpdateWorld();
  return fits;
}

// The merge of the first node's meshes with the others' in the levels of detail not shown.
void MergeOtherGeosets(TModel& model, const std::vector<TNode*>& selected) {
  TNode& target = *selected.front();
  for (int set = 0; set < model.GeosetCount(); ++set) {
    if (set == model.CurrentGeoset()) continue;
    TMesh* into = model.GeosetMesh(target, set);
    if (!into) into = model.SetGeosetMesh(target, set, model.NewMesh());
    into->UpdateWorld();
    for (size_t i = 1; i < selected.size(); ++i)
      if (TMesh* source = model.GeosetMesh(*selected[i], set); source && source != into)
        into->AppendCopy(*source, [](TMesh& m) { m.UpdateWorld(); });
    into->InvalidateNormals();
  }
}

}  // namespace

void actEditExtrudeFace(TCore& core) {
  if (!RequireMode(core, emSurface)) return;
  if (core.Surfaces.Empty()) return;
  const std::vector<TFace*> originals = core.Surfaces.Items();
  {
    TProgress progress(&core.Services, "Extruding", originals.size(), kProgressObjects);
    uint64_t done = 0;
    for (TFace* f : originals) {
      core.Surfaces.Remove(f);
      core.Surfaces.Add(ExtrudeSurfaceKeep(*f));
      progress.Step(++done);
    }
    // The extruded surfaces leave their meshes together: one pass per mesh, not one per surface.
    DeleteSurfaces(core, originals);
  }
}

void actEditSplitFace(TCore& core) {
  if (!RequireMode(core, emVertex)) return;
  if (core.Vertices.Count() != 2) {
    core.Refuse("Failed to Split the Surface.\nSelect two Vertices and try again.");
    return;
  }
  TVertex* a = core.Vertices.Get(0);
  TVertex* b = core.Vertices.Get(1);
  for (TFace* f : a->Mesh->Surfaces) {
    if (!f->Vertices.Contains(a) || !f->Vertices.Contains(b)) continue;
    const bool selected = core.Surfaces.Contains(f);
    core.Surfaces.Remove(f);
    if (!SplitSurface(*f, *a, *b) && selected) core.Surfaces.Add(f);
    return;
  }
}

void actEditInsertVx(TCore& core) {
  if (!RequireMode(core, emVertex)) return;
  if (core.Vertices.Count() != 2) {
    core.Refuse("Failed to Insert a Vertex.\nSelect two Vertices and try again.");
    return;
  }
  TVertex* a = core.Vertices.Get(0);
  TVertex* b = core.Vertices.Get(1);
  TVertex* v = InsertEdgeVertex(*a->Mesh, *a, *b);
  core.Vertices.Clear();
  core.Vertices.Add(v);
}

void actEditFlipFace(TCore& core) {
  if (!RequireMode(core, emSurface)) return;
  {
    TProgress progress(&core.Services, "Flipping", static_cast<uint64_t>(core.Surfaces.Count()), kProgressObjects);
    uint64_t done = 0;
    for (TFace* f : core.Surfaces) {
      FlipSurface(*f);
      progress.Step(++done);
    }
  }
}

void actEditMakeSurface(TCore& core) {
  if (!RequireMode(core, emVertex)) return;
  // The copies stand where the vertices are now, not where the last drawing saw them.
  core.Model->UpdateWorld();
  if (!ResultsFit(core, "Make Surface", core.Vertices.Items(), [](const TVertex& v) { return v.World; })) return;
  MakeSurface(*core.Model, core.Vertices.Items());
  core.Changed(chHierarchy);
  core.Changed(chGeometry);
}

void actEditMerge(TCore& core) {
  if (core.EditMode != emNode || core.Nodes.Count() < 2) return;
  const std::vector<TNode*> selected = core.Nodes.Items();
  TNode* target = selected.front();
  std::vector<TMesh*> sources;
  for (size_t i = 1; i < selected.size(); ++i)
    if (TMesh* source = selected[i]->Mesh.get(); source && source != target->Mesh.get()) sources.push_back(source);
  // The receiving mesh's offset must be the current one, also for a mesh made just now, whose
  // offset a mesh not yet attached works out.
  uint64_t objects = 0;
  for (const TMesh* source : sources) objects += static_cast<uint64_t>(source->Vertices.Count() + source->Surfaces.Count());
  {
    TProgress progress(&core.Services, "Merging", objects, kProgressObjects);
    core.Model->UpdateWorld();
    TMesh probe(core.Model.get(), &core.Model->Materials);
    probe.Node = target;
    probe.UpdateWorld();
    if (!MergeFits(core, target->Mesh ? target->Mesh->WorldOffset : probe.WorldOffset, sources)) return;
    if (!target->Mesh) target->SetMesh(core.Model->NewMesh());
    core.Model->UpdateWorld();
    uint64_t done = 0;
    for (TMesh* source : sources) {
      target->Mesh->AppendCopy(*source, [](TMesh& m) { m.UpdateWorld(); });
      progress.Step(done += static_cast<uint64_t>(source->Vertices.Count() + source->Surfaces.Count()));
    }
    MergeOtherGeosets(*core.Model, selected);
    core.Nodes.Remove(target);
    DeleteNodes(core, core.Nodes.Items());
  }
  core.ToggleNode(target, false);
}

void actEditDelete(TCore& core) {
  switch (core.EditMode) {
    case emNode:
      DeleteNodes(core, core.Nodes.Items());
      core.Changed(chHierarchy);
      break;
    case emSurface:
      DeleteSurfaces(core, core.Surfaces.Items());
      break;
    case emVertex:
      DeleteVertices(core, core.Vertices.Items());
      break;
  }
  core.Changed(chProperties);
  core.Changed(chGeometry);
}
