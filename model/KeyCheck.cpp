#include "model/KeyCheck.h"

#include "model/Model.h"
#include "model/Text.h"

std::vector<std::string> CheckKeyAgainstModel(const TModel& model, const TKeyAnimation& key) {
  std::vector<std::string> lines;
  std::vector<bool> driven(static_cast<size_t>(model.Nodes.Count()));
  for (const TKeyNode& node : key.Nodes) {
    const std::string named = "node " + std::to_string(node.Index) + " '" + node.MeshName + "'";
    if (node.Index >= key.Joints) {
      lines.push_back(named + " lies beyond JOINTS (" + std::to_string(key.Joints) + ") and drives nothing");
    } else if (node.Index >= model.Nodes.Count()) {
      lines.push_back(named + ": this model has no node " + std::to_string(node.Index) + " (it has " +
                      std::to_string(model.Nodes.Count()) + ")");
    } else {
      driven[static_cast<size_t>(node.Index)] = true;
      const std::string& name = model.Nodes[node.Index]->Name;
      if (!SameText(name, node.MeshName)) lines.push_back(named + " drives '" + name + "' in this model");
    }
  }
  for (int i = 0; i < model.Nodes.Count(); ++i)
    if (!driven[static_cast<size_t>(i)])
      lines.push_back("model node " + std::to_string(i) + " '" + model.Nodes[i]->Name +
                      "' is not in the animation and keeps its rest pose");
  return lines;
}
