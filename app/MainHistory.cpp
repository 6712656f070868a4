// The main window's undo and redo, and the unsaved-changes question before work is lost.
#include <QCloseEvent>
#include <QShortcut>

#include "app/Dialogs.h"
#include "app/LevelOfDetailUi.h"
#include "app/MainWindow.h"
#include "app/MessageWindow.h"
#include "app/Settings.h"
#include "editing/ActionTable.h"
#include "view/RunGuarded.h"

namespace {
// The entry names the step it would take: "&Undo Extrude Surface".
void ShowStep(QAction* action, const std::string& caption, bool enabled) {
  for (const TActionRow& row : MainActionRows())
    if (action->objectName() == row.Name)
      action->setText(QString::fromStdString(caption.empty() ? row.Caption : row.Caption + (" " + caption)));
  action->setEnabled(enabled);
}
}  // namespace

void TMainWindow::InstallHistoryCommands() {
  SetCommand("actEditUndo", [this] { Core.Undo(); });
  SetCommand("actEditRedo", [this] { Core.Redo(); });
  // The second key of Redo that other programs use; a user's own entry with this key wins.
  auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
  connect(redo, &QShortcut::activated, Action("actEditRedo"), &QAction::trigger);
  ShowHistory();
}

void TMainWindow::ShowHistory() {
  SetTitle(Core.Model->FileName);
  ShowStep(Action("actEditUndo"), Core.History.UndoCaption(), Core.History.CanUndo());
  ShowStep(Action("actEditRedo"), Core.History.RedoCaption(), Core.History.CanRedo());
  // Opening, the set commands, undo and redo are the history's changes that change the sets.
  if (LodUi) LodUi->Refresh();
}

bool TMainWindow::SaveChangesFirst() {
  if (!Core.History.Modified()) return true;
  const std::string& name = Core.Model->FileName;
  switch (AskSaveChanges(name.empty() ? "Untitled.3do" : name)) {
    case TSaveAnswer::Discard: return true;
    case TSaveAnswer::Cancel: return false;
    case TSaveAnswer::Save: break;
  }
  RunGuarded(Core.Services, "saving", [this] { actFileSaveExecute(); });
  return !Core.History.Modified();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (!SaveChangesFirst()) {
    event->ignore();
    return;
  }
  RunGuarded(Core.Services, "storing the settings", [this] { SaveSettings(*this, *frmMsg, *Actions, Core); });
  QMainWindow::closeEvent(event);
}
