// zarn-cli's own explanations: the usage, the version and the steps of edit. The lists of
// edit come from the tables the steps, the property panel and the menus run from.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/CliCommands.h"
#include "cli/EditSteps.h"
#include "editing/ActionTable.h"
#include "editing/Actions.h"
#include "editing/PropertyFields.h"
#include "editing/Query.h"
#include "model/VersionInfo.h"

namespace {

std::string WithoutAccelerator(const char* caption) {
  std::string text = caption;
  std::erase(text, '&');
  return text;
}

// "Edit > Rotate..." as the menus show it; empty for a command on no menu.
std::string MenuPath(const char* action) {
  for (const TActionRow& row : MainActionRows())
    if (std::strcmp(row.Name, action) == 0)
      return *row.Menu ? WithoutAccelerator(row.Menu) + " > " + WithoutAccelerator(row.Caption)
                       : WithoutAccelerator(row.Caption);
  return {};
}

// The text in lines of at most 80 columns, each indented by `indent` blanks.
void PrintWrapped(const std::string& text, size_t indent) {
  constexpr size_t kColumns = 80;
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && indent + line.size() + 1 + word.size() > kColumns) {
      std::printf("%*s%s\n", static_cast<int>(indent), "", line.c_str());
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  std::printf("%*s%s\n", static_cast<int>(indent), "", line.c_str());
}

const char* ModeName(TEditMode mode) { return mode == emNode ? "node" : mode == emSurface ? "surface" : "vertex"; }

void PrintEditHelp() {
  std::printf(
      "usage: zarn-cli edit IN.3do OUT.3do STEP...\n"
      "       zarn-cli edit CONTAINER ENTRY OUT.3do STEP...\n"
      "Reads IN (or the model ENTRY of a .gob/.goo CONTAINER), runs the steps in order with the\n"
      "commands the menus run, and saves OUT; nothing is written when a step is refused or fails\n"
      "(exit status 1) or written wrongly (2).\n\nSteps:\n");
  for (const TEditStep& step : EditSteps()) {
    std::printf("  %s\n", step.Usage);
    PrintWrapped(step.Does, 6);
  }
  std::printf("  ACTION [Name=Value ...]\n");
  PrintWrapped("runs an action (below); the values answer its dialog, values left out keep their defaults, "
               "and a name the dialog does not ask for is an error", 6);

  std::printf("\nFields of prop:NAME=VALUE, on the current mode's selection:\n");
  int nameWidth = 0;
  for (const TPropertyField& field : PropertyFields())
    nameWidth = std::max(nameWidth, static_cast<int>(std::strlen(field.Name)));
  for (const TPropertyField& field : PropertyFields())
    std::printf("  %-8s %-*s  %s\n", ModeName(field.Mode), nameWidth, field.Name, field.Values);

  int width = 0;
  for (const TEditAction& action : EditActions()) width = std::max(width, static_cast<int>(std::strlen(action.Name)));
  std::printf("\nActions, with the menu command each is, and the values its dialog asks for:\n");
  for (const TEditAction& action : EditActions()) {
    std::printf("  %-*s  %s\n", width, action.Name, MenuPath(action.Name).c_str());
    if (!action.Query) continue;
    std::printf("      dialog \"%s\":\n", action.Query->Caption);
    for (const TQueryField& field : action.Query->Fields)
      if (field.Default)
        std::printf("        %s=%s\n", field.Name, field.Default);
      else
        std::printf("        %s=<%s>\n", field.Name, field.WorkedOut);
  }
}

}  // namespace

