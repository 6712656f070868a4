#include "formats/MatWriter.h"

#include <algorithm>

#include "formats/PaletteMatch.h"
#include "model/Errors.h"

namespace {

// The engine keeps this many levels of a texture; more would be read and never drawn.
constexpr int kMostMipmaps = 4;
// A material animates through at most this many cels.
constexpr size_t kMostCels = 16;
// What the game's own texture records carry in the words this program does not interpret.
constexpr uint32_t kRecordOne = 0x3F800000u, kRecordMark = 0xBFF78482u;

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool PowerOfTwoInRange(int side) { return side >= kMatMinSide && side <= kMatMaxSide && (side & (side - 1)) == 0; }

// Each pixel the mean of the four below it; alpha too, so that see-through stays where it was.
TPicture Halved(const TPicture& from) {
  TPicture half{from.Width / 2, from.Height / 2, {}};
  half.Rgba.resize(static_cast<size_t>(half.Width) * half.Height * 4);
  const size_t w = static_cast<size_t>(from.Width);
  for (size_t y = 0; y < static_cast<size_t>(half.Height); ++y)
    for (size_t x = 0; x < static_cast<size_t>(half.Width); ++x)
      for (size_t c = 0; c < 4; ++c) {
        const size_t at = (2 * y * w + 2 * x) * 4 + c;
        const unsigned sum = from.Rgba[at] + from.Rgba[at + 4] + from.Rgba[at + w * 4] + from.Rgba[at + w * 4 + 4];
        half.Rgba[(y * static_cast<size_t>(half.Width) + x) * 4 + c] = static_cast<uint8_t>((sum + 2) / 4);
      }
  return half;
}

// 5-6-5, or 1-5-5-5 with the top bit set on visible pixels; each channel rounded.
void Put16(std::string& out, const TPicture& level, bool transparent) {
  out.reserve(out.size() + level.Rgba.size() / 2);
  for (size_t i = 0; i < level.Rgba.size(); i += 4) {
    const uint8_t* p = &level.Rgba[i];
    const auto round = [](uint8_t v, int bits) { return static_cast<unsigned>((v * ((1 << bits) - 1) + 127) / 255); };
    unsigned word;
    if (transparent)
      word = (p[3] >= 128 ? 0x8000u : 0u) | (round(p[0], 5) << 10) | (round(p[1], 5) << 5) | round(p[2], 5);
    else
      word = (round(p[0], 5) << 11) | (round(p[1], 6) << 5) | round(p[2], 5);
    out += static_cast<char>(word & 0xFF);
    out += static_cast<char>(word >> 8);
  }
}

void Header(std::string& out, size_t cels, const TMatOptions& o) {
  out = "MAT ";
  Put32(out, 0x32);
  Put32(out, 2);  // textures
  Put32(out, static_cast<uint32_t>(cels));
  Put32(out, static_cast<uint32_t>(cels));
  // Colour mode (indexed, RGB, RGBA), bits per pixel, then red, green, blue: bits, shifts,
  // losses; then alpha's, in the three words after them.
  std::vector<uint32_t> format;
  if (o.Depth == 8)
    format = {0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  else if (o.Transparent)
    format = {2, 16, 5, 5, 5, 10, 5, 0, 3, 3, 3, 1, 15, 7};
  else
    format = {1, 16, 5, 6, 5, 11, 5, 0, 3, 2, 3, 0, 0, 0};
  for (uint32_t v : format) Put32(out, v);
}

}  // namespace

int DefaultMipmaps(int smallest) {
  int levels = 1;
  while (smallest / 2 >= kMatMinSide && levels < kMostMipmaps) {
    smallest /= 2;
    ++levels;
  }
  return levels;
}

std::string EncodeMat(const std::vector<TPicture>& cels, const TMatOptions& o) {
  if (cels.empty()) throw EConvertError("A material needs at least one picture");
  if (cels.size() > kMostCels)
    throw EConvertError(std::to_string(cels.size()) + " pictures; a material holds at most " + std::to_string(kMostCels));
  if (o.Depth != 8 && o.Depth != 16) throw EConvertError("Depth " + std::to_string(o.Depth) + "; a material has 8 or 16 bits");
  const TPicture& first = cels[0];
  for (size_t i = 0; i < cels.size(); ++i) {
    const std::string size = std::to_string(cels[i].Width) + " x " + std::to_string(cels[i].Height);
    if (!PowerOfTwoInRange(cels[i].Width) || !PowerOfTwoInRange(cels[i].Height))
      throw EConvertError("Picture " + std::to_string(i + 1) + " is " + size + " pixels; each side must be a power of two from " +
                          std::to_string(kMatMinSide) + " to " + std::to_string(kMatMaxSide));
    if (cels[i].Width != first.Width || cels[i].Height != first.Height)
      throw EConvertError("Picture " + std::to_string(i + 1) + " is " + size + " pixels, picture 1 " +
                          std::to_string(first.Width) + " x " + std::to_string(first.Height) + "; every cel has the same size");
  }
  const int smallest = std::min(first.Width, first.Height);
  int most = 1;
  for (int side = smallest; side > 1 && most < kMostMipmaps; side /= 2) ++most;
  const int levels = o.Mipmaps == 0 ? DefaultMipmaps(smallest) : o.Mipmaps;
  if (levels < 1 || levels > most)
    throw EConvertError(std::to_string(levels) + " mipmap levels; a " + std::to_string(first.Width) + " x " +
                        std::to_string(first.Height) + " texture takes 1 to " + std::to_string(most));

  std::string out;
  Header(out, cels.size(), o);
  for (size_t i = 0; i < cels.size(); ++i) {
    for (uint32_t v : {8u, 0u, kRecordOne, kRecordOne, kRecordOne, kRecordOne, 0u, 0u, kRecordMark}) Put32(out, v);
    Put32(out, static_cast<uint32_t>(i));
  }
  for (const TPicture& cel : cels) {
    Put32(out, static_cast<uint32_t>(cel.Width));
    Put32(out, static_cast<uint32_t>(cel.Height));
    Put32(out, o.Transparent ? 1 : 0);
    Put32(out, 0);
    Put32(out, 0);  // the transparent colour: index 0
    Put32(out, static_cast<uint32_t>(levels));
    TPicture level = cel;
    for (int l = 0; l < levels; ++l) {
      if (l > 0) level = Halved(level);
      if (o.Depth == 16) {
        Put16(out, level, o.Transparent);
      } else {
        const std::vector<uint8_t> indices =
            MatchPalette(level.Rgba, level.Width, level.Height, o.Palette, o.Transparent, o.Diffuse);
        out.append(indices.begin(), indices.end());
      }
    }
  }
  return out;
}
