#pragma once
#include <optional>
#include <string>
#include <vector>

#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;
class TFace;
struct TCameraRec;

// The Texture menu: each works on the faces the selection covers (a node's whole mesh in node
// mode, the selected surfaces in surface mode, the faces whose every corner is selected in
// vertex mode) and is one step of the history.

// The faces the Texture commands work on.
std::vector<TFace*> TextureFaces(const TCore& core);

extern const TQueryForm kTexMapViewQuery, kTexMapBoxQuery, kTexMoveQuery, kTexScaleQuery, kTexRotateQuery;

// The values read from the dialogs. Map From View's view, when not given, is the camera shown
// (Top without one); its density, when not given ("fit"), fits each face's material.
struct TMapViewAnswers {
  std::optional<std::string> View;
  std::optional<TTyped<double>> Density;
};
// Map Box's texels per unit; when not given, the density that fits the selection's largest
// extent to one material width.
struct TDensityAnswers {
  std::optional<TTyped<double>> Density;
};
struct TTexturePair {  // Move's texels, Scale's factors
  double U = 0, V = 0;
};
TMapViewAnswers ParseMapView(const TQuery& query);
TDensityAnswers ParseMapBox(const TQuery& query);
TTexturePair ParseTexMove(const TQuery& query);
TTexturePair ParseTexScale(const TQuery& query);
double ParseTexRotate(const TQuery& query);  // degrees

// The commands on the values. Map From View takes the camera the window shows, which also
// answers for Free; TexMapView is the same without windows.
TCommandResult MapFromView(TCore& core, const TCameraRec* shown, const TMapViewAnswers& answers);
TCommandResult TexMapView(TCore& core, const TMapViewAnswers& answers);
TCommandResult TexMapBox(TCore& core, const TDensityAnswers& answers);
TCommandResult TexMove(TCore& core, const TTexturePair& by);
TCommandResult TexScale(TCore& core, const TTexturePair& by);
TCommandResult TexRotate(TCore& core, const double& degrees);

// The menu's entries, each asking its dialog when it has one. Map From View asks with the view
// of the camera shown.
TCommandResult MapFromView(TCore& core, const TCameraRec* shown);
TCommandResult actTexMapView(TCore& core);
TCommandResult actTexMapBox(TCore& core);
TCommandResult actTexMapCylinder(TCore& core);
TCommandResult actTexFit(TCore& core);
TCommandResult actTexMove(TCore& core);
TCommandResult actTexScale(TCore& core);
TCommandResult actTexRotate(TCore& core);
TCommandResult actTexFlipU(TCore& core);
TCommandResult actTexFlipV(TCore& core);
