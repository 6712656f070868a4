#pragma once
#include <QIcon>
#include <QTreeWidget>
#include <unordered_map>
#include <unordered_set>

#include "document/NodeTree.h"

class TCore;
class TNode;

// The node tree `trwNodes`: one item per hierarchy node with a picture of its kind and a mark
// on selected nodes. Ctrl+click toggles a node's selection, a label edited in place renames
// its node, and dragging an item onto another reparents its node (never into its own subtree).
class TNodeTreeView : public QTreeWidget, public TNodeTree {
  Q_OBJECT
 public:
  TNodeTreeView(TCore& core, QWidget* parent = nullptr);
  ~TNodeTreeView() override;

  // Pictures of the image list `gfxNodes`.
  enum { imgMesh = 0, imgNoMesh = 1, imgEmptyMesh = 2, imgSelected = 3 };
  int ImageIndexOf(const TNode& node) const;
  bool HasSelectionMark(const TNode& node) const;
  QIcon IconOf(const TNode& node) const;

  // Reparenting: a node may go under any node outside its own subtree, or to the top (null).
  bool CanDrop(const TNode* dragged, const TNode* target) const;
  TNode* NodeAt(const QPoint& viewportPos) const;
  // The node an item stands for, or null when that node is no longer in the model (the model
  // can free nodes before the tree is refilled; the tree must never touch them then).
  TNode* NodeOfItem(const QTreeWidgetItem* item) const;
  TNode* NodeOfData(const QVariant& data) const;

  // The tree view lays out expanded rows with one call per level, so a hierarchy deeper than
  // this is shown expanded to this depth only and the rows below start collapsed.
  static constexpr int kExpandedDepth = 4096;

  // TNodeTree, filled by the model's FillTree.
  void BeginUpdate() override;
  void EndUpdate() override;
  void Clear() override;
  Item AddTop(const std::string& text, TNode* node) override;
  Item AddChild(Item parent, const std::string& text, TNode* node) override;
  int ItemCount() const override;
  Item ItemAt(int absoluteIndex) const override;
  TNode* NodeOf(Item item) const override;
  Item FirstChild(Item item) const override;
  Item NextSibling(Item item) const override;
  int ChildCount(Item item) const override;
  void ExpandAll() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  TNode* DraggedNode() const;
  void trwNodesEdited(QTreeWidgetItem* item, int column);
  void MakePictures();
  // Takes note of the model's nodes; every entry point from the toolkit calls it first.
  void RefreshLive() const;
  // Items in display order with each item's next sibling, worked out once per fill; top items
  // still waiting to enter the view come after those in it.
  void BuildOrder() const;
  // Puts the top items made since the last call into the view, all in one insertion.
  void ShowPending();
  // Expands `item` and its descendants down to kExpandedDepth levels below the top.
  void ExpandFrom(QTreeWidgetItem* item);
  // Frees every item, deepest first, so that no item is freed with children still below it:
  // the toolkit frees those one call per level.
  void FreeItems();

  TCore& Core;
  int Subscription = 0;
  QIcon Pictures[4];
  QIcon Marked[3];  // the three kinds with the selection mark laid over them
  int Filling = 0;
  // Top items built away from the view, so adding their descendants costs no notifications.
  std::vector<QTreeWidgetItem*> Pending;
  mutable std::vector<QTreeWidgetItem*> Order;
  mutable std::unordered_map<const QTreeWidgetItem*, QTreeWidgetItem*> Next;
  mutable bool OrderValid = false;
  mutable std::unordered_set<const TNode*> Live;
};
