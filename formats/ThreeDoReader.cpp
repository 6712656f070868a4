// Reading 3DO text into the model. The reader walks forward through the lines and searches
// for each keyword or row label it needs; everything in between is passed over.
#include <algorithm>
#include <charconv>
#include <exception>
#include <limits>
#include <memory>
#include <new>

#include "formats/BulkHeap.h"
#include "formats/FileIO.h"
#include "formats/LineCursor.h"
#include "formats/LineFields.h"
#include "formats/NameRules.h"
#include "formats/ProgressSource.h"
#include "formats/ThreeDo.h"
#include "model/Convert.h"
#include "model/Hierarchy.h"
#include "model/Model.h"
#include "model/ReadResult.h"

namespace {

// Node rows naming a mesh that already has a node get copies of it; all copies together may
// hold this many times the vertices, faces and corners the file spells out, so that a few
// lines of text cannot demand unbounded memory.
constexpr int64_t kCopyFactor = 4;
// Sets read at most: four times what the game loads, so that a file the game refuses still opens
// whole, while every node's slots, and the copies of shown meshes that sets a text leaves empty
// receive, stay within a small multiple of the file.
constexpr int kMostGeosets = 4 * kGameGeosets;
// Room for the parse error reserved up front beside the source's name, so that running out
// of memory can still be reported without allocating.
constexpr size_t kMessageRoom = 512;
// A line quoted in a message is cut to this many characters: a damaged file's "line" may be
// megabytes long.
constexpr size_t kQuotedLine = 80;

// "x.3do, line 12: " and the message; without a source name, "line 12: ". With a `room`, the
// message is cut so that the whole fits.
void ComposeParseError(std::string& out, std::string_view source, int64_t line, std::string_view message,
                       size_t room = std::string::npos) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, line).ptr;
  const std::string_view head[] = {source, source.empty() ? "" : ", ", "line ",
                                   std::string_view(digits, static_cast<size_t>(end - digits)), ": "};
  size_t fixed = 0;
  for (const std::string_view piece : head) fixed += piece.size();
  if (room != std::string::npos) message = message.substr(0, room > fixed ? room - fixed : 0);
  out.clear();
  for (const std::string_view piece : head) out.append(piece);
  out.append(message);
}

// Whether the line holds `key`, which is written in upper case, in any case: the game
// lower-cases each line before it looks for a keyword. Most lines searched are a big mesh's
// rows, which hold no letters to speak of: they are looked at with the library's fast search
// for the first character in each case, and a row label is looked for as it stands.
bool HoldsKey(std::string_view line, std::string_view key) {
  const char first = key.front();
  if (first < 'A' || first > 'Z') return line.find(key) != std::string_view::npos;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; };
  for (const char start : {first, static_cast<char>(first + ('a' - 'A'))})
    for (size_t at = line.find(start); at != std::string_view::npos && at + key.size() <= line.size();
         at = line.find(start, at + 1))
      if (std::equal(key.begin() + 1, key.end(), line.begin() + static_cast<long>(at) + 1,
                     [&](char k, char c) { return upper(c) == k; }))
        return true;
  return false;
}

std::string Quoted(std::string_view line) {
  return "\"" + std::string(line.substr(0, kQuotedLine)) + (line.size() > kQuotedLine ? "...\"" : "\"");
}

size_t GeometrySize(const TMesh& mesh) {
  size_t size = static_cast<size_t>(mesh.Vertices.Count() + mesh.Surfaces.Count());
  for (const TFace* f : mesh.Surfaces) size += static_cast<size_t>(f->Vertices.Count());
  return size;
}

class TReader {
 public:
  TReader(TModel& model, TLineCursor& cursor, std::string_view source)
      : Model(model), Cursor(cursor), Source(source), FirstNode(model.Nodes.Count()),
        FirstMaterial(model.Materials.Count()) {
    Message.reserve(source.size() + kMessageRoom);
  }

