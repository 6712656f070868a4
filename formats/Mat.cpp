#include "formats/Mat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "formats/ReadOnlyFile.h"
#include "model/Materials.h"
#include "model/Palette.h"

namespace {

constexpr size_t kHeaderSize = 76;
constexpr size_t kRecordSize = 40;
constexpr size_t kTextureHeaderSize = 24;
constexpr size_t kColourRecordSize = 24;
constexpr size_t kPixelBlock = 32768;  // pixels decoded per read
enum : int32_t { kColourType = 0, kTextureType = 2 };

// The material's stretch of its file, read only where the decoder looks.
class TMatData {
 public:
  TMatData(const TReadOnlyFile& file, uint64_t start, uint64_t length)
      : File(file), Start(start), Length(start < file.Size() ? std::min(length, file.Size() - start) : 0) {}
  uint64_t Size() const { return Length; }
  // `count` bytes from `offset`, fewer where the data ends.
  std::string At(uint64_t offset, size_t count) const {
    return offset < Length ? File.ReadAt(Start + offset, static_cast<size_t>(std::min<uint64_t>(count, Length - offset)))
                           : std::string();
  }
  size_t Into(uint64_t offset, char* buffer, size_t count) const { return File.ReadInto(Start + offset, buffer, count); }

 private:
  const TReadOnlyFile& File;
  uint64_t Start, Length;
};

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

const std::array<uint8_t, 768>& PaletteOf(const TMaterial& m) { return m.Owner ? m.Owner->Palette : BuiltInPalette(); }

void Decode8(const std::array<uint8_t, 768>& palette, const unsigned char* src, size_t pixels, uint8_t* out) {
  for (size_t i = 0; i < pixels; ++i, out += 3) std::memcpy(out, &palette[src[i] * 3u], 3);
}

// Repeating the top bits in the low ones makes full intensity exactly 255.
uint8_t Expand(unsigned value, int bits) {
  return static_cast<uint8_t>(bits == 5 ? (value << 3) | (value >> 2) : (value << 2) | (value >> 4));
}

// 5-6-5, or 1-5-5-5 (the top bit a colour key) when green has 5 bits.
void Decode16(const unsigned char* src, size_t pixels, uint8_t* out, bool green5) {
  for (size_t i = 0; i < pixels; ++i, out += 3) {
    const unsigned p = src[2 * i] | (src[2 * i + 1] << 8);
    out[0] = Expand(green5 ? (p >> 10) & 31 : p >> 11, 5);
    out[1] = green5 ? Expand((p >> 5) & 31, 5) : Expand((p >> 5) & 63, 6);
    out[2] = Expand(p & 31, 5);
  }
}

// The pixels are read a block at a time, so the image is the only large allocation.
bool DecodePixels(TMaterial& m, const TMatData& data, uint64_t imageStart, size_t pixels, bool green5) {
  const size_t depth = static_cast<size_t>(m.BitDepth / 8);
  m.Pixels.resize(pixels * 3);
  if (depth == 1) m.Indices.resize(pixels);
  std::string block(std::min(kPixelBlock, pixels) * depth, '\0');
  const auto* src = reinterpret_cast<const unsigned char*>(block.data());
  for (size_t done = 0; done < pixels;) {
    const size_t count = std::min(kPixelBlock, pixels - done);
    if (data.Into(imageStart + done * depth, block.data(), count * depth) != count * depth) return false;
    if (depth == 1) {
      Decode8(PaletteOf(m), src, count, &m.Pixels[done * 3]);
      std::memcpy(&m.Indices[done], src, count);
    } else
      Decode16(src, count, &m.Pixels[done * 3], green5);
    done += count;
  }
  return true;
}

// Where the header of texture `cel` starts: each texture before it is passed over with all
// its mipmap levels. Zero, with the reason in `problem`, when the data does not hold them.
uint64_t TextureHeaderAt(const TMaterial& m, const TMatData& data, uint64_t first, int cel, std::string& problem) {
  uint64_t at = first;
  const uint64_t depth = static_cast<uint64_t>(m.BitDepth / 8);
  for (int i = 0; i < cel; ++i) {
    const std::string header = data.At(at, kTextureHeaderSize);
    if (header.size() < kTextureHeaderSize) {
      problem = Damaged(m, "cel " + std::to_string(i + 1) + "'s header lies beyond the end of the data");
      return 0;
    }
    const int32_t width = Int32At(header, 0), height = Int32At(header, 4), levels = Int32At(header, 20);
    if (width < 1 || height < 1 || width > kMaxMatSide || height > kMaxMatSide || levels < 1 || levels > 16) {
      problem = Damaged(m, "cel " + std::to_string(i + 1) + " has a size or mipmap count out of range");
      return 0;
    }
    at += kTextureHeaderSize;
    for (int level = 0; level < levels; ++level)
      at += static_cast<uint64_t>(std::max(width >> level, 1)) * static_cast<uint64_t>(std::max(height >> level, 1)) * depth;
  }
  return at;
}

std::string DecodeTexture(TMaterial& m, const TMatData& data, int32_t records, int32_t textures, bool green5) {
  const uint64_t skipped = records > 0 ? static_cast<uint64_t>(records) * kRecordSize : 0;
  m.IsTexture = true;
  m.Cels = std::max(textures, 1);
  if (m.Cel < 0 || m.Cel >= m.Cels) m.Cel = 0;
  std::string problem;
  const uint64_t headerAt =
      m.BitDepth == 8 || m.BitDepth == 16 ? TextureHeaderAt(m, data, kHeaderSize + skipped, m.Cel, problem) : kHeaderSize + skipped;
  if (!problem.empty()) return problem;
  const uint64_t imageStart = headerAt + kTextureHeaderSize;
  const std::string header = data.At(headerAt, kTextureHeaderSize);
  if (imageStart > data.Size() || header.size() < 8)
    return Damaged(m, "the texture header lies beyond the end of the data");
  const int32_t width = Int32At(header, 0);
  const int32_t height = Int32At(header, 4);
  if (header.size() == kTextureHeaderSize && Int32At(header, 8) != 0) {
    const int32_t key = Int32At(header, 16);
    if (key >= 0 && key <= 255) m.TransparentIndex = key;
  }
  if (m.BitDepth != 8 && m.BitDepth != 16) {
    MakeWhite(m);
    m.Loaded = true;
    return m.Name + ": Unsupported bit depth (" + std::to_string(m.BitDepth) + ")";
  }
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width < 1 || height < 1 || width > kMaxMatSide || height > kMaxMatSide)
    return Damaged(m, "size " + size + "; a side holds 1 to " + std::to_string(kMaxMatSide) + " pixels");
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixels * static_cast<uint64_t>(m.BitDepth / 8) > data.Size() - imageStart)
    return Damaged(m, "a " + size + " image needs more bytes than the data holds");
  if (!DecodePixels(m, data, imageStart, static_cast<size_t>(pixels), green5)) {
    m.Pixels.clear();
    m.Indices.clear();
    return Damaged(m, "the file ended while it was read");
  }
  m.Width = width;
  m.Height = height;
  m.Loaded = true;
  return {};
}

