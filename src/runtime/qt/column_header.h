#pragma once
// The header of a list control: one section per column with the column's
// header text, placed by the header's own alignment and indent.

#include <QHeaderView>

#include "runtime/qt/dialog_units.h"

namespace rt::qt {

class ListModel;

class ColumnHeader final : public QHeaderView {
  Q_OBJECT

 public:
  ColumnHeader(const ListModel& model, const DialogUnits& units, QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  const ListModel& model_;
  const DialogUnits units_;
};

}  // namespace rt::qt
