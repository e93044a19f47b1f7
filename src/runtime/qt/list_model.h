#pragma once
// The lines of a list control as Qt's views see them, read straight from the
// list's source: the model keeps no copy of the data, only the number of
// lines it last read and the change count it last saw. While the view paints
// it reads each drawn line once into a one-line buffer.

#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/ui/column_format.h"
#include "runtime/ui/list_source.h"

namespace rt::qt {

class ListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListModel(const ui::ListSource& source, std::vector<ui::Column> columns, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const ui::Column& column(int index) const { return columns_[static_cast<std::size_t>(index)]; }
  const std::vector<ui::Column>& columns() const { return columns_; }

  // When the source's change count moved since the last look: re-reads the
  // number of lines, tells the views, and returns true.
  bool refresh();
  // Re-reads the number of lines whether or not anything changed.
  void recount();

  // The texts of a line (0-based row) as the list shows them, read now.
  std::vector<std::string> lineTexts(int row) const;

  // Between these a drawn line is read from the source only once.
  void beginPaint() const;
  void endPaint() const;

 private:
  const std::vector<std::string>& paintedLine(int row) const;

  const ui::ListSource& source_;
  const std::vector<ui::Column> columns_;
  int rows_ = 0;
  std::uint64_t seenChanges_ = 0;

  // The one-line buffer used while painting.
  mutable bool painting_ = false;
  mutable int bufferedRow_ = -1;
  mutable std::vector<ui::FieldValue> values_;
  mutable std::vector<std::string> texts_;
};

}  // namespace rt::qt
