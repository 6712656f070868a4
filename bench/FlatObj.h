#pragma once
// The least an OBJ reader must do, as the yardstick of the import: the file read in one
// block, positions into one float array, face corners (their position indices) into one
// index array with a corner count per face. No objects, no materials, no checks beyond
// staying inside the text.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct TFlatObj {
  std::vector<float> Positions;       // x, y, z per vertex
  std::vector<uint32_t> Corners;      // position index (from 0) per face corner
  std::vector<uint8_t> CornerCounts;  // per face
};

inline bool ReadFlatObj(const std::string& path, TFlatObj& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  std::string text(static_cast<size_t>(size), '\0');
  const bool read = std::fread(text.data(), 1, text.size(), f) == text.size();
  std::fclose(f);
  if (!read) return false;
  const char* p = text.data();
  const char* const end = p + text.size();
  const auto skipBlanks = [&] {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
  };
  while (p < end) {
    if (p + 1 < end && p[0] == 'v' && p[1] == ' ') {
      p += 2;
      for (int k = 0; k < 3; ++k) {
        skipBlanks();
        float v = 0;
        p = std::from_chars(p, end, v).ptr;
        out.Positions.push_back(v);
      }
    } else if (p + 1 < end && p[0] == 'f' && p[1] == ' ') {
      p += 2;
      uint8_t n = 0;
      for (;;) {
        skipBlanks();
        if (p >= end || *p < '0' || *p > '9') break;
        uint32_t index = 0;
        p = std::from_chars(p, end, index).ptr;
        out.Corners.push_back(index - 1);
        ++n;
        while (p < end && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;  // "/vt/vn"
      }
      out.CornerCounts.push_back(n);
    }
    while (p < end && *p != '\n') ++p;
    ++p;
  }
  return true;
}
