#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Materials.h"
#include "model/Node.h"
#include "model/ObjImportOptions.h"
#include "model/ReadResult.h"

class TCore;
class TLineCursor;
class TNodeTree;
class TProgress;
class TUserServices;
struct TGobItem;

// The game's loader reads at most this many geometry sets.
constexpr int kGameGeosets = 4;

class TModel {
 public:
  TModel();
  TModel(const TModel&) = delete;
  TModel& operator=(const TModel&) = delete;

  // Drawing lists, refilled by the renderer; references only.
  TVertices AllVertices;
  TSurfaces AllSurfaces;
  TSurfaces SelectedSurfaces;
  TCore* Core = nullptr;
  TOwnedNodes Nodes;  // in model order
  TMaterials Materials;
  std::string FileName;
  double Radius = 0;
  TVector InsertOffset;
  // Nodes of the file read whose child links contradicted their parents; saving says so once.
  int ContradictedLinks = 0;

  // Empties the file name and the core's selections, frees nodes, meshes and materials.
  void Clear();
  TNode* AddNode();
  // Frees the node at `index` after unlinking every reference to it.
  void DeleteNode(int index);
  // Frees the nodes from `first` on, to which no node before them may refer.
  void DeleteNodesFrom(int first);
  // Shows the hierarchy as its links give it, after bringing them up to date.
  void FillTree(TNodeTree& tree);
  void UpdateWorld();
  // World positions, vertex normals (face normals marked dirty) and the model radius.
  void Update();
  // Costs a walk over all nodes; the positions of many nodes come from one TWorldFrames.
  TVector NodeWorldPosition(const TNode& node) const;

  // Levels of detail: every node with a mesh holds one mesh per geometry set, all at the same
  // place in the hierarchy. A node's Mesh is its mesh in the current set, the one the views
  // show and the commands edit; the others wait in the node until their set is chosen.
  int GeosetCount() const { return Geosets; }
  int CurrentGeoset() const { return Current; }
  // The node's mesh in `set`, or null.
  TMesh* GeosetMesh(const TNode& node, int set) const;
  // Gives the node `mesh` in `set`, freeing the one it held there; returns it.
  TMesh* SetGeosetMesh(TNode& node, int set, std::unique_ptr<TMesh> mesh);
  // Makes the model hold `count` sets (at least one), freeing the meshes of sets that go and
  // leaving new sets empty; the current set stays when it is kept, else the last one is shown.
  void ResizeGeosets(int count);
  // Shows `set`: every node's Mesh becomes its mesh there. Costs a world pass, no copying.
  void ChooseGeoset(int set);
  // Gives every node with a mesh in the current set a copy of it in each set where it has none,
  // and takes the other sets' meshes from nodes that have none in the current one, so that every
  // set holds a mesh for the same nodes.
  void FillGeosets();
  // Appends a set holding copies of the current set's meshes; returns its number.
  int AddGeoset();
  // Makes `to` hold copies of the current set's meshes.
  void CopyGeoset(int to);
  // Frees the set's meshes; the sets after it move down a number. The last set stays; when the
  // shown set goes, the one before it (or the next, for the first) is shown.
  void DeleteGeoset(int set);

  // 3DO reading; errors are shown through the core's user services, never raised, and the
  // result carries the message shown. Running out of memory takes back all the read added.
  TReadResult LoadFromFile(const std::string& path);
  TReadResult LoadFromContainer(const TGobItem& item);
  TReadResult Parse3DO(std::string_view text);
  TReadResult Parse3DO(TLineCursor& lines);
  // Adds one node and mesh holding a Wavefront OBJ file's vertices and faces. A failure,
  // with nothing changed, when there is no file (not shown: the caller says so its own way);
  // bad content ends the import, keeping what was added, and is shown through the user
  // services. Running out of memory releases what the import added. The default options
  // take the file's numbers as they stand.
  TReadResult ImportObj(const std::string& path, const TObjImportOptions& options = {});
  // 3DO writing. SaveToFile replaces the file only once the whole text is on disk and
  // raises EInOutError when it cannot.
  void Write3DO(std::string& out, const std::vector<TNode*>& nodes);
  // The same text handed over in blocks, so a large model is never held whole as text.
  void Write3DO(const std::function<void(std::string_view)>& sink, const std::vector<TNode*>& nodes);
  void SaveToFile(const std::string& path);

  // The core's user services; null for a model without a core.
  TUserServices* Services() const;
  // Shown through the core's user services when there is one.
  void ShowStatus(const std::string& text) const;
  void ShowError(const std::string& text) const;
  void AddOutput(const std::string& text) const;

 private:
  int Geosets = 1;
  int Current = 0;
  void DropDrawingLists();
  void WriteText(const std::function<void(std::string_view)>& sink, const std::vector<TNode*>& nodes,
                 TProgress& progress);
};
