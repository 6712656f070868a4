// glTF export: the scene and its nodes, and the files written. tinygltf makes the JSON and
// the binary container; the files go through the program's own safe writing.
#include "formats/GltfExport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "formats/FileIO.h"
#include "formats/GltfParts.h"
#include "model/Errors.h"
#include "model/Hierarchy.h"
#include "model/Model.h"
#include "model/Text.h"
#include "model/VersionInfo.h"

namespace fs = std::filesystem;

int TGltfBuilder::AddView(const void* data, size_t bytes, int target) {
  std::vector<unsigned char>& out = Bytes();
  out.resize((out.size() + 3) & ~size_t{3});
  tinygltf::BufferView view;
  view.buffer = 0;
  view.byteOffset = out.size();
  view.byteLength = bytes;
  view.target = target;
  const auto* from = static_cast<const unsigned char*>(data);
  out.insert(out.end(), from, from + bytes);
  Gltf.bufferViews.push_back(std::move(view));
  return static_cast<int>(Gltf.bufferViews.size()) - 1;
}

int TGltfBuilder::AddAccessor(int view, int componentType, int type, size_t count) {
  tinygltf::Accessor accessor;
  accessor.bufferView = view;
  accessor.componentType = componentType;
  accessor.type = type;
  accessor.count = count;
  Gltf.accessors.push_back(std::move(accessor));
  return static_cast<int>(Gltf.accessors.size()) - 1;
}

int TGltfBuilder::AddFloats(const std::vector<float>& values, int type, int target, bool bounds) {
  const size_t width = static_cast<size_t>(tinygltf::GetNumComponentsInType(static_cast<uint32_t>(type)));
  const int view = AddView(values.data(), values.size() * sizeof(float), target);
  const int at = AddAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, type, values.size() / width);
  if (bounds && !values.empty()) {
    std::vector<double> low(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(width)), high = low;
    for (size_t i = width; i < values.size(); ++i) {
      low[i % width] = std::min(low[i % width], static_cast<double>(values[i]));
      high[i % width] = std::max(high[i % width], static_cast<double>(values[i]));
    }
    Gltf.accessors[static_cast<size_t>(at)].minValues = std::move(low);
    Gltf.accessors[static_cast<size_t>(at)].maxValues = std::move(high);
  }
  return at;
}

// From the rotation matrix itself, so that the quaternion turns exactly as the views do
// whatever order and signs the game's angles take (Shepperd's method, stable for any turn).
std::array<double, 4> NodeQuaternion(const TVector& rotation) {
  const TMatrix r = NodeRotation(rotation.X, rotation.Y, rotation.Z);
  // The matrix turns row vectors; c(i, j) is the column-vector matrix's element.
  const auto c = [&r](int i, int j) { return r.M[j][i]; };
  const double trace = c(0, 0) + c(1, 1) + c(2, 2);
  std::array<double, 4> q;  // x, y, z, w
  if (trace > 0) {
    const double s = 2 * std::sqrt(trace + 1);
    q = {(c(2, 1) - c(1, 2)) / s, (c(0, 2) - c(2, 0)) / s, (c(1, 0) - c(0, 1)) / s, s / 4};
  } else if (c(0, 0) > c(1, 1) && c(0, 0) > c(2, 2)) {
    const double s = 2 * std::sqrt(1 + c(0, 0) - c(1, 1) - c(2, 2));
    q = {s / 4, (c(0, 1) + c(1, 0)) / s, (c(0, 2) + c(2, 0)) / s, (c(2, 1) - c(1, 2)) / s};
  } else if (c(1, 1) > c(2, 2)) {
    const double s = 2 * std::sqrt(1 + c(1, 1) - c(0, 0) - c(2, 2));
    q = {(c(0, 1) + c(1, 0)) / s, s / 4, (c(1, 2) + c(2, 1)) / s, (c(0, 2) - c(2, 0)) / s};
  } else {
    const double s = 2 * std::sqrt(1 + c(2, 2) - c(0, 0) - c(1, 1));
    q = {(c(0, 2) + c(2, 0)) / s, (c(1, 2) + c(2, 1)) / s, s / 4, (c(1, 0) - c(0, 1)) / s};
  }
  const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  for (double& x : q) x /= length;
  return q;
}

