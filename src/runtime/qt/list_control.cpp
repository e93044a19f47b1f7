#include "runtime/qt/list_control.h"

#include <QItemSelectionModel>
#include <algorithm>

#include "runtime/qt/column_delegate.h"
#include "runtime/qt/column_header.h"
#include "runtime/qt/list_model.h"

namespace rt::qt {

ListControl::ListControl(const ui::ListSource& source, std::vector<ui::Column> columns,
                         const DialogUnits& units, QWidget* parent)
    : QTreeView(parent), model_(new ListModel(source, std::move(columns), this)) {
  setRootIsDecorated(false);
  setIndentation(0);
  setItemsExpandable(false);
  setUniformRowHeights(true);  // so the view never measures lines it does not draw
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  auto* header = new ColumnHeader(*model_, units, this);
  header->setStretchLastSection(false);
  header->setSectionsMovable(false);
  setHeader(header);
  setModel(model_);
  setItemDelegate(new ColumnDelegate(*model_, units, this));
  for (int i = 0; i < model_->columnCount(); ++i) {
    header->resizeSection(i, units.toPixelsX(model_->column(i).width));
    header->setSectionResizeMode(
        i, model_->column(i).resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
  }
}

bool ListControl::refresh() {
  const int previous = selectedRow();
  if (!model_->refresh()) return false;
  keepSelectionWithin(previous);
  viewport()->update();
  ++redraws_;
  return true;
}

void ListControl::redisplay() {
  const int previous = selectedRow();
  model_->recount();
  keepSelectionWithin(previous);
  viewport()->update();
}

int ListControl::selectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void ListControl::keepSelectionWithin(int previousRow) {
  const int count = model_->rowCount();
  if (previousRow < 0 || count == 0 || selectedRow() >= 0) return;
  const QModelIndex last = model_->index(std::min(previousRow, count - 1), 0);
  selectionModel()->setCurrentIndex(
      last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<std::vector<std::string>> ListControl::lines() const {
  std::vector<std::vector<std::string>> result;
  const int count = model_->rowCount();
  result.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) result.push_back(model_->lineTexts(row));
  return result;
}

std::vector<std::string> ListControl::headers() const {
  std::vector<std::string> result;
  for (const ui::Column& column : model_->columns()) result.push_back(column.header);
  return result;
}

bool ListControl::selectLine(int line) {
  if (line < 1 || line > model_->rowCount()) return false;
  const QModelIndex index = model_->index(line - 1, 0);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
  setFocus(Qt::OtherFocusReason);
  return true;
}

std::string ListControl::selectedLineText() const {
  const int row = selectedRow();
  if (row < 0) return {};
  std::string text;
  const std::vector<std::string> values = model_->lineTexts(row);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += '\t';
    text += values[i];
  }
  return text;
}

void ListControl::paintEvent(QPaintEvent* event) {
  model_->beginPaint();
  QTreeView::paintEvent(event);
  model_->endPaint();
}

}  // namespace rt::qt
