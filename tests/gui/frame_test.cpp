// The frame and its windows on Qt: close boxes only report, menu entries are
// reported or carried out, the window list names child windows only, the
// status bar's zones and messages, outline dragging, and child placement
// with maximising and restoring.

#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "qt_gui_support.h"
#include "runtime/qt/dialog_units.h"

namespace {

using rt::ui::WindowKind;

rt::ui::WindowDefinition resizableChild(const std::string& caption) {
  auto definition = gui::windowDefinition(WindowKind::Child, caption, 120, 50);
  definition.attributes.dialogFrame = false;
  definition.attributes.resizable = definition.attributes.maximizeBox = true;
  return definition;
}

TEST(QtFrame, CloseBoxesOnlyReportTheRequest) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow child(gui::windowDefinition(WindowKind::Child, "Caption", 279, 28), frame.id());
  gui::OpenWindow owned(gui::windowDefinition(WindowKind::Owned, "Global Queue", 100, 50),
                        frame.id());
  auto& ui = gui::layer().automation();
  for (gui::OpenWindow* window : {&frame, &child, &owned}) {
    ASSERT_TRUE(ui.close(window->id()));
    EXPECT_TRUE(window->events().waitFor(rt::ui::kEventCloseWindow));
    gui::layer().onDisplay([&] { EXPECT_TRUE(gui::layer().widget(window->id())->isVisible()); });
  }
  EXPECT_EQ(ui.windows().size(), 3u);
  frame.events().clear();
  ASSERT_TRUE(ui.chooseMenu(gui::kExitNumber));
  EXPECT_TRUE(frame.events().waitFor(rt::ui::kEventCloseWindow)) << "E&xit is the close box";
}

TEST(QtFrame, MenuEntriesAreReportedOrCarriedOut) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  auto& ui = gui::layer().automation();
  EXPECT_EQ(ui.menuTitles(),
            (std::vector<std::string>{"&File", "Test", "&Edit", "&Window", "&Help"}));
  EXPECT_EQ(ui.menuEntries(0), (std::vector<std::string>{"P&rint Setup...", "", "E&xit"}));

  ASSERT_TRUE(ui.chooseMenu(gui::kTestNumber));
  EXPECT_TRUE(frame.events().waitFor(rt::ui::kEventAccepted, gui::kTestNumber));
  ASSERT_TRUE(ui.chooseMenu(gui::kHelpOnHelpNumber));
  EXPECT_EQ(ui.openDialogs(), (std::vector<std::string>{"help"}));
  ASSERT_TRUE(ui.chooseMenu(gui::kPrintSetupNumber));
  EXPECT_EQ(ui.openDialogs(), (std::vector<std::string>{"help", "print setup"}));
  EXPECT_EQ(frame.events().count(rt::ui::kEventAccepted, gui::kHelpOnHelpNumber), 0);
  EXPECT_EQ(frame.events().count(rt::ui::kEventAccepted, gui::kPrintSetupNumber), 0);
  EXPECT_FALSE(ui.chooseMenu(0)) << "separators and unnumbered menus cannot be chosen";
  EXPECT_FALSE(ui.chooseMenu(-4)) << "a menu is opened, not chosen";

  gui::layer().onDisplay([&] {
    const auto* bar = static_cast<QMainWindow*>(gui::layer().widget(frame.id()))->menuBar();
    std::vector<QMenu*> menus;
    for (QAction* action : bar->actions()) menus.push_back(action->menu());
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_EQ(menus.at(0)->accessibleName(), QStringLiteral("File"));
    EXPECT_EQ(menus.at(3)->accessibleName(), QStringLiteral("Window"));
    EXPECT_TRUE(menus.at(0)->actions().at(1)->isSeparator());
  });
}

TEST(QtFrame, WindowListNamesTheChildWindowsOnly) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  auto& ui = gui::layer().automation();
  gui::OpenWindow launcher(gui::windowDefinition(WindowKind::Child, "Caption", 279, 28),
                           frame.id());
  gui::OpenWindow viewer(gui::windowDefinition(WindowKind::Owned, "Global Queue", 100, 50),
                         frame.id());
  {
    gui::OpenWindow semaphore(gui::windowDefinition(WindowKind::Child, "Semaforo", 186, 50),
                              frame.id());
    EXPECT_EQ(ui.windowList(), (std::vector<std::string>{"Caption", "Semaforo"}));
  }
  EXPECT_EQ(ui.windowList(), (std::vector<std::string>{"Caption"}));
  EXPECT_EQ(ui.menuEntries(3), (std::vector<std::string>{"T&ile", "&Cascade", "&Arrange Icons"}));
}

TEST(QtFrame, StatusZonesInTheStatusFontsUnitsAndMenuMessages) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  auto& ui = gui::layer().automation();
  EXPECT_EQ(ui.statusZones(), (std::vector<std::string>{"", "", "", ""}));
  ASSERT_TRUE(ui.highlightMenu(gui::kExitNumber));
  EXPECT_EQ(ui.statusZones().at(0), "Exit this application");
  ASSERT_TRUE(ui.highlightMenu(gui::kTestNumber));
  EXPECT_EQ(ui.statusZones().at(0), "") << "an entry without a message clears it";

  gui::layer().onDisplay([&] {
    auto* main = static_cast<QMainWindow*>(gui::layer().widget(frame.id()));
    const auto zones = main->statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(zones.size(), 4);
    const rt::qt::DialogUnits units(rt::qt::windowFont({"Helv", 8, 400}));
    EXPECT_EQ(zones.at(1)->width(), units.toPixelsX(80));
    EXPECT_EQ(zones.at(2)->width(), units.toPixelsX(120));
    EXPECT_EQ(zones.at(3)->width(), units.toPixelsX(45));
    EXPECT_GT(zones.at(0)->width(), units.toPixelsX(1)) << "the first zone takes the rest";
  });
}