namespace {

std::vector<double> Translation(const TVector& v) {
  if (v == TVector{}) return {};  // glTF's default
  return {v.X, v.Y, v.Z};
}

std::vector<double> Rotation(const TVector& angles) {
  if (angles == TVector{}) return {};
  const std::array<double, 4> q = NodeQuaternion(angles);
  return {q.begin(), q.end()};
}

// The root, each 3DO node under its parent as the node tree shows it (a parent loop opened
// where the tree opens it), and the pivot node carrying each mesh. Returns each model node's
// glTF node.
std::vector<int> AddNodes(tinygltf::Model& gltf, const TModel& model, const std::vector<int>& meshes) {
  tinygltf::Node root;
  std::string name(FileNamePart(model.FileName));
  root.name = name.substr(0, name.size() - ExtensionPart(name).size());
  if (root.name.empty()) root.name = "model";
  const double half = std::sqrt(0.5);
  root.rotation = {-half, 0, 0, half};  // -90 degrees about X: the game's Z up becomes Y up
  gltf.nodes.push_back(std::move(root));
  std::vector<int> joints;
  for (const TNode* node : model.Nodes) {
    tinygltf::Node joint;
    joint.name = node->Name;
    joint.translation = Translation(node->Position);
    joint.rotation = Rotation(node->Rotation);
    joints.push_back(static_cast<int>(gltf.nodes.size()));
    gltf.nodes.push_back(std::move(joint));
  }
  for (size_t i = 0; i < joints.size(); ++i) {
    if (meshes[i] < 0) continue;
    tinygltf::Node pivot;
    pivot.name = model.Nodes[static_cast<int>(i)]->Name + "_pivot";
    pivot.translation = Translation(model.Nodes[static_cast<int>(i)]->Pivot);
    pivot.mesh = meshes[i];
    gltf.nodes[static_cast<size_t>(joints[i])].children.push_back(static_cast<int>(gltf.nodes.size()));
    gltf.nodes.push_back(std::move(pivot));
  }
  const TTreeForest forest(TNodeIndex(model).Parents);
  for (const int i : forest.Order) {
    const int parent = forest.Parent[static_cast<size_t>(i)];
    gltf.nodes[parent < 0 ? 0 : static_cast<size_t>(joints[static_cast<size_t>(parent)])].children.push_back(
        joints[static_cast<size_t>(i)]);
  }
  return joints;
}

// The JSON of the scene, as tinygltf writes it, with the one buffer's length: tinygltf
// would copy the whole buffer to write it, so it is handed the scene without the bytes and
// told their length in its own words.
std::string SceneJson(tinygltf::Model& gltf, size_t binaryLength) {
  std::vector<unsigned char> bytes;
  if (!gltf.buffers.empty()) std::swap(bytes, gltf.buffers[0].data);
  std::ostringstream glb;
  tinygltf::TinyGLTF writer;
  const bool written = writer.WriteGltfSceneToStream(&gltf, glb, false, true);
  if (!gltf.buffers.empty()) std::swap(bytes, gltf.buffers[0].data);
  // A GLB of the JSON chunk alone: 12 bytes of header, 8 of chunk header, then the text
  // padded with spaces.
  std::string json = glb.str();
  if (!written || json.size() < 20) throw EInOutError("Cannot write the glTF scene");
  json.erase(0, 20);
  json.erase(json.find_last_not_of(' ') + 1);
  if (binaryLength) {
    const std::string empty = "\"buffers\":[{\"byteLength\":0}]";
    const size_t at = json.find(empty);
    if (at == std::string::npos) throw EInOutError("Cannot write the glTF scene");
    json.replace(at, empty.size(), "\"buffers\":[{\"byteLength\":" + std::to_string(binaryLength) + "}]");
  }
  return json;
}

void PutWord(std::string& out, uint32_t word) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
}

// A binary glTF: its header, the JSON chunk and the buffer's chunk, each padded to four
// bytes, the buffer written from where it lies.
void WriteGlb(tinygltf::Model& gltf, const std::string& path) {
  const std::vector<unsigned char> none;
  const std::vector<unsigned char>& bin = gltf.buffers.empty() ? none : gltf.buffers[0].data;
  std::string json = SceneJson(gltf, bin.size());
  json.resize((json.size() + 3) & ~size_t{3}, ' ');
  const size_t binPadded = (bin.size() + 3) & ~size_t{3};
  const uint64_t total = 12 + 8 + json.size() + (bin.empty() ? 0 : 8 + binPadded);
  if (total > UINT32_MAX) throw EInOutError("Cannot write file '" + path + "': a binary glTF holds at most 4 GiB");
  std::string head = "glTF";
  PutWord(head, 2);
  PutWord(head, static_cast<uint32_t>(total));
  PutWord(head, static_cast<uint32_t>(json.size()));
  PutWord(head, 0x4E4F534A);  // "JSON"
  TAtomicFileWriter file(path);
  file.Write(head);
  file.Write(json);
  if (!bin.empty()) {
    std::string chunk;
    PutWord(chunk, static_cast<uint32_t>(binPadded));
    PutWord(chunk, 0x004E4942);  // "BIN"
    file.Write(chunk);
    file.Write({reinterpret_cast<const char*>(bin.data()), bin.size()});
    file.Write(std::string(binPadded - bin.size(), '\0'));
  }
  file.Commit();
}

