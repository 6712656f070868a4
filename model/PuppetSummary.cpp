#include "model/PuppetSummary.h"

#include <cstdio>

std::string PuppetSummary(const TPuppet& puppet) {
  std::string out = "modes: " + std::to_string(puppet.Modes.size()) + "\n";
  char line[160];
  for (const TPuppetMode& mode : puppet.Modes) {
    out +=
        "  mode " + std::to_string(mode.Mode) +
        (mode.BasedOn >= 0 ? " (based on " + std::to_string(mode.BasedOn) + ")" : std::string()) +
        ": " + std::to_string(mode.Submodes.size()) + " moves\n";
    for (const TPuppetSubmode& s : mode.Submodes) {
      std::snprintf(line, sizeof line, "    %-13s %s flags 0x%x priority %d/%d\n", s.Name.c_str(),
                    s.Key.c_str(), s.Flags, s.LowPriority, s.HighPriority);
      out += line;
    }
  }
  out += "joints: " + std::to_string(puppet.Joints.size()) + "\n";
  for (const TPuppetJoint& j : puppet.Joints)
    out += "  body part " + std::to_string(j.BodyPart) + ": node " + std::to_string(j.Node) + "\n";
  if (puppet.IgnoredLines) out += "ignored lines: " + std::to_string(puppet.IgnoredLines) + "\n";
  return out;
}
