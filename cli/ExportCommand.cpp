#include <algorithm>

#include "formats/FileKinds.h"
#include "cli/CliCommands.h"
#include "formats/ColormapPlaces.h"
#include "formats/ObjExport.h"
#include "formats/PuppetCheck.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/KeyPose.h"
#include "model/Text.h"

namespace {

// "--lod N": the level of detail to export, counted from 1; the first by default.
std::string TakeLodOption(TArgs& args) {
  std::string lod = "1";
  if (const auto at = std::find(args.begin(), args.end(), "--lod"); at != args.end() && at + 1 != args.end()) {
    lod = *(at + 1);
    args.erase(at, at + 2);
  }
  return lod;
}

// The options differ by the kind of the output, which is found among the arguments that are
// no option's value.
bool WritesGltf(const TArgs& args) {
  bool gltf = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--key" || args[i] == "--frame" || args[i] == "--up")
      ++i;
    else
      gltf = gltf || IsFileFormat(args[i], TFileFormat::Gltf);
  }
  return gltf;
}

// "--up y|z": the file's up axis, as import takes it; z by default. glTF is always Y-up.
int TakeUpOption(TArgs& args, bool gltf, bool& yUp) {
  const auto at = std::find(args.begin(), args.end(), "--up");
  if (at == args.end()) return 0;
  const std::string up = at + 1 != args.end() ? *(at + 1) : "";
  if (gltf) {
    Tell("--up is for an .obj export; a glTF file is always Y-up");
    return 2;
  }
  if (up != "y" && up != "z") {
    Tell("--up takes y or z, not '%s'", up.c_str());
    return 2;
  }
  yUp = up == "y";
  args.erase(at, at + 2);
  return 0;
}

// The kind of file the arguments left write, or null, told, when they are not an input and an
// output that export writes.
const TFileKind* ExportOutput(const TArgs& args) {
  if (args.size() != 2 && args.size() != 3) {
    Tell("usage: zarn-cli export [--lod N] [--up y|z] [--cmp C] [--key K --frame F] IN.3do|CONTAINER ENTRY OUT.obj"
         " | export [--lod N] [--cmp C] [--key K]... [--pup P] IN.3do|CONTAINER ENTRY OUT.glb|OUT.gltf");
    return nullptr;
  }
  // Arguments in the wrong order would write over a model.
  const TFileKind* kind = FileKindOf(args.back());
  if (!kind || !(kind->Uses & fuExport)) {
    Tell("export writes an .obj, .glb or .gltf file, not '%s'", args.back().c_str());
    return nullptr;
  }
  return kind;
}

}  // namespace

int RunExport(const TArgs& given) {
  TArgs args = given;
  const std::string lod = TakeLodOption(args);
  std::optional<TColormap> colormap;
  if (const int status = TakeCmpOption(args, colormap)) return status;
  const bool gltf = WritesGltf(args);
  bool yUp = false;
  if (const int status = TakeUpOption(args, gltf, yUp)) return status;
  std::optional<TKeyAnimation> key;
  double frame = 0;
  std::vector<TNamedKey> keys;
  if (const int status = gltf ? TakeKeyList(args, keys) : TakeKeyOptions(args, key, frame)) return status;
  // "--pup PUP": every animation the puppet names, after those of --key.
  std::optional<TPuppet> pup;
  TColormapPlace pupPlace;
  if (gltf)
    if (const int status = TakePuppetOption(args, pup, pupPlace)) return status;
  if (!NoOptionsLeft(args, "export")) return 2;
  const TFileKind* kind = ExportOutput(args);
  if (!kind) return 2;
  TCliSession session;
  if (colormap) ChangeColormap(session.Core.Model->Materials, &*colormap);
  if (!(args.size() == 2 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  TModel& model = *session.Core.Model;
  double set = 0;
  if (!TryStrToFloat(lod, set) || set != static_cast<int>(set) || set < 1 || set > model.GeosetCount()) {
    Tell("--lod %s is not a level of detail of the model, which has %d", lod.c_str(), model.GeosetCount());
    return 2;
  }
  model.ChooseGeoset(static_cast<int>(set) - 1);
  try {
    if (pup)
      for (TNamedKey& named : PuppetAnimations(model, *pup, pupPlace, session.Core.ResourceList))
        if (std::none_of(keys.begin(), keys.end(), [&](const TNamedKey& k) { return SameText(k.Name, named.Name); }))
          keys.push_back(std::move(named));
    const TNodePose pose = key ? PoseAt(model, *key, frame) : TNodePose();
    kind->WriteModel(model, args.back(), {{}, yUp, &pose, std::move(keys)});
    return 0;
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
}
