// How often a viewer redraws while eight unlocked writers change the queue:
// the real program on Qt (offscreen), driven through its automation. The
// figure to compare is redraws_per_second against the display's frame rate.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/program.h"
#include "runtime/program.h"
#include "runtime/qt/qt_window_layer.h"
#include "runtime/ui/automation.h"

namespace {

using namespace std::chrono_literals;

rt::ui::WindowId windowCalled(rt::ui::Automation& ui, const std::string& caption, int count = 1) {
  rt::ui::WindowId found = 0;
  rt::ui::waitUntil(ui, [&] {
    int seen = 0;
    for (const auto& w : ui.windows())
      if (w.caption == caption && ++seen == count) found = w.id;
    return found != 0;
  });
  return found;
}

void answerNextBox(rt::ui::Automation& ui) {
  std::optional<rt::ui::MessageBoxInfo> box;
  rt::ui::waitUntil(ui, [&] { return (box = ui.messageBox()).has_value(); });
  if (box) ui.answer(box->buttons.front());
}

// Runs the program with eight unsafe writers and a viewer, and counts the
// viewer's redraws over a stretch of measured time.
void ViewerRedrawsWithEightWriters(benchmark::State& state) {
  const auto scratch = std::filesystem::temp_directory_path() / "lumo-bench-redraw";
  std::filesystem::create_directories(scratch / "run");
  std::filesystem::permissions(scratch / "run", std::filesystem::perms::owner_all);
  setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (scratch / "run").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "lumo_bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const double frameRate = QGuiApplication::primaryScreen()->refreshRate();
  rt::qt::QtWindowLayer layer;
  double redrawsPerSecond = 0;

  std::thread driver([&] {
    auto& ui = layer.automation();
    {
      rt::ProgramRun run(layer, lumo::program());
      answerNextBox(ui);
      answerNextBox(ui);
      windowCalled(ui, "Application");
      ui.chooseMenu(-5);
      const auto launcher = windowCalled(ui, "Caption");
      for (int i = 0; i < 8; ++i) ui.press(launcher, 2);
      windowCalled(ui, "Modificando Global Queue", 8);
      ui.press(launcher, 3);
      const auto viewer = windowCalled(ui, "Global Queue");
      for (auto _ : state) {
        const int before = ui.listRedraws(viewer, 1);
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(2s);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        redrawsPerSecond = (ui.listRedraws(viewer, 1) - before) / elapsed.count();
        state.SetIterationTime(elapsed.count());
      }
      for (const auto& w : ui.windows())
        if (w.kind == rt::ui::WindowKind::Frame) ui.close(w.id);
      run.waitEnded(60s);
    }
    layer.quitDisplayLoop();
  });
  QApplication::exec();
  driver.join();
  state.counters["redraws_per_second"] = redrawsPerSecond;
  state.counters["frame_rate"] = frameRate;
  std::filesystem::remove_all(scratch);
}
BENCHMARK(ViewerRedrawsWithEightWriters)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
