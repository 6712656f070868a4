#pragma once
#include <cstdint>
#include <tuple>
#include <vector>

#include "document/Core.h"

class TMesh;
class TMeshBuffers;

// What is selected, drawn over the model in every view mode from the model's own buffers:
// the selected faces (all faces of the selected nodes in node mode) outlined in the
// selection colour and tinted with it, and the pivots of selected nodes. The face ranges are
// gathered again only when the selection, the edit mode or the buffers changed, so that
// camera moves over a big selection cost only its drawing.
class TSelectionOverlay {
 public:
  // Tint: of 1, how much of the selection colour covers a selected face.
  static constexpr float kTint = 0.3f;
  void Draw(TCore& core, const TMeshBuffers& buffers);
  // The wireframe's own lines in the current colour, but for the selected faces' edges: the
  // outlines draw those very lines in front, so a selected million faces cost their lines once.
  void DrawUnselectedEdges(TCore& core, const TMeshBuffers& buffers);
  // Ranges gathered so far, for the tests and benchmarks.
  int Gathers = 0;

 private:
  // Runs of selected faces: their triangle corners, and their edges' index pairs (offsets in
  // bytes, as glMultiDrawElements takes them).
  struct TRanges {
    const TMesh* Mesh;
    std::vector<int> First, Count;
    std::vector<const void*> EdgeOffset;
    std::vector<int> EdgeCount;
    // The edges of the faces left out, the same way.
    std::vector<const void*> OtherEdgeOffset;
    std::vector<int> OtherEdgeCount;
  };
  void Gather(TCore& core, const TMeshBuffers& buffers);
  void Update(TCore& core, const TMeshBuffers& buffers);
  using TKey = std::tuple<uint64_t, uint64_t, TEditMode, uint64_t>;
  TKey Drawn{};
  bool Valid = false;
  std::vector<TRanges> Ranges;
};
