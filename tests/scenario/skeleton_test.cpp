// The procedure skeleton on its own: response of a run, a kill that finds
// the manager dead, and a child window refused on the frame's thread.

#include <gtest/gtest.h>

#include <filesystem>

#include "positions/position_store_instance.h"
#include "runtime/program.h"
#include "runtime/thread_values.h"
#include "skeleton/procedure_window.h"
#include "support/backend.h"
#include "support/session.h"

namespace {

rt::ui::WindowDefinition probeFrame() {
  rt::ui::WindowDefinition d;
  d.kind = rt::ui::WindowKind::Frame;
  d.caption = "Probe";
  d.width = 100;
  d.height = 50;
  d.attributes.resizable = true;
  return d;
}

// Closes at once: its loop ends on the open-window event.
class ClosingProbe : public lumo::ProcedureWindow {
 public:
  explicit ClosingProbe(rt::Window& window) : ProcedureWindow("Probe", window) {}
  lumo::Level takeWindowEvent() override {
    ProcedureWindow::takeWindowEvent();
    return lumo::kLevelEnd;
  }
};

class AnsweringProbe : public ClosingProbe {
 public:
  using ClosingProbe::ClosingProbe;
  lumo::Level init() override {
    const lumo::Level level = ClosingProbe::init();
    response = 7;
    return level;
  }
};

struct Observed {
  std::uint8_t closingResponse = 0;
  std::uint8_t answeringResponse = 0;
  std::uint8_t refusedResponse = 0;
  lumo::Level secondKill = 0;
  std::size_t namesAfterSecondKill = 99;
  bool fileAfterSecondKill = true;
};

// Runs a small program of probes against the test backend.
Observed runProbes(const std::filesystem::path& ini) {
  Observed seen;
  rt::Program program;
  program.moduleInit = [] { lumo::createPositionStore(); };
  program.moduleTerm = [] { lumo::destroyPositionStore(); };
  program.main = [&] {
    lumo::positionStore().open("probe.INI");
    lumo::runProcedure<ClosingProbe>(probeFrame());
    seen.closingResponse = rt::threadValues().response;
    lumo::runProcedure<AnsweringProbe>(probeFrame());
    seen.answeringResponse = rt::threadValues().response;

    // A second kill finds the manager dead: it neither stores the
    // placement nor pops the name.
    rt::Window window(probeFrame());
    ClosingProbe probe(window);
    rt::threadValues().errors.pushName("Outer");
    probe.init();
    probe.kill();
    std::filesystem::remove(ini);
    const std::size_t names = rt::threadValues().errors.names().size();
    seen.secondKill = probe.kill();
    seen.namesAfterSecondKill = rt::threadValues().errors.names().size() - names + 1;
    seen.fileAfterSecondKill = std::filesystem::exists(ini);

    // Child windows are refused on the frame's own thread.
    auto childDefinition = probeFrame();
    childDefinition.kind = rt::ui::WindowKind::Child;
    rt::Window frame(probeFrame());
    frame.open();
    lumo::runProcedure<ClosingProbe>(childDefinition);
    seen.refusedResponse = rt::threadValues().response;
  };
  rt::ProgramRun run(testLayer(), program);
  EXPECT_TRUE(run.waitEnded(std::chrono::seconds(60)));
  return seen;
}

}  // namespace

TEST(ProcedureSkeleton, ResponsesKillsAndRefusals) {
  Session session;  // for its scratch directories
  const Observed seen = runProbes(session.configDir() / "lumo" / "probe.INI");
  EXPECT_EQ(seen.closingResponse, 2) << "nothing set a response";
  EXPECT_EQ(seen.answeringResponse, 7);
  EXPECT_EQ(seen.secondKill, lumo::kLevelConsumed);
  EXPECT_EQ(seen.namesAfterSecondKill, 1u) << "the second kill popped a name";
  EXPECT_FALSE(seen.fileAfterSecondKill) << "the second kill stored the placement";
  EXPECT_EQ(seen.refusedResponse, 2);
  EXPECT_TRUE(testLayer().automation().windows().empty());
}
