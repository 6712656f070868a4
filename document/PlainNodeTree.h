#pragma once
#include <memory>
#include <vector>

#include "document/NodeTree.h"

// A node tree without a window, for the command-line tool and the tests: FillTree on it
// brings the nodes' child, sibling and child-count links up to date.
class TPlainNodeTree : public TNodeTree {
 public:
  struct TItem {
    std::string Text;
    TNode* Node = nullptr;
    TItem* Parent = nullptr;
    std::vector<TItem*> Children;
    size_t Row = 0;  // place among its parent's children (or the top items)
  };

  void BeginUpdate() override {}
  void EndUpdate() override {}
  void Clear() override;
  Item AddTop(const std::string& text, TNode* node) override;
  Item AddChild(Item parent, const std::string& text, TNode* node) override;
  int ItemCount() const override;
  Item ItemAt(int absoluteIndex) const override;
  TNode* NodeOf(Item item) const override { return static_cast<TItem*>(item)->Node; }
  Item FirstChild(Item item) const override;
  Item NextSibling(Item item) const override;
  int ChildCount(Item item) const override { return static_cast<int>(static_cast<TItem*>(item)->Children.size()); }
  void ExpandAll() override {}

  const std::vector<TItem*>& TopItems() const { return Top; }

 private:
  const std::vector<TItem*>& Order() const;
  std::vector<std::unique_ptr<TItem>> Store;
  std::vector<TItem*> Top;
  mutable std::vector<TItem*> DisplayOrder;
  mutable bool OrderValid = false;
};
