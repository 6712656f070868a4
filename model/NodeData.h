#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <tuple>

#include "model/Vector.h"

// Node types as held (the digits after "0x" read as decimal).
enum : int {
  ntLowerBody = 10,
  ntUpperBody = 1,
  ntLeftLeg = 20,
  ntLeftArm = 2,
  ntRightLeg = 40,
  ntRightArm = 4,
  ntHead = 8
};

// What a file's hierarchy row holds of a node but its mesh and the links it names by index;
// the undo history keeps and compares it whole. Values compare as a file writes them, so 0
// and -0 differ and a NaN equals itself.
struct TNodeData {
  std::string Name = "dHNode";
  int Flags = 0;
  int NodeType = ntUpperBody;
  int ParentIndex = -1;
  int ChildIndex = -1;
  int SiblingIndex = -1;
  int NumChildren = 0;
  TVector Position;
  TVector Rotation;  // X pitch, Y yaw, Z roll, degrees
  TVector Pivot;

  // Everything but the name, as bits.
  auto Bits() const {
    using TVectorBits = std::array<uint64_t, 3>;
    return std::tuple(Flags, NodeType, ParentIndex, ChildIndex, SiblingIndex, NumChildren,
                      std::bit_cast<TVectorBits>(Position), std::bit_cast<TVectorBits>(Rotation),
                      std::bit_cast<TVectorBits>(Pivot));
  }
  bool operator==(const TNodeData& other) const { return Name == other.Name && Bits() == other.Bits(); }
};
