#include "runtime/qt/status_zones.h"

#include <QLabel>
#include <QStatusBar>

#include "runtime/qt/dialog_units.h"
#include "runtime/qt/plain_text.h"

namespace rt::qt {

StatusZones::StatusZones(QStatusBar& bar, const ui::StatusBar& definition) {
  const QFont font = windowFont(definition.font);
  bar.setFont(font);
  const DialogUnits units(font);
  for (const int width : definition.zones) {
    auto* zone = new QLabel(&bar);
    zone->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zone->setAccessibleName(QStringLiteral("Zona de estado %1").arg(zones_.size() + 1));
    if (width < 0) {
      zone->setMinimumWidth(units.toPixelsX(1));
      bar.addWidget(zone, 1);
    } else {
      zone->setFixedWidth(units.toPixelsX(width));
      bar.addWidget(zone, 0);
    }
    zones_.push_back(zone);
  }
}

bool StatusZones::setText(std::size_t zone, const QString& text) {
  if (zone >= zones_.size() || zones_[zone]->text() == text) return false;
  zones_[zone]->setText(text);
  return true;
}

std::vector<std::string> StatusZones::texts() const {
  std::vector<std::string> result;
  for (const QLabel* zone : zones_) result.push_back(stdText(zone->text()));
  return result;
}

}  // namespace rt::qt
