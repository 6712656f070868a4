#include "app/NodeTreeView.h"

#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "editing/Step.h"
#include "editing/ToolEdits.h"
#include "document/Core.h"
#include "document/NodeTree.h"
#include "view/RunGuarded.h"

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

// Asks the tree for each item's picture when the item is painted, so the marks always show
// the current selection without refilling the tree.
class TNodeItemDelegate : public QStyledItemDelegate {
 public:
  explicit TNodeItemDelegate(TNodeTreeView& tree) : QStyledItemDelegate(&tree), Tree(tree) {}

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (const TNode* node = Tree.NodeOfData(index.data(kNodeRole))) {
      option->icon = Tree.IconOf(*node);
      option->features |= QStyleOptionViewItem::HasDecoration;
      option->decorationSize = QSize(16, 16);
    }
  }

 private:
  TNodeTreeView& Tree;
};

QPixmap Blank() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  return p;
}

}  // namespace

TNodeTreeView::TNodeTreeView(TCore& core, QWidget* parent) : QTreeWidget(parent), Core(core) {
  setObjectName("trwNodes");
  Subscription = core.Events.Subscribe([this](unsigned changes) {
    if (changes & chHierarchy) FillNodeTree(*Core.Model, *this);
  });
  setHeaderHidden(true);
  setColumnCount(1);
  setFixedWidth(200);
  setIndentation(19);
  setIconSize(QSize(16, 16));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setItemDelegate(new TNodeItemDelegate(*this));
  MakePictures();
  connect(this, &QTreeWidget::itemChanged, this, &TNodeTreeView::trwNodesEdited);
}

void TNodeTreeView::MakePictures() {
  // Drawn here rather than loaded: four small glyphs, no image files to ship.
  QPixmap mesh = Blank(), none = Blank(), empty = Blank(), mark = Blank();
  {
    QPainter p(&mesh);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(QColor(90, 150, 230));
    p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(8, 2), QPoint(14, 5), QPoint(14, 12), QPoint(8, 15), QPoint(2, 12)}));
    p.drawLine(2, 5, 8, 8);
    p.drawLine(8, 8, 14, 5);
    p.drawLine(8, 8, 8, 15);
  }
  {
    QPainter p(&none);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.drawLine(8, 1, 8, 15);
    p.drawLine(1, 8, 15, 8);
  }
  {
    QPainter p(&empty);
    p.setPen(QPen(QColor(30, 60, 120), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(8, 2), QPoint(14, 5), QPoint(14, 12), QPoint(8, 15), QPoint(2, 12)}));
  }
  {
    QPainter p(&mark);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 0, 0), 2.5));
    p.drawLine(QPointF(3, 9), QPointF(7, 13));
    p.drawLine(QPointF(7, 13), QPointF(14, 3));
  }
  const QPixmap kinds[3] = {mesh, none, empty};
  for (int i = 0; i < 3; ++i) {
    Pictures[i] = QIcon(kinds[i]);
    QPixmap marked = kinds[i];
    QPainter p(&marked);
    p.drawPixmap(0, 0, mark);
    Marked[i] = QIcon(marked);
  }
  Pictures[imgSelected] = QIcon(mark);
}

int TNodeTreeView::ImageIndexOf(const TNode& node) const {
  if (!node.Mesh) return imgNoMesh;
  return node.Mesh->Vertices.Empty() ? imgEmptyMesh : imgMesh;
}

bool TNodeTreeView::HasSelectionMark(const TNode& node) const { return Core.Nodes.Contains(&node); }

QIcon TNodeTreeView::IconOf(const TNode& node) const {
  const int kind = ImageIndexOf(node);
  return HasSelectionMark(node) ? Marked[kind] : Pictures[kind];
}

bool TNodeTreeView::CanDrop(const TNode* dragged, const TNode* target) const { return CanReparent(dragged, target); }

TNode* TNodeTreeView::NodeAt(const QPoint& viewportPos) const { return NodeOfItem(itemAt(viewportPos)); }

TNode* TNodeTreeView::DraggedNode() const { return NodeOfItem(currentItem()); }