  void Parse();
  std::string ParseError(const EZarnError& e) const {
    std::string text;
    ComposeParseError(text, Source, Index + 1, e.what());
    return text;
  }
  // After running out of memory: everything this read added goes, and the parse error is
  // composed in the room reserved for it. Nothing here allocates.
  std::string OutOfMemory() {
    ComposeParseError(Message, Source, Index + 1, "out of memory; nothing of the text was kept", Message.capacity());
    std::vector<std::vector<std::unique_ptr<TMesh>>>().swap(Unclaimed);
    std::vector<TMeshes>().swap(Meshes);
    TexVertices = TTXVertices();
    std::vector<TMaterial*>().swap(FileMaterials);
    Fields = TLineFields();
    std::string().swap(Current);
    std::string().swap(Kept);
    std::string().swap(SoughtKey);
    std::vector<int64_t>().swap(NodeLines);
    Model.DeleteNodesFrom(FirstNode);
    while (Model.Materials.Count() > FirstMaterial) Model.Materials.Delete(Model.Materials.Count() - 1);
    return std::move(Message);
  }

 private:
  // Searches forward for the line holding `key`, which should read as the key followed by
  // `form` ("MATERIALS" and "n"): a message quotes both when it does not. With a `stop`, a line
  // holding that ends the search first and false is returned.
  bool FindLine(std::string_view key, const char* form, std::string_view stop = {}, bool clean = true);
  // Finds the row and splits it into at most `capacity` fields.
  void ReadRow(int row, int capacity, const char* form);
  void NoteGeosets(std::string_view raw);
  std::string_view ReadValue(std::string_view key, const char* form);
  void Split(int capacity, bool rowLabel = true) { Fields.Split(Current, capacity, rowLabel); }
  // The line found last, cleaned into Current if it is not yet.
  void Clean() {
    if (Stale) CleanLine(Raw, Current);
    Stale = false;
  }
  // The line found last is not what was sought there.
  [[noreturn]] void Expected() {
    Clean();
    throw EParserError("expected " + Sought() + ", found " + Quoted(Current));
  }
  [[noreturn]] static void Refuse(const std::string& what) { throw EParserError(what); }
  std::string Sought() const { return "\"" + SoughtKey + (*SoughtForm ? " " : "") + SoughtForm + "\""; }
  int ToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value)) Expected();
    return value;
  }
  double ToNum(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) Expected();
    return value;
  }
  int Int(int field) { return ToInt(Fields[field]); }
  double Num(int field) { return ToNum(Fields[field]); }
  // An index a row names into a list of `count`, which -1 may leave empty.
  void CheckIndex(int index, int count, const char* what, bool noneAllowed = false) {
    if ((index < 0 || index >= count) && !(noneAllowed && index == -1))
      Refuse("the row names " + std::string(what) + " " + std::to_string(index) + ", but there " +
             (count == 1 ? "is 1" : "are " + std::to_string(count)));
  }
  void ReadGeoset(size_t set, std::string_view meshesKey);
  void ReadMesh(size_t set, int i);
  void ReadNodes();
  void PlaceMesh(TNode& node, int row, int index, size_t set);
  TNode* LinkedNode(int row, int rowIndex);
  void LinkNodes(int firstNode);

  TModel& Model;
  TLineCursor& Cursor;
  const std::string_view Source;  // the file's name, for messages; may be empty
  const int FirstNode;
  const int FirstMaterial;
  int64_t Index = 0;  // the line searched last, even past the end of the text
  bool WatchGeosets = false;
  int Declared = 1;  // geometry sets, as the file says
  // Vertices, faces and corners the file spells out, and those that copies of meshes added.
  size_t Listed = 0, Copied = 0;
  std::string Current;
  // The line found last as the file has it, in the cursor's text or in Kept; Stale while
  // Current does not yet hold it cleaned.
  std::string_view Raw;
  std::string Kept;
  bool Stale = false;
  // What the line searched last should hold, for a message that it does not.
  std::string SoughtKey;
  const char* SoughtForm = "";
  std::string Message;
  TLineFields Fields;
  // The materials of the file's list, by their numbers there: a face row names one by number,
  // and a search of the model's list by name for each of a million faces costs seconds.
  std::vector<TMaterial*> FileMaterials;
  TNameRepairs Names{NameWritesBack};  // material and mesh names that could not be written back as read
  // Each geometry set's meshes, in file order.
  std::vector<TMeshes> Meshes;
  // The line of each node row read, for a message about its links, which are made last.
  std::vector<int64_t> NodeLines;
  // The file's meshes until a node row takes them; those no row names go with the reader.
  std::vector<std::vector<std::unique_ptr<TMesh>>> Unclaimed;
  TTXVertices TexVertices;
};

