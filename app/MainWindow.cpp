#include "app/MainWindow.h"

#include <QApplication>
#include <algorithm>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AnimationUi.h"
#include "app/ColormapUi.h"
#include "app/EditingSetup.h"
#include "app/FirstWindow.h"
#include "app/GameLightBox.h"
#include "app/LevelOfDetailUi.h"
#include "app/MessageWindow.h"
#include "app/Settings.h"
#include "app/StatusProgress.h"
#include "app/ViewModeChecks.h"
#include "document/MaterialLookup.h"
#include "model/VersionInfo.h"
#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/RunGuarded.h"

namespace {
// The designed face where the desktop has it. Elsewhere the desktop would substitute any
// face at all for it (often a calligraphic italic, hard to read in the tree and on the tabs),
// so its own UI font is used instead.
QFont WindowFont() {
  if (QFontDatabase::families().contains("Comic Sans MS")) return QFont("Comic Sans MS", 8);
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

// Output lines are drawn alike whether selected or not: the newest line is the selected one
// and must not look highlighted.
class TOutputLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QColor background = option.palette.color(QPalette::Button);
    painter->fillRect(option.rect, background);
    painter->setPen(background);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->setPen(Qt::black);
    painter->drawText(option.rect.adjusted(5, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, index.data().toString());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
  }
};
}  // namespace

TMainWindow::TMainWindow(TCore& core, std::string openAtStart) : Core(core), OpenAtStart(std::move(openAtStart)) {
  setObjectName("frmMain");
  InstallMaterialLoader(core);
  ChangeSubscription = Core.Events.Subscribe([this](unsigned changes) { ShowChanges(changes); });
  setFont(WindowFont());
  setMinimumSize(535, 460);
  setGeometry(FirstWindowBounds());
  Actions = std::make_unique<TActionRegistry>(*this, core.Services);
  menuBar()->setFont(QFont("Tahoma", 10));
  Actions->FillMenuBar(*menuBar());
  BuildStatusBar();
  BuildOutputList();
  InstallCommands();
  Action("actViewFourViews")->setCheckable(true);
  for (QAction* menu : menuBar()->actions())
    if (menu->text() == "&View") {
      LodUi = new TLevelOfDetailUi(*this, *Actions, Core, *menu->menu());
      ColormapUi = new TColormapUi(*this, Core, *menu->menu());
      InstallViewModeChecks(*menu->menu(), *Actions, [this] {
        return fraBuilder && fraBuilder->Cameras ? static_cast<int>(fraBuilder->Cameras->Current().Rec.ViewMode) : -1;
      });
    }
  AnimationUi = new TAnimationUi(*this, Core);
  SetTitle("Loading...");
  frmMsg = new TMessageWindow(this);
  frmMsg->setGeometry(371, 298, 418, 187);
}

TMainWindow::~TMainWindow() {
  Core.Events.Unsubscribe(ChangeSubscription);
  frmMsg = nullptr;  // what the children say while they go reaches no message window
}

void TMainWindow::ShowChanges(unsigned changes) {
  if (StatusArmed && (changes & (chGeometry | chSelection | chProperties | chHierarchy | chMaterials))) {
    StatusArmed = false;
    Panels[1]->clear();
  }
  if (changes & chHistory) ShowHistory();
  TViewportFrame* frame = fraBuilder;
  if (!frame) return;  // nothing shows the model before the viewport frame exists
  if (changes & (chGeometry | chSelection)) frame->Redraw((changes & chGeometry) != 0);
}

void TMainWindow::BuildStatusBar() {
  static const int widths[4] = {140, 50, 65, 17};
  for (int i = 0; i < 4; ++i) {
    Panels[i] = new QLabel(this);
    Panels[i]->setObjectName(QString("stbMainPanel%1").arg(i));
    Panels[i]->setFrameShape(i == 3 ? QFrame::NoFrame : QFrame::Panel);
    Panels[i]->setFrameShadow(QFrame::Sunken);
    if (i == 1)
      Panels[i]->setMinimumWidth(widths[i]);
    else if (i == 2)
      // The desktop's font may be wider than the window's own: the frame rate must still fit.
      Panels[i]->setFixedWidth(std::max(widths[i], Panels[i]->fontMetrics().horizontalAdvance("Fps 9999.99") + 8));
    else if (i == 0)
      // The pointer's place shows whole, its Z too, at the coordinates of a large model.
      Panels[i]->setFixedWidth(std::max(
          widths[i], Panels[i]->fontMetrics().horizontalAdvance("  X -9999.999, Y -9999.999, Z -9999.999") + 12));
    else
      Panels[i]->setFixedWidth(widths[i]);
    // Panel 1 takes whatever width the others leave.
    statusBar()->addWidget(Panels[i], i == 1 ? 1 : 0);
  }
  statusBar()->setObjectName("stbMain");
  statusBar()->setSizeGripEnabled(false);
  WorkProgress = std::make_unique<TStatusProgress>(*this);
}