TNode* TNodeTreeView::NodeOfItem(const QTreeWidgetItem* item) const {
  return item ? NodeOfData(item->data(0, kNodeRole)) : nullptr;
}

TNode* TNodeTreeView::NodeOfData(const QVariant& data) const {
  auto* node = reinterpret_cast<TNode*>(data.value<quintptr>());
  return Live.count(node) ? node : nullptr;
}

void TNodeTreeView::RefreshLive() const {
  Live.clear();
  Live.insert(Core.Model->Nodes.begin(), Core.Model->Nodes.end());
}

void TNodeTreeView::paintEvent(QPaintEvent* event) {
  RefreshLive();
  QTreeWidget::paintEvent(event);
}

void TNodeTreeView::mousePressEvent(QMouseEvent* event) {
  RefreshLive();
  QTreeWidget::mousePressEvent(event);
  if ((event->modifiers() & Qt::ControlModifier) && currentItem()) {
    if (TNode* node = NodeOfItem(currentItem()))
      RunGuarded(Core.Services, "selecting in the node tree", [&] {
        Core.ToggleNode(node);
        Core.Changed(chGeometry);
      });
  }
  viewport()->update();
}

void TNodeTreeView::dragEnterEvent(QDragEnterEvent* event) {
  // Only our own items are dragged here; anything else is refused.
  if (event->source() == this || event->mimeData()->hasFormat("application/x-qabstractitemmodeldatalist"))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TNodeTreeView::dragMoveEvent(QDragMoveEvent* event) {
  RefreshLive();
  if (CanDrop(DraggedNode(), NodeAt(event->position().toPoint()))) {
    // Copy, not move: the view must not delete the dragged row itself; the refill does the work.
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void TNodeTreeView::dropEvent(QDropEvent* event) {
  RefreshLive();
  TNode* dragged = DraggedNode();
  TNode* target = NodeAt(event->position().toPoint());
  if (!CanDrop(dragged, target)) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  RunGuarded(Core.Services, "moving a node in the tree", [&] {
    ShowFailure(Core.Services, RunStep(Core, "Reparent Node", [&] {
      ReparentNode(*dragged, target);
      return TCommandResult{};
    }));
  });
}

void TNodeTreeView::trwNodesEdited(QTreeWidgetItem* item, int column) {
  if (Filling || column != 0) return;
  RefreshLive();
  TNode* node = NodeOfItem(item);
  if (!node) return;
  RunGuarded(Core.Services, "renaming a node", [&] {
    std::string refusal;
    const TCommandResult renamed =
        RunStep(Core, "Rename Node", [&] {
          refusal = RenameNode(*node, item->text(0).toStdString());
          return TCommandResult{};
        });
    ShowFailure(Core.Services, renamed);
    if (refusal.empty()) return;
    // The item goes back to the name the node keeps before the box shows why.
    const QSignalBlocker quiet(this);
    item->setText(0, QString::fromStdString(node->Name));
    Core.Services.ShowError(refusal);
  });
}

void TNodeTreeView::BeginUpdate() {
  RefreshLive();
  ++Filling;
  setUpdatesEnabled(false);
  blockSignals(true);
}

void TNodeTreeView::EndUpdate() {
  ShowPending();
  blockSignals(false);
  setUpdatesEnabled(true);
  --Filling;
}

void TNodeTreeView::Clear() {
  FreeItems();
  OrderValid = false;
}

void TNodeTreeView::FreeItems() {
  OrderValid = false;  // the items as they stand now, whatever was cached
  BuildOrder();
  // Collapsed first: the removal then has no expanded rows to look after, a check that costs
  // the depth of each. Out of the view in one removal, then freed from the last item in
  // display order back: each item is then the last child of its parent, without children.
  collapseAll();
  invisibleRootItem()->takeChildren();
  clear();  // what is left: the view's own state of the rows just taken
  for (auto it = Order.rbegin(); it != Order.rend(); ++it) {
    QTreeWidgetItem* item = *it;
    if (QTreeWidgetItem* parent = item->parent()) parent->takeChild(parent->childCount() - 1);
    delete item;
  }
  Pending.clear();
  Order.clear();
  Next.clear();
}

TNodeTreeView::~TNodeTreeView() {
  Core.Events.Unsubscribe(Subscription);
  FreeItems();
}

namespace {
QTreeWidgetItem* MakeItem(const std::string& text, TNode* node) {
  auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(text)});
  // Kept as a number so that the drag's mime data can carry it.
  item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                 Qt::ItemIsDropEnabled);
  return item;
}
}  // namespace

