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
      {"actEditTranslate", actEditTranslate, &kTranslateQuery},
      {"actEditMove", actEditMove, &kMoveQuery},
      {"actEditRotate", actEditRotate, &kRotateQuery},
      {"actEditScale", actEditScale, &kScaleQuery},
      {"actEditInsertOffset", actEditInsertOffset, &kInsertOffsetQuery},
      {"actSelClear", actSelClear},
      {"actSelAll", actSelAll},
      {"actSelInvert", actSelInvert},
      {"actSelParentNode", actSelParentNode},
      {"actSelChildNode", actSelChildNode},
      {"actSelNextSiblingNode", actSelNextSiblingNode},
      {"actSelPrevSiblingNode", actSelPrevSiblingNode},
      {"actViewLodAdd", actViewLodAdd},
      {"actViewLodCopy", actViewLodCopy, &kLodCopyQuery},
      {"actViewLodDelete", actViewLodDelete},
      {"actPrimDummy", actPrimDummy},
      {"actPrimEmptyMesh", actPrimEmptyMesh},
      {"actPrimCube", actPrimCube, &kCubeQuery},
      {"actPrimPlane", actPrimPlane, &kPlaneQuery},
      {"actPrimCylind", actPrimCylind, &kCylinderQuery},
      {"actPrimCone", actPrimCone, &kConeQuery},
      {"actPrimSphere", actPrimSphere, &kSphereQuery},
      {"actTexMapView", actTexMapView, &kTexMapViewQuery},
      {"actTexMapBox", actTexMapBox, &kTexMapBoxQuery},
      {"actTexMapCylinder", actTexMapCylinder},
      {"actTexFit", actTexFit},
      {"actTexMove", actTexMove, &kTexMoveQuery},
      {"actTexScale", actTexScale, &kTexScaleQuery},
      {"actTexRotate", actTexRotate, &kTexRotateQuery},
      {"actTexFlipU", actTexFlipU},
      {"actTexFlipV", actTexFlipV},
      {"actFitGameLimits", actFitGameLimits},
      {"actMeshReduce", actMeshReduce, &kReduceQuery},
      {"actViewLodGenerate", actViewLodGenerate, &kLodGenerateQuery},
      {"actFileNewMaterial", actFileNewMaterial, &kNewMaterialQuery},
      {"actFileSaveToContainer", actFileSaveToContainer},
  };
  return actions;
}

const TEditAction* FindEditAction(std::string_view name) {
  for (const TEditAction& action : EditActions())
    if (name == action.Name) return &action;
  return nullptr;
}
