// The node tree beside the views: pictures and marks, Ctrl+click, rename, drag and drop, and
// nodes copied in one process and pasted in another through the system clipboard.

#include <QMimeData>
#include <QProcess>

#include "app/QtServices.h"
#include "editing/ClipboardCommands.h"
#include "tests/gui/GuiFixture.h"

namespace {

// Recording services whose clipboard is the system's, as in the running program.
class TTreeServices : public THeadlessServices {
 public:
  std::string GetClipboardText() override { return Program.GetClipboardText(); }
  void SetClipboardText(const std::string& text) override { Program.SetClipboardText(text); }
  TQtServices Program;  // the running program's services, here for their clipboard
};

class NodeTree : public ::testing::Test {
 protected:
  void SetUp() override {
    Tree = std::make_unique<TNodeTreeView>(Core);
    // Hierarchy changes refill the tree view, as the main window has them do.
    TreeFills = Core.Events.Subscribe([this](unsigned changes) {
      if (Tree && (changes & chHierarchy)) FillNodeTree(*Core.Model, *Tree);
    });
    Tree->resize(200, 300);
    Tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Tree.get()));
  }
  void TearDown() override { Core.Events.Unsubscribe(TreeFills); }
  void RefillTree() { FillNodeTree(*Core.Model, *Tree); }

  void LoadSample() {
    ASSERT_TRUE(Load3DOFile(*Core.Model, ZARN_SAMPLES_DIR "/fighter.3do"));
    RefillTree();
    Core.ResetHistory();
  }
  TNode* Named(const std::string& name) {
    for (TNode* n : Core.Model->Nodes)
      if (n->Name == name) return n;
    return nullptr;
  }
  QTreeWidgetItem* ItemOf(const TNode* node) {
    for (int i = 0; i < Tree->ItemCount(); ++i)
      if (Tree->NodeOf(Tree->ItemAt(i)) == node) return static_cast<QTreeWidgetItem*>(Tree->ItemAt(i));
    return nullptr;
  }
  QPoint CentreOf(const TNode* node) { return Tree->visualItemRect(ItemOf(node)).center(); }

  // Sends a whole drag of `dragged` to the point as the tree would receive it; true when the
  // tree accepted the drop.
  bool DragTo(TNode* dragged, QPoint to) {
    Tree->setCurrentItem(ItemOf(dragged));
    const std::unique_ptr<QMimeData> mime(Tree->model()->mimeData({Tree->currentIndex()}));
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(to, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent move(to, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(to, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Tree->viewport(), &enter);
    QApplication::sendEvent(Tree->viewport(), &move);
    return move.isAccepted() && (QApplication::sendEvent(Tree->viewport(), &drop), drop.isAccepted());
  }

  TTreeServices Services;
  TCore Core{Services};
  TChangeCounter Changes{Core};
  std::unique_ptr<TNodeTreeView> Tree;
  int TreeFills = 0;
};

TEST_F(NodeTree, ShowsTheHierarchyWithPicturesAndMarks) {
  LoadSample();
  Core.Model->AddNode()->Name = "$$dummy";
  TNode* empty = Core.Model->AddNode();
  empty->Name = "Empty";
  empty->SetMesh(Core.Model->NewMesh());
  RefillTree();
  ASSERT_EQ(Tree->topLevelItemCount(), 3);
  QTreeWidgetItem* hull = Tree->topLevelItem(0);
  EXPECT_EQ(hull->text(0), "hull");
  EXPECT_EQ(hull->childCount(), 3);
  EXPECT_TRUE(hull->isExpanded());

  EXPECT_EQ(Tree->ImageIndexOf(*Named("hull")), TNodeTreeView::imgMesh);
  EXPECT_EQ(Tree->ImageIndexOf(*Named("$$dummy")), TNodeTreeView::imgNoMesh);
  EXPECT_EQ(Tree->ImageIndexOf(*empty), TNodeTreeView::imgEmptyMesh);
  Core.ToggleNode(Named("tail"));
  EXPECT_TRUE(Tree->HasSelectionMark(*Named("tail")));
  EXPECT_FALSE(Tree->HasSelectionMark(*Named("hull")));

  // The mark is painted: the marked row holds red pixels, an unmarked one none.
  Tree->viewport()->repaint();
  const QImage shot = Tree->grab().toImage();
  SaveScreenshot(Tree.get(), "node_tree");
  const auto redIn = [&](const char* node) {  // the row's first 60 pixels
    const QRect row = Tree->visualItemRect(ItemOf(Named(node)));
    const QImage part = shot.copy(QRect(Tree->viewport()->mapTo(Tree.get(), row.topLeft()), QSize(60, row.height())));
    return CountPixels(part, [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80; });
  };
  EXPECT_GT(redIn("tail"), 3);
  EXPECT_EQ(redIn("hull"), 0);
}

TEST_F(NodeTree, CtrlClickTogglesPlainClickHighlightsAndFreedNodesAreNeverTouched) {
  LoadSample();
  TNode* canopy = Named("canopy");
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, Qt::NoModifier, CentreOf(canopy));
  EXPECT_TRUE(Core.Nodes.Empty());
  EXPECT_EQ(Tree->currentItem(), ItemOf(canopy));
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, Qt::ControlModifier, CentreOf(Named("fin")));
  EXPECT_EQ(Core.Nodes.Items(), std::vector<TNode*>{Named("fin")});
  EXPECT_EQ(Changes.Rebuilds, 1);
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, Qt::ControlModifier, CentreOf(Named("fin")));
  EXPECT_TRUE(Core.Nodes.Empty());

  QTreeWidgetItem* tail = ItemOf(Named("tail"));
  Tree->setCurrentItem(tail);
  Core.Model->Clear();  // the tree still shows the freed nodes
  Tree->viewport()->repaint();
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, Qt::ControlModifier, Tree->visualItemRect(tail).center());
  EXPECT_TRUE(Core.Nodes.Empty());
  RefillTree();
  EXPECT_EQ(Tree->topLevelItemCount(), 0);
}

