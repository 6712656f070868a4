#pragma once

#include <functional>

class QGroupBox;
class QWidget;
class TViewportFrame;
struct TGameLight;

// The options' "Game light" group: the ambient level and the light's intensity of the Game
// view mode, which change the view at once.
// `frame` gives the viewport frame, null before it exists.
QGroupBox* BuildGameLightBox(QWidget* parent, std::function<TViewportFrame*()> frame);

// The game light kept in the settings between runs; a stored value that is not a number in
// range keeps the default.
TGameLight LoadGameLight();
void SaveGameLight(const TGameLight& light);
