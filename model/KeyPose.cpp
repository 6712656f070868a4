#include "model/KeyPose.h"

#include <algorithm>
#include <cmath>

#include "model/Model.h"

double WrapFrame(double frame, int frames) {
  if (frames < 1 || !std::isfinite(frame)) return 0;
  const double wrapped = std::fmod(frame, frames);
  // fmod keeps the sign, and a tiny negative remainder can round up to `frames` itself.
  const double up = wrapped < 0 ? wrapped + frames : wrapped;
  return up < frames ? up : 0;
}

TNodeOverride KeyNodeAt(const TKeyNode& node, double frame) {
  TNodeOverride pose;
  if (node.Entries.empty()) return pose;
  // Entries are in order of frames: the last one at or before `frame`.
  auto after = std::upper_bound(node.Entries.begin(), node.Entries.end(), frame,
                                [](double f, const TKeyEntry& e) { return f < e.Frame; });
  const TKeyEntry& e = after == node.Entries.begin() ? node.Entries.front() : *(after - 1);
  const double dt = frame - e.Frame;
  auto moved = [dt](const TVector& at, const TVector& delta) {
    return TVector{at.X + dt * delta.X, at.Y + dt * delta.Y, at.Z + dt * delta.Z};
  };
  pose.Posed = true;
  pose.Position = e.Flags & 1 ? moved(e.Position, e.DeltaPosition) : e.Position;
  pose.Rotation = e.Flags & 2 ? moved(e.Rotation, e.DeltaRotation) : e.Rotation;
  return pose;
}

TNodePose PoseAt(const TModel& model, const TKeyAnimation& key, double frame) {
  const double t = WrapFrame(frame, key.Frames);
  TNodePose pose(static_cast<size_t>(model.Nodes.Count()));
  for (const TKeyNode& node : key.Nodes)
    if (node.Index < key.Joints && node.Index < model.Nodes.Count())
      pose[static_cast<size_t>(node.Index)] = KeyNodeAt(node, t);
  return pose;
}
