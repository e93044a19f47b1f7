// lumo's entry point: the process's first thread becomes the display
// thread, running Qt; the program itself runs on threads of its own and
// ends the display loop once everything it started has ended.

#include <QApplication>

#include "app/program.h"
#include "runtime/program.h"
#include "runtime/qt/qt_window_layer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  rt::qt::QtWindowLayer layer;
  rt::ProgramRun run(layer, lumo::program(), [&layer] { layer.quitDisplayLoop(); });
  QApplication::exec();
  return 0;
}
