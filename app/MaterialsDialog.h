#pragma once
#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;
class TCore;
class TMaterial;

// The materials dialog: browses the material files of the model's folder, its "Mat" folder
// and the listed containers, previews them, adds them to the model's material list, deletes
// project materials and picks one. Adding and deleting change the model at once, each as one
// step of the history.
class TMaterialsDialog : public QDialog {
  Q_OBJECT

 public:
  TMaterialsDialog(TCore& core, QWidget* parent = nullptr);

  // True when closed with OK; `chosenName` is then the selected project material's name, or
  // empty when none is selected. On Cancel it is `initialName`, whatever was added or deleted.
  static bool Execute(TCore& core, const std::string& initialName, std::string& chosenName,
                      QWidget* parent = nullptr);
  // Keeps the dialog's size in the settings for the next time.
  void done(int result) override;

  QListWidget* lbxCatResMat;
  QListWidget* lbxResMat;
  QListWidget* lbxProjMat;
  QScrollArea* ScrollBox1;
  QLabel* imgPreview;
  QLabel* lblName;
  QLabel* lblSize;
  QLabel* lblBits;
  QLabel* lblCel;
  QPushButton* btnPrevCel;
  QPushButton* btnNextCel;
  QPushButton* btnZoom;  // checked: the picture at its own size
  QPushButton* btnAdd;
  QPushButton* btnDelete;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QTimer* tmrResMat;

 protected:
  // The preview follows the dialog's size.
  void resizeEvent(QResizeEvent* event) override;

 private slots:
  void lbxCatResMatClick();
  void lbxResMatClick();
  void tmrResMatTimer();
  void lbxProjMatClick();
  void btnAddClick();
  void btnDeleteClick();
  // The previewed material's cel `by` steps on, read anew; the model's materials keep theirs.
  void StepCel(int by);

 private:
  void BuildControls();
  void BuildLists();
  void BuildPreview();
  void BuildButtons();
  void LayOut(QLabel* available, QLabel* project);
  // Every material of the model, with the row named `select` (any case) selected, if any.
  void FillProjectList(const std::string& select);
  void ShowMaterial(const TMaterial& material);
  void ShowPicture(const TMaterial& material);
  void ShowPictureScaled();
  // A material without pixels shows its name in a framed box instead of a picture.
  void ShowPlaceholder(const TMaterial& material);
  static void FillSorted(QListWidget* list, std::vector<std::string> names);

  TCore& Core;
  std::string ShownName;  // the previewed material, and its cel
  int ShownCel = 0;
  QImage Picture;  // the previewed picture at its own size; null for none
};
