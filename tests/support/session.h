#pragma once
// One run of the whole program inside a test, against the test backend: its
// own configuration and runtime directories, and helpers that do what a user
// does (answer the start-up boxes, choose menu entries, press buttons) and
// wait for what the user would see, with generous time-outs.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "runtime/program.h"
#include "runtime/ui/automation.h"

class Session {
 public:
  Session();
  ~Session();  // ends a program still running, as a user would
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void start();
  rt::ui::Automation& ui();

  // The next message box that was not on screen before (fails the test and
  // returns an empty box after the time-out).
  rt::ui::MessageBoxInfo nextBox();
  void answer(int button);
  // Starts the program and answers its two start-up boxes; returns the frame.
  rt::ui::WindowId startToFrame();
  // The id of the newest open window with this caption, waiting for it.
  rt::ui::WindowId waitForWindow(const std::string& caption, int count = 1);
  int windowCount(const std::string& caption);
  bool waitForNoWindow(const std::string& caption);
  // Chooses "E&xit" and waits for the program to end.
  void exitProgram();
  bool waitEnded();
  bool ended() const;

  const std::filesystem::path& configDir() const { return config_; }
  const std::filesystem::path& runtimeDir() const { return runtime_; }
  std::filesystem::path iniFile() const { return config_ / "lumo" / "lumo.INI"; }

 private:
  std::filesystem::path root_, config_, runtime_;
  std::unique_ptr<rt::ProgramRun> run_;
  rt::ui::BoxId lastBox_ = 0;
};