TEST(QtFrame, ChildWindowsMoveAsOutlinesWhenFullWindowDragIsOff) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow before(resizableChild("Before"), frame.id());
  auto& ui = gui::layer().automation();
  auto outlines = [](const gui::OpenWindow& window) {
    return gui::layer().onDisplay([&] {
      const auto* sub = static_cast<QMdiSubWindow*>(gui::layer().widget(window.id()));
      return sub->testOption(QMdiSubWindow::RubberBandMove) &&
             sub->testOption(QMdiSubWindow::RubberBandResize);
    });
  };
  EXPECT_FALSE(outlines(before));
  gui::layer().setFullWindowDrag(false);
  EXPECT_FALSE(ui.fullWindowDrag());
  gui::OpenWindow after(resizableChild("After"), frame.id());
  EXPECT_TRUE(outlines(before));
  EXPECT_TRUE(outlines(after));
  gui::layer().setFullWindowDrag(true);
  EXPECT_TRUE(ui.fullWindowDrag());
  EXPECT_FALSE(outlines(before));
}

TEST(QtFrame, ChildPlacementSurvivesMaximisingAndRestoring) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow child(resizableChild("Placed"), frame.id());
  auto& ui = gui::layer().automation();
  auto& layer = gui::layer();

  const rt::ui::Geometry first{10, 20, 150, 60};
  child.events().clear();
  ASSERT_TRUE(ui.moveTo(child.id(), first));
  EXPECT_EQ(layer.geometry(child.id()), first);
  EXPECT_TRUE(child.events().waitFor(rt::ui::kEventSized));

  layer.setState(child.id(), {true, false});
  EXPECT_EQ(layer.state(child.id()), (rt::ui::WindowState{true, false}));
  EXPECT_EQ(layer.geometry(child.id()), first) << "the normal geometry, not the maximised one";

  const rt::ui::Geometry second{30, 40, 100, 45};
  layer.setGeometry(child.id(), second);
  EXPECT_EQ(layer.state(child.id()), (rt::ui::WindowState{true, false}));
  EXPECT_EQ(layer.geometry(child.id()), second);

  layer.setState(child.id(), {false, false});
  EXPECT_TRUE(rt::ui::waitUntil(ui, [&] {
    return layer.state(child.id()) == rt::ui::WindowState{} && layer.geometry(child.id()) == second;
  })) << "restoring applies what was set while maximised";

  layer.setState(child.id(), {false, true});
  EXPECT_EQ(layer.state(child.id()), (rt::ui::WindowState{false, true}));
  EXPECT_EQ(layer.geometry(child.id()), second);
}

TEST(QtFrame, TileCascadeAndArrangeIconsPlaceTheChildWindows) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow first(resizableChild("First"), frame.id());
  gui::OpenWindow second(resizableChild("Second"), frame.id());
  auto& ui = gui::layer().automation();
  auto& layer = gui::layer();
  for (const auto* window : {&first, &second}) layer.setGeometry(window->id(), {5, 5, 120, 50});
  auto rect = [&](const gui::OpenWindow& window) {
    const auto g = layer.geometry(window.id());
    return QRect(g.x, g.y, g.width, g.height);
  };

  ASSERT_TRUE(ui.chooseMenu(gui::kTileNumber));
  EXPECT_FALSE(rect(first).intersects(rect(second))) << "tiled side by side";
  const QSize firstSize = rect(first).size(), secondSize = rect(second).size();
  ASSERT_TRUE(ui.chooseMenu(gui::kCascadeNumber));
  EXPECT_LT(rect(first).topLeft().manhattanLength(), rect(second).topLeft().manhattanLength());
  EXPECT_TRUE(rect(first).intersects(rect(second))) << "stacked";
  EXPECT_EQ(rect(first).size(), firstSize) << "cascading keeps the sizes";
  EXPECT_EQ(rect(second).size(), secondSize);

  for (const auto* window : {&first, &second}) layer.setState(window->id(), {false, true});
  ASSERT_TRUE(ui.chooseMenu(gui::kArrangeNumber));
  layer.onDisplay([&] {
    const auto* one = gui::layer().widget(first.id());
    const auto* two = gui::layer().widget(second.id());
    const QWidget* area = one->parentWidget();
    EXPECT_EQ(one->geometry().bottom(), area->rect().bottom()) << "along the bottom";
    EXPECT_EQ(two->geometry().bottom(), area->rect().bottom());
    EXPECT_EQ(one->x(), 0);
    EXPECT_EQ(two->x(), one->geometry().right() + 1) << "side by side, in opening order";
  });
}

TEST(QtFrame, ActivatingAWindowReportsTheFocus) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow first(resizableChild("First"), frame.id());
  gui::OpenWindow second(resizableChild("Second"), frame.id());
  first.events().clear();
  gui::layer().select(first.id(), 1);
  EXPECT_TRUE(first.events().waitFor(rt::ui::kEventGainFocus));
}

}  // namespace
