#pragma once
#include <string>

#include "document/CommandResult.h"
#include "document/Core.h"
#include "model/Vector.h"

// The edits of the viewport's mouse tools and of the node tree, as plain changes of the core
// that the windows call with values worked out from the pointer (and zarn-cli with typed
// ones).

// One increment of a tool drag on the current selection, by EditMode; the core's axis locks
// apply. A value a 3DO file cannot hold refuses the whole increment with an error box and
// changes nothing (Refused). Each asks for a redraw.
// Move by the world displacement d (locked components 0): the selected vertices, or in node
// mode the selected nodes' Position. With `pivot` (Shift held) a node's origin moves while its
// geometry and direct children stay where they were: d also goes from its Pivot and from its
// children's Position.
TCommandResult MoveSelection(TCore& core, TVector d, bool pivot);
// Turn by degrees about the world axes X, Y, Z (locked ones 0): the selected nodes' Rotation
// (pitch about X, yaw about Z, roll about Y), or the vertices about their centre.
TCommandResult RotateSelection(TCore& core, TVector angles);
// Scale the selected vertices (a node's through its mesh) about their centre by the factors
// (locked ones 1).
TCommandResult ScaleSelection(TCore& core, TVector factors);

// The release of a drag: world positions, normals and radius follow the geometry. Its step
// announces what the drag changed.
void FinishToolDrag(TCore& core);
// The release of a drag that began with core.History.Begin at the press: FinishToolDrag, and
// what the whole drag changed becomes one step named after the tool.
void EndToolDrag(TCore& core, TToolMode tool);

// Reparenting in the node tree: a node may go under any node outside its own subtree, or to
// the top (null parent).
bool CanReparent(const TNode* node, const TNode* parent);
// Keeps the node's Position, Rotation and Pivot; its children go with it. Its step brings the
// hierarchy links up to date and announces the new hierarchy. False, and nothing changed,
// when the move is refused.
bool ReparentNode(TNode& node, TNode* parent);
// Why the name cannot be taken (CheckNodeName), or an empty text after the node took it.
std::string RenameNode(TNode& node, const std::string& name);
