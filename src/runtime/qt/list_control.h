#pragma once
// A multi-column list bound to a ListSource: one line per entry, columns from
// the list's column format (widths in dialog units, header texts, alignment,
// right borders, user-resizable columns), a vertical scroll bar only. It
// reads the source only for the lines it draws and keeps no copy.

#include <QTreeView>
#include <string>
#include <vector>

#include "runtime/qt/dialog_units.h"
#include "runtime/ui/column_format.h"
#include "runtime/ui/list_source.h"

namespace rt::qt {

class ListModel;

class ListControl final : public QTreeView {
  Q_OBJECT

 public:
  ListControl(const ui::ListSource& source, std::vector<ui::Column> columns,
              const DialogUnits& units, QWidget* parent);

  // When the source changed since the last look: re-reads the number of
  // lines, keeps the selection within them, redraws and counts one redraw.
  bool refresh();
  // Re-reads the number of lines and repaints, whether or not anything changed.
  void redisplay();
  int redraws() const { return redraws_; }

  // Every line as the list shows it now, and the header texts.
  std::vector<std::vector<std::string>> lines() const;
  std::vector<std::string> headers() const;

  // Selects a line (1-based) and gives the list the focus; false when there
  // is no such line.
  bool selectLine(int line);
  // The selected line's displayed values as formatted, tab-separated; empty
  // when no line is selected.
  std::string selectedLineText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int selectedRow() const;
  void keepSelectionWithin(int previousRow);

  ListModel* model_;
  int redraws_ = 0;
};

}  // namespace rt::qt
