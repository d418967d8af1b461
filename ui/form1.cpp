#include "ui/form1.h"

#include <utility>

#include "base/operator_texts.h"
#include "config/selection_file.h"
#include "config/technique_chart.h"
#include "ui/window_definition.h"

namespace lumenpoll {

TForm1::TForm1(Edition edition, Application& app, const Platform& platform, FormView& view,
               CycleStart start)
    : edition_(edition),
      app_(app),
      files_(platform.files),
      view_(view),
      cb_species_(view_, "cb_species"),
      cb_region_(view_, "cb_region"),
      platform_(platform) {
  if (start == CycleStart::Now) {
    cycle_ = make_cycle();
  } else {
    SetStatus(operator_texts::kCycleElsewhere);
  }
}

void TForm1::FormShow() {
  read_macro_list(files_, kMacroListPath, edition_, table_, auto_close_,
                  [this](const std::string& species) { cb_species_.Add(species); });

  const SavedSelection saved = parse_selection_line(read_selection_line(files_, kSelectionPath));
  cb_species_.SetItemIndex(saved.species);
  cb_speciesSet();
  cb_region_.SetItemIndex(saved.region);

  if (has_chart()) {
    write_chart_headings();
    sg_techset();
  }
}

void TForm1::FormClose() {
  write_selection(files_, kSelectionPath, cb_species_.ItemIndex(), cb_region_.ItemIndex());
}

void TForm1::Close() {
  if (closed_) return;  // a handler that resumes after the window went
  FormClose();
  // An error box still open elsewhere keeps the message loop, and so the timers, going.
  stop_cycle();
  closed_ = true;
  view_.CloseWindow();
}

void TForm1::HandOverCycle(std::function<void()> done) {
  if (cycle_) {
    cycle_->HandOver(std::move(done));
  } else {
    done();
  }
}

void TForm1::EndCycle() {
  stop_cycle();
  SetStatus(operator_texts::kCycleElsewhere);
}

// The cycle that goes may still have a handler waiting on its error box, to which that box
// returns: such a cycle stays, stopped, until its handler has gone.
void TForm1::StartCycle() {
  stop_cycle();
  if (cycle_) ended_cycles_.push_back(std::move(cycle_));
  std::erase_if(ended_cycles_, [](const auto& ended) { return !ended->InHandler(); });
  SetStatus(window_definition(edition_).find("la_fname")->caption);
  cycle_ = make_cycle();
}

std::unique_ptr<ProcessingCycle> TForm1::make_cycle() {
  CycleHost& host = *this;
  return std::make_unique<ProcessingCycle>(edition_, host, app_, platform_.folders, platform_.shell,
                                           platform_.timers);
}

void TForm1::stop_cycle() {
  if (cycle_) cycle_->Stop();
}

void TForm1::Button1Click() {
  Close();
}

void TForm1::cb_speciesSelect() {
  cb_speciesSet();
}

void TForm1::cb_regionChange() {
  sg_techset();
}

void TForm1::cb_speciesSet() {
  cb_region_.Clear();
  for (const std::string& region : region_list(table_, cb_species_.ItemIndex()))
    cb_region_.Add(region);
  cb_region_.SetItemIndex(0);
  if (has_chart()) sg_techset();
}

void TForm1::sg_techset() {
  for (int row = 1; row <= kChartRows; ++row)
    for (int col = 0; col < 3; ++col) view_.SetCell(col, row, " ");
  view_.SetGridSelection(GridRect{});

  const int s = cb_species_.ItemIndex();
  if (s < 0) return;
  const TechniqueChart chart =
      parse_technique_text(MacroTable::at(table_.entry_techs, s, cb_region_.ItemIndex() + 1));
  for (int r = 0; r < static_cast<int>(chart.rows.size()); ++r)
    for (int col = 0; col < 3; ++col) view_.SetCell(col, r + 1, chart.rows[r][col]);
  if (chart.highlight > 0) view_.SetGridSelection(GridRect{0, chart.highlight, 2, chart.highlight});
}

void TForm1::write_chart_headings() {
  for (int col = 0; col < 3; ++col) view_.SetCell(col, 0, operator_texts::kChartHeadings[col]);
}

void TForm1::OnShow() {
  app_.guarded([this] { FormShow(); });
}

void TForm1::OnCloseRequest() {
  app_.guarded([this] { Close(); });
}

// The session ends once this returns, whatever box is open: the selection is saved if it
// can be, and no box is shown, now or by a handler that resumes once its own box has gone.
void TForm1::OnSessionEnd() {
  app_.Terminate();
  if (closed_) return;
  app_.guarded([this] { FormClose(); });
  stop_cycle();
  closed_ = true;
  view_.CloseWindow();
}

// A pick of the item already selected is none, whatever the toolkit reports.
void TForm1::OnSelect(const std::string& control, int index) {
  if (control != "cb_species" || index == cb_species_.ItemIndex()) return;
  cb_species_.SetItemIndex(index);
  app_.guarded([this] { cb_speciesSelect(); });
}

void TForm1::OnChange(const std::string& control, int index) {
  if (control != "cb_region" || index == cb_region_.ItemIndex()) return;
  cb_region_.SetItemIndex(index);
  if (has_chart()) app_.guarded([this] { cb_regionChange(); });
}

void TForm1::OnClick(const std::string& control) {
  if (control == "Button1") app_.guarded([this] { Button1Click(); });
}

std::string TForm1::MacroArgument() const {
  return macro_argument(table_, cb_species_.ItemIndex(), cb_region_.ItemIndex());
}

void TForm1::SetStatus(const std::string& text) {
  view_.SetCaption("la_fname", text);
}

void TForm1::SetLastOperation(const std::string& text) {
  view_.SetCaption("la_last", text);
}

bool TForm1::AutoClose() const {
  return auto_close_ == "YES";
}

}  // namespace lumenpoll