TEST_F(NodeTree, DragReparentsAndRefusesDescendants) {
  LoadSample();
  TNode* hull = Named("hull");
  TNode* tail = Named("tail");
  TNode* fin = Named("fin");
  ASSERT_EQ(fin->Parent, tail);
  ASSERT_EQ(tail->Parent, hull);
  EXPECT_FALSE(DragTo(hull, CentreOf(fin))) << "a node dropped into its own subtree";
  EXPECT_FALSE(DragTo(hull, CentreOf(hull)));
  EXPECT_EQ(hull->Parent, nullptr);

  TNode* canopy = Named("canopy");
  ASSERT_TRUE(DragTo(canopy, CentreOf(tail)));
  EXPECT_EQ(canopy->Parent, tail);
  EXPECT_EQ(ItemOf(canopy)->parent(), ItemOf(tail)) << "the tree was refilled";
  EXPECT_EQ(Core.History.UndoCaption(), "Reparent Node");
  EXPECT_GE(Changes.Rebuilds, 1);

  const QPoint below(20, Tree->viewport()->height() - 5);
  ASSERT_EQ(Tree->itemAt(below), nullptr);
  ASSERT_TRUE(DragTo(canopy, below));
  EXPECT_EQ(canopy->Parent, nullptr);
  EXPECT_EQ(Tree->indexOfTopLevelItem(ItemOf(canopy)), 1) << "roots come in model order";
}

TEST_F(NodeTree, RenameInPlaceTakesOnlyNamesTheFileReadsBackWhole) {
  LoadSample();
  TNode* tail = Named("tail");
  const auto rename = [&](const std::string& text) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the last editor goes
    Tree->editItem(ItemOf(tail));
    auto* editor = Tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromStdString(text));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor hands its text over in a queued call
  };
  const std::vector<std::string> refusedNames = {"left fin", "left\tfin", "fin,2", "", "fin#2", std::string(32, 'f')};
  for (const std::string& refused : refusedNames) {
    rename(refused);
    EXPECT_EQ(tail->Name, "tail") << refused;
    EXPECT_EQ(ItemOf(tail)->text(0).toStdString(), "tail");
    ASSERT_EQ(Services.Errors.size(), 1u) << refused;
    EXPECT_NE(Services.Errors[0].find("1 to 31 characters"), std::string::npos) << Services.Errors[0];
    Services.Errors.clear();
  }
  rename(std::string(31, 'r'));
  EXPECT_EQ(tail->Name, std::string(31, 'r'));
  EXPECT_TRUE(Services.Errors.empty());
  EXPECT_EQ(Changes.Rebuilds, 0) << "renaming redraws nothing";
  EXPECT_EQ(Core.History.Count(), 1u) << "a refused name makes no step";
}

