// Reading 3DO text into the model. The reader walks forward through the lines and searches
// for each keyword or row label it needs; everything in between is passed over.
#include <charconv>
#include <exception>
#include <memory>

#include "formats/BulkHeap.h"
#include "formats/FileIO.h"
#include "formats/LineCursor.h"
#include "formats/LineFields.h"
#include "model/Convert.h"
#include "model/Core.h"
#include "model/Hierarchy.h"
#include "model/Model.h"

namespace {

const char* const kLineListMessage = "List index out of bounds (%d)";

class TReader {
 public:
  TReader(TModel& model, TLineCursor& cursor) : Model(model), Cursor(cursor) {}

  void Parse();
  // Geometry sets the file declares (the reader keeps only the first).
  int GeometrySets() const { return Geosets; }
  int LineIndex() const { return Index; }
  const std::string& CurrentText() const { return Current; }

 private:
  void FindLine(std::string_view key);
  void FindRow(int row);
  void NoteGeosets(std::string_view raw);
  std::string_view ReadValue(std::string_view key);
  void Split(int capacity, bool rowLabel = true) { Fields.Split(Current, capacity, rowLabel); }
  int Int(int field) const { return StrToInt(Fields[field]); }
  double Num(int field) const { return StrToFloat(Fields[field]); }
  const std::string& MaterialName(int index) const {
    if (index < 0 || index >= static_cast<int>(MaterialNames.size())) RaiseListError(kLineListMessage, index);
    return MaterialNames[static_cast<size_t>(index)];
  }
  void ReadMesh(int i);
  void ReadNodes();
  void LinkNodes(int firstNode);

