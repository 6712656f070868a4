#include "model/Vector.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <cmath>

#include "model/Convert.h"

TVector MakeVector(double x, double y, double z) { return TVector{x, y, z}; }

void AddVector(TVector& a, const TVector& b) {
  a.X += b.X;
  a.Y += b.Y;
  a.Z += b.Z;
}

TVector SubVector(const TVector& a, const TVector& b) { return {b.X - a.X, b.Y - a.Y, b.Z - a.Z}; }

void NegateComponents(TVector& v, bool negX, bool negY, bool negZ) {
  if (negX) v.X = -v.X;
  if (negY) v.Y = -v.Y;
  if (negZ) v.Z = -v.Z;
}

TVector CrossProduct(const TVector& a, const TVector& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

double VectorLength(const TVector& v) { return std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z); }

TVector Normalize(const TVector& v) {
  double length = VectorLength(v);
  if (length == 0) length = 1;
  return {v.X / length, v.Y / length, v.Z / length};
}

bool FitsFileRange(const TVector& v) { return FitsFileRange(v.X) && FitsFileRange(v.Y) && FitsFileRange(v.Z); }

double DegToRad(double degrees) {
  constexpr long double pi = 3.14159265358979323846264338327950288L;
  return static_cast<double>(static_cast<long double>(degrees) / 180.0L * pi);
}

TMatrix ScaleMatrix(double sx, double sy, double sz) {
  TMatrix m;
  m.M[0][0] = sx;
  m.M[1][1] = sy;
  m.M[2][2] = sz;
  return m;
}

void AxisRotation(TMatrix& m, int axis, double angleDegrees) {
  const double a = DegToRad(angleDegrees);
  const double c = std::cos(a), s = std::sin(a);
  switch (axis) {
    case 0: m = TMatrix{{{1, 0, 0}, {0, c, s}, {0, -s, c}}}; break;
    case 1: m = TMatrix{{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}}; break;
    case 2: m = TMatrix{{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}}; break;
    default: break;
  }
}

void MultiplyMatrix(TMatrix& a, const TMatrix& b) {
  TMatrix p;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += a.M[i][k] * b.M[k][j];
      p.M[i][j] = sum;
    }
  a = p;
}

void TransformVector(const TMatrix& m, double& x, double& y, double& z) {
  const double nx = x * m.M[0][0] + y * m.M[1][0] + z * m.M[2][0];
  const double ny = x * m.M[0][1] + y * m.M[1][1] + z * m.M[2][1];
  const double nz = x * m.M[0][2] + y * m.M[1][2] + z * m.M[2][2];
  x = nx;
  y = ny;
  z = nz;
}

TVector TransformVector(const TMatrix& m, const TVector& v) {
  TVector r = v;
  TransformVector(m, r.X, r.Y, r.Z);
  return r;
}

namespace {
TMatrix Chain(int axis1, double a1, int axis2, double a2, int axis3, double a3) {
  TMatrix r, m;
  AxisRotation(r, axis1, a1);
  AxisRotation(m, axis2, a2);
  MultiplyMatrix(r, m);
  AxisRotation(m, axis3, a3);
  MultiplyMatrix(r, m);
  return r;
}
}  // namespace

TMatrix RotationXYZ(double ax, double ay, double az) { return Chain(0, ax, 1, ay, 2, az); }

TMatrix NodeRotation(double pitch, double yaw, double roll) { return Chain(1, roll, 0, pitch, 2, yaw); }

namespace {

// Six-decimal rounding done on the double's exact binary value in integers: the same digits
// as "%.6f" (ties to even, as the C library rounds), several times faster, which matters for
// the millions of numbers of a large model. False for magnitudes it does not cover.
bool AppendFixed6Exact(std::string& out, double value) {
  if (!(std::fabs(value) < 1e12)) return false;
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  const uint64_t mantissa = biased == 0 ? fraction : fraction | (uint64_t{1} << 52);
  const int shift = biased == 0 ? 1074 : 1075 - biased;  // value = mantissa / 2^shift, shift > 0 here
  const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 1000000u;
  uint64_t millionths = 0;
  if (shift < 128) {
    millionths = static_cast<uint64_t>(scaled >> shift);
    const unsigned __int128 rest = scaled & ((static_cast<unsigned __int128>(1) << shift) - 1);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (rest > half || (rest == half && (millionths & 1))) ++millionths;
  }
  char buffer[32];
  char* p = buffer;
  if (negative) *p++ = '-';
  p = std::to_chars(p, buffer + sizeof buffer, millionths / 1000000).ptr;
  uint32_t decimals = static_cast<uint32_t>(millionths % 1000000);
  if (decimals != 0) {
    int digits = 6;
    while (decimals % 10 == 0) {
      decimals /= 10;
      --digits;
    }
    *p++ = '.';
    for (int i = digits - 1; i >= 0; --i) {
      p[i] = static_cast<char>('0' + decimals % 10);
      decimals /= 10;
    }
    p += digits;
  }
  out.append(buffer, p);
  return true;
}

}  // namespace

void AppendFloat6(std::string& out, double value) {
  if (AppendFixed6Exact(out, value)) return;
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  char* end = result.ptr;
  // Trim trailing zeros, then a trailing point.
  while (end > buffer && end[-1] == '0') --end;
  if (end > buffer && end[-1] == '.') --end;
  out.append(buffer, end);
}

std::string FormatFloatTrim(double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  char* end = result.ptr;
  while (end > buffer) {
    if (end[-1] == '0') {
      --end;
    } else {
      if (end[-1] == '.') --end;
      break;
    }
  }
  return std::string(buffer, end);
}

std::string FormatFloat6(double value) {
  std::string s;
  AppendFloat6(s, value);
  return s;
}

std::string VectorToText(const TVector& v) {
  std::string s;
  AppendFloat6(s, v.X);
  s += ' ';
  AppendFloat6(s, v.Y);
  s += ' ';
  AppendFloat6(s, v.Z);
  return s;
}

const std::string& ChooseText(bool flag, const std::string& a, const std::string& b) { return flag ? a : b; }

TVector TextToVector(std::string_view text) {
  // A space after a non-space (or at the very start) begins the next field.
  size_t begin[3] = {0, 0, 0}, end[3] = {0, 0, 0};
  int field = 0;
  begin[0] = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ' ') {
      if (end[field] == begin[field] && (i == 0 || text[i - 1] == ' ')) begin[field] = i;
      end[field] = i + 1;
    } else if (i == 0 || text[i - 1] != ' ') {
      if (++field == 3) break;
      begin[field] = end[field] = i + 1;
    }
  }
  const auto piece = [&](int k) { return text.substr(begin[k], end[k] - begin[k]); };
  return {StrToFloat(piece(0)), StrToFloat(piece(1)), StrToFloat(piece(2))};
}