void TMainWindow::BuildOutputList() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* pnlTop = new QFrame(central);
  pnlTop->setObjectName("pnlTop");
  pnlTop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlTop->setFixedHeight(20);
  auto* inPanel = new QVBoxLayout(pnlTop);
  inPanel->setContentsMargins(1, 1, 1, 1);
  lbxOutput = new QListWidget(pnlTop);
  lbxOutput->setObjectName("lbxOutput");
  lbxOutput->setFrameShape(QFrame::NoFrame);
  lbxOutput->setFont(QFont("Courier New", 9));
  lbxOutput->setUniformItemSizes(true);
  lbxOutput->setItemDelegate(new TOutputLineDelegate(lbxOutput));
  lbxOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbxOutput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette palette = lbxOutput->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  lbxOutput->setPalette(palette);
  inPanel->addWidget(lbxOutput);
  column->addWidget(pnlTop, 0, Qt::AlignBottom);
  setCentralWidget(central);
}

void TMainWindow::AddOutput(const std::string& line) {
  if (frmMsg) frmMsg->AddLine(QString::fromStdString(line));
  lbxOutput->addItem(QString::fromStdString(line));
  lbxOutput->setCurrentRow(lbxOutput->count() - 1);
  lbxOutput->scrollToItem(lbxOutput->currentItem(), QAbstractItemView::PositionAtTop);
}

void TMainWindow::ClearModelStatus() {
  StatusArmed = false;
  Panels[0]->clear();
  Panels[1]->clear();
}

void TMainWindow::ShowStatus(const std::string& text) {
  Panels[1]->setText(QString::fromStdString(text));
  Panels[1]->repaint();
  // The text tells of the model as the command showing it leaves it, so the first change
  // after that command drops it; the changes the command itself makes come before the timer.
  StatusArmed = false;
  if (!text.empty()) QTimer::singleShot(0, this, [this] { StatusArmed = !Panels[1]->text().isEmpty(); });
}

void TMainWindow::SetTitle(const std::string& name) {
  std::string title = GetProductName();
  title += name.empty() ? " - Untitled.3do" : " - " + name;
  if (Core.History.Modified()) title += '*';
  setWindowTitle(QString::fromStdString(title));
}

void TMainWindow::DisplayHint(const QString& hint) {
  StatusArmed = false;  // the hint takes the message's place
  const int bar = hint.indexOf('|');
  Panels[1]->setText(bar >= 0 ? hint.mid(bar + 1) : hint);
}

bool TMainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TMainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FirstShow) QTimer::singleShot(0, this, [this] { FirstActivation(); });
}

void TMainWindow::FirstActivation() {
  if (!FirstShow) return;
  FirstShow = false;
  RunGuarded(Core.Services, "starting", [this] {
    AddOutput(GetProductName() + " Version " + GetVersionString(VersionParts) + " (" + GetBuildDate() + ")");
    LoadSettings(*this, *frmMsg, *Actions, Core);
    ShowBuilder();
    StartGL();
    actFileNewExecute();
  });
  if (!OpenAtStart.empty())
    RunGuarded(Core.Services, "opening '" + OpenAtStart + "'", [this] { OpenFile(OpenAtStart); });
}

void TMainWindow::ShowBuilder() {
  if (fraBuilder) {
    fraBuilder->raise();
    return;
  }
  fraBuilder = new TViewportFrame(Core, centralWidget());
  fraBuilder->GameLight = LoadGameLight();
  static_cast<QVBoxLayout*>(centralWidget()->layout())->insertWidget(0, fraBuilder, 1);
  fraBuilder->SetStatusPanel = [this](int panel, const QString& text) { Panels[panel]->setText(text); };
  InstallNodeTree(*fraBuilder, Core);
  InstallPropertyPanel(*fraBuilder, Core);
  LodUi->AttachToolBar(*fraBuilder->tbrTools);
  // Frame Selection's key acts in the views only: typed into a text field it stays a letter.
  removeAction(Action("actViewFrameSelection"));
  fraBuilder->AddViewKey(Action("actViewFrameSelection"));
  fraBuilder->show();
  fraBuilder->Start();
  fraBuilder->SetFourViews(LoadFourViews());
  Action("actViewFourViews")->setChecked(fraBuilder->FourViews());
}

void TMainWindow::StartGL() {
  if (!fraBuilder) return;
  if (!fraBuilder->glaMain->Active()) fraBuilder->glaMain->SetActive(true);
  if (!fraBuilder->glaMain->Active()) AddOutput("OpenGL failed");
}