  TModel& Model;
  TLineCursor& Cursor;
  int Index = 0;  // the line searched last, even past the end of the text
  bool WatchGeosets = false;
  int Geosets = 1;
  std::string Current;
  TLineFields Fields;
  std::vector<std::string> MaterialNames;
  TMeshes Meshes;
  // The file's meshes until a node row takes them; those no row names go with the reader.
  std::vector<std::unique_ptr<TMesh>> Unclaimed;
  TTXVertices TexVertices;
};

void TReader::FindLine(std::string_view key) {
  for (;;) {
    ++Index;
    if (!Cursor.Next()) RaiseListError(kLineListMessage, Index);
    const std::string_view raw = Cursor.Current();
    if (WatchGeosets && raw.find("GEOSETS") != std::string_view::npos) NoteGeosets(raw);
    if (raw.find(key) != std::string_view::npos) {
      Current.assign(raw);
      CleanLine(Current);
      return;
    }
    if (Cursor.IsLast()) {
      Current.assign(raw);
      return;
    }
  }
}

void TReader::NoteGeosets(std::string_view raw) {
  std::string line(raw);
  CleanLine(line);
  TLineFields fields;
  fields.Split(line, 2, false);
  double count = 0;
  if (TryStrToFloat(fields[1], count) && count > 1 && count < 1e9) Geosets = static_cast<int>(count);
}

void TReader::FindRow(int row) {
  char key[16];
  char* end = std::to_chars(key, key + sizeof key - 1, row).ptr;
  *end++ = ':';
  FindLine(std::string_view(key, static_cast<size_t>(end - key)));
}

std::string_view TReader::ReadValue(std::string_view key) {
  FindLine(key);
  Split(2, false);
  return Fields[1];
}

void TReader::Parse() {
  Cursor.Next();  // line 0 is never examined: every search first advances
  Current.assign(Cursor.Current());
  const int firstNode = Model.Nodes.Count();
  Model.ShowStatus("Loading Resources...");
  FindLine("MODELRESOURCE");
  const int materials = StrToInt(ReadValue("MATERIALS"));
  for (int i = 0; i < materials; ++i) {
    FindRow(i);
    Split(5);
    MaterialNames.emplace_back(Fields[1]);
  }

  Model.ShowStatus("Loading Attributes...");
  FindLine("GEOMETRYDEF");
  Model.Radius = StrToFloat(ReadValue("RADIUS"));
  FindLine("INSERT OFFSET");
  Split(10, false);
  Model.InsertOffset = {Num(2), Num(3), Num(4)};
  WatchGeosets = true;
  const int meshes = StrToInt(ReadValue("MESHES"));
  WatchGeosets = false;
  for (int i = 0; i < meshes; ++i) ReadMesh(i);

  Model.ShowStatus("Searching for Hierarchy Def...");
  FindLine("HIERARCHYDEF");
  Model.ShowStatus("Loading Hierarchy Nodes...");
  ReadNodes();
  LinkNodes(firstNode);
  Model.ShowStatus("");
}

void TReader::ReadMesh(int i) {
  const std::string label = "Loading Mesh " + std::to_string(i);
  Model.ShowStatus(label + "...");
  FindLine("MESH " + std::to_string(i));
  TMesh* mesh = Unclaimed.emplace_back(std::make_unique<TMesh>(&Model)).get();
  Meshes.Add(mesh);
  mesh->Name = std::string(ReadValue("NAME"));
  mesh->GeometryMode = StrToInt(ReadValue("GEOMETRYMODE"));
  mesh->LightingMode = StrToInt(ReadValue("LIGHTINGMODE"));
  mesh->TextureMode = StrToInt(ReadValue("TEXTUREMODE"));

  Model.ShowStatus(label + ", Vertices...");
  const int vertices = StrToInt(ReadValue("VERTICES"));
  for (int j = 0; j < vertices; ++j) {
    FindRow(j);
    Split(20);
    const TVector p{Num(1), Num(2), Num(3)};
    mesh->AddVertex()->Position = p;
  }

  Model.ShowStatus(label + ", Texture Vertices...");
  TexVertices.Clear();
  FindLine("TEXTURE VERTICES");
  Split(5, false);
  const int texVertices = Int(2);
  for (int j = 0; j < texVertices; ++j) {
    FindRow(j);
    Split(20);
    TexVertices.Add({static_cast<float>(Num(1)), static_cast<float>(Num(2))});
  }

  Model.ShowStatus(label + ", Surfaces...");
  const int faces = StrToInt(ReadValue("FACES"));
  for (int j = 0; j < faces; ++j) {
    FindRow(j);
    Split(60);
    TFace* face = mesh->AddFace();
    face->Material = Model.Materials.FindOrAdd(MaterialName(Int(1)));
    face->FaceType = Int(2);
    face->GeometryMode = Int(3);
    face->LightingMode = Int(4);
    face->TextureMode = Int(5);
    face->ExtraLight = static_cast<float>(Num(6));
    const int corners = Int(7);
    for (int k = 0; k < corners; ++k) {
      const int vi = Int(8 + 2 * k);
      const int ti = Int(9 + 2 * k);
      const int c = face->AddVertex(mesh->Vertices.Get(vi));
      // Untextured models of the game name texture vertex 0 without listing any.
      if (!(ti == 0 && TexVertices.Count() == 0)) face->TXVertices[c] = TexVertices.Get(ti);
    }
  }
}

void TReader::ReadNodes() {
  FindLine("HIERARCHY NODES");
  Split(5, false);
  const int nodes = Int(2);
  for (int j = 0; j < nodes; ++j) {
    FindRow(j);
    Split(20);
    TNode* node = Model.AddNode();
    if (const int m = Int(3); m != -1) {
      TMesh* mesh = Meshes.Get(m);
      if (!Unclaimed[static_cast<size_t>(m)]) {
        // A second row naming the same mesh gets a copy, so that each mesh has one owner.
        node->SetMesh(mesh->Clone(&Model));
        Model.AddOutput("Node " + std::to_string(j) + " shares mesh " + std::to_string(m) +
                        " with another node; it was given its own copy");
      } else {
        node->SetMesh(std::move(Unclaimed[static_cast<size_t>(m)]));
      }
    }
    node->Flags = Int(1);
    node->NodeType = Int(2);
    node->ParentIndex = Int(4);
    node->ChildIndex = Int(5);
    node->SiblingIndex = Int(6);
    node->NumChildren = Int(7);
    node->Position = {Num(8), Num(9), Num(10)};
    node->Rotation = {Num(11), Num(12), Num(13)};
    node->Pivot = {Num(14), Num(15), Num(16)};
    node->Name = std::string(Fields[17]);
  }
}

void TReader::LinkNodes(int firstNode) {
  // Links first, loops after: checking each link as it is made would walk the chain above it
  // every time. An index out of range stops the links where it stands, as it always did; the
  // loops among the links made so far are still opened and reported before the error goes on.
  std::exception_ptr failure;
  try {
    for (int m = firstNode; m < Model.Nodes.Count(); ++m) {
      TNode* node = Model.Nodes[m];
      if (node->ParentIndex != -1) node->Parent = Model.Nodes.Get(node->ParentIndex + firstNode);
      if (node->ChildIndex != -1) node->Child = Model.Nodes.Get(node->ChildIndex + firstNode);
      if (node->SiblingIndex != -1) node->Sibling = Model.Nodes.Get(node->SiblingIndex + firstNode);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  for (const int m : CutParentLoops(Model, firstNode)) {
    const TNode& node = *Model.Nodes[m];
    Model.AddOutput("Node " + std::to_string(m - firstNode) + " (" + node.Name + "): parent " +
                    std::to_string(node.ParentIndex) + " would close a loop in the hierarchy; the node was kept at the top");
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

TReadResult TModel::Parse3DO(TLineCursor& lines) {
  TReadResult result;
  {
    TReader reader(*this, lines);
    try {
      reader.Parse();
    } catch (const EZarnError& e) {
      result = TReadResult::Failure("Error parsing 3DO.\n\r\n\rError: " + std::string(e.TypeName()) + ": " +
                                    e.what() + "\n\rLine: " + std::to_string(reader.LineIndex()) + "\n\r\"" +
                                    reader.CurrentText() + "\"");
    } catch (const std::bad_alloc&) {
      result = TReadResult::Failure("Error parsing 3DO.\n\r\n\rError: EOutOfMemory: Out of memory\n\rLine: " +
                                    std::to_string(reader.LineIndex()) + "\n\r\"" + reader.CurrentText() + "\"");
    }
    if (!result) ShowError(result.Message);
    if (reader.GeometrySets() > 1)
      AddOutput("This model has " + std::to_string(reader.GeometrySets()) +
                " geometry sets (levels of detail); only the first was read, and saving writes only that one");
  }
  Update();
  return result;
}

TReadResult TModel::Parse3DO(std::string_view text) {
  TLineCursor lines(text);
  return Parse3DO(lines);
}

TReadResult TModel::LoadFromFile(const std::string& path) {
  FileName = path;
  std::unique_ptr<TFileSource> file;
  try {
    file = std::make_unique<TFileSource>(path);
  } catch (const EZarnError& e) {
    const std::string message = std::string("Error while reading 3DO.\r\n") + e.TypeName() + ": " + e.what();
    ShowError(message);
    Parse3DO(std::string_view());
    return TReadResult::Failure(message);
  }
  // The model's objects take about one and a half times the file's size.
  const TBulkHeap heap(file->Size() + file->Size() / 2);
  TLineCursor lines(*file);
  return Parse3DO(lines);
}
