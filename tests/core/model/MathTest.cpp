#include <cstdio>
#include <iterator>

#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Vector.h"
#include "tests/core/TestSupport.h"

namespace {

TMatrix Axis(int axis, double degrees) {
  TMatrix m;
  AxisRotation(m, axis, degrees);
  return m;
}

TEST(Rotation, TurnsAreRightHandedForRowVectorsInTheirOrder) {
  const struct { TMatrix M; TVector In, Out; } cases[] = {
      {Axis(2, 90), {1, 0, 0}, {0, 1, 0}},
      {Axis(1, 90), {1, 0, 0}, {0, 0, -1}},
      {Axis(0, 90), {0, 1, 0}, {0, 0, 1}},
      {RotationXYZ(90, 90, 0), {0, 1, 0}, {1, 0, 0}},  // X, then Y, then Z
      // Nodes turn as the game builds them: roll about Y first, then pitch about X, then yaw
      // about Z (pitch, yaw, roll).
      {NodeRotation(90, 0, 0), {0, 1, 0}, {0, 0, 1}},
      {NodeRotation(0, 90, 0), {1, 0, 0}, {0, 1, 0}},
      {NodeRotation(0, 0, 90), {0, 0, 1}, {1, 0, 0}},
      {NodeRotation(90, 90, 0), {1, 0, 0}, {0, 1, 0}},
      // The old order (yaw first) sent this one to (0.5, 0.75, 0.433).
      {NodeRotation(30, 60, 0), {1, 0, 0}, {0.5, 0.866025, 0}},
      {NodeRotation(30, 60, 0), {0, 1, 0}, {-0.75, 0.433013, 0.5}},
      {NodeRotation(90, 0, 90), {1, 0, 0}, {0, 1, 0}},
      {NodeRotation(90, 90, 90), {1, 0, 0}, {-1, 0, 0}},
      {NodeRotation(-45, 30, 20), {0.3, -0.2, 0.5}, {0.33311, 0.328872, 0.401099}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    ExpectNear(TransformVector(cases[i].M, cases[i].In), cases[i].Out, 1e-6);
  }
  TMatrix unchanged = ScaleMatrix(2, 3, 4);
  AxisRotation(unchanged, 3, 90);  // no such axis
  EXPECT_EQ(unchanged.M[1][1], 3);
}

TEST(Vectors, NormalizeKeepsZeroAndSubtractsSecondMinusFirst) {
  EXPECT_EQ(Normalize({0, 0, 0}), (TVector{0, 0, 0}));
  ExpectNear(Normalize({3, 0, 4}), 0.6, 0, 0.8, 1e-12);
  EXPECT_EQ(SubVector({1, 1, 1}, {3, 2, 1}), (TVector{2, 1, 0}));
  EXPECT_EQ(CrossProduct({1, 0, 0}, {0, 1, 0}), (TVector{0, 0, 1}));
}

TEST(Text, FormatFloat6IsPrintfSixDecimalsTrimmed) {
  // Trimming, halfway cases, both sides of the fast path's range, and the edges of double
  // precision.
  std::vector<double> values = {1.5, 2.0, 100.0, -0.5, 1e-9, 0.1234567, 0.0000005, 0.0000015, 1.0000005, -2.5e-7,
                                123456.1234565, 999999999.9999995, 1e9, -1e12, 999999999999.9999, 5e-324, 1e-30,
                                2.2250738585072014e-308, 0.1 + 0.2, -0.0, 1e-7, 0.999999951, 1234.5678905,
                                -999999.9999995, 4503599627370495.5, 9007199254740993.0, 1e300};
  // Odd multiples of 2^-7 lie exactly halfway between two millionths (ties go to even);
  // those of 2^-11 round either way.
  for (int k = 1; k < 2000; k += 2) values.insert(values.end(), {k / 128.0, -k / 2048.0, 1e6 + k / 128.0});
  for (double v : values) {
    char text[400];
    std::snprintf(text, sizeof text, "%.6f", v);
    std::string expected = text;
    while (expected.back() == '0') expected.pop_back();
    if (expected.back() == '.') expected.pop_back();
    EXPECT_EQ(FormatFloat6(v), expected) << std::hexfloat << v;
  }
  EXPECT_EQ(VectorToText({0.1, 0, -0.5}), "0.1 0 -0.5");
}

// Vectors split at runs of spaces; numbers are accepted as real-world files write them, and only so.
TEST(Text, TextToVectorSplitsAtSpaceRunsAndConversionsAcceptRealWorldNumbersOnly) {
  EXPECT_EQ(TextToVector("1  2 3"), (TVector{1, 2, 3}));
  EXPECT_EQ(TextToVector("1 2 3 4"), (TVector{1, 2, 3}));
  for (const char* bad : {" 1 2 3", "1 2"}) EXPECT_THROW(TextToVector(bad), EConvertError) << bad;  // " 1": X empty
  ExpectThrowWhat<EConvertError>([] { TextToVector("1 x 3"); }, "'x' is not a valid floating point value");
  for (const auto& [text, value] : std::vector<std::pair<const char*, double>>{
           {".665207", 0.665207}, {"-.5", -0.5}, {"1e3", 1000}, {"-0.000000", 0}})
    EXPECT_DOUBLE_EQ(StrToFloat(text), value) << text;
  EXPECT_EQ((std::vector<int>{StrToInt("00001"), StrToInt("-1")}), (std::vector<int>{1, -1}));
  for (const char* bad : {"", "0,5", "nan", "inf", "1.0.0", " 1", "--1"}) EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  for (const char* bad : {"", "1.5", "000a", "99999999999"}) EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  ExpectThrowWhat<EConvertError>([] { StrToInt("000a"); }, "'000a' is not a valid integer value");
}

}  // namespace
