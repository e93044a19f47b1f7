#pragma once
// Where a cell's or header's text goes: the rectangle left after the indent
// and the alignment flags, for a column alignment. A decimal column is
// right-aligned with its offset from the right edge.

#include <QRect>

#include "runtime/ui/column_format.h"

namespace rt::qt {

struct TextPlacement {
  QRect rect;
  int flags = 0;
};

TextPlacement placeText(const QRect& cell, ui::Align align, int indentPixels);

}  // namespace rt::qt