bool TReader::FindLine(std::string_view key, const char* form, std::string_view stop, bool clean) {
  SoughtKey.assign(key);
  SoughtForm = form;
  // Moving on may move the text the last line was read from; what an error would still
  // quote of it is kept first, uncleaned, which costs a copy and not a cleaning.
  if (Stale) {
    Kept.assign(Raw);
    Raw = Kept;
  }
  for (;;) {
    ++Index;
    if (!Cursor.Next()) {
      --Index;  // the message names the last line there is
      Refuse("expected " + Sought() + ", found the end of the text");
    }
    const std::string_view raw = Cursor.Current();
    if (WatchGeosets && HoldsKey(raw, "GEOSETS")) NoteGeosets(raw);
    const bool stopped = !stop.empty() && HoldsKey(raw, stop);
    if (stopped || HoldsKey(raw, key)) {
      Raw = raw;
      Stale = true;
      if (clean) Clean();
      return !stopped;
    }
    if (Cursor.IsLast()) {
      Current.assign(raw);
      Stale = false;
      return true;
    }
  }
}

void TReader::NoteGeosets(std::string_view raw) {
  std::string line;
  CleanLine(raw, line);
  TLineFields fields;
  fields.Split(line, 2, false);
  double count = 0;
  if (TryStrToFloat(fields[1], count) && count > 1 && count < 1e9) Declared = static_cast<int>(count);
}

void TReader::ReadRow(int row, int capacity, const char* form) {
  char key[16];
  char* end = std::to_chars(key, key + sizeof key - 1, row).ptr;
  *end++ = ':';
  FindLine(std::string_view(key, static_cast<size_t>(end - key)), form, {}, false);
  // Most rows of a big mesh need no cleaning: their fields are read where they stand.
  if (Stale && Fields.SplitPlain(Raw, capacity, true)) return;
  Clean();
  Split(capacity);
}

std::string_view TReader::ReadValue(std::string_view key, const char* form) {
  FindLine(key, form);
  Split(2, false);
  return Fields[1];
}

