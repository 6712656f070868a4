#include "view/Builder.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "model/Convert.h"
#include "model/Errors.h"
#include "view/GLArea.h"
#include "view/RunGuarded.h"

namespace {
const char* const GridItems[] = {"0", "0.001", "0.01", "0.05", "0.1", "0.15", "1"};
const char* const LineEveryKey = "fraBuilder_LineEvery";

QString FormatG(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return QString::fromLatin1(text);
}

// Puts the text into the box's sorted item list unless it is there, and shows it.
void ShowInSortedBox(QComboBox& box, const QString& text) {
  int at = 0;
  while (at < box.count() && QString::compare(box.itemText(at), text, Qt::CaseInsensitive) < 0) ++at;
  if (box.findText(text) < 0) box.insertItem(at, text);
  box.setCurrentIndex(box.findText(text));
  box.setEditText(text);
}

QComboBox* MakeSpacingBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : GridItems) box->addItem(item);
  box->setMaximumWidth(70);
  return box;
}
}  // namespace

TViewportFrame::TViewportFrame(TCore& core, QWidget* parent) : QWidget(parent), Core(core) {
  setObjectName("fraBuilder");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);

  auto* views = new QVBoxLayout;
  views->setSpacing(0);
  glaMain = new TGLArea(this);
  tacCameras = new QTabBar(this);
  tacCameras->setObjectName("tacCameras");
  tacCameras->setShape(QTabBar::RoundedSouth);
  tacCameras->setExpanding(false);
  views->addWidget(glaMain, 1);
  views->addWidget(tacCameras);
  row->addLayout(views, 1);
  BuildToolBar(row);

  pnlTree = new QWidget(this);
  pnlTree->setObjectName("pnlTree");
  auto* treeLayout = new QVBoxLayout(pnlTree);
  treeLayout->setContentsMargins(0, 0, 0, 0);
  pnlTree->setMinimumWidth(160);
  pnlTree->hide();
  row->addWidget(pnlTree);

  glaMain->OnInitGL = [this] { glaMainInitGL(); };
  glaMain->OnRender = [this] { glaMainRender(); };
  glaMain->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    RunGuarded(Core.Services, "using the mouse tool", [&] { glaMainMouseDown(b, m, x, y); });
  };
  glaMain->OnMouseMove = [this](Qt::KeyboardModifiers m, int x, int y) {
    RunGuarded(Core.Services, "using the mouse tool", [&] { glaMainMouseMove(m, x, y); });
  };
  glaMain->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    RunGuarded(Core.Services, "using the mouse tool", [&] { glaMainMouseUp(b, m, x, y); });
  };
  glaMain->OnKeyDown = [this](int key) {
    RunGuarded(Core.Services, "switching views", [&] { glaMainKeyDown(key); });
  };
  glaMain->OnMouseWheel = [this](int delta, int x, int y) {
    RunGuarded(Core.Services, "zooming", [&] { glaMainMouseWheel(delta, x, y); });
  };

  Cameras = std::make_unique<TCameras>(*tacCameras);
  for (const TCameraRec& rec : DefaultCameras()) Cameras->Add(rec);
  tacCameras->setCurrentIndex(0);
  connect(tacCameras, &QTabBar::currentChanged, this,
          [this] { RunGuarded(Core.Services, "switching views", [this] { tacCamerasChange(); }); });
}

TViewportFrame::~TViewportFrame() {
  QSettings().setValue(LineEveryKey, cbxGridEvery->currentText());
  glaMain->SetActive(false);
}

void TViewportFrame::Start() {
  glaMain->SetActive(true);
  RebuildList = true;
  tacCamerasChange();
  cbxGridEvery->setEditText(QSettings().value(LineEveryKey, "0.01").toString());
  // A stored spacing that is not a number is reported and replaced, so start-up goes on.
  try {
    cbxGridEveryClick();
  } catch (const EConvertError& e) {
    Core.Services.ShowError(e.what());
    SetLineEvery(0.01);
  }
  ModelReplaced();
}

