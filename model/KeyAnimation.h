#pragma once
#include <string>
#include <vector>

#include "model/Vector.h"

// One keyframe of a node: where it stands at Frame and how fast it moves on from there.
struct TKeyEntry {
  double Frame = 0;
  unsigned Flags = 0;  // bit 0: the position moves by its deltas; bit 1: the rotation by its own
  TVector Position;
  TVector Rotation;  // X pitch, Y yaw, Z roll, degrees, as a node's
  TVector DeltaPosition;
  TVector DeltaRotation;
};

// The keyframes of one node. Index names the hierarchy node driven; the mesh name is only
// a label, which differs from the model's node name when the model's node order changed.
struct TKeyNode {
  int Index = 0;
  std::string MeshName;
  std::vector<TKeyEntry> Entries;  // frames never decrease
};

struct TKeyMarker {
  double Frame = 0;
  int Type = 0;
};

// A keyframe animation of the game (.key).
struct TKeyAnimation {
  unsigned Flags = 0;
  unsigned Type = 0;
  int Frames = 1;  // the frame wraps here
  double Fps = 0;
  int Joints = 0;  // nodes at this index and beyond are not driven
  std::vector<TKeyMarker> Markers;
  std::vector<TKeyNode> Nodes;
};

// An animation written with a model, under its name: the KEY's file name without ".key".
struct TNamedKey {
  std::string Name;
  TKeyAnimation Key;
};
