#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Vector.h"

namespace {

void ExpectNear(const TVector& v, double x, double y, double z) {
  EXPECT_NEAR(v.X, x, 1e-12);
  EXPECT_NEAR(v.Y, y, 1e-12);
  EXPECT_NEAR(v.Z, z, 1e-12);
}

TEST(Rotation, AxisRotationsAreRightHandedForRowVectors) {
  TMatrix m;
  AxisRotation(m, 2, 90);
  ExpectNear(TransformVector(m, {1, 0, 0}), 0, 1, 0);
  AxisRotation(m, 1, 90);
  ExpectNear(TransformVector(m, {1, 0, 0}), 0, 0, -1);
  AxisRotation(m, 0, 90);
  ExpectNear(TransformVector(m, {0, 1, 0}), 0, 0, 1);
  TMatrix unchanged = ScaleMatrix(2, 3, 4);
  AxisRotation(unchanged, 3, 90);
  EXPECT_EQ(unchanged.M[1][1], 3);
}

TEST(Rotation, NodeRotationTurnsYawThenPitchThenRoll) {
  ExpectNear(TransformVector(NodeRotation(90, 90, 0), {1, 0, 0}), 0, 0, 1);
  ExpectNear(TransformVector(NodeRotation(0, 0, 90), {0, 0, 1}), 1, 0, 0);
}

TEST(Rotation, RotationXYZTurnsXThenYThenZ) {
  ExpectNear(TransformVector(RotationXYZ(90, 90, 0), {0, 1, 0}), 1, 0, 0);
}

TEST(Vectors, NormalizeKeepsZeroAndSubtractsSecondMinusFirst) {
  EXPECT_EQ(Normalize({0, 0, 0}), (TVector{0, 0, 0}));
  ExpectNear(Normalize({3, 0, 4}), 0.6, 0, 0.8);
  EXPECT_EQ(SubVector({1, 1, 1}, {3, 2, 1}), (TVector{2, 1, 0}));
  EXPECT_EQ(CrossProduct({1, 0, 0}, {0, 1, 0}), (TVector{0, 0, 1}));
}

TEST(Text, FormatFloat6TrimsZerosAndPoint) {
  EXPECT_EQ(FormatFloat6(1.5), "1.5");
  EXPECT_EQ(FormatFloat6(2), "2");
  EXPECT_EQ(FormatFloat6(100), "100");
  EXPECT_EQ(FormatFloat6(-0.5), "-0.5");
  EXPECT_EQ(FormatFloat6(1e-9), "0");
  EXPECT_EQ(FormatFloat6(0.1234567), "0.123457");
  EXPECT_EQ(VectorToText({0.1, 0, -0.5}), "0.1 0 -0.5");
}

TEST(Text, FormatFloat6IsSixDecimalRoundingTrimmed) {
  std::mt19937_64 random(7);
  std::vector<double> values = {0.0000005, 0.0000015, 1.0000005, -2.5e-7, 123456.1234565, 999999999.9999995,
                                1e9, -1e12, 5e-324, 0.1 + 0.2, -0.0, 1e-7, 0.999999951};
  for (int i = 0; i < 200000; ++i) {
    const int digits = static_cast<int>(random() % 9);
    values.push_back(static_cast<double>(static_cast<int64_t>(random() % 2000000001) - 1000000000) /
                     std::pow(10.0, digits));
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 60)));
  }
  for (double v : values) {
    char text[400];
    std::snprintf(text, sizeof text, "%.6f", v);
    std::string expected = text;
    while (expected.back() == '0') expected.pop_back();
    if (expected.back() == '.') expected.pop_back();
    ASSERT_EQ(FormatFloat6(v), expected) << std::hexfloat << v;
  }
}

TEST(Text, TextToVectorSplitsAtSpaceRuns) {
  EXPECT_EQ(TextToVector("1  2 3"), (TVector{1, 2, 3}));
  EXPECT_EQ(TextToVector("1 2 3 4"), (TVector{1, 2, 3}));
  EXPECT_THROW(TextToVector(" 1 2 3"), EConvertError);  // a leading space leaves X empty
  EXPECT_THROW(TextToVector("1 2"), EConvertError);
  try {
    TextToVector("1 x 3");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
  }
}

TEST(Text, ConversionsAcceptRealWorldNumbersOnly) {
  EXPECT_DOUBLE_EQ(StrToFloat(".665207"), 0.665207);
  EXPECT_DOUBLE_EQ(StrToFloat("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
  EXPECT_EQ(StrToFloat("-0.000000"), 0);
  EXPECT_EQ(StrToInt("00001"), 1);
  EXPECT_EQ(StrToInt("-1"), -1);
  for (const char* bad : {"", "0,5", "nan", "inf", "1.0.0", " 1", "--1"}) EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  for (const char* bad : {"", "1.5", "000a", "99999999999"}) EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  try {
    StrToInt("000a");
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'000a' is not a valid integer value");
  }
}

}  // namespace
