#include "app/OptionsLists.h"

#include <QAction>
#include <QPainter>

#include "app/SettingsColor.h"
#include "app/SettingsKeys.h"

QSize TOptionsRow::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
}

void TOptionsRow::PaintBackground(QPainter& painter, const QStyleOptionViewItem& option) {
  const bool highlighted = option.state & QStyle::State_Selected;
  painter.fillRect(option.rect, option.palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
  painter.setPen(option.palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
}

void TColorRow::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  painter->save();
  PaintBackground(*painter, option);
  const QRect r = option.rect;
  painter->drawText(r.adjusted(14, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, index.data().toString());
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQColor(ColorOf(index.row())));
  // The disc spans left + 2 to left + 12 and top + 3 to bottom - 3, its far edges excluded.
  painter->drawEllipse(QRect(QPoint(r.left() + 2, r.top() + 3), QPoint(r.left() + 11, r.bottom() - 3)));
  painter->restore();
}

void TShortcutRow::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto* action = index.data(ActionRole).value<QAction*>();
  if (!action) return;
  painter->save();
  PaintBackground(*painter, option);
  const QRect r = option.rect;
  painter->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
  painter->drawText(r.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                    QString::fromStdString(KeyText(action->shortcut())));
  painter->restore();
}
