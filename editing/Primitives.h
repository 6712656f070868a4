#pragma once
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

// The dialogs of the primitives that have a size.
extern const TQueryForm kCubeQuery, kPlaneQuery, kCylinderQuery, kConeQuery, kSphereQuery;

// The Primitive menu.
void actPrimCube(TCore& core);
void actPrimPlane(TCore& core);
void actPrimCylind(TCore& core);
void actPrimCone(TCore& core);
void actPrimSphere(TCore& core);
void actPrimDummy(TCore& core);
void actPrimEmptyMesh(TCore& core);
