#pragma once
// A window's dialog units, from the real metrics of its font: one horizontal
// unit is a quarter of the average character width, one vertical unit an
// eighth of the character height. Converts both ways, rounding to nearest.

#include <QFont>
#include <QRect>

#include "runtime/ui/placement.h"
#include "runtime/ui/window_definition.h"

namespace rt::qt {

// The Qt font for a definition's font. Faces Linux lacks ("MS Sans Serif",
// "System", "Helv") and an empty face become the desktop's default
// sans-serif at the same point size.
QFont windowFont(const ui::Font& font);

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int toPixelsX(int units) const;
  int toPixelsY(int units) const;
  int toUnitsX(int pixels) const;
  int toUnitsY(int pixels) const;

  ui::Geometry toUnits(const QRect& rect) const;

 private:
  int averageWidth_;  // (width of "A".."Z", "a".."z" / 26 + 1) / 2
  int charHeight_;
};

}  // namespace rt::qt
