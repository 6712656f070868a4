#pragma once
#include <string>
#include <string_view>

// Three 64-bit components; points are row vectors (v' = v x M).
struct TVector {
  double X = 0, Y = 0, Z = 0;
  bool operator==(const TVector&) const = default;
};

// M[row][column]; A x B applied to a point turns it by A first, then by B.
struct TMatrix {
  double M[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

TVector MakeVector(double x, double y, double z);
void AddVector(TVector& a, const TVector& b);
TVector SubVector(const TVector& a, const TVector& b);  // b - a
void NegateComponents(TVector& v, bool negX, bool negY, bool negZ);
TVector CrossProduct(const TVector& a, const TVector& b);
double VectorLength(const TVector& v);
TVector Normalize(const TVector& v);
// True when a 3DO file can hold all three components (FitsFileRange).
bool FitsFileRange(const TVector& v);

double DegToRad(double degrees);
TMatrix ScaleMatrix(double sx, double sy, double sz);
void AxisRotation(TMatrix& m, int axis, double angleDegrees);
void MultiplyMatrix(TMatrix& a, const TMatrix& b);
void TransformVector(const TMatrix& m, double& x, double& y, double& z);
TVector TransformVector(const TMatrix& m, const TVector& v);
// Typed and mouse rotations: about X first, then Y, then Z.
TMatrix RotationXYZ(double ax, double ay, double az);
// Node orientation as the game builds it: roll (about Y) first, then pitch (X), then yaw (Z);
// for column vectors R = Rz(yaw) * Rx(pitch) * Ry(roll).
TMatrix NodeRotation(double pitch, double yaw, double roll);

std::string FormatFloatTrim(double value, int decimals);
std::string FormatFloat6(double value);
// Appends FormatFloat6(value) without building a temporary string; the writer's hot path.
void AppendFloat6(std::string& out, double value);
std::string VectorToText(const TVector& v);
const std::string& ChooseText(bool flag, const std::string& a, const std::string& b);
// Raises EConvertError for a missing or non-numeric field; pieces beyond the third are ignored.
TVector TextToVector(std::string_view text);
