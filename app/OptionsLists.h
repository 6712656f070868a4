#pragma once
#include <QStyledItemDelegate>
#include <functional>

// The rows of the options lists, drawn by the dialog itself: the highlight colour behind a
// highlighted row, the list's own colour behind the others, every row 16 pixels high.
class TOptionsRow : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  // Fills the row's background and sets the pen for its text.
  static void PaintBackground(QPainter& painter, const QStyleOptionViewItem& option);
};

// A colour row: a disc in the row's colour at the left and the caption beside it.
class TColorRow : public TOptionsRow {
 public:
  TColorRow(std::function<unsigned(int row)> color, QObject* parent)
      : TOptionsRow(parent), ColorOf(std::move(color)) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::function<unsigned(int row)> ColorOf;  // 0x00BBGGRR
};

// A shortcut row: the command's caption at the left, its shortcut right-aligned. The row's
// item holds the action (ActionRole).
class TShortcutRow : public TOptionsRow {
 public:
  static constexpr int ActionRole = Qt::UserRole;
  using TOptionsRow::TOptionsRow;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
