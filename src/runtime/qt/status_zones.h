#pragma once
// The frame's status bar: zones from left to right, widths in dialog units
// of the status bar's own font; a zone given as -1 stretches over what the
// fixed zones leave.

#include <QString>
#include <string>
#include <vector>

#include "runtime/ui/window_definition.h"

class QLabel;
class QStatusBar;

namespace rt::qt {

class StatusZones {
 public:
  StatusZones(QStatusBar& bar, const ui::StatusBar& definition);

  // True when the text changed.
  bool setText(std::size_t zone, const QString& text);
  std::vector<std::string> texts() const;

 private:
  std::vector<QLabel*> zones_;
};

}  // namespace rt::qt
