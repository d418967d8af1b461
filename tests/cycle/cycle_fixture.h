#pragma once

// The cycle with its window, folder and shell faked on a virtual clock: what the cycle
// shows and starts, stamped with the time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "cycle/processing_cycle.h"
#include "cycle/station_paths.h"
#include "fakes/fake_error_box.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_shell.h"
#include "fakes/virtual_clock.h"

namespace lumenpoll::cycle_tests {

using Log = std::vector<std::string>;

const std::vector<std::string> kTimerNames = {"deldcmtimer", "rawtimer", "ijtimer",
                                              "donetimer",   "dcmtimer", "deltimer"};

// The window as the cycle sees it, stamping what it shows with the virtual time.
class FakeHost : public CycleHost {
 public:
  struct Status {
    std::int64_t at;
    std::string text;
  };
  FakeHost(const fakes::VirtualClock& clock, Log& log) : clock_(clock), log_(log) {}

  std::string macro_argument = "thorax_lat";
  bool auto_close = false;
  bool close_fails = false;
  std::vector<Status> statuses;
  std::string last;

  std::string MacroArgument() const override { return macro_argument; }
  void SetStatus(const std::string& text) override {
    statuses.push_back({clock_.now_ms, text});
    log_.push_back("status " + text);
  }
  void SetLastOperation(const std::string& text) override {
    last = text;
    log_.push_back("last " + text);
  }
  bool AutoClose() const override { return auto_close; }
  void Close() override {
    log_.push_back("close");
    if (close_fails) throw EInOutError(5);
  }

  std::vector<std::string> texts_from(std::int64_t at) const {
    std::vector<std::string> t;
    for (const auto& s : statuses)
      if (s.at >= at) t.push_back(s.text);
    return t;
  }

 private:
  const fakes::VirtualClock& clock_;
  Log& log_;
};

// The import folder, with the time of every listing.
class StampedLister : public fakes::FakeFolderLister {
 public:
  explicit StampedLister(const fakes::VirtualClock& clock) : clock_(clock) {}
  std::vector<std::int64_t> listed_at;
  const FolderListing& list(const std::string& folder) override {
    listed_at.push_back(clock_.now_ms);
    return FakeFolderLister::list(folder);
  }

 private:
  const fakes::VirtualClock& clock_;
};

// The shell, with the effect each script has on the import folder once it starts.
class ScriptedShell : public fakes::FakeShell {
 public:
  explicit ScriptedShell(Log& log) : log_(log) {}
  std::map<std::string, std::function<void(const std::string& image)>> effects;

  ShellStart Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int show_cmd) override {
    log_.push_back("run " + file);
    const auto result = FakeShell::Execute(owner, verb, file, parameters, directory, show_cmd);
    auto effect = effects.find(file);
    if (result.started() && effect != effects.end())
      effect->second(parameters.substr(0, parameters.find(' ')));
    return result;
  }

 private:
  Log& log_;
};

class ProcessingCycleTest : public ::testing::Test {
 protected:
  ProcessingCycleTest() {
    shell.clock_ms = &clock.now_ms;
    lister.folders[kImportFolder] = {};
  }

  void start(Edition edition = Edition::Full) {
    cycle = std::make_unique<ProcessingCycle>(edition, host, app, lister, shell, clock);
  }

  // ij_raw writes the processed image, ij_del removes the image's files.
  void script_effects(const std::string& processed_ext = ".tif") {
    shell.effects[kRawScript] = [this, processed_ext](const std::string& image) {
      lister.add_file(kImportFolder, image + processed_ext);
    };
    shell.effects[kDelScript] = [this](const std::string& image) {
      std::erase_if(lister.folders[kImportFolder].entries, [&](const FolderEntry& e) {
        return text::upper_case(e.name.substr(0, image.size() + 1)) ==
               text::upper_case(image + ".");
      });
    };
  }

  // The same, but the delete takes its time: what it removes goes when the test calls the
  // function returned.
  std::function<void(const std::string& image)> script_effects_with_slow_delete() {
    script_effects();
    auto remove_image = std::move(shell.effects[kDelScript]);
    shell.effects.erase(kDelScript);
    return remove_image;
  }

  std::vector<std::string> enabled_timers() const {
    std::vector<std::string> names;
    for (const auto& name : kTimerNames)
      if (cycle->timer(name).Enabled()) names.push_back(name);
    return names;
  }

  std::vector<std::string> runs_of(const std::string& script) const {
    std::vector<std::string> params;
    for (const auto& call : shell.calls)
      if (call.file == script) params.push_back(call.parameters);
    return params;
  }

  // The raw script's runs once a raw file dropped now has been taken by the next scans.
  std::vector<std::string> raw_runs_after_dropping(const std::string& name) {
    lister.add_file(kImportFolder, name);
    clock.advance(3000);
    return runs_of(kRawScript);
  }

  // shot01's delete is still working while the scans of two seconds see the folder as spoil
  // leaves it; once the folder reads whole again, shot01 is not taken up again.
  void expect_delete_outlasts(const std::function<void(FolderListing&)>& spoil) {
    script_effects();
    shell.effects.erase(kDelScript);
    lister.add_file(kImportFolder, "shot01.nef");
    start();
    clock.advance(12000);
    ASSERT_EQ(runs_of(kDelScript).size(), 1u);
    FolderListing& folder = lister.folders[kImportFolder];
    const FolderListing whole = folder;
    spoil(folder);
    clock.advance(2000);
    folder = whole;
    clock.advance(5000);
    EXPECT_EQ(runs_of(kRawScript).size(), 1u);
  }

  std::int64_t first_run_at(const std::string& script, std::int64_t from = 0) const {
    for (const auto& call : shell.calls)
      if (call.file == script && call.at_ms >= from) return call.at_ms;
    return -1;
  }

  fakes::VirtualClock clock;
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  Log log;
  StampedLister lister{clock};
  ScriptedShell shell{log};
  FakeHost host{clock, log};
  std::unique_ptr<ProcessingCycle> cycle;  // last: its timers go before the clock
};

}  // namespace lumenpoll::cycle_tests
