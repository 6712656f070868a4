// The animations of a glTF export, sampled at every frame through the program's own KEY
// player, so that glTF plays them as the game does.
#include <tuple>

#include "formats/GltfParts.h"
#include "model/Errors.h"
#include "model/KeyPose.h"
#include "model/Model.h"

namespace {

// Samples of all nodes of one animation together: 4M take some 120 MB, more than any
// game animation needs by far, and keep every frame's time apart in single precision.
constexpr size_t kMostSamples = size_t{1} << 22;

// The model nodes the animation drives, in model order.
std::vector<int> DrivenNodes(const TModel& model, const TKeyAnimation& key) {
  std::vector<bool> driven(static_cast<size_t>(model.Nodes.Count()));
  for (const TKeyNode& node : key.Nodes)
    if (node.Index >= 0 && node.Index < key.Joints && node.Index < model.Nodes.Count() && !node.Entries.empty())
      driven[static_cast<size_t>(node.Index)] = true;
  std::vector<int> nodes;
  for (size_t i = 0; i < driven.size(); ++i)
    if (driven[i]) nodes.push_back(static_cast<int>(i));
  return nodes;
}

tinygltf::Value Markers(const TKeyAnimation& key) {
  tinygltf::Value::Array markers;
  for (const TKeyMarker& m : key.Markers)
    markers.emplace_back(tinygltf::Value::Object{{"frame", tinygltf::Value(m.Frame)}, {"type", tinygltf::Value(m.Type)}});
  return tinygltf::Value(tinygltf::Value::Object{{"markers", tinygltf::Value(std::move(markers))}});
}

void AddAnimation(TGltfBuilder& builder, const TModel& model, const TNamedKey& named, const std::vector<int>& joints) {
  const TKeyAnimation& key = named.Key;
  const std::vector<int> nodes = DrivenNodes(model, key);
  const auto fail = [&](const std::string& why) {
    throw EInOutError("Cannot export animation '" + named.Name + "': " + why);
  };
  if (nodes.empty()) fail("it drives no node of the model");
  // Frames 0 to FRAMES: the last sample is frame 0 again, where the game wraps.
  const size_t samples = static_cast<size_t>(key.Frames) + 1;
  if (samples > kMostSamples / nodes.size())
    fail("its " + std::to_string(key.Frames) + " frames are too many to sample for " + std::to_string(nodes.size()) +
         " nodes");
  std::vector<float> times(samples);
  for (size_t k = 0; k < samples; ++k) times[k] = static_cast<float>(static_cast<double>(k) / key.Fps);
  std::vector<std::vector<float>> moves(nodes.size()), turns(nodes.size());
  for (size_t k = 0; k < samples; ++k) {
    const TNodePose pose = PoseAt(model, key, static_cast<double>(k));
    for (size_t n = 0; n < nodes.size(); ++n) {
      const TNodeOverride& at = pose[static_cast<size_t>(nodes[n])];
      const TVector& p = at.Position;
      moves[n].insert(moves[n].end(), {static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z)});
      std::array<double, 4> q = NodeQuaternion(at.Rotation);
      // The same turn by the shorter way from the sample before, as LINEAR takes it.
      std::vector<float>& out = turns[n];
      if (k > 0) {
        const float* before = &out[out.size() - 4];
        if (before[0] * q[0] + before[1] * q[1] + before[2] * q[2] + before[3] * q[3] < 0)
          for (double& x : q) x = -x;
      }
      for (const double x : q) out.push_back(static_cast<float>(x));
    }
  }
  tinygltf::Animation animation;
  animation.name = named.Name;
  if (!key.Markers.empty()) animation.extras = Markers(key);
  const int input = builder.AddFloats(times, TINYGLTF_TYPE_SCALAR, 0, true);
  for (size_t n = 0; n < nodes.size(); ++n) {
    for (const auto& [path, values, type] : {std::tuple{"translation", &moves[n], TINYGLTF_TYPE_VEC3},
                                             std::tuple{"rotation", &turns[n], TINYGLTF_TYPE_VEC4}}) {
      tinygltf::AnimationSampler sampler;
      sampler.input = input;
      sampler.output = builder.AddFloats(*values, type, 0, false);
      sampler.interpolation = "LINEAR";
      tinygltf::AnimationChannel channel;
      channel.sampler = static_cast<int>(animation.samplers.size());
      channel.target_node = joints[static_cast<size_t>(nodes[n])];
      channel.target_path = path;
      animation.samplers.push_back(std::move(sampler));
      animation.channels.push_back(std::move(channel));
    }
  }
  builder.Gltf.animations.push_back(std::move(animation));
}

}  // namespace

void AddGltfAnimations(TGltfBuilder& builder, const TModel& model, const std::vector<TNamedKey>& keys,
                       const std::vector<int>& joints) {
  for (const TNamedKey& key : keys) AddAnimation(builder, model, key, joints);
}
