#pragma once

#include <string>

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
  TForm1(Edition edition, Application& app, const Platform& platform, FormView& view);
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
  const ProcessingCycle& cycle() const { return cycle_; }
  bool closed() const { return closed_; }

 private:
  // CycleHost
  std::string MacroArgument() const override;
  void SetStatus(const std::string& text) override;
  void SetLastOperation(const std::string& text) override;
  bool AutoClose() const override;

  bool has_chart() const { return edition_ == Edition::Full; }
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
  ProcessingCycle cycle_;  // last: its start-up timer runs from the window's creation
};

}  // namespace lumenpoll