// Deeper than the view can lay out expanded (one call per level): the tree fills, paints,
// refills and frees its rows, and only the rows below that depth start collapsed.
TEST_F(NodeTree, AChainEightyThousandDeepFillsAndFrees) {
  TNode* parent = nullptr;
  for (int i = 0; i < 80'000; ++i) {
    TNode* node = Core.Model->AddNode();
    node->Parent = parent;
    parent = node;
  }
  for (int fill = 0; fill < 2; ++fill) {
    RefillTree();
    Tree->viewport()->repaint();
    ASSERT_EQ(Tree->ItemCount(), 80'000);
    EXPECT_EQ(Tree->NodeOf(Tree->ItemAt(79'999)), parent);
    const auto itemAt = [&](int i) { return static_cast<QTreeWidgetItem*>(Tree->ItemAt(i)); };
    EXPECT_TRUE(itemAt(TNodeTreeView::kExpandedDepth - 1)->isExpanded());
    EXPECT_FALSE(itemAt(TNodeTreeView::kExpandedDepth)->isExpanded());
  }
  EXPECT_EQ(Core.Model->Nodes[0]->Child, Core.Model->Nodes[1]);
}

// The second half of the clipboard test, run in a process of its own: pastes what the first
// process copied and writes the names of the nodes it got.
TEST(NodeClipboard, PasteInASecondProcess) {
  const QByteArray resultPath = qgetenv("ZARN_PASTE_RESULT");
  if (resultPath.isEmpty()) GTEST_SKIP() << "run by CopyInOneProcessPasteInAnother";
  TTreeServices services;
  TCore core(services);
  PasteNodes(core);
  QFile result(QString::fromLocal8Bit(resultPath));
  ASSERT_TRUE(result.open(QIODevice::WriteOnly));
  for (const TNode* n : core.Model->Nodes) result.write((n->Name + "\n").c_str());
}

TEST_F(NodeTree, CopyInOneProcessPasteInAnother) {
  LoadSample();
  Core.ToggleNode(Named("fin"));
  Core.ToggleNode(Named("tail"));
  CopyNodes(Core);
  ASSERT_TRUE(QGuiApplication::clipboard()->text().startsWith("# MODEL"));

  const QString resultPath = QDir::temp().filePath("zarn-paste-result.txt");
  QFile::remove(resultPath);
  QProcess other;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ZARN_PASTE_RESULT", resultPath);
  other.setProcessEnvironment(env);
  other.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=NodeClipboard.PasteInASecondProcess"});
  // The copying process must keep serving the clipboard while the other one reads it.
  QElapsedTimer clock;
  clock.start();
  while (other.state() != QProcess::NotRunning && clock.elapsed() < 30000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    other.waitForFinished(20);
  }
  ASSERT_EQ(other.exitCode(), 0) << other.readAllStandardOutput().toStdString();
  QFile result(resultPath);
  ASSERT_TRUE(result.open(QIODevice::ReadOnly));
  EXPECT_EQ(result.readAll().toStdString(), "fin\ntail\n");
  QFile::remove(resultPath);

  // A paste of foreign clipboard text adds nothing.
  QGuiApplication::clipboard()->setText("HIERARCHY NODES 1\r\n0: 0x0 0x1 -1 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 x\r\n");
  const int nodes = Core.Model->Nodes.Count();
  PasteNodes(Core);
  EXPECT_EQ(Core.Model->Nodes.Count(), nodes);
}

}  // namespace
