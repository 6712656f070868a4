#pragma once
#include <QKeySequence>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenuBar;
class QWidget;
class TUserServices;

// The main window's actions, made from the action table: by name, in their stored order (the
// order of the shortcut list), with their captions and shortcuts, and the command each one
// runs. Settings, options, the level-of-detail menu and the editing commands reach the actions
// here rather than through the window.
class TActionRegistry {
 public:
  // The actions belong to `owner`, whose keys reach them; a command that fails is reported
  // through `services`.
  TActionRegistry(QWidget& owner, TUserServices& services);

  // Builds the bar's menus from the table. A menu stays hidden until one of its entries has
  // a command.
  void FillMenuBar(QMenuBar& bar);
  // The command behind an action; installing one enables the action and puts it on its menu.
  void SetCommand(const std::string& actionName, std::function<void()> command);
  QAction* Action(const std::string& name) const;
  // The actions in their stored order.
  const std::vector<QAction*>& Actions() const { return ActionList; }
  // A key that several enabled actions carry goes to the first of them in menu order.
  bool RouteAmbiguousShortcut(const QKeySequence& key);

 private:
  TUserServices& Services;
  QMenuBar* Bar = nullptr;
  std::vector<QAction*> ActionList;
  std::map<std::string, QAction*> ActionsByName;
  std::map<std::string, std::function<void()>> Commands;
  std::vector<QAction*> MenuOrder;  // every menu entry, menus left to right, top to bottom
};
