#include "formats/KeyWriter.h"

#include "formats/FileIO.h"
#include "model/Convert.h"
#include "model/Vector.h"

namespace {

std::string Number(double value) { return FormatFloatTrim(ClampToFileRange(value), 8); }

std::string Hex(unsigned value, int digits) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(text.size()) < digits) text.insert(text.begin(), '0');
  return "0x" + text;
}

void AddVector(std::string& out, const TVector& v) {
  out += ' ' + Number(v.X) + ' ' + Number(v.Y) + ' ' + Number(v.Z);
}

}  // namespace

std::string KeyText(const TKeyAnimation& key) {
  std::string out = "# KEY written by ZARN\n\nSECTION: HEADER\n\n";
  out += "FLAGS  " + std::to_string(key.Flags) + "\n";
  out += "TYPE   " + Hex(key.Type, 4) + "\n";
  out += "FRAMES " + std::to_string(key.Frames) + "\n";
  out += "FPS    " + FormatFloatTrim(key.Fps, 3) + "\n";
  out += "JOINTS " + std::to_string(key.Joints) + "\n\n";
  if (!key.Markers.empty()) {
    out += "SECTION: MARKERS\n\nMARKERS " + std::to_string(key.Markers.size()) + "\n";
    for (const TKeyMarker& marker : key.Markers)
      out += Number(marker.Frame) + ' ' + std::to_string(marker.Type) + '\n';
    out += '\n';
  }
  out += "SECTION: KEYFRAME NODES\n\nNODES " + std::to_string(key.Nodes.size()) + "\n";
  for (const TKeyNode& node : key.Nodes) {
    out += "\nNODE " + std::to_string(node.Index) + "\nMESH NAME " + node.MeshName + "\nENTRIES " +
           std::to_string(node.Entries.size()) + "\n\n";
    out +=
        "#  num:   frame   flags           x           y           z           p           y       "
        "    r\n";
    out +=
        "#                                dx          dy          dz          dp          dy       "
        "   dr\n";
    for (size_t e = 0; e < node.Entries.size(); ++e) {
      const TKeyEntry& entry = node.Entries[e];
      out += "  " + std::to_string(e) + ": " + Number(entry.Frame) + ' ' + Hex(entry.Flags, 4);
      AddVector(out, entry.Position);
      AddVector(out, entry.Rotation);
      out += "\n   ";
      AddVector(out, entry.DeltaPosition);
      AddVector(out, entry.DeltaRotation);
      out += '\n';
    }
  }
  return out;
}

void SaveKeyFile(const TKeyAnimation& key, const std::string& path) {
  WriteFileAtomically(path, KeyText(key));
}
