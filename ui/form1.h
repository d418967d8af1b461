#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/application.h"
#include "base/edition.h"
#include "config/macro_table.h"
#include "cycle/processing_cycle.h"
#include "ui/bounded_view.h"
#include "ui/combo_list.h"
#include "ui/form_view.h"
#include "ui/platform.h"

namespace lumenpoll {

// The one window of the program. It owns the macro table, the selection lists, and
// the processing cycle with its scanners, launchers and timers.
class TForm1 final : public FormEvents, private CycleHost {
 public:
  // Whether the cycle starts with the window, or waits until StartCycle.
  enum class CycleStart { Now, Later };

  TForm1(Edition edition, Application& app, const Platform& platform, FormView& view,
         CycleStart start = CycleStart::Now);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Event handlers.
  void FormShow();
  void FormClose();
  void Button1Click();
  void cb_speciesSelect();
  void cb_regionChange();
  void cb_speciesSet();
  void sg_techset();

  // Saves the selection, then closes the window; a failed save keeps it open.
  void Close() override;

  // FormEvents: every handler runs inside the application's error handler.
  void OnShow() override;
  void OnCloseRequest() override;
  void OnSessionEnd() override;
  void OnSelect(const std::string& control, int index) override;
  void OnChange(const std::string& control, int index) override;
  void OnClick(const std::string& control) override;

  const std::string& auto_close() const { return auto_close_; }
  const ComboList& cb_species() const { return cb_species_; }
  const ComboList& cb_region() const { return cb_region_; }
  // Only while the window has a cycle.
  const ProcessingCycle& cycle() const { return *cycle_; }
  bool closed() const { return closed_; }

  // The station changing hands between the copies of the program. HandOverCycle: no raw file
  // is taken any more, and done is called once the image in progress has started its delete
  // script and that delete has removed its raw file (at once without one). EndCycle: the cycle
  // stops where it is, and the window says that it runs elsewhere. StartCycle: a new cycle from its
  // beginning, the start-up script.
  void HandOverCycle(std::function<void()> done);
  void EndCycle();
  void StartCycle();

 private:
  // CycleHost
  std::string MacroArgument() const override;
  void SetStatus(const std::string& text) override;
  void SetLastOperation(const std::string& text) override;
  bool AutoClose() const override;

  bool has_chart() const { return edition_ == Edition::Full; }
  std::unique_ptr<ProcessingCycle> make_cycle();
  void stop_cycle();
  void write_chart_headings();

  Edition edition_;
  Application& app_;
  FileSystem& files_;
  BoundedView view_;
  MacroTable table_;
  std::string auto_close_ = "NO";
  ComboList cb_species_;
  ComboList cb_region_;
  bool closed_ = false;
  Platform platform_;
  // Cycles ended while a handler of theirs waits on its error box: they go once it has
  // returned.
  std::vector<std::unique_ptr<ProcessingCycle>> ended_cycles_;
  // Last: its start-up timer runs from the window's creation.
  std::unique_ptr<ProcessingCycle> cycle_;
};

}  // namespace lumenpoll
