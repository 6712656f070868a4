#pragma once
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;
class TCore;

// The property panel `TPropertyPanel` below the node tree: one page per edit mode showing the first
// selected object of that mode, whose changes apply to the whole selection of its kind.
// The controls only show the model: after every change the page is filled again from it, so
// a refused or failed change leaves the fields showing what the model holds.
class TPropertyPanel : public QWidget {
  Q_OBJECT
 public:
  // Follows the document's changes of materials and properties.
  explicit TPropertyPanel(TCore& core, QWidget* parent = nullptr);
  ~TPropertyPanel() override;

  // Fills the page of the current edit mode from the first selected object and the count
  // only, so its cost does not depend on the size of the selection.
  void UpdateProperties();
  // The model's material names, sorted; the entry shown before stays shown when it remains.
  void FillMaterialList();
  // Shows the page of the edit mode and fills it, so a page never shows a selection or a
  // model that has gone since it was last on show.
  void ShowPage(int mode);

  // The materials dialog: opened with the shown material's name; true on OK with the chosen
  // name. Without one the "..." button does nothing.
  std::function<bool(const std::string& initial, std::string& chosen)> ExecuteMaterials;

  QStackedWidget* pclProp;
  QWidget *tabNode, *tabFace, *tabVertex;
  QLabel *lblNode, *lblSurface, *lblVertex;
  QComboBox *cbxNodeType, *cbxMeshGeo, *cbxMeshLight, *cbxMeshTex;
  QLineEdit *edtNodePos, *edtNodePiv, *edtNodeRot, *edtMeshName;
  QComboBox *cbxFaceMaterial, *cbxFaceGeo, *cbxFaceLight, *cbxFaceTex;
  QToolButton* btnMatDlg;
  QLineEdit* edtFaceExtra;
  QCheckBox *chxFlag1, *chxFlag2, *chxFlag3;

  // One handler per control; each runs as a command whose error is shown in the error box.
  void cbxNodeTypeChange();
  void edtNodePosExit();
  void edtNodePivExit();
  void edtNodeRotExit();
  void edtMeshNameExit();
  void cbxMeshGeoChange();
  void cbxMeshLightChange();
  void cbxMeshTexChange();
  void cbxFaceMaterialChange();
  void cbxFaceGeoChange();
  void cbxFaceLightChange();
  void cbxFaceTexChange();
  void edtFaceExtraExit();
  void chxFlag1Click();
  void chxFlag2Click();
  void chxFlag3Click();
  void btnMatDlgClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using THandler = void (TPropertyPanel::*)();
  // A control's change: its handler and the name of the history step it makes, or null for a
  // handler that makes its own steps.
  struct TChange {
    THandler Handler;
    const char* Step;
  };
  void BuildNodePage();
  void BuildFacePage();
  void BuildVertexPage();
  // A labelled row of the page (a list without caption is placed by the caller).
  QComboBox* AddList(QFormLayout* form, const char* caption, const char* name, const std::vector<std::string>& items,
                     TChange change);
  QLineEdit* AddEdit(QFormLayout* form, const char* caption, const char* name, TChange change);
  QCheckBox* AddFlag(const char* name, const char* caption, TChange change);
  void FillNodePage();
  void FillFacePage();
  // Runs the change as a command and one step, then shows the model's values again.
  void Apply(TChange change);
  // An edit field applies its text only when the user changed it.
  void CommitEdit(QLineEdit* edit);

  TCore& Core;
  int Subscription = 0;
  std::map<QObject*, TChange> EditHandlers;
};
