#pragma once
// Every kind of file the program reads or writes, by its extension: what it can be, how the
// file dialogs offer it, and, for models, how it is read and written. The window's dialogs,
// the file commands, zarn-cli and the animation dialog all ask this table, so a new format
// is one row.
#include <string>
#include <string_view>
#include <vector>

#include "formats/ObjImportOptions.h"
#include "model/KeyAnimation.h"
#include "model/NodePose.h"
#include "model/ReadResult.h"

class TModel;

enum class TFileFormat { ThreeDo, Obj, Gltf, Container, Material, Colormap, Animation, Puppet, Picture };

// What a file of a kind is to the program; a kind may be several.
enum TFileUse : unsigned {
  fuOpen = 1u << 0,       // File > Open offers it
  fuSave = 1u << 1,       // a model saved keeps writing to it
  fuImport = 1u << 2,     // File > Import adds its meshes to the model
  fuExport = 1u << 3,     // File > Export writes the model as it
  fuContainer = 1u << 4,  // holds other files (.gob, .goo)
  fuMaterial = 1u << 5,
  fuColormap = 1u << 6,
  fuAnimation = 1u << 7,
  fuPicture = 1u << 8,
  fuPuppet = 1u << 9,
};

// What reading or writing a model file takes besides the path.
struct TModelFileOptions {
  TObjImportOptions Obj;            // reading an OBJ file
  bool YUp = false;                 // writing OBJ: the file's up axis is Y
  const TNodePose* Pose = nullptr;  // writing OBJ: the pose shown, or the rest pose
  std::vector<TNamedKey> Keys = {}; // writing glTF: the animations it holds
};

struct TFileKind {
  TFileFormat Format;
  std::string_view Description;              // "Jedi Knight Model"
  std::vector<std::string_view> Extensions;  // with their dots, in lower case
  unsigned Uses;
  // Read into an empty model (a failure is shown through its services), and written from
  // one (raising EInOutError); null where the kind holds no model.
  TReadResult (*ReadModel)(TModel& model, const std::string& path, const TModelFileOptions& options) = nullptr;
  void (*WriteModel)(TModel& model, const std::string& path, const TModelFileOptions& options) = nullptr;
};

const std::vector<TFileKind>& FileKinds();
const TFileKind& FileKind(TFileFormat format);
// The kind of the path by its extension, case aside; null for none the program knows.
const TFileKind* FileKindOf(std::string_view path);
bool IsFileFormat(std::string_view path, TFileFormat format);
bool IsFileFor(std::string_view path, TFileUse use);

// "Description (*.a, *.b)|*.a;*.b" entries of every kind of one of the uses, for a file
// dialog; with more than one kind, "All Supported files" of them all comes first.
std::vector<std::string> FileFilter(unsigned uses);
// The filters of File > Open (and Save), Import and Export, and of containers.
const std::vector<std::string>& ModelFilter();
const std::vector<std::string>& ImportFilter();
const std::vector<std::string>& ContainerFilter();
