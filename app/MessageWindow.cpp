#include "app/MessageWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

class TFixedRowHeight : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
  }
};

QString RowText(const QTreeWidgetItem& row, const QString& indent) {
  return row.text(0) + "  " + indent + row.text(1) + "\n";
}

}  // namespace

TMessageWindow::TMessageWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("frmMsg");
  setWindowTitle("Messages");

  auto* panel = new QFrame(this);
  panel->setObjectName("pnlOutput");
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  tvwLines = new QTreeWidget(panel);
  tvwLines->setObjectName("tvwLines");
  tvwLines->setFrameShape(QFrame::NoFrame);
  tvwLines->setColumnCount(2);
  tvwLines->setHeaderLabels({"Time", "Message"});
  tvwLines->setRootIsDecorated(true);
  tvwLines->setUniformRowHeights(true);
  tvwLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tvwLines->setItemDelegate(new TFixedRowHeight(tvwLines));
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  tvwLines->setFont(font);
  tvwLines->header()->setStretchLastSection(true);
  // A group's lines stand indented: their times must still show whole.
  tvwLines->setColumnWidth(0, tvwLines->fontMetrics().horizontalAdvance("00:00:00") + 2 * tvwLines->indentation() + 16);

  btnCopy = new QPushButton("&Copy", this);
  btnCopy->setObjectName("btnCopy");
  btnCopy->setToolTip("Copy the highlighted lines, or all of them, to the clipboard");
  btnClear = new QPushButton("C&lear", this);
  btnClear->setObjectName("btnClear");
  connect(btnCopy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(Text()); });
  connect(btnClear, &QPushButton::clicked, this, [this] {
    tvwLines->clear();
    Group = nullptr;
  });

  auto* inner = new QVBoxLayout(panel);
  inner->setContentsMargins(0, 0, 0, 0);
  inner->addWidget(tvwLines);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(4, 2, 4, 4);
  buttons->addStretch(1);
  buttons->addWidget(btnCopy);
  buttons->addWidget(btnClear);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(panel, 1);
  outer->addLayout(buttons);

  move(371, 298);
  resize(418, 187);
}

void TMessageWindow::AddLine(const QString& text, QTime time) {
  auto* row = new QTreeWidgetItem(QStringList{time.toString("HH:mm:ss"), text});
  if (Group)
    Group->addChild(row);
  else
    tvwLines->addTopLevelItem(row);
  tvwLines->scrollToItem(row);
}

void TMessageWindow::BeginGroup(const QString& title, QTime time) {
  EndGroup();
  Group = new QTreeWidgetItem(QStringList{time.toString("HH:mm:ss"), title});
  QFont bold = tvwLines->font();
  bold.setBold(true);
  Group->setFont(1, bold);
  tvwLines->addTopLevelItem(Group);
  Group->setExpanded(true);
  tvwLines->scrollToItem(Group);
}

void TMessageWindow::EndGroup() { Group = nullptr; }

QString TMessageWindow::Text() const {
  const bool chosen = !tvwLines->selectedItems().isEmpty();
  QString text;
  for (int i = 0; i < tvwLines->topLevelItemCount(); ++i) {
    const QTreeWidgetItem& top = *tvwLines->topLevelItem(i);
    const bool whole = !chosen || top.isSelected();
    if (whole) text += RowText(top, "");
    for (int j = 0; j < top.childCount(); ++j)
      if (whole || top.child(j)->isSelected()) text += RowText(*top.child(j), "  ");
  }
  return text;
}
