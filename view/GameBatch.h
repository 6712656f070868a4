#pragma once
#include <cstddef>
#include <vector>

// One face corner as the Game view mode hands it to GL.
struct TGameCorner {
  float S, T;        // texture coordinate
  float R, G, B, A;  // lit colour
  float X, Y, Z;     // world position
};

// How a face's corners are drawn.
enum class TGameShape { Points, Outline, Filled };

// Gathers the faces the Game view mode draws into runs that share a shape and a texture, so
// that a million faces cost a few hundred draw calls instead of a million. The faces' order is
// kept: a run ends where the next face needs another state or the run is full, which keeps
// both blending order and the pixels of coplanar faces as face-by-face drawing gives them.
// Filled faces go to GL as fans of triangles, outlines as their edges.
class TGameBatch {
 public:
  // Needs the context current; the client arrays are enabled for the batch's lifetime.
  // `store` holds the corners on their way and keeps its room from frame to frame: a fresh
  // block every frame would cost its page faults every frame.
  explicit TGameBatch(std::vector<TGameCorner>& store);
  ~TGameBatch();
  TGameBatch(const TGameBatch&) = delete;
  TGameBatch& operator=(const TGameBatch&) = delete;

  // texture 0: drawn untextured.
  void AddFace(TGameShape shape, unsigned texture, const TGameCorner* corners, int count);
  // Draws what is gathered; the batch stays usable.
  void Flush();

 private:
  // Enough corners per draw call to keep calls rare, few enough to stay in the cache.
  static constexpr std::size_t kRunCorners = 3 * 4096;

  std::vector<TGameCorner>& Corners;
  TGameShape Shape = TGameShape::Filled;
  unsigned Texture = 0;
};
