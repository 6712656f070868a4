#include "editing/Actions.h"

#include "editing/ClipboardCommands.h"
#include "editing/EditCommands.h"
#include "editing/FitGameLimits.h"
#include "editing/GenerateLevelsOfDetail.h"
#include "editing/LevelsOfDetail.h"
#include "editing/NewMaterial.h"
#include "editing/Primitives.h"
#include "editing/ReduceMesh.h"
#include "editing/SaveToContainer.h"
#include "editing/SelectCommands.h"
#include "editing/TextureCommands.h"
#include "editing/TransformCommands.h"

const std::vector<TEditAction>& EditActions() {
  static const std::vector<TEditAction> actions = {
      {"actFileInsert", actFileInsert},
      {"actEditCut", actEditCut},
      {"actEditCopy", actEditCopy},
      {"actEditPaste", actEditPaste},
      {"actEditMerge", actEditMerge},
      {"actEditDelete", actEditDelete},
      {"actEditExtrudeFace", actEditExtrudeFace},
      {"actEditSplitFace", actEditSplitFace},
      {"actEditInsertVx", actEditInsertVx},
      {"actEditFlipFace", actEditFlipFace},
      {"actEditMakeSurface", actEditMakeSurface},
      {"actEditTranslate", actEditTranslate, &kTranslateQuery, Answered<ParseOffset, EditTranslate>},
      {"actEditMove", actEditMove, &kMoveQuery, Answered<ParseOffset, EditMove>},
      {"actEditRotate", actEditRotate, &kRotateQuery, Answered<ParseAround, EditRotate>},
      {"actEditScale", actEditScale, &kScaleQuery, Answered<ParseAround, EditScale>},
      {"actEditInsertOffset", actEditInsertOffset, &kInsertOffsetQuery, Answered<ParseInsertOffset, EditInsertOffset>},
      {"actSelClear", actSelClear},
      {"actSelAll", actSelAll},
      {"actSelInvert", actSelInvert},
      {"actSelParentNode", actSelParentNode},
      {"actSelChildNode", actSelChildNode},
      {"actSelNextSiblingNode", actSelNextSiblingNode},
      {"actSelPrevSiblingNode", actSelPrevSiblingNode},
      {"actViewLodAdd", actViewLodAdd},
      {"actViewLodCopy", actViewLodCopy, &kLodCopyQuery, Answered<ParseLodCopy, ViewLodCopy>},
      {"actViewLodDelete", actViewLodDelete},
      {"actPrimDummy", actPrimDummy},
      {"actPrimEmptyMesh", actPrimEmptyMesh},
      {"actPrimCube", actPrimCube, &kCubeQuery, Answered<ParseCube, PrimCube>},
      {"actPrimPlane", actPrimPlane, &kPlaneQuery, Answered<ParsePlane, PrimPlane>},
      {"actPrimCylind", actPrimCylind, &kCylinderQuery, Answered<ParseRound, PrimCylinder>},
      {"actPrimCone", actPrimCone, &kConeQuery, Answered<ParseRound, PrimCone>},
      {"actPrimSphere", actPrimSphere, &kSphereQuery, Answered<ParseSphere, PrimSphere>},
      {"actTexMapView", actTexMapView, &kTexMapViewQuery, Answered<ParseMapView, TexMapView>},
      {"actTexMapBox", actTexMapBox, &kTexMapBoxQuery, Answered<ParseMapBox, TexMapBox>},
      {"actTexMapCylinder", actTexMapCylinder},
      {"actTexFit", actTexFit},
      {"actTexMove", actTexMove, &kTexMoveQuery, Answered<ParseTexMove, TexMove>},
      {"actTexScale", actTexScale, &kTexScaleQuery, Answered<ParseTexScale, TexScale>},
      {"actTexRotate", actTexRotate, &kTexRotateQuery, Answered<ParseTexRotate, TexRotate>},
      {"actTexFlipU", actTexFlipU},
      {"actTexFlipV", actTexFlipV},
      {"actFitGameLimits", actFitGameLimits},
      {"actMeshReduce", actMeshReduce, &kReduceQuery, Answered<ParseReduce, MeshReduce>},
      {"actViewLodGenerate", actViewLodGenerate, &kLodGenerateQuery, Answered<ParseLodGenerate, ViewLodGenerate>},
      {"actFileNewMaterial", actFileNewMaterial, &kNewMaterialQuery, Answered<ParseNewMaterial, NewMaterial>},
      {"actFileSaveToContainer", actFileSaveToContainer},
  };
  return actions;
}

const TEditAction* FindEditAction(std::string_view name) {
  for (const TEditAction& action : EditActions())
    if (name == action.Name) return &action;
  return nullptr;
}