// A folder of its own beside the target, removed with whatever is left in it.
class TScratchFolder {
 public:
  explicit TScratchFolder(const fs::path& beside) {
    std::string pattern = (beside.parent_path() / ("." + beside.filename().string() + ".XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
      throw EInOutError("Cannot create file '" + beside.string() + "': " + std::strerror(errno));
    Path = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  fs::path Path;
};

// tinygltf writes the .gltf file and its buffer only straight to disk, without telling a
// failed write; it writes them in a folder of their own, and they take their places once
// they are known whole: the buffer at its full size, the text up to its last line.
void WriteGltfFiles(tinygltf::Model& gltf, const fs::path& path, const std::string& binName,
                    const std::vector<std::pair<std::string, std::string>>& pictures) {
  for (const auto& [name, png] : pictures) WriteFileAtomically((path.parent_path() / name).string(), png);
  const TScratchFolder scratch(path);
  const bool buffer = !gltf.buffers.empty();
  if (buffer) gltf.buffers[0].uri = binName;
  tinygltf::TinyGLTF writer;
  writer.SetImageWriter(nullptr, nullptr);  // the pictures are written; the images name them
  const fs::path text = scratch.Path / path.filename(), bin = scratch.Path / binName;
  const bool written = writer.WriteGltfSceneToFile(&gltf, text.string(), false, false, true, false);
  std::error_code error;
  const bool binWhole = !buffer || (fs::file_size(bin, error) == gltf.buffers[0].data.size() && !error);
  const std::string json = written && binWhole ? ReadWholeFile(text.string()) : std::string();
  if (json.size() < 2 || json.compare(json.size() - 2, 2, "}\n") != 0)
    throw EInOutError("Cannot write file '" + path.string() + "'");
  if (buffer) {
    // On disk before it takes its place, as a safe write's file is.
    const int fd = ::open(bin.c_str(), O_RDONLY);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int failure = errno;
    if (fd >= 0) ::close(fd);
    if (synced) fs::rename(bin, path.parent_path() / binName, error);
    if (!synced || error)
      throw EInOutError("Cannot write file '" + (path.parent_path() / binName).string() + "': " +
                        (synced ? error.message() : std::string(std::strerror(failure))));
  }
  WriteFileAtomically(path.string(), json);
}

void CheckKeys(const std::vector<TNamedKey>& keys) {
  for (const TNamedKey& k : keys) {
    const auto fail = [&](const std::string& why) {
      throw EInOutError("Cannot export animation '" + k.Name + "': " + why);
    };
    if (!(k.Key.Fps > 0) || !std::isfinite(k.Key.Fps)) fail("its FPS is " + FormatFloatTrim(k.Key.Fps, 3) + ", not above 0");
    if (k.Key.Frames < 1) fail("it has no frames");
  }
}

}  // namespace

void ExportGltf(TModel& model, const std::string& path, const std::vector<TNamedKey>& keys) {
  CheckKeys(keys);
  const fs::path target(path);
  const bool binary = SameText(ExtensionPart(path), ".glb");
  std::string stem = target.stem().string();
  TGltfBuilder builder;
  tinygltf::Model& gltf = builder.Gltf;
  gltf.asset.version = "2.0";
  gltf.asset.generator = GetProductName();
  TGltfMaterials materials(builder, binary ? std::string() : stem);
  const std::vector<int> meshes = AddGltfMeshes(builder, model, materials);
  const std::vector<int> joints = AddNodes(gltf, model, meshes);
  AddGltfAnimations(builder, model, keys, joints);
  tinygltf::Scene scene;
  scene.nodes = {0};
  gltf.scenes.push_back(std::move(scene));
  gltf.defaultScene = 0;
  if (gltf.buffers[0].data.empty()) gltf.buffers.clear();  // a model of no faces
  if (binary)
    WriteGlb(gltf, path);
  else
    WriteGltfFiles(gltf, target, stem + ".bin", materials.Files());
}
