#include "app/MessageWindow.h"

#include <QFrame>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

class TFixedRowHeight : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
  }
};

}  // namespace

TfrmMsg::TfrmMsg(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("frmMsg");
  setWindowTitle("Messages");

  auto* panel = new QFrame(this);
  panel->setObjectName("pnlOutput");
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lbxOutput = new QListWidget(panel);
  lbxOutput->setObjectName("lbxOutput");
  lbxOutput->setFrameShape(QFrame::NoFrame);
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(10);
  lbxOutput->setFont(font);
  lbxOutput->setUniformItemSizes(true);
  lbxOutput->setItemDelegate(new TFixedRowHeight(lbxOutput));

  auto* inner = new QVBoxLayout(panel);
  inner->setContentsMargins(0, 0, 0, 0);
  inner->addWidget(lbxOutput);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(panel);

  move(371, 298);
  resize(418, 187);
}
