#include "runtime/qt/column_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "runtime/qt/list_model.h"
#include "runtime/qt/text_placement.h"

namespace rt::qt {

ColumnDelegate::ColumnDelegate(const ListModel& model, const DialogUnits& units, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), units_(units) {}

void ColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  QString text = cell.text;
  cell.text.clear();
  const QWidget* widget = cell.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

  const ui::Column& column = model_.column(index.column());
  if (column.align == ui::Align::Right || column.align == ui::Align::Decimal) {
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  }
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const TextPlacement placement = placeText(cell.rect.adjusted(margin, 0, -margin, 0), column.align,
                                            units_.toPixelsX(column.indent));
  const bool selected = (cell.state & QStyle::State_Selected) != 0;
  painter->save();
  painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(placement.rect, placement.flags,
                    cell.fontMetrics.elidedText(text, Qt::ElideRight, placement.rect.width()));
  if (column.rightBorder) {
    painter->setPen(cell.palette.color(QPalette::Mid));
    painter->drawLine(cell.rect.topRight(), cell.rect.bottomRight());
  }
  painter->restore();
}

}  // namespace rt::qt
