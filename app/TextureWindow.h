#pragma once
#include <QWidget>
#include <memory>
#include <optional>

#include "editing/TextureLayout.h"

class QLabel;
class TCore;
class TMainWindow;
class TTextureCanvas;

// View > Texture Coordinates: the material of the highlighted face drawn at its size with the
// selected faces' corners and edges over it. A left drag moves a corner (vertex mode), a face
// (surface and node mode) or, started on nothing, picks the corners in a rectangle, which the
// next drag moves; every drag is one step of the history. The wheel zooms at the pointer and a
// right or middle drag pans. Faces of other materials are listed below, not drawn.
class TTextureWindow : public QWidget {
  Q_OBJECT
 public:
  TTextureWindow(TCore& core, QWidget* parent);
  ~TTextureWindow() override;

  // Reads the selection again and repaints; every change the document announces calls it.
  void Refresh();
  // Shows the whole material, as large as the window holds it.
  void FitPicture();
  TTexelView& View();
  QWidget* Canvas() const;
  QLabel* OtherFaces() const { return lblOthers; }

 private:
  TCore& Core;
  int Subscription = 0;
  TTextureCanvas* canvas;
  QLabel* lblOthers;
};

// Puts View > Texture Coordinates on the main window: it shows the window, which follows the
// document's changes.
TTextureWindow* InstallTextureWindow(TMainWindow& window, TCore& core);
