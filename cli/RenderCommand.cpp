#include <algorithm>
#include <optional>

#include "formats/FileKinds.h"
#include "cli/CliCommands.h"
#include "formats/ColormapPlaces.h"
#include "formats/FileIO.h"
#include "formats/PngWriter.h"
#include "model/Box.h"
#include "camera/CameraMoves.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "document/ShownPose.h"
#include "model/KeyPose.h"
#ifdef ZARN_RENDER
#include "model/Text.h"
#include "view/OffscreenContext.h"
#include "view/PictureDrawing.h"
#endif

namespace {

// Largest side of a picture: as the materials' limit, beyond any thumbnail or poster.
constexpr int kMaxSide = 8192;

struct TRenderOptions {
  int View = 3;  // top, front, side, free
  int Mode = 3;  // wireframe, solid, textured, game
  int Width = 512, Height = 512;
  double Ambient = 0.4;
};

// Takes "NAME VALUE" out of the arguments; false when the name is not there.
bool TakeValue(TArgs& args, const std::string& name, std::string& value, bool& missing) {
  const auto at = std::find(args.begin(), args.end(), name);
  if (at == args.end()) return false;
  if (at + 1 == args.end()) {
    missing = true;
    args.erase(at);
    return false;
  }
  value = *(at + 1);
  args.erase(at, at + 2);
  return true;
}

bool Choice(const std::string& option, const std::string& value, const std::vector<std::string>& names, int& chosen) {
  const auto at = std::find(names.begin(), names.end(), value);
  if (at != names.end()) {
    chosen = static_cast<int>(at - names.begin());
    return true;
  }
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : "|") + n;
  Tell("%s takes %s, not '%s'", option.c_str(), list.c_str(), value.c_str());
  return false;
}

// 0 when the options read, else the exit status after one line on standard error.
int TakeRenderOptions(TArgs& args, TRenderOptions& options) {
  std::string value;
  bool missing = false;
  if (TakeValue(args, "--view", value, missing) && !Choice("--view", value, {"top", "front", "side", "free"}, options.View))
    return 2;
  if (TakeValue(args, "--mode", value, missing) &&
      !Choice("--mode", value, {"wireframe", "solid", "textured", "game"}, options.Mode))
    return 2;
  if (TakeValue(args, "--size", value, missing)) {
    const auto x = value.find('x');
    double w = 0, h = 0;
    if (x == std::string::npos || !TryStrToFloat(value.substr(0, x), w) || !TryStrToFloat(value.substr(x + 1), h) ||
        w != static_cast<int>(w) || h != static_cast<int>(h) || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
      Tell("--size takes WIDTHxHEIGHT, each 1 to %d pixels, not '%s'", kMaxSide, value.c_str());
      return 2;
    }
    options.Width = static_cast<int>(w);
    options.Height = static_cast<int>(h);
  }
  if (TakeValue(args, "--light", value, missing) &&
      (!TryStrToFloat(value, options.Ambient) || options.Ambient < 0 || options.Ambient > 1)) {
    Tell("--light takes an ambient level from 0 to 1, not '%s'", value.c_str());
    return 2;
  }
  if (missing) {
    Tell("--view, --mode, --size and --light each need a value");
    return 2;
  }
  return 0;
}

}  // namespace

int RunRender(const TArgs& given) {
  TArgs args = given;
  TRenderOptions options;
  if (const int status = TakeRenderOptions(args, options)) return status;
  std::optional<TColormap> colormap;
  if (const int status = TakeCmpOption(args, colormap)) return status;
  std::optional<TKeyAnimation> key;
  double frame = 0;
  if (const int status = TakeKeyOptions(args, key, frame)) return status;
  if (!NoOptionsLeft(args, "render")) return 2;
  if (args.size() != 2 && args.size() != 3) {
    Tell("usage: zarn-cli render [options] IN.3do OUT.png | render [options] CONTAINER ENTRY OUT.png");
    return 2;
  }
  if (!IsFileFormat(args.back(), TFileFormat::Picture)) {
    Tell("render writes a .png picture, not '%s'", args.back().c_str());
    return 2;
  }
#ifdef ZARN_RENDER
  TCliSession session;
  TMaterials& materials = session.Core.Model->Materials;
  try {
    if (colormap) {
      ChangeColormap(materials, &*colormap);
    } else if (args.size() == 3) {
      // A container's models are seen through its own colormap, as the game's levels are.
      const auto places = ColormapsInContainer(args[0]);
      if (!places.empty()) {
        const TColormap own = ReadColormap(places.front());
        ChangeColormap(materials, &own);
      }
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  if (!(args.size() == 2 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  TModel& model = *session.Core.Model;
  model.UpdateWorld();
  if (key) ShowPose(session.Core, PoseAt(model, *key, frame));
  TBox box;
  for (const TNode* n : model.Nodes)
    if (n->Mesh)
      for (const TVertex* v : n->Mesh->Vertices) box.Add(v->World);
  TCameraRec camera = ResetCamera(options.View, model.Radius);
  camera.ViewMode = static_cast<unsigned char>(options.Mode);
  camera = FitCameraToBox(camera, options.Width, options.Height, box);
  TGameLight light;
  light.Ambient = options.Ambient;
  try {
    const TOffscreenContext context(options.Width, options.Height);
    const std::vector<uint8_t> rgb = DrawPicture(session.Core, camera, options.Width, options.Height, light);
    WriteFileAtomically(args.back(), EncodePng(options.Width, options.Height, rgb));
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
#else
  Tell("this build draws no pictures (built without OpenGL)");
  return 1;
#endif
}
