#pragma once
#include <vector>

#include "editing/Query.h"

class TCore;
class TFace;
struct TCameraRec;

// The Texture menu: each works on the faces the selection covers (a node's whole mesh in node
// mode, the selected surfaces in surface mode, the faces whose every corner is selected in
// vertex mode) and is one step of the history.

// The faces the Texture commands work on.
std::vector<TFace*> TextureFaces(const TCore& core);

// Map From View: its dialog names the view (Top, Front, Side or Free) and the density; the
// window passes the camera shown, which also answers for Free. Without one the view is Top.
void MapFromView(TCore& core, const TCameraRec* shown);
void actTexMapView(TCore& core);
void actTexMapBox(TCore& core);
void actTexMapCylinder(TCore& core);
void actTexFit(TCore& core);
void actTexMove(TCore& core);
void actTexScale(TCore& core);
void actTexRotate(TCore& core);
void actTexFlipU(TCore& core);
void actTexFlipV(TCore& core);

extern const TQueryForm kTexMapViewQuery, kTexMapBoxQuery, kTexMoveQuery, kTexScaleQuery, kTexRotateQuery;
