#pragma once
#include <QDialog>
#include <functional>

class QColorDialog;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TActionRegistry;
class TCore;
class TfraBuilder;

// The options: drawing colours and shortcuts, which change at once, and the containers
// searched for materials, which replace the core's list when the dialog closes, however
// it is closed. There is no cancel. The shortcut list holds the registry's actions;
// `coloursChanged` runs after each colour edit so that the drawing can follow.
class TfrmOptions : public QDialog {
  Q_OBJECT
 public:
  // `frame` gives the viewport frame (null before it exists), for the Game view's light.
  TfrmOptions(TCore& core, const TActionRegistry& actions, std::function<void()> coloursChanged,
              std::function<TfraBuilder*()> frame);

  // Colour of a colour row as 0x00BBGGRR; white for no row.
  unsigned EntryColor(int row) const;
  unsigned SwatchColor() const { return Swatch; }

  QListWidget* lbxColors;
  QFrame* pnlColor;
  QPushButton* btnColorEdit;
  QColorDialog* cdl;
  QListWidget* lbxShort;
  QComboBox* cbxShortcut;
  QPushButton* btnShortEdit;
  QListWidget* lbxRes;
  QLineEdit* edtRes;
  QPushButton *btnResAdd, *btnResDelete, *btnResBrowse;
  QPushButton* btnOK;

  void done(int result) override;

 private:
  QGroupBox* BuildColors();
  QGroupBox* BuildShortcuts();
  QGroupBox* BuildResources();
  void ShowSwatch(unsigned color);
  void btnColorEditClick();
  void lbxShortClick();
  void btnShortEditClick();

  TCore& Core;
  const TActionRegistry& Actions;
  std::function<void()> ColoursChanged;
  unsigned Swatch = 0xFFFFFF;
};
