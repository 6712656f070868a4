#pragma once
#include <QDialog>
#include <QKeySequence>
#include <functional>
#include <string>
#include <vector>

#include "document/Core.h"
#include "view/GameDrawing.h"

class QColorDialog;
class QKeySequenceEdit;
class QFrame;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TActionRegistry;
class TCore;
class TViewportFrame;

// The options: drawing colours, shortcuts and the Game view's light, which change at once,
// and the containers searched for materials, which replace the core's list when the dialog
// closes with OK; then the settings file is written, so that zarn-cli sees them at once.
// Cancel (or Escape, or closing the window) takes every change of the dialog back. The
// shortcut list holds the registry's actions; `coloursChanged` runs after each colour edit
// so that the drawing can follow.
class TOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // `frame` gives the viewport frame (null before it exists), for the Game view's light.
  TOptionsDialog(TCore& core, const TActionRegistry& actions, std::function<void()> coloursChanged,
              std::function<TViewportFrame*()> frame);

  // Colour of a colour row as 0x00BBGGRR; white for no row.
  unsigned EntryColor(int row) const;
  unsigned SwatchColor() const { return Swatch; }

  QListWidget* lbxColors;
  QFrame* pnlColor;
  QPushButton* btnColorEdit;
  QColorDialog* cdl;
  QListWidget* lbxShort;
  QKeySequenceEdit* edtShortcut;
  QPushButton* btnShortEdit;
  QListWidget* lbxRes;
  QLineEdit* edtRes;
  QPushButton *btnResAdd, *btnResDelete, *btnResBrowse;
  QPushButton *btnOK, *btnCancel;

  void done(int result) override;

 private:
  QGroupBox* BuildColors();
  QGroupBox* BuildShortcuts();
  QGroupBox* BuildResources();
  void ShowSwatch(unsigned color);
  void btnColorEditClick();
  void lbxShortClick();
  void btnShortEditClick();
  // Adds the typed container to the list and empties the field; a path that is no readable
  // container is refused with a message and stays in the field to be mended.
  void btnResAddClick();
  // Puts back what the dialog found when it opened.
  void Restore();

  TCore& Core;
  const TActionRegistry& Actions;
  std::function<void()> ColoursChanged;
  std::function<TViewportFrame*()> Frame;
  // As the dialog found them.
  unsigned Was2D, Was3D;
  TColorRGB WasColors[ccCount];
  std::vector<QKeySequence> WasKeys;
  TGameLight WasLight;
  unsigned Swatch = 0xFFFFFF;
};
