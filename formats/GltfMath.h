#pragma once
// Transforms of a glTF scene: column vectors, p' = R p + t, doubles throughout.
#include <array>

#include "model/Vector.h"

struct TQuat {
  double X = 0, Y = 0, Z = 0, W = 1;
};

struct TAffine {
  std::array<std::array<double, 3>, 3> R{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  TVector T;
};

TAffine operator*(const TAffine& a, const TAffine& b);
TVector Apply(const TAffine& a, const TVector& p);
TAffine Inverse(const TAffine& a);  // of an invertible transform
TAffine FromTrs(const TVector& t, const TQuat& q, const TVector& s);
TAffine RotationOf(const TQuat& q);
TQuat Normalized(const TQuat& q);
// The shorter way from a to b at `f`, 0 to 1.
TQuat Slerp(TQuat a, const TQuat& b, double f);
// The rotation part of a transform without scale: its columns made unit length and square.
TAffine RigidPart(const TAffine& a);
// A node's pitch, yaw and roll in degrees (X, Y, Z of the result) for the rotation R =
// Rz(yaw)·Rx(pitch)·Ry(roll); at pitch ±90°, where yaw and roll turn about one axis, roll is 0.
TVector GameAngles(const TAffine& rotation);
// R = Rz(yaw)·Rx(pitch)·Ry(roll) of angles in degrees (pitch, yaw, roll).
TAffine GameRotation(const TVector& angles);
// glTF's Y-up frame to the game's Z-up: (x, y, z) becomes (x, −z, y).
TAffine YUpToZUp();
