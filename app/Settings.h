#pragma once

class TCore;
class TfrmMain;

// What the user arranged, kept between runs: both windows' places and states, the colours,
// every action's shortcut and the container list. Read at the main window's first showing,
// written when it closes; a value that cannot be used keeps its default and is reported.
void LoadSettings(TfrmMain& main, TCore& core);
void SaveSettings(const TfrmMain& main, const TCore& core);
