#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/CommandResult.h"

class TCore;

// The changes of the property panel. Each applies one value to every object of the current
// selection of its kind, in selection order, and asks for at most one redraw, so a change to
// a large selection costs one pass over it.

// The entries of the panel's lists, in item-index order.
const std::vector<std::string>& NodeTypeItems();
const std::vector<std::string>& GeometryModeItems();
const std::vector<std::string>& LightingModeItems();
const std::vector<std::string>& TextureModeItems();

enum class TNodeVector { Position, Pivot, Rotation };
enum class TRenderMode { Geometry, Lighting, Texture };
const std::vector<std::string>& RenderModeItems(TRenderMode mode);

// Node page. A vector text that is not three numbers raises EConvertError before any node
// changes; the views are redrawn in any case.
void SetNodeType(TCore& core, int itemIndex);
void SetNodeVector(TCore& core, TNodeVector which, std::string_view text);
// A name the file cannot hold is refused with an error box and changes nothing.
TCommandResult SetMeshName(TCore& core, const std::string& name);
// Nodes without a mesh are passed over.
void SetMeshMode(TCore& core, TRenderMode mode, int itemIndex);

// Surface page. The material is the model's material of that name, whatever its case; a
// name the model does not hold changes nothing (false).
bool SetSurfaceMaterial(TCore& core, std::string_view name);
void SetSurfaceMode(TCore& core, TRenderMode mode, int itemIndex);
// A text that is not a number raises EConvertError before any surface changes.
void SetSurfaceExtraLight(TCore& core, std::string_view text);
// Adds the face-type bit where it is missing, or removes it where it is set.
void SetSurfaceFlag(TCore& core, int bit, bool on);

// Why a text cannot be a mesh name, or an empty text when it can.
std::string CheckMeshName(std::string_view name);
