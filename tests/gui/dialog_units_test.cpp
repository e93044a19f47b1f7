// Dialog units on Qt: they follow the window's real font, legacy faces map
// to the desktop's sans-serif, and placements round-trip in dialog units.

#include "runtime/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>
#include <cmath>

#include "qt_gui_support.h"

namespace {

using rt::ui::WindowKind;

// units of a metric divided into parts (4 for widths, 8 for heights).
int pixels(int units, int metric, int parts) {
  return static_cast<int>(std::lround(units * metric / static_cast<double>(parts)));
}

TEST(QtDialogUnits, LegacyFacesBecomeTheDesktopSansSerifAtTheSameSize) {
  gui::layer().onDisplay([] {
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* face : {"MS Sans Serif", "System", "Helv", ""}) {
      SCOPED_TRACE(face);
      const QFont font = rt::qt::windowFont({face, 11, 400});
      EXPECT_EQ(font.family(), desktop);
      EXPECT_EQ(font.pointSize(), 11);
    }
    const QFont named = rt::qt::windowFont({"DejaVu Serif", 9, 700});
    EXPECT_EQ(named.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(named.pointSize(), 9);
    EXPECT_EQ(named.weight(), QFont::Bold);
  });
}

TEST(QtDialogUnits, ClientAreaSizeFollowsTheFontsLetters) {
  int previousWidth = 0;
  for (const int points : {8, 12, 20}) {
    SCOPED_TRACE(points);
    auto definition = gui::windowDefinition(WindowKind::Owned, "Units", 100, 40);
    definition.font.points = points;
    gui::OpenWindow window(definition, 0);
    gui::layer().onDisplay([&] {
      const QWidget* widget = gui::layer().widget(window.id());
      ASSERT_NE(widget, nullptr);
      const QFontMetrics metrics(widget->font());
      EXPECT_EQ(widget->font().pointSize(), points);
      const int letters = metrics.horizontalAdvance(
          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
      const int average = (letters / 26 + 1) / 2;
      EXPECT_EQ(widget->width(), pixels(100, average, 4));
      EXPECT_EQ(widget->height(), pixels(40, metrics.height(), 8));
      EXPECT_GT(widget->width(), previousWidth);
      previousWidth = widget->width();
    });
    EXPECT_EQ(gui::layer().geometry(window.id()).width, 100);
    EXPECT_EQ(gui::layer().geometry(window.id()).height, 40);
  }
}

TEST(QtDialogUnits, PlacementRoundTripsForEveryKindNegativePositionsIncluded) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  const std::vector<rt::ui::Geometry> placements = {{10, 20, 150, 60}, {-7, -3, 140, 55}};
  for (const WindowKind kind : {WindowKind::Child, WindowKind::Owned}) {
    auto definition = gui::windowDefinition(kind, "Placed", 120, 50);
    definition.attributes.dialogFrame = false;
    definition.attributes.resizable = true;
    gui::OpenWindow window(definition, frame.id());
    for (const rt::ui::WindowId id : {window.id(), frame.id()}) {
      for (const rt::ui::Geometry& wanted : placements) {
        SCOPED_TRACE(testing::Message() << (id == frame.id() ? "frame" : "window") << " at "
                                        << wanted.x << "," << wanted.y);
        gui::layer().setGeometry(id, wanted);
        EXPECT_EQ(gui::layer().geometry(id), wanted);
        EXPECT_EQ(gui::layer().automation().windowGeometry(id), wanted);
      }
    }
  }
}

}  // namespace
