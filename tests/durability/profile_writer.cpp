// Rewrites the key "Step" of section "Progress" in the profile file given as
// its argument, step after step, until killed. Starts after the step the file
// holds and reports each finished step on standard output, one per line.

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "runtime/profile.h"
#include "step_value.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string file = argv[1];
  long step = std::atol(rt::readProfileString("Progress", "Step", "0", file).c_str());
  for (;;) {
    ++step;
    rt::writeProfileString("Progress", "Step", stepValue(step), file);
    std::string report = std::to_string(step) + "\n";
    if (::write(STDOUT_FILENO, report.data(), report.size()) != static_cast<ssize_t>(report.size()))
      return 1;
  }
}
