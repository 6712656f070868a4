#include "editing/TextureCommands.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>

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

// The faces, or an error box saying there are none.
bool HaveFaces(TCore& core, const std::vector<TFace*>& faces) {
  if (!faces.empty()) return true;
  core.Refuse("Select the surfaces (or nodes) to map first");
  return false;
}

// Runs a change of the coordinates and keeps it only when every result is a number a 3DO
// file can hold; otherwise puts every coordinate back and says why.
bool ChangeChecked(TCore& core, const std::vector<TFace*>& faces, const std::string& doer,
                   const std::function<void()>& change) {
  std::vector<TTXVertices> saved;
  saved.reserve(faces.size());
  for (const TFace* face : faces) saved.push_back(face->TXVertices);
  change();
  for (const TFace* face : faces)
    for (const TTXVertex& t : face->TXVertices)
      if (!std::isfinite(t.U) || !std::isfinite(t.V) || std::fabs(t.U) > FLT_MAX || std::fabs(t.V) > FLT_MAX) {
        for (size_t i = 0; i < faces.size(); ++i) faces[i]->TXVertices = std::move(saved[i]);
        core.Refuse(doer + " would put texture coordinates beyond the range a 3DO file can hold");
        return false;
      }
  return true;
}

// A typed density: above zero, or refused with an error box.
bool Density(TCore& core, const TQuery& query, double& density) {
  density = query.Float("Density");
  if (density > 0) return true;
  core.Refuse("Density=" + query.Value("Density") + " maps nothing: it must be above 0");
  return false;
}

int ViewKind(const std::string& name) {
  for (int kind = 0; kind < 4; ++kind)
    if (SameText(name, kViewNames[kind])) return kind;
  return -1;
}

// The faces of a simple command without a dialog, with the change made on them.
void Simple(TCore& core, const char* doer, const std::function<void(const std::vector<TFace*>&, TTexelSizes&)>& change) {
  const std::vector<TFace*> faces = TextureFaces(core);
  if (!HaveFaces(core, faces)) return;
  core.Model->UpdateWorld();
  TTexelSizes sizes;
  ChangeChecked(core, faces, doer, [&] { change(faces, sizes); });
  sizes.Report(core.Services);
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

void MapFromView(TCore& core, const TCameraRec* shown) {
  const std::vector<TFace*> faces = TextureFaces(core);
  if (!HaveFaces(core, faces)) return;
  TQuery query(kTexMapViewQuery);
  query.Set("View", shown && shown->Kind < 4 ? kViewNames[shown->Kind] : "Top");
  if (!query.Ask(core)) return;
  const int kind = ViewKind(query.Value("View"));
  if (kind < 0 || (kind == 3 && !(shown && shown->Kind == 3))) {
    core.Refuse("View=" + query.Value("View") +
                            (kind < 0 ? " is not a view: Top, Front, Side or Free" : " needs the Free camera shown"));
    return;
  }
  double density = 0;
  if (!SameText(query.Value("Density"), "fit") && !Density(core, query, density)) return;
  core.Model->UpdateWorld();
  const TPicturePlane plane = kind == 3 ? CameraPlane(*shown) : FixedViewPlane(kind);
  TTexelSizes sizes;
  ChangeChecked(core, faces, "Map From View", [&] { MapPlanar(faces, plane, density, sizes); });
  sizes.Report(core.Services);
}

void actTexMapView(TCore& core) { MapFromView(core, nullptr); }

void actTexMapBox(TCore& core) {
  const std::vector<TFace*> faces = TextureFaces(core);
  if (!HaveFaces(core, faces)) return;
  core.Model->UpdateWorld();
  TTexelSizes sizes;
  const double fitting = FittingDensity(faces, sizes);
  // Corners all at one point face no camera and have no extent to fit, whatever the density.
  if (!(fitting > 0)) {
    core.Refuse("The selected faces have no extent to map");
    return;
  }
  TQuery query(kTexMapBoxQuery);
  query.Set("Density", FormatG(fitting));
  if (!query.Ask(core)) return;
  double density = 0;
  if (!Density(core, query, density)) return;
  ChangeChecked(core, faces, "Map Box", [&] { MapBox(faces, density); });
  sizes.Report(core.Services);
}

void actTexMapCylinder(TCore& core) {
  Simple(core, "Map Cylinder", [](const std::vector<TFace*>& faces, TTexelSizes& sizes) { MapCylinder(faces, sizes); });
}

void actTexFit(TCore& core) {
  Simple(core, "Fit to Material",
         [](const std::vector<TFace*>& faces, TTexelSizes& sizes) { FitToMaterial(faces, sizes); });
}

void actTexMove(TCore& core) {
  TQuery query(kTexMoveQuery);
  if (TextureFaces(core).empty()) return void(HaveFaces(core, {}));
  if (!query.Ask(core)) return;
  const double du = query.Float("DU"), dv = query.Float("DV");
  Simple(core, "Move Texture", [&](const std::vector<TFace*>& faces, TTexelSizes&) { MoveTexture(faces, du, dv); });
}

void actTexScale(TCore& core) {
  TQuery query(kTexScaleQuery);
  if (TextureFaces(core).empty()) return void(HaveFaces(core, {}));
  if (!query.Ask(core)) return;
  const double su = query.Float("SU"), sv = query.Float("SV");
  Simple(core, "Scale Texture", [&](const std::vector<TFace*>& faces, TTexelSizes&) { ScaleTexture(faces, su, sv); });
}

void actTexRotate(TCore& core) {
  TQuery query(kTexRotateQuery);
  if (TextureFaces(core).empty()) return void(HaveFaces(core, {}));
  if (!query.Ask(core)) return;
  const double degrees = query.Float("Degrees");
  Simple(core, "Rotate Texture",
         [&](const std::vector<TFace*>& faces, TTexelSizes&) { RotateTexture(faces, degrees); });
}

void actTexFlipU(TCore& core) {
  Simple(core, "Flip U", [](const std::vector<TFace*>& faces, TTexelSizes&) { FlipTexture(faces, true); });
}

void actTexFlipV(TCore& core) {
  Simple(core, "Flip V", [](const std::vector<TFace*>& faces, TTexelSizes&) { FlipTexture(faces, false); });
}
