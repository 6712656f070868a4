#pragma once
#include <string>

// What tells the panes of the four-view layout apart; both draw in the pixels of the pane
// whose viewport is set, with the caller's 2D projection (Setup2D).

// The camera's name in the pane's top-left corner, white or black, whichever stands out more
// from the background (red, green and blue from 0 to 1).
void DrawPaneName(const std::string& name, int height, float backR, float backG, float backB);
// A band round the edge of the pane, marking the camera that the mouse, the keys and the
// menus act on.
void DrawActivePaneFrame(int width, int height);
