// glTF animations as KEYs: each animation sampled at every frame, its poses taken into the
// model's node frames, and entries kept where the game's linear playback of the entry before
// would stray from the sampled pose.
#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>

#include "formats/GltfAccessors.h"
#include "formats/GltfScene.h"
#include "formats/NameRules.h"
#include "model/Errors.h"
#include "model/KeyAnimation.h"
#include "model/Model.h"

namespace {

constexpr double kMostPositionError = 1e-4, kMostAngleError = 0.01;
// Most frames an animation, and most poses (frames times nodes) sampled for all of a file's:
// two hours of a 40-node character at the game's rate, while hostile lengths cannot ask for
// gigabytes or hours.
constexpr int kMostFrames = 1 << 16;
constexpr double kMostPoses = 1 << 22;

struct TChannel {
  int Node = 0;
  enum { Translation, Rotation, Scale } Path = Translation;
  enum { Linear, Step, Cubic } How = Linear;
  std::vector<double> Times;
  std::vector<double> Values;  // 3 or 4 a key; a cubic key: in-tangent, value, out-tangent
};

std::vector<double> At(const TChannel& channel, size_t key, int part) {
  const size_t width = channel.Path == TChannel::Rotation ? 4 : 3;
  const size_t at =
      (channel.How == TChannel::Cubic ? 3 * key + static_cast<size_t>(part) : key) * width;
  return {channel.Values.begin() + static_cast<long>(at),
          channel.Values.begin() + static_cast<long>(at + width)};
}

std::vector<double> Sample(const TChannel& channel, double t) {
  const std::vector<double>& times = channel.Times;
  if (t <= times.front()) return At(channel, 0, 1);
  if (t >= times.back()) return At(channel, times.size() - 1, 1);
  const size_t k =
      static_cast<size_t>(std::upper_bound(times.begin(), times.end(), t) - times.begin()) - 1;
  const double span = times[k + 1] - times[k];
  const double f = span > 0 ? (t - times[k]) / span : 0;
  if (channel.How == TChannel::Step) return At(channel, k, 1);
  std::vector<double> a = At(channel, k, 1), b = At(channel, k + 1, 1), v(a.size());
  if (channel.How == TChannel::Cubic) {
    const std::vector<double> out = At(channel, k, 2), in = At(channel, k + 1, 0);
    const double f2 = f * f, f3 = f2 * f;
    for (size_t i = 0; i < v.size(); ++i)
      v[i] = (2 * f3 - 3 * f2 + 1) * a[i] + (f3 - 2 * f2 + f) * span * out[i] +
             (-2 * f3 + 3 * f2) * b[i] + (f3 - f2) * span * in[i];
    if (channel.Path != TChannel::Rotation) return v;
    const TQuat q = Normalized({v[0], v[1], v[2], v[3]});
    return {q.X, q.Y, q.Z, q.W};
  }
  if (channel.Path == TChannel::Rotation) {
    const TQuat q = Slerp({a[0], a[1], a[2], a[3]}, {b[0], b[1], b[2], b[3]}, f);
    return {q.X, q.Y, q.Z, q.W};
  }
  for (size_t i = 0; i < v.size(); ++i) v[i] = a[i] + f * (b[i] - a[i]);
  return v;
}

std::vector<TChannel> ReadChannels(const TGltfScene& scene, const tinygltf::Animation& animation,
                                   const std::string& what) {
  const tinygltf::Model& gltf = scene.Gltf;
  std::vector<TChannel> channels;
  for (const tinygltf::AnimationChannel& given : animation.channels) {
    TChannel channel;
    if (given.target_path == "rotation")
      channel.Path = TChannel::Rotation;
    else if (given.target_path == "scale")
      channel.Path = TChannel::Scale;
    else if (given.target_path != "translation")
      continue;  // morph weights: a 3DO has none
    if (given.target_node < 0 || static_cast<size_t>(given.target_node) >= gltf.nodes.size())
      throw EParserError(what + ": a channel drives no node of the file");
    if (scene.Parent.empty() ||
        std::find(scene.Order.begin(), scene.Order.end(), given.target_node) == scene.Order.end())
      continue;  // a node outside the scene
    if (given.sampler < 0 || static_cast<size_t>(given.sampler) >= animation.samplers.size())
      throw EParserError(what + ": a channel has no sampler " + std::to_string(given.sampler));
    const tinygltf::AnimationSampler& sampler =
        animation.samplers[static_cast<size_t>(given.sampler)];
    channel.Node = given.target_node;
    channel.How = sampler.interpolation == "STEP"          ? TChannel::Step
                  : sampler.interpolation == "CUBICSPLINE" ? TChannel::Cubic
                                                           : TChannel::Linear;
    channel.Times = ReadNumbers(gltf, sampler.input, 1, what + " times");
    const int width = channel.Path == TChannel::Rotation ? 4 : 3;
    channel.Values = ReadNumbers(gltf, sampler.output, width, what + " values");
    const size_t keys = channel.Times.size();
    if (keys == 0 || channel.Values.size() != keys * static_cast<size_t>(width) *
                                                  (channel.How == TChannel::Cubic ? 3 : 1))
      throw EParserError(what + ": a sampler's times and values differ in count");
    for (size_t k = 0; k < keys; ++k)
      if (channel.Times[k] < 0 || (k > 0 && channel.Times[k] < channel.Times[k - 1]))
        throw EParserError(what + ": a sampler's times run backwards or below 0");
    channels.push_back(std::move(channel));
  }
  return channels;
}

// The angle equal to `a` nearest to `near`.
double Nearest(double a, double near) { return a + 360 * std::round((near - a) / 360); }

// The angles, or the other three giving the same rotation, each nearest to the angles before.
TVector Continued(const TVector& a, const TVector& before) {
  const TVector one{Nearest(a.X, before.X), Nearest(a.Y, before.Y), Nearest(a.Z, before.Z)};
  const TVector other{Nearest(180 - a.X, before.X), Nearest(a.Y + 180, before.Y),
                      Nearest(a.Z + 180, before.Z)};
  auto distance = [&](const TVector& v) {
    return std::abs(v.X - before.X) + std::abs(v.Y - before.Y) + std::abs(v.Z - before.Z);
  };
  return distance(other) < distance(one) ? other : one;
}

bool Strays(const TVector& want, const TVector& from, const TVector& delta, double frames,
            double most) {
  return std::abs(from.X + frames * delta.X - want.X) > most ||
         std::abs(from.Y + frames * delta.Y - want.Y) > most ||
         std::abs(from.Z + frames * delta.Z - want.Z) > most;
}

TVector Minus(const TVector& a, const TVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

// The entries that play the node's poses, one per frame and one past the last, back.
std::vector<TKeyEntry> Entries(const std::vector<TVector>& positions,
                               const std::vector<TVector>& angles) {
  std::vector<TKeyEntry> entries;
  const size_t frames = positions.size() - 1;
  for (size_t f = 0; f < frames; ++f) {
    if (!entries.empty()) {
      const TKeyEntry& e = entries.back();
      const double since = static_cast<double>(f) - e.Frame;
      if (!Strays(positions[f], e.Position, e.DeltaPosition, since, kMostPositionError) &&
          !Strays(angles[f], e.Rotation, e.DeltaRotation, since, kMostAngleError))
        continue;
    }
    TKeyEntry entry;
    entry.Frame = static_cast<double>(f);
    entry.Position = positions[f];
    entry.Rotation = angles[f];
    entry.DeltaPosition = Minus(positions[f + 1], positions[f]);
    entry.DeltaRotation = Minus(angles[f + 1], angles[f]);
    entry.Flags =
        (entry.DeltaPosition == TVector{} ? 0 : 1) | (entry.DeltaRotation == TVector{} ? 0 : 2);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

std::vector<std::pair<std::string, TKeyAnimation>> SceneKeys(const TGltfScene& scene,
                                                             const TModel& model, double fps) {
  std::vector<std::pair<std::string, TKeyAnimation>> keys;
  const int count = model.Nodes.Count();
  double poses = 0;
  for (size_t a = 0; a < scene.Gltf.animations.size(); ++a) {
    const tinygltf::Animation& animation = scene.Gltf.animations[a];
    const std::vector<TChannel> channels =
        ReadChannels(scene, animation, "animation " + std::to_string(a));
    double duration = 0;
    for (const TChannel& channel : channels) duration = std::max(duration, channel.Times.back());
    const double exact = duration * fps;
    poses += (exact + 2) * count;
    if (exact > kMostFrames || poses > kMostPoses)
      throw EParserError("animation " + std::to_string(a) +
                         " lasts more frames than this program reads for " +
                         std::to_string(count) + " nodes");
    TKeyAnimation key;
    key.Fps = fps;
    key.Frames = std::max(1, static_cast<int>(std::ceil(exact - 1e-9)));
    key.Joints = count;
    std::vector<std::vector<TVector>> positions(static_cast<size_t>(count)),
        angles(static_cast<size_t>(count));
    for (int f = 0; f <= key.Frames; ++f) {
      std::vector<TGltfTrs> locals = scene.Rest;
      for (const TChannel& channel : channels) {
        const std::vector<double> v = Sample(channel, std::min(f / fps, duration));
        TGltfTrs& trs = locals[static_cast<size_t>(channel.Node)];
        if (channel.Path == TChannel::Rotation)
          trs.R = Normalized({v[0], v[1], v[2], v[3]});
        else
          (channel.Path == TChannel::Scale ? trs.S : trs.T) = {v[0], v[1], v[2]};
      }
      const std::vector<TAffine> worlds = scene.Worlds(locals);
      for (int k = 0; k < count; ++k) {
        const TNode& node = *model.Nodes[k];
        const TAffine frame = scene.Frame(worlds, scene.GltfNode[static_cast<size_t>(k)]);
        const TAffine up =
            node.ParentIndex >= 0
                ? scene.Frame(worlds, scene.GltfNode[static_cast<size_t>(node.ParentIndex)])
                : TAffine();
        const TAffine local = Inverse(up) * frame;
        auto& turns = angles[static_cast<size_t>(k)];
        positions[static_cast<size_t>(k)].push_back(local.T);
        turns.push_back(f == 0 ? Continued(GameAngles(local), node.Rotation)
                               : Continued(GameAngles(local), turns.back()));
      }
    }
    for (int k = 0; k < count; ++k)
      key.Nodes.push_back(
          {k, model.Nodes[k]->Name,
           Entries(positions[static_cast<size_t>(k)], angles[static_cast<size_t>(k)])});
    keys.emplace_back(animation.name.empty() ? std::string() : FileSafeName(animation.name),
                      std::move(key));
  }
  return keys;
}
