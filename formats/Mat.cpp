#include "formats/Mat.h"

#include <cstring>

#include "formats/ReadOnlyFile.h"
#include "model/Materials.h"
#include "model/Palette.h"

namespace {

constexpr size_t kHeaderSize = 76;
constexpr size_t kRecordSize = 40;
constexpr size_t kTextureHeaderSize = 24;
constexpr size_t kColourRecordSize = 24;
enum : int32_t { kColourType = 0, kTextureType = 2 };

int32_t Int32At(std::string_view data, size_t at) {
  const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
  return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

void MakeWhite(TMaterial& m) {
  m.Width = m.Height = 1;
  m.Pixels.assign(3, 0xFF);
}

std::string Damaged(const TMaterial& m, const std::string& why) {
  return m.Name + ": Damaged material file (" + why + ")";
}

void Decode8(TMaterial& m, const unsigned char* src, size_t pixels) {
  const auto& palette = m.Owner ? m.Owner->Palette : BuiltInPalette();
  m.Pixels.resize(pixels * 3);
  uint8_t* out = m.Pixels.data();
  for (size_t i = 0; i < pixels; ++i, out += 3) std::memcpy(out, &palette[src[i] * 3u], 3);
}

void Decode16(TMaterial& m, const unsigned char* src, size_t pixels) {
  m.Pixels.resize(pixels * 3);
  uint8_t* out = m.Pixels.data();
  for (size_t i = 0; i < pixels; ++i, out += 3) {
    const unsigned p = src[2 * i] | (src[2 * i + 1] << 8);
    const unsigned r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    // Repeating the top bits in the low ones makes full intensity exactly 255.
    out[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
    out[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
    out[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
  }
}

std::string DecodeTexture(TMaterial& m, std::string_view data, int32_t records) {
  const uint64_t skipped = records > 0 ? static_cast<uint64_t>(records) * kRecordSize : 0;
  const uint64_t imageStart = kHeaderSize + skipped + kTextureHeaderSize;
  if (imageStart > data.size()) return Damaged(m, "the texture header lies beyond the end of the data");
  const int32_t width = Int32At(data, imageStart - kTextureHeaderSize);
  const int32_t height = Int32At(data, imageStart - kTextureHeaderSize + 4);
  if (m.BitDepth != 8 && m.BitDepth != 16) {
    MakeWhite(m);
    m.Loaded = true;
    return m.Name + ": Unsupported bit depth (" + std::to_string(m.BitDepth) + ")";
  }
  if (width < 1 || height < 1)
    return Damaged(m, "size " + std::to_string(width) + " x " + std::to_string(height));
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  const uint64_t bytes = pixels * static_cast<uint64_t>(m.BitDepth / 8);
  if (bytes > data.size() - imageStart)
    return Damaged(m, "a " + std::to_string(width) + " x " + std::to_string(height) +
                          " image needs more bytes than the data holds");
  const auto* src = reinterpret_cast<const unsigned char*>(data.data() + imageStart);
  if (m.BitDepth == 8)
    Decode8(m, src, static_cast<size_t>(pixels));
  else
    Decode16(m, src, static_cast<size_t>(pixels));
  m.Width = width;
  m.Height = height;
  m.Loaded = true;
  return {};
}

std::string DecodeColour(TMaterial& m, std::string_view data) {
  if (data.size() < kHeaderSize + kColourRecordSize) return Damaged(m, "the colour record is cut short");
  const int32_t index = Int32At(data, kHeaderSize + 4);
  m.Loaded = true;
  if (index < 0 || index > 255) {
    MakeWhite(m);
    return m.Name + ": Colour index " + std::to_string(index) + " lies outside the palette";
  }
  const auto& palette = m.Owner ? m.Owner->Palette : BuiltInPalette();
  m.Pixels.assign(palette.begin() + index * 3, palette.begin() + index * 3 + 3);
  return {};
}

}  // namespace

std::string DecodeMat(TMaterial& m, std::string_view data) {
  m.Width = m.Height = 1;
  m.Pixels.clear();
  m.Loaded = false;
  m.TextureName = -1;  // new pixels need a texture of their own; the view drops the old one
  if (data.size() < kHeaderSize) return Damaged(m, "the header is cut short");
  m.BitDepth = Int32At(data, 24);
  switch (Int32At(data, 8)) {
    case kTextureType:
      return DecodeTexture(m, data, Int32At(data, 12));
    case kColourType:
      return DecodeColour(m, data);
    default:
      m.Loaded = true;  // a kind of material this program does not draw
      return {};
  }
}

std::string ReadMat(TMaterial& material, const std::string& path, uint64_t start, uint64_t length) {
  const TReadOnlyFile file(path);
  return DecodeMat(material, file.ReadAt(start, length));
}
