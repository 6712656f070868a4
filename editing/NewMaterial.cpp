#include "formats/FileKinds.h"
#include "editing/NewMaterial.h"

#include "editing/MaterialEdits.h"
#include "editing/Query.h"
#include "formats/FileIO.h"
#include "formats/Gob.h"
#include "formats/MatWriter.h"
#include "formats/PngReader.h"
#include "document/Core.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

constexpr TQueryField kNewMaterialFields[] = {
    {"Depth", "8", "", "8|16"}, {"Transparent", "0", "", "0|1"}, {"Dither", "0", "", "0|1"}, {"Mipmaps", "0"}};

bool Flag(const TQuery& query, const std::string& name) {
  const std::string value = query.Value(name);
  if (value != "0" && value != "1") throw EConvertError(name + "=" + value + " is not 0 or 1");
  return value == "1";
}

}  // namespace

const TQueryForm kNewMaterialQuery = {"New Material", kNewMaterialFields};

void actFileNewMaterial(TCore& core) {
  TQuery query(kNewMaterialQuery);
  if (!query.Ask(core)) return;
  const std::string picture = core.Services.AskOpenFileName(FileFilter(fuPicture), "New Material");
  if (picture.empty()) return;
  try {
    TMatOptions options;
    options.Depth = query.Int("Depth");
    options.Transparent = Flag(query, "Transparent");
    options.Diffuse = Flag(query, "Dither");
    options.Mipmaps = query.Int("Mipmaps");
    if (options.Mipmaps < 0) throw EConvertError("Mipmaps=" + query.Value("Mipmaps") + " is below 0");
    options.Palette = core.Model->Materials.Palette;
    const std::string mat = EncodeMat({ReadPng(picture)}, options);
    // Named after its picture unless the user says otherwise.
    std::string name(FileNamePart(picture));
    name.resize(name.size() - ExtensionPart(name).size());
    const std::string out =
        core.Services.AskSaveFileName(FileFilter(fuMaterial), "Save Material", name + ".mat");
    if (out.empty()) return;
    WriteFileAtomically(out, mat);
    core.Services.AddOutput("Material written: " + out);
    // A material is mostly made for the model at hand; this command is the step that adds it.
    const std::string made(FileNamePart(out));
    if (core.Services.AskYesNo("Add " + made + " to the model's materials?")) AddProjectMaterial(core, made);
  } catch (const EZarnError& e) {
    core.Refuse(e.what());
  }
}
