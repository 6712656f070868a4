#pragma once
#include <functional>

class QMenu;
class TActionRegistry;

// Wireframe, Shaded, Textured and Game on the View menu as one choice, the mode of the shown
// camera checked whenever the menu opens (each camera keeps its own mode).
void InstallViewModeChecks(QMenu& view, const TActionRegistry& actions, std::function<int()> shownMode);
