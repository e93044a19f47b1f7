#include "runtime/qt/list_model.h"

#include <algorithm>

#include "runtime/ui/picture.h"

namespace rt::qt {
namespace {

Qt::Alignment qtAlignment(ui::Align align) {
  switch (align) {
    case ui::Align::Left: return Qt::AlignLeft;
    case ui::Align::Right:
    case ui::Align::Decimal: return Qt::AlignRight;
    case ui::Align::Center: return Qt::AlignHCenter;
  }
  return Qt::AlignLeft;
}

}  // namespace

ListModel::ListModel(const ui::ListSource& source, std::vector<ui::Column> columns, QObject* parent)
    : QAbstractTableModel(parent), source_(source), columns_(std::move(columns)) {
  seenChanges_ = source_.changeCount();
  rows_ = std::max(0, source_.count());
}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
      const auto column = static_cast<std::size_t>(index.column());
      if (painting_) return QString::fromStdString(paintedLine(index.row())[column]);
      return QString::fromStdString(lineTexts(index.row())[column]);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(qtAlignment(column(index.column()).align) | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(column(section).header);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(qtAlignment(column(section).headerAlign) | Qt::AlignVCenter);
    default: return {};
  }
}

bool ListModel::refresh() {
  // Read the change count first: a change made while the lines are read
  // moves it again and brings another refresh.
  const std::uint64_t changes = source_.changeCount();
  if (changes == seenChanges_) return false;
  seenChanges_ = changes;
  recount();
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  return true;
}

void ListModel::recount() {
  bufferedRow_ = -1;
  const int count = std::max(0, source_.count());
  if (count > rows_) {
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
  } else if (count < rows_) {
    beginRemoveRows({}, count, rows_ - 1);
    rows_ = count;
    endRemoveRows();
  }
}

std::vector<std::string> ListModel::lineTexts(int row) const {
  std::vector<ui::FieldValue> values;
  std::vector<std::string> texts;
  source_.line(row + 1, values);
  ui::formatLine(columns_, values, texts);
  texts.resize(columns_.size());
  return texts;
}

void ListModel::beginPaint() const {
  painting_ = true;
  bufferedRow_ = -1;
}

void ListModel::endPaint() const {
  painting_ = false;
  bufferedRow_ = -1;
}

const std::vector<std::string>& ListModel::paintedLine(int row) const {
  if (row != bufferedRow_) {
    source_.line(row + 1, values_);
    ui::formatLine(columns_, values_, texts_);
    texts_.resize(columns_.size());
    bufferedRow_ = row;
  }
  return texts_;
}

}  // namespace rt::qt