QAction* TViewportFrame::AddToolAction(const char* name, const char* caption, const char* hint, const char* glyph) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setIconText(glyph);
  action->setToolTip(hint);
  action->setStatusTip(hint);
  action->setCheckable(true);
  tbrTools->addAction(action);
  return action;
}

void TViewportFrame::BuildToolBar(QHBoxLayout* row) {
  tbrTools = new QToolBar(this);
  tbrTools->setObjectName("tbrTools");
  tbrTools->setOrientation(Qt::Vertical);
  tbrTools->setToolButtonStyle(Qt::ToolButtonTextOnly);

  actEMNode = AddToolAction("actEMNode", "&Node Mode", "Node Edit Mode", "Node");
  actEMFace = AddToolAction("actEMFace", "&Surface Mode", "Surface Edit Mode", "Surface");
  actEMVert = AddToolAction("actEMVert", "&Vertex Mode", "Vertex Edit Mode", "Vertex");
  tbrTools->addSeparator();
  actTMSelect = AddToolAction("actTMSelect", "&Select",
                              "Select: Drag a rectangle around the objects you want to select", "Select");
  actTMMove = AddToolAction("actTMMove", "&Move Tool",
                            "Move: Leftclick and drag your mouse to move the selected objects. Hold [SHIFT] to "
                            "move a nodes pivot point",
                            "Move");
  actTMRotate = AddToolAction("actTMRotate", "&Rotate Tool",
                              "Rotate: Leftclick and drag your mouse to rotate the selected objects", "Rotate");
  actTMScale = AddToolAction("actTMScale", "Scale Tool",
                             "Scale: Leftclick and drag your mouse to scale the selected objects.", "Scale");
  tbrTools->addSeparator();
  actLockX = AddToolAction("actLockX", "Lock X", "Lock X", "X");
  actLockY = AddToolAction("actLockY", "Lock Y", "Lock Y", "Y");
  actLockZ = AddToolAction("actLockZ", "Lock Z", "Lock Z", "Z");

  const auto modeAction = [this](QAction* action, auto&& effect) {
    connect(action, &QAction::triggered, this,
            [this, effect] { RunGuarded(Core.Services, "switching the mode", effect); });
  };
  modeAction(actEMNode, [this] { SetEditMode(emNode); });
  modeAction(actEMFace, [this] { SetEditMode(emSurface); });
  modeAction(actEMVert, [this] { SetEditMode(emVertex); });
  modeAction(actTMSelect, [this] { SetToolMode(tmSelect); });
  modeAction(actTMMove, [this] { SetToolMode(tmMove); });
  modeAction(actTMRotate, [this] { SetToolMode(tmRotate); });
  modeAction(actTMScale, [this] { SetToolMode(tmScale); });
  connect(actLockX, &QAction::toggled, this, [this](bool on) { Core.LockX = on; });
  connect(actLockY, &QAction::toggled, this, [this](bool on) { Core.LockY = on; });
  connect(actLockZ, &QAction::toggled, this, [this](bool on) { Core.LockZ = on; });
  actEMNode->setChecked(true);
  actTMSelect->setChecked(true);

  tbrTools->addSeparator();
  auto* label = new QLabel("&Line Every", tbrTools);
  cbxGridEvery = MakeSpacingBox(tbrTools, "cbxGridEvery");
  label->setBuddy(cbxGridEvery);
  tbrTools->addWidget(label);
  tbrTools->addWidget(cbxGridEvery);
  // Snapping is kept for the settings but applied by no tool, so its box stays hidden.
  cbxSnapEvery = MakeSpacingBox(this, "cbxSnapEvery");
  cbxSnapEvery->hide();

  connect(cbxGridEvery, &QComboBox::activated, this,
          [this] { RunGuarded(Core.Services, "setting the grid", [this] { cbxGridEveryClick(); }); });
  connect(cbxGridEvery->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { RunGuarded(Core.Services, "setting the grid", [this] { cbxGridEveryClick(); }); });
  row->addWidget(tbrTools);
}

void TViewportFrame::AddViewKey(QAction* action) {
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  glaMain->addAction(action);
}

void TViewportFrame::PlaceTreeWidget(QWidget* tree) {
  pnlTree->layout()->addWidget(tree);
  pnlTree->show();
}

