#pragma once
// glTF files the program wrote, judged by the Khronos validator and read back with tinygltf,
// their corners placed through the file's own node transforms.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <tiny_gltf.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "model/Vector.h"

namespace gltf_test {

// The validator's exit status: 0 when the file has no error (they are printed otherwise).
inline int Validate(const std::string& path) {
  const int status = std::system(("node '" + std::string(ZARN_GLTF_VALIDATOR) + "' '" + path + "'").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline tinygltf::Model Read(const std::string& path) {
  tinygltf::TinyGLTF reader;
  tinygltf::Model gltf;
  std::string error, warning;
  EXPECT_TRUE(path.ends_with(".glb") ? reader.LoadBinaryFromFile(&gltf, &error, &warning, path)
                                     : reader.LoadASCIIFromFile(&gltf, &error, &warning, path)) << error;
  return gltf;
}

// Element `i` of a float accessor.
inline std::vector<double> Element(const tinygltf::Model& gltf, int accessor, size_t i) {
  const tinygltf::Accessor& a = gltf.accessors[static_cast<size_t>(accessor)];
  const tinygltf::BufferView& view = gltf.bufferViews[static_cast<size_t>(a.bufferView)];
  const size_t width = static_cast<size_t>(tinygltf::GetNumComponentsInType(static_cast<uint32_t>(a.type)));
  const auto* f = reinterpret_cast<const float*>(gltf.buffers[0].data.data() + view.byteOffset + a.byteOffset) + i * width;
  return {f, f + width};
}

// Every vertex of the mesh under the glTF node `name`, placed through the nodes above it, in
// the game's axes (glTF x, y, z is the game's x, -z, y); with `animation` >= 0 the nodes its
// channels drive stand as its sample `sample` has them.
inline std::vector<TVector> PlacedCorners(const tinygltf::Model& gltf, const std::string& name, int animation = -1,
                                          size_t sample = 0) {
  std::vector<int> parent(gltf.nodes.size(), -1);
  for (size_t n = 0; n < gltf.nodes.size(); ++n)
    for (const int c : gltf.nodes[n].children) parent[static_cast<size_t>(c)] = static_cast<int>(n);
  std::map<std::pair<int, std::string>, std::vector<double>> animated;
  if (animation >= 0)
    for (const auto& channel : gltf.animations[static_cast<size_t>(animation)].channels) {
      const auto& sampler = gltf.animations[static_cast<size_t>(animation)].samplers[static_cast<size_t>(channel.sampler)];
      animated[{channel.target_node, channel.target_path}] = Element(gltf, sampler.output, sample);
    }
  const auto local = [&](int n, const std::string& path) {
    const auto at = animated.find({n, path});
    const tinygltf::Node& node = gltf.nodes[static_cast<size_t>(n)];
    const std::vector<double>& value = at != animated.end() ? at->second : path[0] == 't' ? node.translation : node.rotation;
    return !value.empty() ? value : path[0] == 't' ? std::vector<double>{0, 0, 0} : std::vector<double>{0, 0, 0, 1};
  };
  std::vector<TVector> out;
  for (size_t n = 0; n < gltf.nodes.size(); ++n) {
    if (gltf.nodes[n].mesh < 0 || parent[n] < 0 || gltf.nodes[static_cast<size_t>(parent[n])].name != name) continue;
    for (const auto& primitive : gltf.meshes[static_cast<size_t>(gltf.nodes[n].mesh)].primitives) {
      const int positions = primitive.attributes.at("POSITION");
      for (size_t i = 0; i < gltf.accessors[static_cast<size_t>(positions)].count; ++i) {
        std::vector<double> v = Element(gltf, positions, i);
        for (int up = static_cast<int>(n); up >= 0; up = parent[static_cast<size_t>(up)]) {
          const std::vector<double> q = local(up, "rotation"), t = local(up, "translation");
          // v + 2w(q x v) + 2 q x (q x v), q the vector part
          const double cx = q[1] * v[2] - q[2] * v[1], cy = q[2] * v[0] - q[0] * v[2], cz = q[0] * v[1] - q[1] * v[0];
          const double dx = q[1] * cz - q[2] * cy, dy = q[2] * cx - q[0] * cz, dz = q[0] * cy - q[1] * cx;
          v = {v[0] + 2 * (q[3] * cx + dx) + t[0], v[1] + 2 * (q[3] * cy + dy) + t[1], v[2] + 2 * (q[3] * cz + dz) + t[2]};
        }
        out.push_back({v[0], -v[2], v[1]});
      }
    }
  }
  return out;
}

// Each point of `a` lies within `tolerance` of a point of `b`.
inline bool AllNear(const std::vector<TVector>& a, const std::vector<TVector>& b, double tolerance = 1e-5) {
  for (const TVector& p : a) {
    bool found = false;
    for (const TVector& q : b) found = found || VectorLength(SubVector(p, q)) < tolerance;
    if (!found) return false;
  }
  return true;
}

}  // namespace gltf_test
