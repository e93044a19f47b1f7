#include "runtime/qt/column_header.h"

#include <QPainter>
#include <QStyleOptionHeader>

#include "runtime/qt/list_model.h"
#include "runtime/qt/text_placement.h"

namespace rt::qt {

ColumnHeader::ColumnHeader(const ListModel& model, const DialogUnits& units, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), model_(model), units_(units) {}

void ColumnHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  QStyleOptionHeader section;
  initStyleOption(&section);
  initStyleOptionForIndex(&section, logicalIndex);
  section.rect = rect;
  const QString text = section.text;
  section.text.clear();
  painter->save();  // the style may leave its own clip behind
  style()->drawControl(QStyle::CE_Header, &section, painter, this);
  painter->restore();

  const ui::Column& column = model_.column(logicalIndex);
  const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
  const TextPlacement placement =
      placeText(rect.adjusted(margin, 0, -margin, 0), column.headerAlign,
                units_.toPixelsX(column.headerIndent));
  painter->save();
  painter->setPen(section.palette.color(QPalette::ButtonText));
  painter->drawText(placement.rect, placement.flags,
                    fontMetrics().elidedText(text, Qt::ElideRight, placement.rect.width()));
  painter->restore();
}

}  // namespace rt::qt
