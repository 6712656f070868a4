// KEY animations written and read back: the same header, markers, nodes and entries.
#include <gtest/gtest.h>

#include "formats/KeyReader.h"
#include "formats/KeyWriter.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"

using namespace fmt_test;

namespace {

// Entries, markers and header as written (8 decimals) are what reading the copy gives back.
TEST(KeyWriter, WritesWhatItReadsAndTheGameReadsItsFlagsAsWritten) {
  const TTempDir dir;
  for (const std::string& path : {dir.Write("walk.key", key_test::TwoNodeKey()),
                                  std::string(ZARN_SAMPLES_DIR "/fighter-bank.key")}) {
    SCOPED_TRACE(path);
    const TKeyAnimation key = ReadKeyFile(path);
    const std::string copy = dir.File("copy.key");
    SaveKeyFile(key, copy);
    const TKeyAnimation back = ReadKeyFile(copy);
    EXPECT_EQ(KeyText(back), KeyText(key));
    EXPECT_EQ((std::tuple{back.Flags, back.Markers.size(), back.Nodes.size()}),
              (std::tuple{key.Flags, key.Markers.size(), key.Nodes.size()}));
  }
  // The game reads FLAGS as a decimal number: 0x14 is written 20.
  EXPECT_NE(KeyText(ReadKeyFile(dir.File("walk.key"))).find("\nFLAGS  20\n"), std::string::npos);
}

}  // namespace
