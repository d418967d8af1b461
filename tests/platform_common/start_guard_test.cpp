#include "app/start_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"

namespace lumenpoll {
namespace {

class RecordingBox : public ErrorBox {
 public:
  void show(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + "|" + text);
  }
  std::vector<std::string> shown;
};

constexpr const char* kTitle = "Orvend Image Processing";

TEST(StartGuard, AnErrorAtStartIsShownLoggedAndFailsTheProgram) {
  struct Case {
    const char* name;
    std::function<int()> body;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"no timer", []() -> int { throw EOutOfResources(); }, "Not enough timers available."},
      {"view", []() -> int { throw std::logic_error("The window has no control x."); },
       "The window has no control x."},
      {"memory", []() -> int { throw std::bad_alloc(); },
       std::bad_alloc().what() + std::string(".")},
  };
  for (const Case& c : cases) {
    RecordingBox box;
    std::ostringstream log;
    EXPECT_EQ(run_reporting_errors(kTitle, box, log, c.body), 1) << c.name;
    EXPECT_EQ(box.shown, std::vector<std::string>{kTitle + std::string("|") + c.text}) << c.name;
    EXPECT_NE(log.str().find(kTitle), std::string::npos) << c.name;
  }
}

TEST(StartGuard, TheLogIsUtf8AndKeptWhenTheBoxFails) {
  class FailingBox : public ErrorBox {
   public:
    void show(const std::string&, const std::string&) override {
      throw std::runtime_error("no display");
    }
  } box;
  std::ostringstream log;
  const int code =
      run_reporting_errors(kTitle, box, log, []() -> int { throw std::runtime_error("Caf\xE9"); });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(log.str(),
            "Orvend Image Processing: Caf\xC3\xA9.\nOrvend Image Processing: no display\n");
}

TEST(StartGuard, ANormalRunKeepsItsExitCodeAndShowsNothing) {
  RecordingBox box;
  std::ostringstream log;
  EXPECT_EQ(run_reporting_errors(kTitle, box, log, [] { return 0; }), 0);
  EXPECT_EQ(run_reporting_errors(kTitle, box, log, [] { return 3; }), 3);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_TRUE(log.str().empty());
}

}  // namespace
}  // namespace lumenpoll
