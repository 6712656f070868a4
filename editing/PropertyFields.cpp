#include "editing/PropertyFields.h"

#include <algorithm>

#include "editing/NameCheck.h"
#include "editing/PropertyEdits.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

// A list entry by its text (any case) or by its index.
int ItemIndex(const std::vector<std::string>& items, const std::string& value) {
  for (size_t i = 0; i < items.size(); ++i)
    if (SameText(items[i], value)) return static_cast<int>(i);
  if (value.size() == 1 && value[0] >= '0' && value[0] < static_cast<char>('0' + items.size())) return value[0] - '0';
  std::string known;
  for (const std::string& item : items) known += (known.empty() ? "\"" : ", \"") + item + "\"";
  throw EConvertError("'" + value + "' is none of " + known);
}

bool CheckBoxValue(const std::string& value) {
  if (value == "0" || value == "1") return value == "1";
  throw EConvertError("'" + value + "' is not 0 or 1");
}

// The command line takes vectors with commas too, where a shell would split at blanks.
std::string VectorText(std::string value) {
  std::replace(value.begin(), value.end(), ',', ' ');
  return value;
}

TPropertyField NodeVector(const char* name, TNodeVector which) {
  return {name, emNode, "X,Y,Z", [which](TCore& core, const std::string& value) {
            SetNodeVector(core, which, VectorText(value));
            return TCommandResult{};
          }};
}

TPropertyField Mode(const char* name, TEditMode page, TRenderMode mode, const char* values) {
  return {name, page, values, [page, mode](TCore& core, const std::string& value) {
            const int index = ItemIndex(RenderModeItems(mode), value);
            page == emNode ? SetMeshMode(core, mode, index) : SetSurfaceMode(core, mode, index);
            return TCommandResult{};
          }};
}

TPropertyField Flag(const char* name, int bit) {
  return {name, emSurface, "0 or 1", [bit](TCore& core, const std::string& value) {
            SetSurfaceFlag(core, bit, CheckBoxValue(value));
            return TCommandResult{};
          }};
}

constexpr const char* kGeo = "None, Vertex, Wireframe, Solid or Texture";
constexpr const char* kLight = "Full, None, Diffuse or Gouraud";
constexpr const char* kTex = "Affine, Perspective Corrected or Perspective";

}  // namespace

const std::vector<TPropertyField>& PropertyFields() {
  static const std::vector<TPropertyField> fields = {
      {"Type", emNode, "Lower Body, Upper Body (dflt), Left Leg, Left Arm, Right Leg, Right Arm or Head",
       [](TCore& core, const std::string& value) {
         SetNodeType(core, ItemIndex(NodeTypeItems(), value));
         return TCommandResult{};
       }},
      NodeVector("Position", TNodeVector::Position),
      NodeVector("Pivot", TNodeVector::Pivot),
      NodeVector("Rotation", TNodeVector::Rotation),
      {"MeshName", emNode, "a name of at most 31 characters",
       [](TCore& core, const std::string& value) { return SetMeshName(core, value); }},
      Mode("Geo", emNode, TRenderMode::Geometry, kGeo),
      Mode("Light", emNode, TRenderMode::Lighting, kLight),
      Mode("Tex", emNode, TRenderMode::Texture, kTex),
      {"Material", emSurface, "a material of the model",
       [](TCore& core, const std::string& value) {
         if (const std::string refusal = CheckMaterialName(value); !refusal.empty())
           return Refuse(core.Services, refusal);
         if (SetSurfaceMaterial(core, value)) return TCommandResult{};
         return Refuse(core.Services,
                       "The model has no material '" + value + "' (add it with material:add:" + value + ")");
       }},
      Mode("Geo", emSurface, TRenderMode::Geometry, kGeo),
      Mode("Light", emSurface, TRenderMode::Lighting, kLight),
      Mode("Tex", emSurface, TRenderMode::Texture, kTex),
      {"Extralight", emSurface, "a number",
       [](TCore& core, const std::string& value) {
         SetSurfaceExtraLight(core, value);
         return TCommandResult{};
       }},
      Flag("TwoSided", ftTwoSided),
      Flag("Translucent", ftTranslucent),
      Flag("Collides", ftCollides),
  };
  return fields;
}

const TPropertyField* FindPropertyField(TEditMode mode, const std::string& name) {
  for (const TPropertyField& field : PropertyFields())
    if (field.Mode == mode && SameText(field.Name, name)) return &field;
  return nullptr;
}