void TReader::Parse() {
  Index = Cursor.LineIndex() + 1;
  Cursor.Next();  // line 0 is never examined: every search first advances
  Current.assign(Cursor.Current());
  Model.ShowStatus("Loading Resources...");
  FindLine("MODELRESOURCE", "");
  const int materials = ToInt(ReadValue("MATERIALS", "n"));
  std::vector<std::string> names;
  for (int i = 0; i < materials; ++i) {
    ReadRow(i, 5, "name");
    names.push_back(Names.Repair(Fields[1]));
  }
  // Every material the file names stays, in the file's order, so that saving keeps its numbers.
  for (const std::string& name : names) {
    FileMaterials.push_back(Model.Materials.FindOrAdd(name));
    FileMaterials.back()->ByDefault = false;
  }

  Model.ShowStatus("Loading Attributes...");
  FindLine("GEOMETRYDEF", "");
  Model.Radius = ToNum(ReadValue("RADIUS", "r"));
  FindLine("INSERT OFFSET", "x y z");
  Split(10, false);
  Model.InsertOffset = {Num(2), Num(3), Num(4)};
  WatchGeosets = true;
  ReadGeoset(0, "MESHES");
  WatchGeosets = false;
  // A set the count declares but the text does not hold ends the sets where they stop.
  bool atHierarchy = false;
  for (int set = 1; set < std::min(Declared, kMostGeosets) && !atHierarchy; ++set) {
    atHierarchy = !FindLine("GEOSET", "n", "HIERARCHYDEF");
    if (!atHierarchy) ReadGeoset(static_cast<size_t>(set), "MESHES");
  }
  const std::string declared = "The model declares " + std::to_string(Declared) + " geometry sets";
  if (Meshes.size() < static_cast<size_t>(std::min(Declared, kMostGeosets)))
    Model.AddOutput(declared + " but holds " + std::to_string(Meshes.size()) + "; the sets it holds were read");
  else if (Declared > kMostGeosets)
    Model.AddOutput(declared + "; the first " + std::to_string(kMostGeosets) + " were read");

  Model.ShowStatus("Searching for Hierarchy Def...");
  if (!atHierarchy) FindLine("HIERARCHYDEF", "");
  Model.ShowStatus("Loading Hierarchy Nodes...");
  ReadNodes();
  LinkNodes(FirstNode);
  if (const std::string renamed = Names.Report(); !renamed.empty()) Model.AddOutput(renamed);
  Model.ShowStatus("");
}

void TReader::ReadGeoset(size_t set, std::string_view meshesKey) {
  Meshes.resize(set + 1);
  Unclaimed.resize(set + 1);
  const int meshes = ToInt(ReadValue(meshesKey, "n"));
  for (int i = 0; i < meshes; ++i) ReadMesh(set, i);
}

void TReader::ReadMesh(size_t set, int i) {
  const std::string label = (set ? "Loading Set " + std::to_string(set) + ", Mesh " : "Loading Mesh ") + std::to_string(i);
  Model.ShowStatus(label + "...");
  FindLine("MESH " + std::to_string(i), "");
  TMesh* mesh = Unclaimed[set].emplace_back(Model.NewMesh()).get();
  Meshes[set].Add(mesh);
  mesh->Name = Names.Repair(ReadValue("NAME", "name"));
  mesh->GeometryMode = ToInt(ReadValue("GEOMETRYMODE", "n"));
  mesh->LightingMode = ToInt(ReadValue("LIGHTINGMODE", "n"));
  mesh->TextureMode = ToInt(ReadValue("TEXTUREMODE", "n"));

  Model.ShowStatus(label + ", Vertices...");
  const int vertices = ToInt(ReadValue("VERTICES", "n"));
  for (int j = 0; j < vertices; ++j) {
    ReadRow(j, 20, "x y z intensity");
    TVertex* v = mesh->AddVertex();
    v->Position = {Num(1), Num(2), Num(3)};
    // Older writers leave the column out or fill it with anything; it only adds light.
    double intensity = 0;
    if (TryStrToFloat(Fields[4], intensity)) v->Intensity = static_cast<float>(ClampToFileRange(intensity));
    ++Listed;
  }

  Model.ShowStatus(label + ", Texture Vertices...");
  TexVertices.Clear();
  FindLine("TEXTURE VERTICES", "n");
  Split(5, false);
  const int texVertices = Int(2);
  for (int j = 0; j < texVertices; ++j) {
    ReadRow(j, 20, "u v");
    TexVertices.Add({static_cast<float>(Num(1)), static_cast<float>(Num(2))});
  }

  Model.ShowStatus(label + ", Surfaces...");
  const int faces = ToInt(ReadValue("FACES", "n"));
  for (int j = 0; j < faces; ++j) {
    // A face row holds as many corners as it lists: the writer writes faces of any size.
    ReadRow(j, std::numeric_limits<int>::max(),
            "material type geometry lighting texture extralight corners vertex, texture-vertex ...");
    const int material = Int(1);
    CheckIndex(material, static_cast<int>(FileMaterials.size()), "material");
    TFace* face = mesh->AddFace(FileMaterials[static_cast<size_t>(material)]);
    face->FaceType = Int(2);
    face->GeometryMode = Int(3);
    face->LightingMode = Int(4);
    face->TextureMode = Int(5);
    face->ExtraLight = static_cast<float>(Num(6));
    const int corners = Int(7);
    // Room for the corners the row holds, which a hostile count cannot inflate: growing
    // corner by corner costs each face two reallocations of each list.
    const auto listed = static_cast<size_t>(std::max(0, std::min(corners, (Fields.Count() - 8) / 2)));
    face->Vertices.Reserve(listed);
    face->TXVertices.Reserve(listed);
    for (int k = 0; k < corners; ++k) {
      const int vi = Int(8 + 2 * k);
      const int ti = Int(9 + 2 * k);
      CheckIndex(vi, mesh->Vertices.Count(), "vertex");
      const int c = face->AddVertex(mesh->Vertices[vi]);
      // Untextured models of the game name texture vertex 0 without listing any.
      if (ti == 0 && TexVertices.Count() == 0) continue;
      CheckIndex(ti, TexVertices.Count(), "texture vertex");
      face->TXVertices[c] = TexVertices[ti];
    }
    Listed += 1 + static_cast<size_t>(corners);
  }
}

