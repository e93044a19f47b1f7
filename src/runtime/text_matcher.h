#pragma once
// The class library's fuzzy text matcher. The program configures it (option
// 1: ignore letter case; option 2: whole words only) and never asks it for a
// match, so it keeps its options and nothing else.

#include <map>

namespace rt {

class TextMatcher {
 public:
  static constexpr int kIgnoreCase = 1;
  static constexpr int kWholeWords = 2;

  void init() { options_.clear(); }
  void setOption(int option, int value) { options_[option] = value; }
  int option(int option) const {
    const auto found = options_.find(option);
    return found == options_.end() ? 0 : found->second;
  }
  void stop() {}

 private:
  std::map<int, int> options_;
};

}  // namespace rt
