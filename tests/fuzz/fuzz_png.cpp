// Pictures of any bytes, read from a file as zarn-cli tomat and File > New Material read them,
// then made into a material when their size allows: each is a picture of consistent size or
// a clear refusal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/MatWriter.h"
#include "formats/PngReader.h"
#include "model/Errors.h"
#include "model/Palette.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TFuzzFile file("in.png", data, size);
  try {
    const TPicture picture = ReadPng(file.Path);
    if (picture.Width < 1 || picture.Height < 1 || picture.Width > kMaxPictureSide || picture.Height > kMaxPictureSide ||
        picture.Rgba.size() != static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height) * 4)
      std::abort();
    TMatOptions options;
    options.Palette = BuiltInPalette();
    options.Transparent = true;
    (void)EncodeMat({picture}, options);
  } catch (const EZarnError&) {
  }
  return 0;
}