void PrintUsage() {
  std::printf("usage: zarn-cli COMMAND ARGS...\n"
              "  info FILE.3do|FILE.obj|FILE.glb|FILE.gltf\n"
              "                                counts of nodes, meshes, vertices, faces, materials; radius\n"
              "  info CONTAINER ENTRY          the same for a model inside a .gob/.goo container\n"
              "  info --json FILE|CONTAINER ENTRY\n"
              "                                counts, radius, materials, levels of detail and nodes as JSON\n"
              "  info [--json] FILE.key|CONTAINER ENTRY.key\n"
              "                                an animation's header, markers and nodes\n"
              "  info [--json] FILE.pup|CONTAINER ENTRY.pup\n"
              "                                a puppet's modes, their moves and KEYs, and its joints\n"
              "  convert IN.3do|IN.obj OUT.3do read (or import) a model and write it as 3DO\n"
              "  convert CONTAINER ENTRY OUT.3do\n"
              "  convert [--fps N] [--depth 8|16] [--cmp C] [--transparent] [--dither] [--mipmaps N]\n"
              "          IN.glb|IN.gltf OUT.3do\n"
              "                                a glTF scene as 3DO, each animation as NAME.key (OUT.key when\n"
              "                                unnamed) at N frames a second (15), each texture as NAME.mat\n"
              "                                (existing ones kept) beside OUT.3do\n"
              "  export [--lod N] [--up y|z] [--cmp C] IN.3do|CONTAINER ENTRY OUT.obj\n"
              "                                write the model as Wavefront OBJ, with an .mtl and PNG pictures\n"
              "                                --key K --frame F: posed by animation K at frame F\n"
              "  export [--lod N] [--cmp C] [--key K]... [--pup P] IN.3do|CONTAINER ENTRY OUT.glb|OUT.gltf\n"
              "                                write the model as glTF 2.0, Y-up, its nodes, materials and\n"
              "                                pictures; each --key K (FILE.key|CONTAINER:ENTRY) adds\n"
              "                                one animation named after K; --pup P adds every KEY the puppet\n"
              "                                names, once each; .gltf puts .bin and PNGs beside it\n"
              "  list CONTAINER                every entry of a container: name, offset, length\n"
              "  pack OUT.gob [--as NAME] FILE...\n"
              "                                write a container of the files, each in its kind's folder\n"
              "  pack --update CONTAINER [--as NAME] FILE...\n"
              "                                replace or add those entries, keeping every other one\n"
              "  tomat [--depth 16|8] [--transparent] [--dither] [--mipmaps N] IN.png [IN2.png ...] OUT.mat\n"
              "                                make a material of pictures, one cel each\n"
              "  mat [--cmp C] FILE.mat OUT.png decode a material to a PNG picture\n"
              "  mat [--cmp C] CONTAINER ENTRY OUT.png\n"
              "                                --cmp FILE.cmp|CONTAINER:ENTRY: 8-bit colours from that colormap\n"
              "  render [options] IN.3do|CONTAINER ENTRY OUT.png\n"
              "                                a picture drawn offscreen as the window draws it, framed:\n"
              "                                --view top|front|side|free (free), --mode wireframe|solid|\n"
              "                                textured|game (game), --size WxH (512x512), --cmp C,\n"
              "                                --light L (ambient level 0 to 1, 0.4), --key K --frame F\n"
              "  check FILE.3do|CONTAINER ENTRY what the game would refuse, one a line; exit 3 if any\n"
              "  check --key K FILE.3do|CONTAINER ENTRY\n"
              "                                where animation K (FILE.key|CONTAINER:ENTRY) does not fit\n"
              "  check --pup P FILE.3do|CONTAINER ENTRY\n"
              "                                each KEY puppet P (FILE.pup|CONTAINER:ENTRY) names that is\n"
              "                                not found or does not fit\n"
              "  edit IN.3do OUT.3do STEP...   run editing commands and save (help edit lists them)\n"
              "  edit CONTAINER ENTRY OUT.3do STEP...\n"
              "  help [edit], --help, -h       this text, or the steps and actions of edit\n"
              "  --version                     the product name and version\n"
              "OBJ import options of convert and info:\n"
              "  --up y|z                      the file's up axis (y turns to the game's z)\n"
              "  --scale F|fit                 multiply by F, or fit the largest extent to 0.1\n"
              "  --materials                   take \"usemtl NAME\" as the material NAME.mat\n"
              "  --merge                       one mesh, not a node per object\n"
              "                                (without them the file's numbers stand, every face dflt.mat)\n"
              "Exit status: 0 done; 1 a file did not read or write, or a step was refused;\n"
              "2 a wrong command line (an unknown command, option, step or action, or a value\n"
              "written wrongly); 3 check found what the game would refuse (or an animation\n"
              "that does not fit, or a puppet's KEY missing or not fitting).\n");
}

int RunHelp(const TArgs& args) {
  if (args.empty()) {
    PrintUsage();
    return 0;
  }
  if (args.size() == 1 && args[0] == "edit") {
    PrintEditHelp();
    return 0;
  }
  Tell("no help on '%s' (there is help and help edit)", args[0].c_str());
  return 2;
}

int RunVersion(const TArgs& args) {
  if (!args.empty()) {
    Tell("--version takes no arguments");
    return 2;
  }
  std::printf("%s %s\n", GetProductName().c_str(), GetVersionString(VersionParts).c_str());
  return 0;
}
