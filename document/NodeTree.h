#pragma once
#include <string>

class TModel;
class TNode;

// The operations the model needs from the node tree control; the application implements it
// with a tree widget, the tests with a plain structure.
class TNodeTree {
 public:
  using Item = void*;
  virtual ~TNodeTree() = default;
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual void Clear() = 0;
  virtual Item AddTop(const std::string& text, TNode* node) = 0;
  virtual Item AddChild(Item parent, const std::string& text, TNode* node) = 0;
  virtual int ItemCount() const = 0;
  // Items in display order, depth first.
  virtual Item ItemAt(int absoluteIndex) const = 0;
  virtual TNode* NodeOf(Item item) const = 0;
  virtual Item FirstChild(Item item) const = 0;
  virtual Item NextSibling(Item item) const = 0;
  virtual int ChildCount(Item item) const = 0;
  virtual void ExpandAll() = 0;
};

// Shows the model's hierarchy in the tree as its links give it, after bringing them up to date.
void FillNodeTree(TModel& model, TNodeTree& tree);
