#include "model/KeySummary.h"

#include <cstdio>

namespace {

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

}  // namespace

std::string KeySummary(const TKeyAnimation& key) {
  std::string out = "flags: " + Hex(key.Flags) + "\ntype: " + Hex(key.Type) + "\nframes: " + std::to_string(key.Frames) +
                    "\nfps: " + FormatFloatTrim(key.Fps, 6) + "\njoints: " + std::to_string(key.Joints) +
                    "\nmarkers: " + std::to_string(key.Markers.size()) + "\n";
  for (const TKeyMarker& m : key.Markers)
    out += "  frame " + FormatFloatTrim(m.Frame, 6) + " type " + std::to_string(m.Type) + "\n";
  out += "nodes: " + std::to_string(key.Nodes.size()) + "\n";
  for (const TKeyNode& n : key.Nodes)
    out += "  " + std::to_string(n.Index) + " " + n.MeshName + ": " + std::to_string(n.Entries.size()) + " entries" +
           (n.Index >= key.Joints ? " (beyond JOINTS)" : "") + "\n";
  return out;
}
