#include <cstdio>

#include "cli/CliCommands.h"
#include "formats/FileIO.h"
#include "formats/MatWriter.h"
#include "formats/PngReader.h"
#include "model/Errors.h"
#include "model/Palette.h"

namespace {

const char* const kUsage =
    "usage: zarn-cli tomat [--depth 16|8] [--cmp FILE|CONTAINER:ENTRY] [--transparent] [--dither] [--mipmaps N]\n"
    "                     IN.png [IN2.png ...] OUT.mat";

// The exit status of an option given wrongly, after its line.
int Fail(const std::string& line) {
  Tell("%s", line.c_str());
  return 2;
}

}  // namespace

int TakeMatOptions(TArgs& args, TMatOptions& options) {
  options.Palette = BuiltInPalette();
  std::optional<TColormap> colormap;
  if (const int status = TakeCmpOption(args, colormap)) return status;
  if (colormap) options.Palette = colormap->Palette;
  TArgs rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--transparent") {
      options.Transparent = true;
    } else if (arg == "--dither") {
      options.Diffuse = true;
    } else if (arg == "--depth" || arg == "--mipmaps") {
      if (i + 1 == args.size()) return Fail(arg + (arg == "--depth" ? " needs 8 or 16" : " needs a number of levels"));
      const std::string& value = args[++i];
      if (arg == "--depth") {
        if (value != "8" && value != "16") return Fail("--depth takes 8 or 16, not '" + value + "'");
        options.Depth = std::stoi(value);
      } else {
        if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(value) < 1)
          return Fail("--mipmaps takes a number of levels from 1, not '" + value + "'");
        options.Mipmaps = std::stoi(value);
      }
    } else {
      rest.push_back(arg);
    }
  }
  args = rest;
  return 0;
}

int RunTomat(const TArgs& arguments) {
  TArgs args = arguments;
  TMatOptions options;
  if (const int status = TakeMatOptions(args, options)) return status;
  if (!NoOptionsLeft(args, "tomat")) return 2;
  if (args.size() < 2) {
    Tell("%s", kUsage);
    return 2;
  }
  const std::string out = args.back();
  try {
    std::vector<TPicture> cels;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
      if (!RegularFileExists(args[i])) {
        Tell("File '%s' not found", args[i].c_str());
        return 1;
      }
      cels.push_back(ReadPng(args[i]));
    }
    WriteFileAtomically(out, EncodeMat(cels, options));
    std::printf("%s: %d x %d, %d bits, %zu cel%s\n", out.c_str(), cels[0].Width, cels[0].Height, options.Depth,
                cels.size(), cels.size() == 1 ? "" : "s");
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}
