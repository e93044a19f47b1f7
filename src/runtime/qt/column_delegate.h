#pragma once
// Draws one cell of a list line as its column asks: alignment with indent
// (a decimal column right-aligned at its offset) and the column's right
// border line.

#include <QStyledItemDelegate>

#include "runtime/qt/dialog_units.h"

namespace rt::qt {

class ListModel;

class ColumnDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  ColumnDelegate(const ListModel& model, const DialogUnits& units, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  const ListModel& model_;
  const DialogUnits units_;
};

}  // namespace rt::qt
