#pragma once

class TCore;
class TfraBuilder;
class TfrmMain;
class TNodeTreeView;

// The Edit, Select and Primitive menus and File > Insert... run the editing commands.
void InstallEditCommands(TfrmMain& window, TCore& core);
// Puts the node tree into the frame's right-hand panel and lets the frame's tree requests
// reach it.
TNodeTreeView* InstallNodeTree(TfraBuilder& frame, TCore& core);
