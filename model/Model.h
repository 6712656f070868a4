#pragma once
#include <functional>
#include <string>
#include <vector>

#include "model/Materials.h"
#include "model/Node.h"

class TUserServices;

// The game's loader reads at most this many geometry sets.
constexpr int kGameGeosets = 4;

class TModel {
 public:
  TModel();
  TModel(const TModel&) = delete;
  TModel& operator=(const TModel&) = delete;

  // Where reading and writing show their progress and texts; null for a model of its own.
  TUserServices* Services = nullptr;
  // Called before the faces and vertices of the shown meshes go or are hidden, so that the
  // selections naming them let go first.
  std::function<void()> ReleaseSelection;
  TOwnedNodes Nodes;  // in model order
  TMaterials Materials;
  std::string FileName;
  double Radius = 0;
  TVector InsertOffset;
  // Nodes of the file read whose child links contradicted their parents; saving says so once.
  int ContradictedLinks = 0;

  // Empties the file name and the selections, frees nodes, meshes and materials, and
  // resets the figures of the file read.
  void Clear();
  TNode* AddNode();
  // An empty mesh of this model, its faces taking materials from its list.
  std::unique_ptr<TMesh> NewMesh();
  // Frees the node at `index` after unlinking every reference to it.
  void DeleteNode(int index);
  // Frees the nodes from `first` on, to which no node before them may refer.
  void DeleteNodesFrom(int first);
  // Takes everything `other` holds (nodes, meshes of every set, materials, file name and
  // the file's figures), freeing what this model held; `other` is left empty. Both keep
  // their user services, selection release and material loader.
  void TakeContents(TModel& other);
  // Appends `other`'s nodes, with their meshes, after this model's: their shown meshes become
  // meshes of the shown set (FillGeosets gives them the others). Their faces take this
  // model's material of the same name, or `other`'s material, which moves over; `other` is
  // left empty.
  void AdoptNodes(TModel& other);
  // The world pass, kept with the world frames.
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


  // Shown through the user services when there are some.
  void ShowStatus(const std::string& text) const;
  void ShowError(const std::string& text) const;
  void AddOutput(const std::string& text) const;

 private:
  int Geosets = 1;
  int Current = 0;
};
