#include "windows/main_frame.h"

#include "runtime/event_loop.h"
#include "runtime/start.h"
#include "runtime/ui/events.h"
#include "skeleton/procedure_window.h"
#include "windows/critical_section_test.h"
#include "windows/semaphore_test.h"

namespace lumo {
namespace {

using rt::ui::StandardAction;

class MainWindow final : public ProcedureWindow {
 public:
  explicit MainWindow(rt::Window& window) : ProcedureWindow("Main", window) {}

  Level takeAccepted() override {
    switch (rt::acceptedControl()) {
      case -5: rt::start(TestCriticalSection, kProcedureStack); break;
      case -6: rt::start(TestSemaforo, kProcedureStack); break;
      default: break;
    }
    return ProcedureWindow::takeAccepted();
  }

  Level takeWindowEvent() override {
    const Level level = ProcedureWindow::takeWindowEvent();
    if (rt::currentEvent() == rt::ui::kEventOpenWindow) rt::start(EsperaSemaforo, kProcedureStack);
    return level;
  }
};

}  // namespace

rt::ui::WindowDefinition mainDefinition() {
  rt::ui::WindowDefinition d;
  d.kind = rt::ui::WindowKind::Frame;
  d.caption = "Application";
  d.width = 282;
  d.height = 212;
  d.font = {"System", 8, 400};
  d.attributes.systemMenu = true;
  d.attributes.maximizeBox = true;
  d.attributes.resizable = true;
  d.attributes.immediate = true;
  d.statusBar = rt::ui::StatusBar{{-1, 80, 120, 45}, {"Helv", 8, 400}};
  d.menus = {
      {"&File",
       "?FILEMENU",
       -1,
       "",
       StandardAction::None,
       {{"P&rint Setup...", "?PRINTSETUP", -2, "Setup Printer", StandardAction::PrintSetup},
        {"", "", 0, "", StandardAction::None},
        {"E&xit", "?EXIT", -3, "Exit this application", StandardAction::Close}}},
      {"Test",
       "?TEST2",
       -4,
       "",
       StandardAction::None,
       {{"Secciones Criticas", "?TEST", -5, "", StandardAction::None},
        {"Semaforos", "?TESTSEMAFOROS", -6, "", StandardAction::None}}},
      {"&Edit",
       "?EDITMENU",
       -7,
       "",
       StandardAction::None,
       {{"Cu&t", "?CUT", -8, "Remove item to Windows Clipboard", StandardAction::Cut},
        {"&Copy", "?COPY", -9, "Copy item to Windows Clipboard", StandardAction::Copy},
        {"&Paste", "?PASTE", -10, "Paste contents of Windows Clipboard", StandardAction::Paste}}},
      {"&Window",
       "",
       0,
       "Create and Arrange windows",
       StandardAction::WindowList,
       {{"T&ile", "?TILE", -11, "Make all open windows visible", StandardAction::Tile},
        {"&Cascade", "?CASCADE", -12, "Stack all open windows", StandardAction::Cascade},
        {"&Arrange Icons", "?ARRANGE", -13, "Align all window icons",
         StandardAction::ArrangeIcons}}},
      {"&Help",
       "",
       0,
       "Windows Help",
       StandardAction::None,
       {{"&Contents", "?HELPINDEX", -14, "View the contents of the help file",
         StandardAction::HelpContents},
        {"&Search for Help On...", "?HELPSEARCH", -15, "Search for help on a subject",
         StandardAction::HelpSearch},
        {"&How to Use Help", "?HELPONHELP", -16, "How to use Windows Help",
         StandardAction::HelpOnHelp}}},
  };
  return d;
}

void Main() {
  runProcedure<MainWindow>(mainDefinition());
}

}  // namespace lumo
