#include "editing/PropertyEdits.h"

#include "editing/NameCheck.h"
#include "model/Convert.h"
#include "document/Core.h"

const std::vector<std::string>& NodeTypeItems() {
  static const std::vector<std::string> items = {"Lower Body", "Upper Body (dflt)", "Left Leg", "Left Arm",
                                                 "Right Leg",  "Right Arm",         "Head"};
  return items;
}

const std::vector<std::string>& GeometryModeItems() {
  static const std::vector<std::string> items = {"None", "Vertex", "Wireframe", "Solid", "Texture"};
  return items;
}

const std::vector<std::string>& LightingModeItems() {
  static const std::vector<std::string> items = {"Full", "None", "Diffuse", "Gouraud"};
  return items;
}

const std::vector<std::string>& TextureModeItems() {
  static const std::vector<std::string> items = {"Affine", "Perspective Corrected", "Perspective"};
  return items;
}

const std::vector<std::string>& RenderModeItems(TRenderMode mode) {
  switch (mode) {
    case TRenderMode::Geometry: return GeometryModeItems();
    case TRenderMode::Lighting: return LightingModeItems();
    case TRenderMode::Texture: break;
  }
  return TextureModeItems();
}

namespace {

template <class T>
int& ModeField(T& object, TRenderMode mode) {
  switch (mode) {
    case TRenderMode::Geometry: return object.GeometryMode;
    case TRenderMode::Lighting: return object.LightingMode;
    case TRenderMode::Texture: break;
  }
  return object.TextureMode;
}

TVector& VectorField(TNode& node, TNodeVector which) {
  switch (which) {
    case TNodeVector::Position: return node.Position;
    case TNodeVector::Pivot: return node.Pivot;
    case TNodeVector::Rotation: break;
  }
  return node.Rotation;
}

}  // namespace

void SetNodeType(TCore& core, int itemIndex) {
  const int type = IndexToNodeType(itemIndex);
  for (TNode* node : core.Nodes) node->NodeType = type;
}

void SetNodeVector(TCore& core, TNodeVector which, std::string_view text) {
  struct TRedrawAtEnd {
    TCore& Core;
    ~TRedrawAtEnd() { Core.Changed(chGeometry); }
  } redraw{core};
  // Every node reads the same text, so a text that fails fails before the first node.
  const TVector value = TextToVector(text);
  for (TNode* node : core.Nodes) VectorField(*node, which) = value;
}

TCommandResult SetMeshName(TCore& core, const std::string& name) {
  if (const std::string refusal = CheckMeshName(name); !refusal.empty()) return Refuse(core.Services, refusal);
  for (TNode* node : core.Nodes)
    if (node->Mesh) {
      node->Mesh->Name = name;
      node->Mesh->Touch();
    }
  return {};
}

void SetMeshMode(TCore& core, TRenderMode mode, int itemIndex) {
  for (TNode* node : core.Nodes)
    if (node->Mesh) {
      ModeField(*node->Mesh, mode) = itemIndex;
      node->Mesh->Touch();
    }
}

bool SetSurfaceMaterial(TCore& core, std::string_view name) {
  TMaterial* material = core.Model->Materials.Find(name);
  if (material)
    for (TFace* face : core.Surfaces) {
      face->Material = material;
      face->Mesh->Touch();
    }
  return material != nullptr;
}

void SetSurfaceMode(TCore& core, TRenderMode mode, int itemIndex) {
  for (TFace* face : core.Surfaces) {
    ModeField(*face, mode) = itemIndex;
    face->Mesh->Touch();
  }
}

void SetSurfaceExtraLight(TCore& core, std::string_view text) {
  const float value = static_cast<float>(StrToFloat(text));
  for (TFace* face : core.Surfaces) {
    face->ExtraLight = value;
    face->Mesh->Touch();
  }
}

void SetSurfaceFlag(TCore& core, int bit, bool on) {
  for (TFace* face : core.Surfaces)
    if (face->HasFlag(bit) != on) {
      face->FaceType += on ? bit : -bit;
      face->Mesh->Touch();
    }
}

std::string CheckMeshName(std::string_view name) { return CheckName(name, "mesh", true); }
