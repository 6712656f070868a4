#include "formats/PaletteMatch.h"

#include <algorithm>
#include <cmath>

namespace {

float Linear(uint8_t c) {
  const float v = c / 255.0f;
  return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
}

float LabCurve(float t) { return t > 216.0f / 24389.0f ? std::cbrt(t) : (24389.0f / 27.0f * t + 16.0f) / 116.0f; }

uint8_t Clamp(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

std::array<float, 3> SrgbToLab(uint8_t r8, uint8_t g8, uint8_t b8) {
  const float r = Linear(r8), g = Linear(g8), b = Linear(b8);
  const float x = (0.4124f * r + 0.3576f * g + 0.1805f * b) / 0.95047f;
  const float y = 0.2126f * r + 0.7152f * g + 0.0722f * b;
  const float z = (0.0193f * r + 0.1192f * g + 0.9505f * b) / 1.08883f;
  const float fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

TPaletteMatch::TPaletteMatch(const std::array<uint8_t, 768>& palette, int first) : First(first) {
  for (size_t i = 0; i < 256; ++i) Lab[i] = SrgbToLab(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
}

uint8_t TPaletteMatch::Nearest(uint8_t r, uint8_t g, uint8_t b) {
  const uint32_t key = (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
  if (const auto known = Known.find(key); known != Known.end()) return known->second;
  const auto lab = SrgbToLab(r, g, b);
  int best = First;
  float bestDistance = INFINITY;
  for (int i = First; i < 256; ++i) {
    const float dl = lab[0] - Lab[i][0], da = lab[1] - Lab[i][1], db = lab[2] - Lab[i][2];
    const float d = dl * dl + da * da + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return Known[key] = static_cast<uint8_t>(best);
}

std::vector<uint8_t> MatchPalette(const std::vector<uint8_t>& rgba, int width, int height,
                                  const std::array<uint8_t, 768>& palette, bool transparent, bool diffuse) {
  TPaletteMatch match(palette, 1);
  const size_t w = static_cast<size_t>(width);
  std::vector<uint8_t> indices(w * static_cast<size_t>(height));
  // The error carried into this row and the next, per channel, one pixel of margin each side.
  std::vector<float> here((w + 2) * 3), below((w + 2) * 3);
  for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
    std::fill(below.begin(), below.end(), 0.0f);
    for (size_t x = 0; x < w; ++x) {
      const uint8_t* p = &rgba[(y * w + x) * 4];
      if (transparent && p[3] < 128) {
        indices[y * w + x] = 0;
        continue;
      }
      float* e = &here[(x + 1) * 3];
      const float want[3] = {p[0] + e[0], p[1] + e[1], p[2] + e[2]};
      const uint8_t index = match.Nearest(Clamp(want[0]), Clamp(want[1]), Clamp(want[2]));
      indices[y * w + x] = index;
      if (!diffuse) continue;
      for (int c = 0; c < 3; ++c) {
        const float error = want[c] - palette[index * 3u + static_cast<unsigned>(c)];
        here[(x + 2) * 3 + c] += error * 7 / 16;
        below[x * 3 + c] += error * 3 / 16;
        below[(x + 1) * 3 + c] += error * 5 / 16;
        below[(x + 2) * 3 + c] += error * 1 / 16;
      }
    }
    std::swap(here, below);
  }
  return indices;
}
