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

TNewMaterialAnswers ParseNewMaterial(const TQuery& query) {
  TNewMaterialAnswers a;
  a.Depth = query.Int("Depth");
  a.Transparent = Flag(query, "Transparent");
  a.Dither = Flag(query, "Dither");
  a.Mipmaps = query.TypedInt("Mipmaps");
  return a;
}

namespace {

TCommandResult MakeMaterial(TCore& core, const std::string& picture, const TNewMaterialAnswers& a) {
  try {
    if (a.Mipmaps.Value < 0) throw EConvertError("Mipmaps=" + a.Mipmaps.Text + " is below 0");
    TMatOptions options;
    options.Depth = a.Depth;
    options.Transparent = a.Transparent;
    options.Diffuse = a.Dither;
    options.Mipmaps = a.Mipmaps.Value;
    options.Palette = core.Model->Materials.Palette;
    const std::string mat = EncodeMat({ReadPng(picture)}, options);
    // Named after its picture unless the user says otherwise.
    std::string name(FileNamePart(picture));
    name.resize(name.size() - ExtensionPart(name).size());
    const std::string out =
        core.Services.AskSaveFileName(FileFilter(fuMaterial), "Save Material", name + ".mat");
    if (out.empty()) return TCommandResult::Unchanged();
    WriteFileAtomically(out, mat);
    core.Services.AddOutput("Material written: " + out);
    // A material is mostly made for the model at hand; this command is the step that adds it.
    const std::string made(FileNamePart(out));
    if (core.Services.AskYesNo("Add " + made + " to the model's materials?")) return AddMaterialToModel(core, made);
  } catch (const EZarnError& e) {
    return Refuse(core.Services, e.what());
  }
  return {};
}

std::string AskPicture(TCore& core) { return core.Services.AskOpenFileName(FileFilter(fuPicture), "New Material"); }

}  // namespace

TCommandResult NewMaterial(TCore& core, const TNewMaterialAnswers& answers) {
  const std::string picture = AskPicture(core);
  if (picture.empty()) return TCommandResult::Unchanged();
  return MakeMaterial(core, picture, answers);
}

// The picture is asked for before the answers are read, and a value they cannot take is the
// material's refusal, as it always was in the window.
TCommandResult actFileNewMaterial(TCore& core) {
  TQuery query(kNewMaterialQuery);
  if (!query.Ask(core)) return TCommandResult::Unchanged();
  const std::string picture = AskPicture(core);
  if (picture.empty()) return TCommandResult::Unchanged();
  TNewMaterialAnswers answers;
  try {
    answers = ParseNewMaterial(query);
  } catch (const EConvertError& e) {
    return Refuse(core.Services, e.what());
  }
  return MakeMaterial(core, picture, answers);
}
