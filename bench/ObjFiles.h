#pragma once
// Big OBJ files for the benchmarks: a closed, smoothly bumped sphere like a scan, written with
// LF line ends, six decimals, faces as "f a b c" or with texture indices "f a/b c/d e/f".
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

inline std::string GenerateObj(int faces, bool textured) {
  const int cols = static_cast<int>(std::sqrt(faces / 2.0));
  const int rows = faces / (2 * cols);
  std::string text = "# generated scan-like mesh\no scan\n";
  char line[160];
  for (int r = 0; r <= rows; ++r) {
    const double lat = M_PI * r / rows;
    for (int c = 0; c < cols; ++c) {
      const double lon = 2 * M_PI * c / cols;
      const double radius = 1 + 0.05 * std::sin(7 * lat) * std::cos(5 * lon);
      std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", radius * std::sin(lat) * std::cos(lon),
                    radius * std::sin(lat) * std::sin(lon), radius * std::cos(lat));
      text += line;
      if (textured) {
        std::snprintf(line, sizeof line, "vt %.6f %.6f\n", static_cast<double>(c) / cols, static_cast<double>(r) / rows);
        text += line;
      }
    }
  }
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int a = r * cols + c + 1, b = r * cols + (c + 1) % cols + 1;
      const int d = a + cols, e = b + cols;
      if (textured)
        std::snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, b, b, e, e, a, a, e, e, d, d);
      else
        std::snprintf(line, sizeof line, "f %d %d %d\nf %d %d %d\n", a, b, e, a, e, d);
      text += line;
    }
  }
  return text;
}

// The file of about `faces` faces, generated into the temporary folder once per process.
inline const std::string& ObjFile(int faces, bool textured) {
  static std::map<std::pair<int, bool>, std::string> files;
  auto& path = files[{faces, textured}];
  if (path.empty()) {
    path = (std::filesystem::temp_directory_path() /
            ("zarn-bench-" + std::to_string(faces) + (textured ? "-vt" : "") + ".obj"))
               .string();
    const std::string text = GenerateObj(faces, textured);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}
