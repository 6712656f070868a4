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

#include "app/ColormapUi.h"
#include "app/EditingSetup.h"
#include "app/LevelOfDetailUi.h"
#include "app/MainAction.h"
#include "app/MessageWindow.h"
#include "app/Settings.h"
#include "app/StatusProgress.h"
#include "editing/ActionTable.h"
#include "formats/MaterialLoader.h"
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
// What an action's command is doing, for the out-of-memory message ("running \"Cube\"").
std::string Doing(const char* caption) { return "running \"" + PlainCaption(caption) + "\""; }
}  // namespace

TfrmMain::TfrmMain(TCore& core, std::string openAtStart) : Core(core), OpenAtStart(std::move(openAtStart)) {
  setObjectName("frmMain");
  InstallMaterialLoader(core);
  setFont(WindowFont());
  setMinimumSize(535, 460);
  setGeometry(264, 206, 535, 460);
  BuildActions();
  BuildMenus();
  BuildStatusBar();
  BuildOutputList();
  InstallCommands();
  for (QAction* menu : menuBar()->actions())
    if (menu->text() == "&View") {
      LodUi = new TLevelOfDetailUi(*this, Core, *menu->menu());
      ColormapUi = new TColormapUi(*this, Core, *menu->menu());
    }
  SetTitle("Loading...");
  frmMsg = new TfrmMsg(this);
  frmMsg->setGeometry(371, 298, 418, 187);
}

TfrmMain::~TfrmMain() { Core.History.Changed = nullptr; }

void TfrmMain::BuildActions() {
  for (const TActionRow& row : MainActionRows()) {
    auto* action = new TMainAction(row.Caption, *this);
    action->setObjectName(row.Name);
    action->setStatusTip(row.Hint);
    action->setToolTip(row.Hint);
    action->setShortcut(QKeySequence(row.Shortcut, QKeySequence::PortableText));
    // Until its command is installed an action is neither on a menu nor reachable by key.
    action->setEnabled(false);
    action->setVisible(false);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, name = std::string(row.Name), doing = Doing(row.Caption)] {
      const auto command = Commands.find(name);
      if (command != Commands.end()) RunGuarded(Core.Services, doing, command->second);
    });
    ActionList.push_back(action);
    ActionsByName[row.Name] = action;
  }
}

void TfrmMain::BuildMenus() {
  menuBar()->setFont(QFont("Tahoma", 10));
  for (const char* caption : MainMenuCaptions()) {
    std::vector<const TActionRow*> entries;
    for (const TActionRow& row : MainActionRows())
      if (std::string_view(row.Menu) == caption) entries.push_back(&row);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TActionRow* a, const TActionRow* b) { return a->MenuPos < b->MenuPos; });
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setSeparatorsCollapsible(true);
    for (const TActionRow* row : entries) {
      if (row->SeparatorBefore) menu->addSeparator();
      QAction* action = ActionsByName[row->Name];
      menu->addAction(action);
      MenuOrder.push_back(action);
    }
    menu->menuAction()->setVisible(false);
  }
}

void TfrmMain::BuildStatusBar() {
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
    else
      Panels[i]->setFixedWidth(widths[i]);
    // Panel 1 takes whatever width the others leave.
    statusBar()->addWidget(Panels[i], i == 1 ? 1 : 0);
  }
  statusBar()->setObjectName("stbMain");
  statusBar()->setSizeGripEnabled(false);
  WorkProgress = std::make_unique<TStatusProgress>(*this);
}

void TfrmMain::BuildOutputList() {
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

void TfrmMain::SetCommand(const std::string& actionName, std::function<void()> command) {
  QAction* action = Action(actionName);
  if (!action) return;
  Commands[actionName] = std::move(command);
  action->setEnabled(true);
  action->setVisible(true);
  for (QAction* menuAction : menuBar()->actions())
    if (QMenu* menu = menuAction->menu(); menu && menu->actions().contains(action)) menuAction->setVisible(true);
}

QAction* TfrmMain::Action(const std::string& name) const {
  const auto it = ActionsByName.find(name);
  return it == ActionsByName.end() ? nullptr : it->second;
}

bool TfrmMain::RouteAmbiguousShortcut(const QKeySequence& key) {
  for (QAction* action : MenuOrder)
    if (action->isEnabled() && action->shortcut() == key) {
      action->trigger();
      return true;
    }
  for (QAction* action : ActionList)
    if (action->isEnabled() && action->shortcut() == key) {
      action->trigger();
      return true;
    }
  return false;
}

void TfrmMain::AddOutput(const std::string& line) {
  lbxOutput->addItem(QString::fromStdString(line));
  lbxOutput->setCurrentRow(lbxOutput->count() - 1);
  lbxOutput->scrollToItem(lbxOutput->currentItem(), QAbstractItemView::PositionAtTop);
}

void TfrmMain::ShowStatus(const std::string& text) {
  Panels[1]->setText(QString::fromStdString(text));
  Panels[1]->repaint();
}

void TfrmMain::SetTitle(const std::string& name) {
  std::string title = GetProductName();
  title += name.empty() ? " - Untitled.3do" : " - " + name;
  if (Core.History.Modified()) title += '*';
  setWindowTitle(QString::fromStdString(title));
}

void TfrmMain::DisplayHint(const QString& hint) {
  const int bar = hint.indexOf('|');
  Panels[1]->setText(bar >= 0 ? hint.mid(bar + 1) : hint);
}

bool TfrmMain::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FirstShow) QTimer::singleShot(0, this, [this] { FirstActivation(); });
}

void TfrmMain::FirstActivation() {
  if (!FirstShow) return;
  FirstShow = false;
  RunGuarded(Core.Services, "starting", [this] {
    AddOutput(GetProductName() + " Version " + GetVersionString(VersionParts) + " (" + GetBuildDate() + ")");
    LoadSettings(*this, Core);
    ShowBuilder();
    StartGL();
    actFileNewExecute();
  });
  if (!OpenAtStart.empty())
    RunGuarded(Core.Services, "opening '" + OpenAtStart + "'", [this] { OpenFile(OpenAtStart); });
}

void TfrmMain::ShowBuilder() {
  if (fraBuilder) {
    fraBuilder->raise();
    return;
  }
  fraBuilder = new TfraBuilder(Core, centralWidget());
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
}

void TfrmMain::StartGL() {
  if (!fraBuilder) return;
  if (!fraBuilder->glaMain->Active()) fraBuilder->glaMain->SetActive(true);
  if (!fraBuilder->glaMain->Active()) AddOutput("OpenGL failed");
}
