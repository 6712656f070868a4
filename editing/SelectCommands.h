#pragma once

#include "document/CommandResult.h"

class TCore;

// The Select menu: clear, all and invert work on the list of the current edit mode; the four
// hierarchy walks start from the first selected node.
TCommandResult actSelClear(TCore& core);
TCommandResult actSelAll(TCore& core);
TCommandResult actSelInvert(TCore& core);
TCommandResult actSelParentNode(TCore& core);
TCommandResult actSelChildNode(TCore& core);
TCommandResult actSelNextSiblingNode(TCore& core);
TCommandResult actSelPrevSiblingNode(TCore& core);
