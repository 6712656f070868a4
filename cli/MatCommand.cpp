#include <cstdio>

#include "cli/CliCommands.h"
#include "formats/PngWriter.h"
#include "formats/FileIO.h"
#include "formats/ColormapPlaces.h"
#include "formats/Mat.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Text.h"

int RunMat(const TArgs& given) {
  TArgs args = given;
  std::optional<TColormap> colormap;
  if (const int status = TakeCmpOption(args, colormap)) return status;
  if (!NoOptionsLeft(args, "mat")) return 2;
  if (args.size() != 2 && args.size() != 3) {
    Tell("usage: zarn-cli mat [--cmp FILE|CONTAINER:ENTRY] FILE.mat OUT.png | mat CONTAINER ENTRY OUT.png");
    return 2;
  }
  TGobItem item;
  if (args.size() == 3) {
    if (!FindContainerEntry(args[0], args[1], item)) return 1;
  } else {
    if (!RegularFileExists(args[0])) {
      Tell("%s", NotARegularFile(args[0]).c_str());
      return 1;
    }
    item = {args[0], std::string(FileNamePart(args[0])), 0, 0xFFFFFFFFu};
  }
  TMaterials materials;
  if (colormap) ChangeColormap(materials, &*colormap);
  TMaterial material(&materials, std::string(FileNamePart(item.EntryName)));
  try {
    const std::string problem = ReadMat(material, item.ContainerName, item.Offset, item.Length);
    if (!problem.empty()) Tell("%s", problem.c_str());
    if (!material.Loaded) return 1;
    if (material.Pixels.empty()) {
      Tell("%s: holds no image or colour", material.Name.c_str());
      return 1;
    }
    WriteFileAtomically(args.back(), EncodePng(material.Width, material.Height, material.Pixels));
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  std::printf("%s: %d x %d, %d bits\n", material.Name.c_str(), material.Width, material.Height, material.BitDepth);
  return 0;
}
