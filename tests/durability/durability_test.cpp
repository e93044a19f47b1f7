// Kills a process that keeps rewriting a profile file at random moments, and
// checks after every kill that the file is whole: byte for byte the file as
// it stood after the last step the writer reported, or after the next one.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "step_value.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The file around the value of "Step": other sections, comments and CRLF line
// ends before it, and enough text after it that the file spans many pages.
struct Layout {
  std::string head;
  std::string tail;
  std::string withStep(long step) const { return head + stepValue(step) + tail; }
};

Layout makeLayout() {
  Layout layout;
  layout.head = "; written by the durability test\r\n[Before]\r\nA=1\r\n[Progress]\r\nStep=";
  layout.tail = "\r\nNote = stays\r\n";
  for (int i = 0; i < 2000; ++i)
    layout.tail += "[Filler" + std::to_string(i) + "]\r\nKey=" + std::string(40, 'f') + "\r\n";
  return layout;
}

std::string readAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// One run of the writer with its standard output on a pipe.
class Writer {
 public:
  explicit Writer(const fs::path& file) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    std::string path = PROFILE_WRITER;
    std::string argument = file.string();
    char* argv[] = {path.data(), argument.data(), nullptr};
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    out_ = ends[0];
  }
  ~Writer() {
    kill();
    if (out_ >= 0) ::close(out_);
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  bool started() const { return pid_ > 0 && out_ >= 0; }

  // Waits until the writer has reported step, or the time-out passes.
  bool waitForStep(long step, std::chrono::seconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (lastReported_ < step) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{out_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
      if (!readReports()) return false;
    }
    return true;
  }

  // Kills the writer, waits for it to end and takes in every step it reported.
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    while (readReports()) {
    }
  }

  long lastReported() const { return lastReported_; }

 private:
  // Reads what is in the pipe; false at its end or on an error.
  bool readReports() {
    char buffer[256];
    ssize_t got = ::read(out_, buffer, sizeof buffer);
    if (got <= 0) return false;
    for (ssize_t i = 0; i < got; ++i) {
      if (buffer[i] == '\n') {
        lastReported_ = std::atol(pending_.c_str());
        pending_.clear();
      } else {
        pending_ += buffer[i];
      }
    }
    return true;
  }

  pid_t pid_ = -1;
  int out_ = -1;
  long lastReported_ = 0;
  std::string pending_;
};

// Checks that file is whole: exactly the file after step reported, or after
// the step that followed it when the writer died before reporting that one.
// Gives the step the file holds in found.
void checkWhole(const fs::path& file, const Layout& layout, long reported, long& found) {
  std::string text = readAll(file);
  ASSERT_TRUE(text.starts_with(layout.head)) << "file starts " << text.substr(0, 80);
  found = std::atol(text.substr(layout.head.size()).c_str());
  ASSERT_TRUE(found == reported || found == reported + 1)
      << "file holds step " << found << ", writer reported " << reported;
  ASSERT_EQ(text, layout.withStep(found));
}

TEST(ProfileDurability, KilledWriterNeverLeavesDamagedFile) {
  fs::path dir = fs::temp_directory_path() / ("lumo-durability-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path file = dir / "durable.INI";
  const Layout layout = makeLayout();
  std::ofstream(file, std::ios::binary) << layout.withStep(0);

  // How long one step takes on this machine and build, so that the kills
  // spread over whole steps: reading, editing, writing, syncing, renaming.
  long step = 0;  // the step the file holds
  std::chrono::microseconds stepTime;
  {
    constexpr int kTimedSteps = 10;
    Writer writer(file);
    ASSERT_TRUE(writer.started());
    ASSERT_TRUE(writer.waitForStep(1, std::chrono::seconds(30)));
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(writer.waitForStep(1 + kTimedSteps, std::chrono::seconds(30)));
    stepTime = std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - start) /
               kTimedSteps;
    writer.kill();
    ASSERT_NO_FATAL_FAILURE(checkWhole(file, layout, writer.lastReported(), step));
  }

  std::random_device device;
  const unsigned seed = device();
  SCOPED_TRACE("random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> stepsFirst(0, 3);
  std::uniform_int_distribution<long> delayMicros(0, stepTime.count() * 3 / 2);

  constexpr int kKills = 120;
  int unreported = 0;  // kills after a rename, before its report
  for (int kill = 0; kill < kKills; ++kill) {
    Writer writer(file);
    ASSERT_TRUE(writer.started());
    ASSERT_TRUE(writer.waitForStep(step + stepsFirst(random), std::chrono::seconds(30)));
    // Not a wait for anything: a random pause picks the moment of the kill.
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
    writer.kill();
    long reported = std::max(writer.lastReported(), step);
    SCOPED_TRACE("kill " + std::to_string(kill));
    ASSERT_NO_FATAL_FAILURE(checkWhole(file, layout, reported, step));
    if (step == reported + 1) ++unreported;
  }
  int leftovers = 0;
  for (const auto& entry : fs::directory_iterator(dir)) leftovers += entry.path() != file;
  std::cout << "[          ] " << kKills << " kills, one step every " << stepTime.count() << " us, "
            << step << " steps written, " << unreported
            << " kills after a rename not yet reported, " << leftovers
            << " temporary files left by kills\n";
  fs::remove_all(dir);
}

}  // namespace
