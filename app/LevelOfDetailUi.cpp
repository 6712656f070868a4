#include "app/LevelOfDetailUi.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "app/ActionRegistry.h"
#include "editing/LevelsOfDetail.h"
#include "document/Core.h"
#include "view/RunGuarded.h"

TLevelOfDetailUi::TLevelOfDetailUi(QMainWindow& window, const TActionRegistry& actions, TCore& core, QMenu& viewMenu)
    : QObject(&window), Core(core) {
  viewMenu.addSeparator();
  mnuLod = viewMenu.addMenu("&Level of Detail");
  mnuLod->setObjectName("mnuLod");
  Choices = new QActionGroup(this);
  mnuLod->addSeparator();
  for (const char* name : {"actViewLodAdd", "actViewLodCopy", "actViewLodDelete", "actViewLodGenerate"})
    mnuLod->addAction(actions.Action(name));
  stbLod = new QLabel(&window);
  stbLod->setObjectName("stbMainLod");
  stbLod->setFrameShape(QFrame::Panel);
  stbLod->setFrameShadow(QFrame::Sunken);
  window.statusBar()->addPermanentWidget(stbLod);
  Refresh();
}

void TLevelOfDetailUi::AttachToolBar(QToolBar& toolBar) {
  cbxLod = new QComboBox(&toolBar);
  cbxLod->setObjectName("cbxLod");
  cbxLod->setToolTip("Level of detail shown and edited");
  cbxLod->setFocusPolicy(Qt::NoFocus);  // the view keeps the keys
  toolBar.addWidget(cbxLod)->setObjectName("actLodBox");
  connect(cbxLod, &QComboBox::activated, this, &TLevelOfDetailUi::Choose);
  Refresh();
}

void TLevelOfDetailUi::Refresh() {
  const TModel& model = *Core.Model;
  const int sets = model.GeosetCount(), shown = model.CurrentGeoset();
  if (Choices->actions().size() != sets) {
    for (QAction* old : Choices->actions()) delete old;
    QAction* before = mnuLod->actions().value(0);
    for (int set = 0; set < sets; ++set) {
      auto* choice = new QAction(QString("LOD &%1").arg(set + 1), Choices);
      choice->setObjectName(QString("actLod%1").arg(set + 1));
      choice->setCheckable(true);
      connect(choice, &QAction::triggered, this, [this, set] { Choose(set); });
      mnuLod->insertAction(before, choice);
    }
  }
  Choices->actions().value(shown)->setChecked(true);
  const bool several = sets > 1;
  if (cbxLod) {
    if (cbxLod->count() != sets) {
      cbxLod->clear();
      for (int set = 0; set < sets; ++set) cbxLod->addItem(QString("LOD %1").arg(set + 1));
    }
    cbxLod->setCurrentIndex(shown);
    for (QAction* action : cbxLod->parentWidget()->actions())
      if (action->objectName() == "actLodBox") action->setVisible(several);
  }
  stbLod->setText(QString::fromStdString(LevelOfDetailText(model)));
  stbLod->setVisible(several);
}

void TLevelOfDetailUi::Choose(int set) {
  RunGuarded(Core.Services, "choosing the level of detail", [&] { ChooseLevelOfDetail(Core, set); });
  Refresh();
}