std::string DecodeColour(TMaterial& m, const TMatData& data) {
  const std::string record = data.At(kHeaderSize, kColourRecordSize);
  if (record.size() < kColourRecordSize) return Damaged(m, "the colour record is cut short");
  const int32_t index = Int32At(record, 4);
  m.Loaded = true;
  m.SolidIndex = index >= 0 && index <= 255 ? index : -1;
  if (index < 0 || index > 255) {
    MakeWhite(m);
    return m.Name + ": Colour index " + std::to_string(index) + " lies outside the palette";
  }
  const auto& palette = PaletteOf(m);
  m.Pixels.assign(palette.begin() + index * 3, palette.begin() + index * 3 + 3);
  return {};
}

}  // namespace

std::string ReadMat(TMaterial& m, const std::string& path, uint64_t start, uint64_t length) {
  const TReadOnlyFile file(path);
  const TMatData data(file, start, length);
  m.Width = m.Height = 1;
  m.Pixels.clear();
  m.Indices.clear();
  m.IsTexture = false;
  m.TransparentIndex = m.SolidIndex = -1;
  m.Cels = 1;
  m.Loaded = false;
  m.TextureName = -1;  // new pixels need a texture of their own; the view drops the old one
  const std::string header = data.At(0, kHeaderSize);
  if (header.size() < kHeaderSize) return Damaged(m, "the header is cut short");
  m.BitDepth = Int32At(header, 24);
  switch (Int32At(header, 8)) {
    case kTextureType: {
      // The first cel record's colour index, which solid geometry shows.
      const std::string record = data.At(kHeaderSize, 8);
      if (record.size() == 8 && Int32At(record, 4) >= 0 && Int32At(record, 4) <= 255) m.SolidIndex = Int32At(record, 4);
      return DecodeTexture(m, data, Int32At(header, 12), Int32At(header, 16), Int32At(header, 32) == 5);
    }
    case kColourType:
      return DecodeColour(m, data);
    default:
      m.Loaded = true;  // a kind of material this program does not draw
      return {};
  }
}
