// The gui test run: the main thread becomes the display thread and runs Qt
// with one window layer for the whole process; the tests run on a second
// thread, like the program's own threads, and end the display loop when done.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <thread>

#include "runtime/qt/qt_window_layer.h"
#include "support/backend.h"

namespace {

rt::qt::QtWindowLayer* layer = nullptr;

}  // namespace

rt::ui::WindowLayer& testLayer() {
  return *layer;
}

const char* backendName() {
  return "qt";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // no display needed
  setenv("QT_QPA_PLATFORM", "offscreen", 0);               // unless told otherwise
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  rt::qt::QtWindowLayer qtLayer;
  layer = &qtLayer;
  int result = 0;
  std::thread tests([&] {
    result = RUN_ALL_TESTS();
    qtLayer.quitDisplayLoop();
  });
  QApplication::exec();
  tests.join();
  layer = nullptr;
  return result;
}