TNodeTree::Item TNodeTreeView::AddTop(const std::string& text, TNode* node) {
  QTreeWidgetItem* item = MakeItem(text, node);
  Pending.push_back(item);
  OrderValid = false;
  return item;
}

TNodeTree::Item TNodeTreeView::AddChild(Item parent, const std::string& text, TNode* node) {
  QTreeWidgetItem* item = MakeItem(text, node);
  static_cast<QTreeWidgetItem*>(parent)->addChild(item);
  OrderValid = false;
  return item;
}

void TNodeTreeView::ShowPending() {
  if (Pending.empty()) return;
  addTopLevelItems(QList<QTreeWidgetItem*>(Pending.begin(), Pending.end()));
  Pending.clear();
}

void TNodeTreeView::BuildOrder() const {
  if (OrderValid) return;
  Order.clear();
  Next.clear();
  std::vector<QTreeWidgetItem*> tops;
  for (int i = 0; i < topLevelItemCount(); ++i) tops.push_back(topLevelItem(i));
  tops.insert(tops.end(), Pending.begin(), Pending.end());
  const auto noteRow = [this](auto childAt, int count) {
    for (int i = 0; i < count; ++i) Next[childAt(i)] = i + 1 < count ? childAt(i + 1) : nullptr;
  };
  noteRow([&](int i) { return tops[static_cast<size_t>(i)]; }, static_cast<int>(tops.size()));
  // Depth first with an explicit stack, so a deep hierarchy cannot overflow the call stack.
  std::vector<QTreeWidgetItem*> stack(tops.rbegin(), tops.rend());
  while (!stack.empty()) {
    QTreeWidgetItem* item = stack.back();
    stack.pop_back();
    Order.push_back(item);
    noteRow([item](int i) { return item->child(i); }, item->childCount());
    for (int i = item->childCount() - 1; i >= 0; --i) stack.push_back(item->child(i));
  }
  OrderValid = true;
}

int TNodeTreeView::ItemCount() const {
  // The model asks this first whenever it reads the tree's links.
  RefreshLive();
  BuildOrder();
  return static_cast<int>(Order.size());
}

TNodeTree::Item TNodeTreeView::ItemAt(int absoluteIndex) const {
  BuildOrder();
  return absoluteIndex >= 0 && absoluteIndex < static_cast<int>(Order.size()) ? Order[absoluteIndex] : nullptr;
}

TNode* TNodeTreeView::NodeOf(Item item) const { return NodeOfItem(static_cast<QTreeWidgetItem*>(item)); }

TNodeTree::Item TNodeTreeView::FirstChild(Item item) const {
  auto* i = static_cast<QTreeWidgetItem*>(item);
  return i->childCount() ? i->child(0) : nullptr;
}

TNodeTree::Item TNodeTreeView::NextSibling(Item item) const {
  BuildOrder();
  const auto next = Next.find(static_cast<QTreeWidgetItem*>(item));
  return next == Next.end() ? nullptr : next->second;
}

int TNodeTreeView::ChildCount(Item item) const { return static_cast<QTreeWidgetItem*>(item)->childCount(); }

void TNodeTreeView::ExpandAll() {
  ShowPending();
  for (int i = 0; i < topLevelItemCount(); ++i) ExpandFrom(topLevelItem(i));
}

void TNodeTreeView::ExpandFrom(QTreeWidgetItem* item) {
  int depth = 0;
  for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent()) ++depth;
  if (depth < kExpandedDepth) expandRecursively(indexFromItem(item), kExpandedDepth - 1 - depth);
}

void TNodeTreeView::keyPressEvent(QKeyEvent* event) {
  // The view's own "expand everything below" knows no depth limit.
  if (event->key() == Qt::Key_Asterisk && currentItem()) {
    ExpandFrom(currentItem());
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}
