#include "editing/ClipboardCommands.h"
#include "model/VersionInfo.h"
#include "tests/core/TestCore.h"

namespace {

class ClipboardCommands : public CoreFixture {
 protected:
  void SetUp() override {
    parent = AddMeshNode("parent", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    AddFace(*parent->Mesh, {0, 1, 2})->TXVertices[1] = {3, 4};
    child = AddMeshNode("child", {{0, 0, 1}});
    child->Parent = parent;
    child->Position = {0.5, 0, 0};
    Model().Materials.FindOrAdd("unused.mat");
    RefillTree();
  }
  TNode* parent = nullptr;
  TNode* child = nullptr;
};

TEST_F(ClipboardCommands, CopyHoldsOnlySelectedNodesAndAPastedChildWithoutParentBecomesARoot) {
  Core.ToggleNode(child);
  actEditCopy(Core);
  EXPECT_NE(Services.Clipboard.substr(0, Services.Clipboard.find('\r')).find(GetProductName()), std::string::npos);
  EXPECT_NE(Services.Clipboard.find("HIERARCHY NODES 1"), std::string::npos);
  EXPECT_NE(Services.Clipboard.find("unused.mat"), std::string::npos);
  actEditPaste(Core);
  actEditPaste(Core);
  ASSERT_EQ(Model().Nodes.Count(), 4);
  for (int i = 2; i < 4; ++i) {
    TNode* pasted = Model().Nodes[i];
    EXPECT_EQ(pasted->Name, "child");
    EXPECT_EQ(pasted->Parent, nullptr);
    EXPECT_EQ(pasted->Position.X, 0.5);
    ASSERT_NE(pasted->Mesh, nullptr);
    EXPECT_NE(pasted->Mesh, child->Mesh);
  }
  EXPECT_EQ(Core.Nodes.Count(), 1) << "pasted nodes are not selected";
  EXPECT_EQ(Changes.TreeFills, 2);
  EXPECT_TRUE(Services.Errors.empty());
}

TEST_F(ClipboardCommands, CopyOutsideNodeModeAndForeignTextDoNothingAndMalformedTextIsReported) {
  Core.ToggleNode(parent);
  Core.EditMode = emSurface;
  Services.Clipboard = "something else";
  actEditCopy(Core);
  EXPECT_EQ(Services.Clipboard, "something else");
  actEditPaste(Core);
  actEditCut(Core);
  EXPECT_EQ(Model().Nodes.Count(), 2);
  Services.Clipboard = "";
  actEditPaste(Core);
  EXPECT_EQ(Model().Nodes.Count(), 2);
  EXPECT_EQ(Changes.Rebuilds, 3);
  // Text that claims to be ours but is malformed is reported and keeps the model.
  Services.Clipboard = "# made by " + GetProductName() + "\r\nSECTION: HIERARCHYDEF\r\nHIERARCHY NODES 99999999\r\n";
  actEditPaste(Core);
  EXPECT_EQ(Services.Errors,
            std::vector<std::string>{"the clipboard text, line 3: expected \"MATERIALS n\", found the end of the text"});
  EXPECT_EQ(Model().Nodes.Count(), 2);
}

TEST_F(ClipboardCommands, CutParentWithChildDeletesBothAndPasteRestoresTheLink) {
  TNode* grandchild = Model().AddNode();
  grandchild->Parent = child;
  Core.ToggleNode(parent);
  Core.ToggleNode(child);
  actEditCut(Core);
  ASSERT_EQ(Model().Nodes.Pointers(), std::vector<TNode*>{grandchild});
  EXPECT_EQ(grandchild->Parent, nullptr);
  actEditPaste(Core);
  ASSERT_EQ(Model().Nodes.Count(), 3);
  EXPECT_EQ(Model().Nodes[2]->Parent, Model().Nodes[1]);
  EXPECT_EQ(Model().Nodes[1]->Mesh->Surfaces[0]->TXVertices[1].V, 4);
}

TEST_F(ClipboardCommands, InsertReadsAFileButKeepsTheModelName) {
  Model().FileName = "mine.3do";
  Services.FileNames = {ZARN_SAMPLES_DIR "/fighter.3do"};
  actFileInsert(Core);
  EXPECT_GT(Model().Nodes.Count(), 2);
  EXPECT_EQ(Model().FileName, "mine.3do");
  EXPECT_EQ(Changes.MaterialListFills, 1);
  const int count = Model().Nodes.Count();
  Services.FileNames = {"/no/such/file.3do"};
  EXPECT_EQ(actFileInsert(Core).Outcome, TOutcome::Failed);
  EXPECT_EQ(actFileInsert(Core).Outcome, TOutcome::Done);  // cancelled: no name
  EXPECT_EQ(Model().Nodes.Count(), count);
  EXPECT_EQ(Model().FileName, "mine.3do");
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"Cannot open file '/no/such/file.3do': No such file or directory"});
  EXPECT_TRUE(Services.Informations.empty());
}

}  // namespace