// Gives the node of `row` the file's mesh `index` of `set`, in the model's set of the same
// number; the first set's meshes decide which nodes have one, as the game reads them.
void TReader::PlaceMesh(TNode& node, int row, int index, size_t set) {
  if (set > 0 && (index < 0 || index >= Meshes[set].Count())) {
    Model.AddOutput("Node " + std::to_string(row) + " names mesh " + std::to_string(index) + ", which geometry set " +
                    std::to_string(set) + " does not hold; that set was given a copy of the node's shown mesh");
    return;
  }
  TMesh* mesh = Meshes[set].Get(index);
  if (std::unique_ptr<TMesh>& unclaimed = Unclaimed[set][static_cast<size_t>(index)]) {
    Model.SetGeosetMesh(node, static_cast<int>(set), std::move(unclaimed));
    return;
  }
  // A second row naming the same mesh gets a copy, so that each mesh has one owner.
  const size_t size = GeometrySize(*mesh);
  if (Copied + size > static_cast<size_t>(kCopyFactor) * Listed)
    throw EParserError("mesh " + std::to_string(index) + " (" + mesh->Name +
                       ") is named by too many nodes: its copies would hold more than " + std::to_string(kCopyFactor) +
                       " times the vertices, faces and corners of the file");
  Copied += size;
  if (set == 0)
    Model.AddOutput("Node " + std::to_string(row) + " shares mesh " + std::to_string(index) +
                    " with another node; it was given its own copy");
  Model.SetGeosetMesh(node, static_cast<int>(set), mesh->Clone());
}

