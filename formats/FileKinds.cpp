#include "formats/FileKinds.h"

#include "formats/GltfExport.h"
#include "formats/GltfImport.h"
#include "formats/ObjExport.h"
#include "formats/ObjImport.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Model.h"
#include "model/Text.h"

namespace {

TReadResult Read3DO(TModel& model, const std::string& path, const TModelFileOptions&) {
  return Load3DOFile(model, path);
}

void Write3DOFile(TModel& model, const std::string& path, const TModelFileOptions&) { Save3DOFile(model, path); }

TReadResult ReadObj(TModel& model, const std::string& path, const TModelFileOptions& options) {
  const TReadResult read = ImportObj(model, path, options.Obj);
  // Untitled: saved over the .obj file, the model would destroy it.
  model.FileName.clear();
  model.Update();
  return read;
}

void WriteObj(TModel& model, const std::string& path, const TModelFileOptions& options) {
  ExportObj(model, path, options.YUp, options.Pose ? *options.Pose : TNodePose());
}

// The scene's model alone; `convert` writes its animations and textures beside it.
TReadResult ReadGltf(TModel& model, const std::string& path, const TModelFileOptions&) {
  try {
    ImportGltf(model, path);
  } catch (const EZarnError& e) {
    model.ShowError(e.what());
    return TReadResult::Failure(e.what());
  } catch (const std::bad_alloc&) {
    const std::string message = "Out of memory while reading '" + path + "'";
    model.ShowError(message);
    return TReadResult::Failure(message);
  }
  model.FileName.clear();  // saved over the glTF file, the model would destroy it
  return {};
}

void WriteGltf(TModel& model, const std::string& path, const TModelFileOptions& options) {
  ExportGltf(model, path, options.Keys);
}

std::string Patterns(const std::vector<const TFileKind*>& kinds, std::string_view between) {
  std::string text;
  for (const TFileKind* kind : kinds)
    for (std::string_view extension : kind->Extensions) {
      if (!text.empty()) text += between;
      text += "*";
      text += extension;
    }
  return text;
}

}  // namespace

const std::vector<TFileKind>& FileKinds() {
  static const std::vector<TFileKind> kinds = {
      {TFileFormat::ThreeDo, "Jedi Knight Model", {".3do"}, fuOpen | fuSave, Read3DO, Write3DOFile},
      {TFileFormat::Container, "Jedi Knight Container", {".gob", ".goo"}, fuOpen | fuContainer},
      {TFileFormat::Obj, "Wavefront Object", {".obj"}, fuImport | fuExport, ReadObj, WriteObj},
      {TFileFormat::Gltf, "glTF 2.0", {".glb", ".gltf"}, fuOpen | fuImport | fuExport, ReadGltf, WriteGltf},
      {TFileFormat::Material, "Jedi Knight Material", {".mat"}, fuMaterial},
      {TFileFormat::Colormap, "Jedi Knight Colormap", {".cmp"}, fuColormap},
      {TFileFormat::Animation, "Jedi Knight Animation", {".key"}, fuAnimation},
      {TFileFormat::Puppet, "Jedi Knight Puppet", {".pup"}, fuPuppet},
      {TFileFormat::Picture, "PNG picture", {".png"}, fuPicture},
  };
  return kinds;
}

const TFileKind& FileKind(TFileFormat format) {
  for (const TFileKind& kind : FileKinds())
    if (kind.Format == format) return kind;
  return FileKinds().front();  // every format has its row
}

const TFileKind* FileKindOf(std::string_view path) {
  const std::string_view extension = ExtensionPart(path);
  for (const TFileKind& kind : FileKinds())
    for (std::string_view e : kind.Extensions)
      if (SameText(extension, e)) return &kind;
  return nullptr;
}

bool IsFileFormat(std::string_view path, TFileFormat format) {
  const TFileKind* kind = FileKindOf(path);
  return kind && kind->Format == format;
}

bool IsFileFor(std::string_view path, TFileUse use) {
  const TFileKind* kind = FileKindOf(path);
  return kind && (kind->Uses & use);
}

std::vector<std::string> FileFilter(unsigned uses) {
  std::vector<const TFileKind*> kinds;
  for (const TFileKind& kind : FileKinds())
    if (kind.Uses & uses) kinds.push_back(&kind);
  std::vector<std::string> filter;
  if (kinds.size() > 1)
    filter.push_back("All Supported files (" + Patterns(kinds, ", ") + ")|" + Patterns(kinds, ";"));
  for (const TFileKind* kind : kinds)
    filter.push_back(std::string(kind->Description) + " (" + Patterns({kind}, ", ") + ")|" + Patterns({kind}, ";"));
  return filter;
}

const std::vector<std::string>& ModelFilter() {
  static const std::vector<std::string> filter = FileFilter(fuOpen);
  return filter;
}

const std::vector<std::string>& ImportFilter() {
  static const std::vector<std::string> filter = FileFilter(fuImport);
  return filter;
}

const std::vector<std::string>& ContainerFilter() {
  static const std::vector<std::string> filter = FileFilter(fuContainer);
  return filter;
}
