#pragma once
#include <QRect>

// Where the main window opens before any settings were kept: 1024 x 768, or the primary
// screen's free area where that is smaller, in the middle of that area.
QRect FirstWindowBounds();
