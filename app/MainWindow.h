#pragma once
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/ActionRegistry.h"
#include "document/Core.h"
#include "document/CommandResult.h"

class QAction;
class QLabel;
class QListWidget;
class TViewportFrame;
class TMessageWindow;
class TAnimationUi;
class TColormapUi;
class TLevelOfDetailUi;
class TStatusProgress;

// The main window: menus and commands, the status bar, the one-line output list and, from
// its first showing on, the viewport frame.
class TMainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `openAtStart` is opened once the window is up (the command line's first argument).
  TMainWindow(TCore& core, std::string openAtStart = {});
  ~TMainWindow() override;

  void AddOutput(const std::string& line);
  // Status panel 1: the text stays until the model changes after the command that showed it.
  void ShowStatus(const std::string& text);
  // Empties the status panels that speak of the model, when another takes its place.
  void ClearModelStatus();
  // Product name, " - " and the name, or " - Untitled.3do" for an empty name; an asterisk
  // follows while the model has unsaved changes.
  void SetTitle(const std::string& name);
  // Opens a model by its extension; reports a missing file or an unknown format.
  void OpenFile(const std::string& path);
  void StartGL();

  // The command behind an action; installing one enables the action and puts it on its menu.
  void SetCommand(const std::string& actionName, std::function<void()> command) {
    Actions->SetCommand(actionName, std::move(command));
  }
  QAction* Action(const std::string& name) const { return Actions->Action(name); }
  TActionRegistry& ActionRegistry() const { return *Actions; }

  TViewportFrame* Builder() const { return fraBuilder; }
  TMessageWindow* MessageWindow() const { return frmMsg; }
  QLabel* StatusPanel(int index) const { return Panels[index]; }
  QListWidget* OutputList() const { return lbxOutput; }
  // Long work shown in the status bar.
  TStatusProgress& Progress() const { return *WorkProgress; }
  // Runs the first-showing sequence now if it has not run yet (tests call it directly).
  void FirstActivation();

  // File commands.
  void actFileNewExecute();
  void actFileOpenExecute();
  void actFileRevertExecute();
  void actFileSaveExecute();
  void actFileSaveAsExecute();
  // View commands.
  void SetCurrentViewMode(int mode);
  void actViewResetCamExecute();
  void actViewRestartGLExecute();
  void actHelpRegister3DOExecute();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Unsaved changes are offered for saving first, and Cancel keeps the window open; a window
  // that closes stores the settings, and closing goes on whatever happens to them.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildStatusBar();
  void BuildOutputList();
  void InstallCommands();
  // Undo and Redo, and the menus and title that follow the history.
  void InstallHistoryCommands();
  void ShowHistory();
  // Refreshes what shows the document's changes (TChange bits).
  void ShowChanges(unsigned changes);
  // Before the model is replaced or the program ends: "Save changes to NAME?" while there are
  // unsaved changes. False when the user cancelled or the save did not succeed.
  bool SaveChangesFirst();
  // Import and export of .obj files.
  void InstallFormatCommands();
  // Shows a command's refusal or failure, unless the user saw it already; true when it was done.
  bool Tell(const TCommandResult& result);
  void ShowBuilder();
  void DisplayHint(const QString& hint);

  TCore& Core;
  int ChangeSubscription = 0;
  std::string OpenAtStart;
  bool FirstShow = true;
  TViewportFrame* fraBuilder = nullptr;
  TMessageWindow* frmMsg = nullptr;
  QLabel* Panels[4] = {};
  bool StatusArmed = false;  // panel 1 holds a message that the next change of the model drops
  std::unique_ptr<TStatusProgress> WorkProgress;
  QListWidget* lbxOutput = nullptr;
  TLevelOfDetailUi* LodUi = nullptr;
  std::unique_ptr<TActionRegistry> Actions;
  TColormapUi* ColormapUi = nullptr;
  TAnimationUi* AnimationUi = nullptr;  // the open animation goes along with a glTF export
};
