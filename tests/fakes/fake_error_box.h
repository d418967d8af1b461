#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/application.h"

namespace lumenpoll::fakes {

// Records every box. while_open stands for the operator's time in front of the box:
// it runs inside show(), as the nested message loop would (e.g. advancing the clock).
class FakeErrorBox : public ErrorBox {
 public:
  struct Shown {
    std::string caption;
    std::string text;
  };
  std::vector<Shown> shown;
  std::function<void()> while_open;
  int open = 0;
  int max_open = 0;

  void show(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
    ++open;
    max_open = std::max(max_open, open);
    if (while_open) while_open();
    --open;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const auto& s : shown) t.push_back(s.text);
    return t;
  }
};

}  // namespace lumenpoll::fakes
