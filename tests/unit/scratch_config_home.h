#pragma once
// A fresh, empty configuration home for one test: XDG_CONFIG_HOME points at a
// new temporary directory while the object lives, and both go afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

class ScratchConfigHome {
 public:
  ScratchConfigHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    std::string pattern = (std::filesystem::temp_directory_path() / "lumo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create " << pattern;
    root_ = pattern;
    ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  ~ScratchConfigHome() {
    if (saved_) {
      ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchConfigHome(const ScratchConfigHome&) = delete;
  ScratchConfigHome& operator=(const ScratchConfigHome&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // Where a profile file named without a directory lives.
  std::filesystem::path profileDir() const { return root_ / "lumo"; }

  static void put(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::optional<std::string> contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

 private:
  std::filesystem::path root_;
  std::optional<std::string> saved_;
};
