#include "editing/TextureCommands.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>

#include "editing/Answers.h"
#include "editing/TextureSpace.h"
#include "camera/Camera.h"
#include "model/Convert.h"
#include "document/Core.h"
#include "model/Text.h"

namespace {

constexpr TQueryField kMapViewFields[] = {
    {"View", nullptr, "the camera shown: Top, Front, Side or Free (Top without windows)", "Top|Front|Side|Free"},
    {"Density", "fit"}};
constexpr TQueryField kMapBoxFields[] = {
    {"Density", nullptr, "texels per unit that fit the selection's largest extent to one material width"}};
constexpr TQueryField kMoveFields[] = {{"DU", "0"}, {"DV", "0"}};
constexpr TQueryField kScaleFields[] = {{"SU", "1"}, {"SV", "1"}};
constexpr TQueryField kRotateFields[] = {{"Degrees", "90"}};

const char* const kViewNames[4] = {"Top", "Front", "Side", "Free"};

// Done with faces, or an error box saying there are none.
TCommandResult HaveFaces(TCore& core, const std::vector<TFace*>& faces) {
  if (!faces.empty()) return {};
  return Refuse(core.Services, "Select the surfaces (or nodes) to map first");
}

// Before a dialog opens: there must be faces to work on.
TCommandResult PrepareFaces(TCore& core, TQuery&) { return HaveFaces(core, TextureFaces(core)); }

// Runs a change of the coordinates and keeps it only when every result is a number a 3DO
// file can hold; otherwise puts every coordinate back and says why.
TCommandResult ChangeChecked(TCore& core, const std::vector<TFace*>& faces, const std::string& doer,
                             const std::function<void()>& change) {
  std::vector<TTXVertices> saved;
  saved.reserve(faces.size());
  for (const TFace* face : faces) saved.push_back(face->TXVertices);
  change();
  for (const TFace* face : faces)
    for (const TTXVertex& t : face->TXVertices)
      if (!std::isfinite(t.U) || !std::isfinite(t.V) || std::fabs(t.U) > FLT_MAX || std::fabs(t.V) > FLT_MAX) {
        for (size_t i = 0; i < faces.size(); ++i) faces[i]->TXVertices = std::move(saved[i]);
        return Refuse(core.Services, doer + " would put texture coordinates beyond the range a 3DO file can hold");
      }
  return {};
}

// A typed density must be above zero.
TCommandResult CheckDensity(TCore& core, const TTyped<double>& density) {
  if (density.Value > 0) return {};
  return Refuse(core.Services, "Density=" + density.Text + " maps nothing: it must be above 0");
}

int ViewKind(const std::string& name) {
  for (int kind = 0; kind < 4; ++kind)
    if (SameText(name, kViewNames[kind])) return kind;
  return -1;
}

// The faces of a simple command, with the change made on them.
TCommandResult Simple(TCore& core, const char* doer,
                      const std::function<void(const std::vector<TFace*>&, TTexelSizes&)>& change) {
  const std::vector<TFace*> faces = TextureFaces(core);
  if (TCommandResult none = HaveFaces(core, faces); !none.Succeeded()) return none;
  core.Model->UpdateWorld();
  TTexelSizes sizes;
  TCommandResult changed = ChangeChecked(core, faces, doer, [&] { change(faces, sizes); });
  sizes.Report(core.Services);
  return changed;
}

// Map Box's faces and the density that fits their largest extent, or the refusal when there
// are none or they have no extent.
TCommandResult BoxFaces(TCore& core, std::vector<TFace*>& faces, TTexelSizes& sizes, double& fitting) {
  faces = TextureFaces(core);
  if (TCommandResult none = HaveFaces(core, faces); !none.Succeeded()) return none;
  core.Model->UpdateWorld();
  fitting = FittingDensity(faces, sizes);
  // Corners all at one point face no camera and have no extent to fit, whatever the density.
  if (!(fitting > 0)) return Refuse(core.Services, "The selected faces have no extent to map");
  return {};
}

TCommandResult PrepareMapBox(TCore& core, TQuery& query) {
  std::vector<TFace*> faces;
  TTexelSizes sizes;
  double fitting = 0;
  TCommandResult found = BoxFaces(core, faces, sizes, fitting);
  if (found.Succeeded()) query.Set("Density", FormatG(fitting));
  return found;
}

}  // namespace

const TQueryForm kTexMapViewQuery = {"Map From View", kMapViewFields};
const TQueryForm kTexMapBoxQuery = {"Map Box", kMapBoxFields};
const TQueryForm kTexMoveQuery = {"Move Texture", kMoveFields};
const TQueryForm kTexScaleQuery = {"Scale Texture", kScaleFields};
const TQueryForm kTexRotateQuery = {"Rotate Texture", kRotateFields};

std::vector<TFace*> TextureFaces(const TCore& core) {
  if (core.EditMode != emVertex) {
    TSurfaces list;
    core.GetSelectedSurfaces(list);
    return list.Raw();
  }
  std::vector<TFace*> faces;
  std::vector<TMesh*> meshes;
  for (const TVertex* v : core.Vertices)
    if (std::find(meshes.begin(), meshes.end(), v->Mesh) == meshes.end()) meshes.push_back(v->Mesh);
  for (TMesh* mesh : meshes)
    for (TFace* face : mesh->Surfaces) {
      bool all = face->Vertices.Count() > 0;
      for (const TVertex* v : face->Vertices) all = all && core.Vertices.Contains(v);
      if (all) faces.push_back(face);
    }
  return faces;
}

