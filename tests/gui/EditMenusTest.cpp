// The editing commands in the main window: their menu entries run them, and the node tree in
// the viewport frame follows the model and the selection.

#include "editing/Actions.h"
#include "tests/gui/GuiFixture.h"

namespace {

class EditMenus : public TWindowTest {
 protected:
  TNodeTreeView* Tree() { return Window->findChild<TNodeTreeView*>("trwNodes"); }
  QStringList TopTexts() {
    QStringList texts;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i) texts << Tree()->topLevelItem(i)->text(0);
    return texts;
  }
};

TEST_F(EditMenus, EveryEditingCommandIsOnAMenuAndEveryEntryRunsOne) {
  StartWindow();
  for (const TEditAction& command : EditActions()) {
    QAction* action = Window->Action(command.Name);
    ASSERT_NE(action, nullptr) << command.Name;
    EXPECT_TRUE(action->isEnabled()) << command.Name;
    EXPECT_FALSE(action->associatedObjects().isEmpty()) << command.Name << " is on no menu";
  }
  // An entry without a command stays disabled; Undo and Redo wait for a step.
  for (QAction* action : Window->ActionRegistry().Actions()) {
    const QString name = action->objectName();
    if (name.startsWith("actEdit") || name.startsWith("actSel") || name.startsWith("actPrim")) {
      EXPECT_EQ(action->isEnabled(), name != "actEditUndo" && name != "actEditRedo") << name.toStdString();
    }
  }
}

TEST_F(EditMenus, TreeSitsBesideTheViewsAndFollowsTheModel) {
  StartWindow(Sample(), 900, 600);
  ASSERT_NE(Tree(), nullptr);
  EXPECT_TRUE(Tree()->isVisible());
  EXPECT_EQ(Tree()->width(), 200);
  EXPECT_GT(Tree()->mapTo(Window.get(), QPoint(0, 0)).x(), Surface()->mapTo(Window.get(), QPoint(0, 0)).x());
  EXPECT_EQ(TopTexts(), QStringList{"hull"});

  Services.Answers = {{"Size", "0.05"}};
  Window->Action("actPrimCube")->trigger();
  EXPECT_EQ(TopTexts(), (QStringList{"hull", "Cube"}));
  TNode* cube = Core->Model->Nodes.Last();
  EXPECT_TRUE(Core->Nodes.Contains(cube));
  EXPECT_TRUE(Tree()->HasSelectionMark(*cube));
  Window->Action("actPrimDummy")->trigger();
  EXPECT_EQ(TopTexts(), (QStringList{"hull", "Cube", "$$dummy"}));

  Window->Action("actSelClear")->trigger();
  Core->ToggleNode(cube);
  Window->Action("actEditDelete")->trigger();
  EXPECT_EQ(TopTexts(), (QStringList{"hull", "$$dummy"}));
}

}  // namespace