void TReader::ReadNodes() {
  FindLine("HIERARCHY NODES", "n");
  Split(5, false);
  const int nodes = Int(2);
  // A model read whole takes the file's sets; one read into a model (Insert, Paste) keeps the
  // model's sets and gives each the file's set of the same number, as far as the file has one.
  if (FirstNode == 0) Model.ResizeGeosets(static_cast<int>(Meshes.size()));
  const size_t sets = std::min(Meshes.size(), static_cast<size_t>(Model.GeosetCount()));
  if (sets < Meshes.size())
    Model.AddOutput("The text read holds " + std::to_string(Meshes.size()) + " geometry sets and the model " +
                    std::to_string(Model.GeosetCount()) + "; the others were left out");
  for (int j = 0; j < nodes; ++j) {
    ReadRow(j, 20,
            "flags type mesh parent child sibling children x y z pitch yaw roll pivot-x pivot-y pivot-z name");
    NodeLines.push_back(Index);
    TNode* node = Model.AddNode();
    if (const int m = Int(3); m != -1) {
      CheckIndex(m, Meshes[0].Count(), "mesh");
      for (size_t set = 0; set < sets; ++set) PlaceMesh(*node, j, m, set);
      // A shown set past the text's sets shows the last of them that holds the mesh; the
      // model's other sets get their copies when the read is done.
      for (int set = static_cast<int>(sets) - 1; !node->Mesh && set >= 0; --set)
        if (TMesh* mesh = Model.GeosetMesh(*node, set)) node->SetMesh(mesh->Clone());
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

// The node that the row `row` of this file names by `rowIndex`; row indices count from the
// first node read.
TNode* TReader::LinkedNode(int row, int rowIndex) {
  const int64_t index = int64_t{rowIndex} + FirstNode;
  if (index < 0 || index >= Model.Nodes.Count()) {
    Index = NodeLines[static_cast<size_t>(row)];  // the message names the row's line
    Refuse("the row names node " + std::to_string(rowIndex) + ", but the text has " +
           std::to_string(Model.Nodes.Count() - FirstNode) + " nodes");
  }
  return Model.Nodes[static_cast<int>(index)];
}

void TReader::LinkNodes(int firstNode) {
  // Links first, loops after: checking each link as it is made would walk the chain above it
  // every time. An index out of range stops the links where it stands, as it always did; the
  // loops among the links made so far are still opened and reported before the error goes on.
  std::exception_ptr failure;
  try {
    for (int m = firstNode; m < Model.Nodes.Count(); ++m) {
      TNode* node = Model.Nodes[m];
      const int row = m - firstNode;
      if (node->ParentIndex != -1) node->Parent = LinkedNode(row, node->ParentIndex);
      if (node->ChildIndex != -1) node->Child = LinkedNode(row, node->ChildIndex);
      if (node->SiblingIndex != -1) node->Sibling = LinkedNode(row, node->SiblingIndex);
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

TReadResult Parse3DO(TModel& model, TLineCursor& lines, std::string_view source) {
  TReadResult result;
  const int first = model.Nodes.Count();
  {
    TReader reader(model, lines, source);
    // Memory may also run out while the message of another error is composed.
    try {
      try {
        reader.Parse();
      } catch (const EZarnError& e) {
        result = TReadResult::Failure(reader.ParseError(e));
      }
    } catch (const std::bad_alloc&) {
      result = TReadResult::Failure(reader.OutOfMemory());
    }
    if (!result) model.ShowError(result.Message);
  }
  // A model read whole keeps the file's order of children only where its links agree with
  // its parents; saving tells of the others.
  const int contradicted = DeriveLinks(model, first == 0);
  if (first == 0) model.ContradictedLinks = contradicted;
  model.FillGeosets();
  // The sets not shown get their normals here; the shown one gets them with the rest below.
  for (int i = first; i < model.Nodes.Count(); ++i)
    for (const auto& mesh : model.Nodes[i]->OtherSets)
      if (mesh) mesh->InvalidateNormals();
  model.Update();
  return result;
}

TReadResult Parse3DO(TModel& model, std::string_view text) {
  TLineCursor lines(text);
  return Parse3DO(model, lines);
}

TReadResult Load3DOFile(TModel& model, const std::string& path) {
  model.FileName = path;
  std::unique_ptr<TFileSource> file;
  try {
    file = std::make_unique<TFileSource>(path);
  } catch (const EZarnError& e) {
    const std::string message = e.what();  // it names the file and the reason
    model.ShowError(message);
    // The state a failed read leaves, without a second error for text that was never read.
    model.FillGeosets();
    model.Update();
    return TReadResult::Failure(message);
  }
  // The model's objects take about one and a half times the file's text.
  const TBulkHeap heap(file->Stored() + file->Stored() / 2);
  TProgress progress(model.Services, "Reading", file->Size(), kProgressBytes);
  TProgressSource source(*file, progress);
  TLineCursor lines(source);
  return Parse3DO(model, lines, path);
}
