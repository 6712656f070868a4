#pragma once

class TCore;

// The Select menu: clear, all and invert work on the list of the current edit mode; the four
// hierarchy walks start from the first selected node.
void actSelClear(TCore& core);
void actSelAll(TCore& core);
void actSelInvert(TCore& core);
void actSelParentNode(TCore& core);
void actSelChildNode(TCore& core);
void actSelNextSiblingNode(TCore& core);
void actSelPrevSiblingNode(TCore& core);