void TViewportFrame::RepaintTree() {
  for (QWidget* w : pnlTree->findChildren<QWidget*>()) w->update();
}

void TViewportFrame::Redraw(bool rebuild) {
  // A rebuild asked for while nothing could be drawn waits for the next frame that is.
  RebuildList = RebuildList || rebuild;
  if (Holds > 0) {
    FrameAsked = true;
    return;
  }
  // Commands that change the node selection end here: the tree's marks follow.
  RepaintTree();
  glaMain->Repaint();
}

TViewportFrame::TFrameHold::~TFrameHold() {
  if (!Frame || --Frame->Holds > 0 || !std::exchange(Frame->FrameAsked, false)) return;
  // The frame is drawn with the rebuild any of the waiting requests asked for.
  RunGuarded(Frame->Core.Services, "drawing", [this] { Frame->Redraw(false); });
}

void TViewportFrame::ResetCameras() { Cameras->ResetCameras(Core.Model->Radius); }

void TViewportFrame::ModelReplaced() {
  const TFrameHold held(this);
  // The cameras are reset without a frame of their own: the rebuild below draws with them.
  ResetCameras();
  Core.ClearSelection();
  Core.Changed(chHierarchy);
  Core.Changed(chMaterials);
  Core.Changed(chProperties);
  SetEditMode(emNode);
  SetToolMode(tmSelect);
  tacCamerasChange();
  Redraw(true);
}

void TViewportFrame::SetEditMode(TEditMode mode) {
  Core.EditMode = mode;
  actEMNode->setChecked(mode == emNode);
  actEMFace->setChecked(mode == emSurface);
  actEMVert->setChecked(mode == emVertex);
  if (OnEditModeChanged) OnEditModeChanged(mode);
  Redraw(true);
}

void TViewportFrame::SetToolMode(TToolMode mode) {
  Core.ToolMode = mode;
  actTMSelect->setChecked(mode == tmSelect);
  actTMMove->setChecked(mode == tmMove);
  actTMRotate->setChecked(mode == tmRotate);
  actTMScale->setChecked(mode == tmScale);
  Redraw(true);
}

void TViewportFrame::SetViewKind(int kind) {
  if (kind < 0 || kind > 3) return;
  glaMain->SetBackground(kind == 3 ? Core.Color3D : Core.Color2D);
  // Drawn as any other request, so that a held frame waits.
  Redraw(false);
}

void TViewportFrame::SetFourViews(bool on) {
  ShowFour = on;
  Redraw(false);
}

int TViewportFrame::CurrentCamera() const { return tacCameras->currentIndex(); }

TViewPane TViewportFrame::Pane(int index) const {
  const int w = glaMain->ClientWidth(), h = glaMain->ClientHeight();
  if (ShowFour) return FourViewPane(index, w, h);
  return {0, 0, std::max(w, 1), h};
}

void TViewportFrame::tacCamerasChange() {
  const TCameraRec& camera = Cameras->Current().Rec;
  SetViewKind(camera.Kind);
  SetViewMode(camera.ViewMode);
  Redraw(true);
}

void TViewportFrame::SetLineEvery(double value) {
  Core.Grid.LineEvery = value;
  ShowInSortedBox(*cbxGridEvery, FormatG(value));
  Redraw(false);
}

void TViewportFrame::SetSnapEvery(double value) {
  Core.Grid.SnapEvery = value;
  ShowInSortedBox(*cbxSnapEvery, FormatG(value));
}

// A wrong entry gives way to the spacing in force: Return reaches this through the box and
// through its line, and the second must not repeat the error.
void TViewportFrame::cbxGridEveryClick() {
  try {
    SetLineEvery(StrToFloat(cbxGridEvery->currentText().toStdString()));
  } catch (const EConvertError&) {
    ShowInSortedBox(*cbxGridEvery, FormatG(Core.Grid.LineEvery));
    throw;
  }
}
void TViewportFrame::cbxSnapEveryClick() { SetSnapEvery(StrToFloat(cbxSnapEvery->currentText().toStdString())); }
