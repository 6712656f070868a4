#pragma once
#include <QObject>

class QActionGroup;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;
class TActionRegistry;
class TCore;

// Where the user sees and picks the level of detail: View > Level of Detail (a choice per set,
// then the set commands), a drop-down on the viewport frame's tool bar and a status bar panel.
// The drop-down and the panel show only while the model has more than one set.
class TLevelOfDetailUi : public QObject {
 public:
  // The set commands come from `actions`; the panel goes on the window's status bar.
  TLevelOfDetailUi(QMainWindow& window, const TActionRegistry& actions, TCore& core, QMenu& viewMenu);
  // The drop-down goes at the end of the tool bar, which exists from the first showing on.
  void AttachToolBar(QToolBar& toolBar);
  // Brings the menu, drop-down and panel to the model's sets and the one shown.
  void Refresh();

 private:
  void Choose(int set);

  TCore& Core;
  QMenu* mnuLod;
  QActionGroup* Choices;
  QComboBox* cbxLod = nullptr;
  QLabel* stbLod;
};
