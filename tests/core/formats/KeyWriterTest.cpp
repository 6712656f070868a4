// KEY animations written and read back: the same header, markers, nodes and entries.
#include <gtest/gtest.h>

#include <tuple>

#include "formats/KeyReader.h"
#include "formats/KeyWriter.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

void ExpectSameKey(const TKeyAnimation& got, const TKeyAnimation& want) {
  EXPECT_EQ((std::tuple{got.Flags, got.Type, got.Frames, got.Fps, got.Joints}),
            (std::tuple{want.Flags, want.Type, want.Frames, want.Fps, want.Joints}));
  ASSERT_EQ(got.Markers.size(), want.Markers.size());
  for (size_t m = 0; m < got.Markers.size(); ++m)
    EXPECT_EQ((std::tuple{got.Markers[m].Frame, got.Markers[m].Type}), (std::tuple{want.Markers[m].Frame, want.Markers[m].Type}));
  ASSERT_EQ(got.Nodes.size(), want.Nodes.size());
  for (size_t n = 0; n < got.Nodes.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ((std::tuple{got.Nodes[n].Index, got.Nodes[n].MeshName}), (std::tuple{want.Nodes[n].Index, want.Nodes[n].MeshName}));
    ASSERT_EQ(got.Nodes[n].Entries.size(), want.Nodes[n].Entries.size());
    for (size_t e = 0; e < got.Nodes[n].Entries.size(); ++e) {
      const TKeyEntry &a = got.Nodes[n].Entries[e], &b = want.Nodes[n].Entries[e];
      EXPECT_EQ((std::tuple{a.Frame, a.Flags}), (std::tuple{b.Frame, b.Flags}));
      ExpectNear(a.Position, b.Position, 1e-8);
      ExpectNear(a.Rotation, b.Rotation, 1e-8);
      ExpectNear(a.DeltaPosition, b.DeltaPosition, 1e-8);
      ExpectNear(a.DeltaRotation, b.DeltaRotation, 1e-8);
    }
  }
}

TEST(KeyWriter, WritesWhatItReadsAndTheGameReadsItsFlagsAsWritten) {
  const TTempDir dir;
  const struct {
    const char* name;
    std::string path;
  } rows[] = {
      {"two nodes, markers, flags 0x14", dir.Write("walk.key", key_test::TwoNodeKey())},
      {"the sample", ZARN_SAMPLES_DIR "/fighter-bank.key"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const TKeyAnimation key = ReadKeyFile(row.path);
    const std::string copy = dir.File("copy.key");
    SaveKeyFile(key, copy);
    ExpectSameKey(ReadKeyFile(copy), key);
  }
  // The game reads FLAGS as a decimal number: 0x14 is written 20.
  EXPECT_NE(KeyText(ReadKeyFile(rows[0].path)).find("\nFLAGS  20\n"), std::string::npos);
}

}  // namespace
