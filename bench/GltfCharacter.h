#pragma once
// A game character as a glTF file: 40 nodes in a tree of limbs, each with a box of 12
// triangles, and 10 animations of 2 seconds turning and moving every node.
#include <cmath>
#include <string>

#include "tests/core/GltfMaker.h"

inline std::string WriteGltfCharacter(const std::string& path) {
  gltf_test::TGltfMaker maker;
  const std::vector<double> box = {-1, -1, -1, 1, -1, -1, 1, 1, -1, -1, 1, -1,
                                   -1, -1, 1,  1, -1, 1,  1, 1, 1,  -1, 1, 1};
  const std::vector<double> faces = {0, 2, 1, 0, 3, 2, 4, 5, 6, 4, 6, 7, 0, 1, 5, 0, 5, 4,
                                     2, 3, 7, 2, 7, 6, 1, 2, 6, 1, 6, 5, 3, 0, 4, 3, 4, 7};
  const int mesh = maker.Mesh("part", box, faces);
  for (int n = 0; n < 40; ++n)  // 4 limbs of 10 nodes under the first
    maker.Node("part" + std::to_string(n), {0, n == 0 ? 0.0 : 0.2, 0}, {}, {}, mesh,
               n == 0        ? -1
               : n % 10 == 1 ? 0
                             : n - 1);
  for (size_t a = 0; a < 10; ++a)
    for (int n = 0; n < 40; ++n) {
      std::vector<double> times, turns, moves;
      for (int k = 0; k <= 8; ++k) {
        const double t = k * 0.25, h = std::sin(t * 3 + n + static_cast<double>(a)) * 0.5;
        times.push_back(t);
        turns.insert(turns.end(), {std::sin(h) * 0.6, std::sin(h) * 0.8, 0, std::cos(h)});
        moves.insert(moves.end(), {0.01 * k, n == 0 ? 0.0 : 0.2, 0});
      }
      maker.Channel(a, "move" + std::to_string(a), n, "rotation", times, turns);
      maker.Channel(a, "move" + std::to_string(a), n, "translation", times, moves);
    }
  return maker.Write(path);
}
