#include "runtime/qt/text_placement.h"

namespace rt::qt {

TextPlacement placeText(const QRect& cell, ui::Align align, int indentPixels) {
  switch (align) {
    case ui::Align::Left:
      return {cell.adjusted(indentPixels, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter};
    case ui::Align::Right:
    case ui::Align::Decimal:
      return {cell.adjusted(0, 0, -indentPixels, 0), Qt::AlignRight | Qt::AlignVCenter};
    case ui::Align::Center:
      return {cell.adjusted(indentPixels, 0, 0, 0), Qt::AlignHCenter | Qt::AlignVCenter};
  }
  return {cell, Qt::AlignLeft | Qt::AlignVCenter};
}

}  // namespace rt::qt
