#pragma once
#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;
class TModel;
class TNode;

// Ready-made geometry, each a new root node at the end of the model with its own mesh,
// built around the node's origin. Sizes are single precision, as the user typed them.
TNode* BuildCube(TModel& model, float size);
TNode* BuildPlane(TModel& model, int subdivideX, int subdivideY, float size);
TNode* BuildCylinder(TModel& model, int sides, float height, float radius);
TNode* BuildCone(TModel& model, int sides, float height, float radius);
// Segments round the vertical axis, rings from pole to pole: quads, and triangles at the poles.
TNode* BuildSphere(TModel& model, int segments, int rings, float radius);

// The dialogs of the primitives that have a size, and the values read from them.
extern const TQueryForm kCubeQuery, kPlaneQuery, kCylinderQuery, kConeQuery, kSphereQuery;
struct TCubeAnswers {
  TTyped<double> Size;
};
struct TPlaneAnswers {
  TTyped<double> Size;
  TTyped<int> SubdivideX, SubdivideY;
};
struct TRoundAnswers {  // a cylinder or a cone
  TTyped<double> Size, Radius;
  TTyped<int> Sides;
};
struct TSphereAnswers {
  TTyped<double> Radius;
  TTyped<int> Segments, Rings;
};
TCubeAnswers ParseCube(const TQuery& query);
TPlaneAnswers ParsePlane(const TQuery& query);
TRoundAnswers ParseRound(const TQuery& query);
TSphereAnswers ParseSphere(const TQuery& query);

// Each makes its shape of the values as a new selected root node, or refuses values that make
// no shape or too large a one.
TCommandResult PrimCube(TCore& core, const TCubeAnswers& answers);
TCommandResult PrimPlane(TCore& core, const TPlaneAnswers& answers);
TCommandResult PrimCylinder(TCore& core, const TRoundAnswers& answers);
TCommandResult PrimCone(TCore& core, const TRoundAnswers& answers);
TCommandResult PrimSphere(TCore& core, const TSphereAnswers& answers);

// The Primitive menu: each asks its dialog, then makes its shape.
TCommandResult actPrimCube(TCore& core);
TCommandResult actPrimPlane(TCore& core);
TCommandResult actPrimCylind(TCore& core);
TCommandResult actPrimCone(TCore& core);
TCommandResult actPrimSphere(TCore& core);
TCommandResult actPrimDummy(TCore& core);
TCommandResult actPrimEmptyMesh(TCore& core);
