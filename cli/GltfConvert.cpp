// convert IN.glb|IN.gltf OUT.3do: the model, and beside it each animation as a KEY and each
// texture as a material.
#include <cstdio>
#include <filesystem>
#include <set>

#include "cli/CliCommands.h"
#include "formats/FileIO.h"
#include "formats/FileKinds.h"
#include "formats/GltfImport.h"
#include "formats/KeyWriter.h"
#include "formats/MatWriter.h"
#include "formats/ReadOnlyFile.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/KeyCheck.h"
#include "model/Model.h"
#include "model/Text.h"

namespace {

// Takes `--fps N` out of the arguments; false after one line when wrong.
bool TakeFpsOption(TArgs& args, double& fps) {
  TArgs rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--fps") {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size()) {
      Tell("--fps needs a value");
      return false;
    }
    double number = 0;
    if (!TryStrToFloat(args[++i], number) || !(number > 0) || number > 1000) {
      Tell("--fps takes frames a second above 0, up to 1000, not '%s'", args[i].c_str());
      return false;
    }
    fps = number;
  }
  args = rest;
  return true;
}

std::string Beside(const std::string& out, const std::string& name) {
  return (std::filesystem::path(out).parent_path() / name).string();
}

}  // namespace

bool IsGltfConvert(const TArgs& args) {
  for (const std::string& arg : args)
    if (IsFileFormat(arg, TFileFormat::Gltf)) return true;
  return false;
}

int RunGltfConvert(const TArgs& given) {
  TArgs args = given;
  double fps = kGameFps;
  TMatOptions mat;
  if (const int status = TakeMatOptions(args, mat)) return status;
  if (!TakeFpsOption(args, fps) || !NoOptionsLeft(args, "convert")) return 2;
  if (args.size() != 2) {
    Tell("usage: zarn-cli convert [--fps N] [--depth 8|16] [--cmp C] [--transparent] [--dither] [--mipmaps N]\n"
         "                        IN.glb|IN.gltf OUT.3do");
    return 2;
  }
  const std::string& in = args[0];
  const std::string& out = args[1];
  TGltfExtras extras;
  try {
    TModel scratch;  // the animations and textures; the session reads the model as Open does
    extras = ImportGltf(scratch, in, fps);
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  // The materials first, so that the game check of the model finds them; a material named by
  // two of the file's (the same picture, other face flags) is written once.
  std::set<std::string, std::less<>> materials;
  for (const TGltfTexture& texture : extras.Textures) {
    if (!materials.insert(texture.Material).second) continue;
    const std::string path = Beside(out, texture.Material);
    if (std::filesystem::exists(path)) {
      std::printf("%s exists and was left as it was\n", path.c_str());
      continue;
    }
    try {
      WriteFileAtomically(path, EncodeMat({texture.Picture}, mat));
      std::printf("%s: %d x %d, %d bits\n", path.c_str(), texture.Picture.Width,
                  texture.Picture.Height, mat.Depth);
    } catch (const EZarnError& e) {
      Tell("%s: %s", path.c_str(), e.what());
    }
  }
  TCliSession session;
  if (!session.Open(in) || !session.Save(out)) return 1;
  const TModel& model = *session.Core.Model;
  std::set<std::string, std::less<>> written;
  const std::string stem = std::filesystem::path(out).stem().string();
  try {
    for (const TGltfAnimation& animation : extras.Animations) {
      std::string name = animation.Name.empty() ? stem : animation.Name;
      if (SameText(ExtensionPart(name), ".key")) name.resize(name.size() - 4);
      for (int n = 2; written.count(name + ".key"); ++n)
        name = (animation.Name.empty() ? stem : animation.Name) + "_" + std::to_string(n);
      written.insert(name + ".key");
      const std::string path = Beside(out, name + ".key");
      for (const std::string& line : CheckKeyAgainstModel(model, animation.Key))
        Tell("%s: %s", path.c_str(), line.c_str());
      SaveKeyFile(animation.Key, path);
      std::printf("%s: %d frames at %g a second, %zu nodes\n", path.c_str(), animation.Key.Frames,
                  animation.Key.Fps, animation.Key.Nodes.size());
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}