TMapViewAnswers ParseMapView(const TQuery& query) {
  TMapViewAnswers a;
  if (query.Has("View")) a.View = query.Value("View");
  if (!SameText(query.Value("Density"), "fit")) a.Density = query.TypedFloat("Density");
  return a;
}

TDensityAnswers ParseMapBox(const TQuery& query) {
  if (!query.Has("Density")) return {};
  return {query.TypedFloat("Density")};
}

TTexturePair ParseTexMove(const TQuery& query) { return {query.Float("DU"), query.Float("DV")}; }
TTexturePair ParseTexScale(const TQuery& query) { return {query.Float("SU"), query.Float("SV")}; }
double ParseTexRotate(const TQuery& query) { return query.Float("Degrees"); }

TCommandResult MapFromView(TCore& core, const TCameraRec* shown, const TMapViewAnswers& a) {
  const std::vector<TFace*> faces = TextureFaces(core);
  if (TCommandResult none = HaveFaces(core, faces); !none.Succeeded()) return none;
  const std::string view = a.View.value_or(shown && shown->Kind < 4 ? kViewNames[shown->Kind] : "Top");
  const int kind = ViewKind(view);
  if (kind < 0 || (kind == 3 && !(shown && shown->Kind == 3)))
    return Refuse(core.Services, "View=" + view + (kind < 0 ? " is not a view: Top, Front, Side or Free"
                                                             : " needs the Free camera shown"));
  if (a.Density)
    if (TCommandResult refused = CheckDensity(core, *a.Density); !refused.Succeeded()) return refused;
  const double density = a.Density ? a.Density->Value : 0;
  core.Model->UpdateWorld();
  const TPicturePlane plane = kind == 3 ? CameraPlane(*shown) : FixedViewPlane(kind);
  TTexelSizes sizes;
  TCommandResult mapped = ChangeChecked(core, faces, "Map From View", [&] { MapPlanar(faces, plane, density, sizes); });
  sizes.Report(core.Services);
  return mapped;
}

TCommandResult TexMapView(TCore& core, const TMapViewAnswers& answers) { return MapFromView(core, nullptr, answers); }

TCommandResult TexMapBox(TCore& core, const TDensityAnswers& a) {
  std::vector<TFace*> faces;
  TTexelSizes sizes;
  double fitting = 0;
  if (TCommandResult found = BoxFaces(core, faces, sizes, fitting); !found.Succeeded()) return found;
  const TTyped<double> density = a.Density.value_or(TTyped<double>{fitting, FormatG(fitting)});
  if (TCommandResult refused = CheckDensity(core, density); !refused.Succeeded()) return refused;
  TCommandResult mapped = ChangeChecked(core, faces, "Map Box", [&] { MapBox(faces, density.Value); });
  sizes.Report(core.Services);
  return mapped;
}

TCommandResult TexMove(TCore& core, const TTexturePair& by) {
  return Simple(core, "Move Texture",
                [&](const std::vector<TFace*>& faces, TTexelSizes&) { MoveTexture(faces, by.U, by.V); });
}

TCommandResult TexScale(TCore& core, const TTexturePair& by) {
  return Simple(core, "Scale Texture",
                [&](const std::vector<TFace*>& faces, TTexelSizes&) { ScaleTexture(faces, by.U, by.V); });
}

TCommandResult TexRotate(TCore& core, const double& degrees) {
  return Simple(core, "Rotate Texture",
                [&](const std::vector<TFace*>& faces, TTexelSizes&) { RotateTexture(faces, degrees); });
}

TCommandResult MapFromView(TCore& core, const TCameraRec* shown) {
  if (TCommandResult none = HaveFaces(core, TextureFaces(core)); !none.Succeeded()) return none;
  TQuery query(kTexMapViewQuery);
  query.Set("View", shown && shown->Kind < 4 ? kViewNames[shown->Kind] : "Top");
  if (!query.Ask(core)) return TCommandResult::Unchanged();
  return MapFromView(core, shown, ParseMapView(query));
}

TCommandResult actTexMapView(TCore& core) { return MapFromView(core, nullptr); }

TCommandResult actTexMapBox(TCore& core) {
  return AskAndRun(core, kTexMapBoxQuery, ParseMapBox, TexMapBox, PrepareMapBox);
}

TCommandResult actTexMapCylinder(TCore& core) {
  return Simple(core, "Map Cylinder",
                [](const std::vector<TFace*>& faces, TTexelSizes& sizes) { MapCylinder(faces, sizes); });
}

TCommandResult actTexFit(TCore& core) {
  return Simple(core, "Fit to Material",
                [](const std::vector<TFace*>& faces, TTexelSizes& sizes) { FitToMaterial(faces, sizes); });
}

TCommandResult actTexMove(TCore& core) { return AskAndRun(core, kTexMoveQuery, ParseTexMove, TexMove, PrepareFaces); }

TCommandResult actTexScale(TCore& core) {
  return AskAndRun(core, kTexScaleQuery, ParseTexScale, TexScale, PrepareFaces);
}

TCommandResult actTexRotate(TCore& core) {
  return AskAndRun(core, kTexRotateQuery, ParseTexRotate, TexRotate, PrepareFaces);
}

TCommandResult actTexFlipU(TCore& core) {
  return Simple(core, "Flip U", [](const std::vector<TFace*>& faces, TTexelSizes&) { FlipTexture(faces, true); });
}

TCommandResult actTexFlipV(TCore& core) {
  return Simple(core, "Flip V", [](const std::vector<TFace*>& faces, TTexelSizes&) { FlipTexture(faces, false); });
}
