#pragma once
#include <functional>

class TActionRegistry;
class TCore;
struct TCameraRec;
class TViewportFrame;
class TNodeTreeView;
class TPropertyPanel;

// The Edit, Select and Primitive menus and File > Insert... run the editing commands, each as
// one step of the history named by its menu entry.
// `shownCamera` gives the camera the views show (null before they exist), which Map From View
// maps from.
void InstallEditCommands(TActionRegistry& actions, TCore& core, std::function<const TCameraRec*()> shownCamera);
// Puts the node tree into the frame's right-hand panel and lets the frame's tree requests
// reach it.
TNodeTreeView* InstallNodeTree(TViewportFrame& frame, TCore& core);
// Puts the property panel below the node tree and lets the frame's property requests and
// edit-mode changes reach it.
TPropertyPanel* InstallPropertyPanel(TViewportFrame& frame, TCore& core);
