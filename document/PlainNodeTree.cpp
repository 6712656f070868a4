#include "document/PlainNodeTree.h"

void TPlainNodeTree::Clear() {
  Store.clear();
  Top.clear();
  OrderValid = false;
}

TNodeTree::Item TPlainNodeTree::AddTop(const std::string& text, TNode* node) {
  Store.push_back(std::make_unique<TItem>(TItem{text, node, nullptr, {}, Top.size()}));
  Top.push_back(Store.back().get());
  OrderValid = false;
  return Top.back();
}

TNodeTree::Item TPlainNodeTree::AddChild(Item parent, const std::string& text, TNode* node) {
  auto* p = static_cast<TItem*>(parent);
  Store.push_back(std::make_unique<TItem>(TItem{text, node, p, {}, p->Children.size()}));
  p->Children.push_back(Store.back().get());
  OrderValid = false;
  return p->Children.back();
}

const std::vector<TPlainNodeTree::TItem*>& TPlainNodeTree::Order() const {
  if (OrderValid) return DisplayOrder;
  DisplayOrder.clear();
  // Depth first with an explicit stack: a deep hierarchy must not exhaust the call stack.
  std::vector<TItem*> stack(Top.rbegin(), Top.rend());
  while (!stack.empty()) {
    TItem* item = stack.back();
    stack.pop_back();
    DisplayOrder.push_back(item);
    stack.insert(stack.end(), item->Children.rbegin(), item->Children.rend());
  }
  OrderValid = true;
  return DisplayOrder;
}

int TPlainNodeTree::ItemCount() const { return static_cast<int>(Store.size()); }

TNodeTree::Item TPlainNodeTree::ItemAt(int absoluteIndex) const {
  return Order().at(static_cast<size_t>(absoluteIndex));
}

TNodeTree::Item TPlainNodeTree::FirstChild(Item item) const {
  const auto* i = static_cast<TItem*>(item);
  return i->Children.empty() ? nullptr : i->Children.front();
}

TNodeTree::Item TPlainNodeTree::NextSibling(Item item) const {
  const auto* i = static_cast<TItem*>(item);
  const std::vector<TItem*>& row = i->Parent ? i->Parent->Children : Top;
  return i->Row + 1 < row.size() ? row[i->Row + 1] : nullptr;
}
