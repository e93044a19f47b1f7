#include "runtime/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace rt::qt {
namespace {

bool legacyFace(const std::string& face) {
  return face.empty() || face == "MS Sans Serif" || face == "System" || face == "Helv";
}

// value * numerator / denominator, rounded to nearest, halves away from zero.
int scale(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

QFont windowFont(const ui::Font& font) {
  QFont result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (!legacyFace(font.face)) result.setFamily(QString::fromStdString(font.face));
  if (font.points > 0) result.setPointSize(font.points);
  if (font.weight > 0)
    result.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
  return result;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  averageWidth_ = std::max(1, (letters / 26 + 1) / 2);
  charHeight_ = std::max(1, metrics.height());
}

int DialogUnits::toPixelsX(int units) const {
  return scale(units, averageWidth_, 4);
}
int DialogUnits::toPixelsY(int units) const {
  return scale(units, charHeight_, 8);
}
int DialogUnits::toUnitsX(int pixels) const {
  return scale(pixels, 4, averageWidth_);
}
int DialogUnits::toUnitsY(int pixels) const {
  return scale(pixels, 8, charHeight_);
}

ui::Geometry DialogUnits::toUnits(const QRect& rect) const {
  return ui::Geometry{toUnitsX(rect.x()), toUnitsY(rect.y()), toUnitsX(rect.width()),
                      toUnitsY(rect.height())};
}

}  // namespace rt::qt
