#include "editing/ObjMaterials.h"

#include <filesystem>

#include "document/Core.h"
#include "formats/FileIO.h"
#include "formats/MaterialLoader.h"
#include "formats/PathMap.h"
#include "formats/PngReader.h"
#include "model/Errors.h"

std::vector<TObjPicture> PicturesToMake(const std::string& objPath, const std::function<bool(const std::string&)>& found) {
  std::vector<TObjPicture> pictures = ReadObjPictures(objPath);
  std::erase_if(pictures, [&](const TObjPicture& p) { return found(p.Material); });
  return pictures;
}

std::vector<std::string> MakeMaterials(const std::vector<TObjPicture>& pictures, const std::string& folder,
                                       const TMatOptions& options) {
  std::vector<std::string> lines;
  for (const TObjPicture& p : pictures) {
    const std::string out = folder + p.Material;
    if (p.Picture.empty()) {
      lines.push_back(p.Material + " was not made: its picture '" + p.Named + "' is nowhere");
    } else if (std::error_code ec; std::filesystem::exists(out, ec)) {
      lines.push_back(p.Material + " was not made: '" + out + "' exists");
    } else {
      try {
        const TPicture picture = ReadPng(p.Picture);
        WriteFileAtomically(out, EncodeMat({picture}, options));
        lines.push_back(p.Material + " made of '" + p.Picture + "': " + std::to_string(picture.Width) + " x " +
                        std::to_string(picture.Height) + ", " + std::to_string(options.Depth) + " bits");
      } catch (const EZarnError& e) {
        lines.push_back(p.Material + " was not made: " + e.what());
      }
    }
  }
  return lines;
}

std::string ObjMaterialHome(const TCore& core, const std::string& objPath) {
  const std::string& model = core.Model->FileName;
  // A model inside a container has no folder of its own to write into.
  return model.empty() || model.find(" > ") != std::string::npos ? objPath : model;
}

std::vector<TObjPicture> ObjPicturesToMake(TCore& core, const std::string& objPath) {
  TModel home;
  home.FileName = ObjMaterialHome(core, objPath);
  TMaterialLoader loader(core.Services, home, core.ResourceList);
  return PicturesToMake(objPath, [&](const std::string& name) { return loader.Found(name); });
}

void MakeObjMaterials(TCore& core, const std::string& objPath, const std::vector<TObjPicture>& pictures, int depth) {
  TMatOptions options;
  options.Depth = depth;
  options.Palette = core.Model->Materials.Palette;
  const std::string folder(FolderPart(ObjMaterialHome(core, objPath)));
  for (const std::string& line : MakeMaterials(pictures, folder, options)) core.Services.AddOutput(line);
}
