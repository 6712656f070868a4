#pragma once

class QGroupBox;
class QWidget;
class TfrmMain;

// The options' "Game light" group: the ambient level and the light's intensity of the Game
// view mode, which change the view at once.
QGroupBox* BuildGameLightBox(QWidget* parent, TfrmMain& main);
