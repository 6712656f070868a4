#include "editing/EditCommands.h"

#include "editing/DeleteOps.h"
#include "editing/FileRange.h"
#include "editing/SurfaceOps.h"
#include "document/Core.h"
#include "services/Progress.h"

namespace {

// Done in that mode, refused in any other.
TCommandResult RequireMode(TCore& core, TEditMode mode) {
  if (core.EditMode == mode) return {};
  return Refuse(core.Services, mode == emSurface ? "Only works in Surface Mode" : "Only works in Vertex Mode");
}

// The copies of a merge stand at the sources' world positions once these are shifted by the
// target's offset, which only a world pass works out: the shifts are tried one source at a
// time as the merge makes them, looked at, and undone before anything is copied.
TCommandResult MergeFits(TCore& core, const TVector& offset, const std::vector<TMesh*>& sources) {
  std::vector<std::vector<TVector>> saved;
  TCommandResult fits;
  for (TMesh* source : sources) {
    saved.emplace_back();
    for (TVertex* v : source->Vertices) {
      saved.back().push_back(v->Position);
      v->Position = SubVector(offset, v->Position);
    }
    source->UpdateWorld();
    fits = ResultsFit(core, "Merge", source->Vertices.Pointers(), [](const TVertex& v) { return v.World; });
    if (!fits.Succeeded()) break;
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

TCommandResult actEditExtrudeFace(TCore& core) {
  if (TCommandResult mode = RequireMode(core, emSurface); !mode.Succeeded()) return mode;
  if (core.Surfaces.Empty()) return {};
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
  return {};
}

TCommandResult actEditSplitFace(TCore& core) {
  if (TCommandResult mode = RequireMode(core, emVertex); !mode.Succeeded()) return mode;
  if (core.Vertices.Count() != 2)
    return Refuse(core.Services, "Failed to Split the Surface.\nSelect two Vertices and try again.");
  TVertex* a = core.Vertices.Get(0);
  TVertex* b = core.Vertices.Get(1);
  for (TFace* f : a->Mesh->Surfaces) {
    if (!f->Vertices.Contains(a) || !f->Vertices.Contains(b)) continue;
    const bool selected = core.Surfaces.Contains(f);
    core.Surfaces.Remove(f);
    if (!SplitSurface(*f, *a, *b) && selected) core.Surfaces.Add(f);
    break;
  }
  return {};
}

TCommandResult actEditInsertVx(TCore& core) {
  if (TCommandResult mode = RequireMode(core, emVertex); !mode.Succeeded()) return mode;
  if (core.Vertices.Count() != 2)
    return Refuse(core.Services, "Failed to Insert a Vertex.\nSelect two Vertices and try again.");
  TVertex* a = core.Vertices.Get(0);
  TVertex* b = core.Vertices.Get(1);
  TVertex* v = InsertEdgeVertex(*a->Mesh, *a, *b);
  core.Vertices.Clear();
  core.Vertices.Add(v);
  return {};
}

TCommandResult actEditFlipFace(TCore& core) {
  if (TCommandResult mode = RequireMode(core, emSurface); !mode.Succeeded()) return mode;
  {
    TProgress progress(&core.Services, "Flipping", static_cast<uint64_t>(core.Surfaces.Count()), kProgressObjects);
    uint64_t done = 0;
    for (TFace* f : core.Surfaces) {
      FlipSurface(*f);
      progress.Step(++done);
    }
  }
  return {};
}

TCommandResult actEditMakeSurface(TCore& core) {
  if (TCommandResult mode = RequireMode(core, emVertex); !mode.Succeeded()) return mode;
  // The copies stand where the vertices are now, not where the last drawing saw them.
  core.Model->UpdateWorld();
  const auto world = [](const TVertex& v) { return v.World; };
  if (TCommandResult fits = ResultsFit(core, "Make Surface", core.Vertices.Items(), world); !fits.Succeeded())
    return fits;
  MakeSurface(*core.Model, core.Vertices.Items());
  core.Changed(chHierarchy);
  core.Changed(chGeometry);
  return {};
}

TCommandResult actEditMerge(TCore& core) {
  if (core.EditMode != emNode || core.Nodes.Count() < 2) return {};
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
    if (TCommandResult fits = MergeFits(core, target->Mesh ? target->Mesh->WorldOffset : probe.WorldOffset, sources);
        !fits.Succeeded())
      return fits;
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
  return {};
}

TCommandResult actEditDelete(TCore& core) {
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
  return {};
}
