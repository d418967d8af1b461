// The macro list reader of both editions on arbitrary files, and the window that shows
// what it read: every species, every region and its chart.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "config/macro_table.h"
#include "config/technique_chart.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_station.h"
#include "fuzz/check.h"
#include "ui/bounded_view.h"
#include "ui/form1.h"

namespace lumenpoll::fuzz {
namespace {

struct Reading {
  MacroTable table;
  std::string auto_close;
  std::vector<std::string> offered;  // the species names handed on, in order
  bool failed = false;
};

std::unique_ptr<Reading> read(const std::string& contents, Edition edition,
                              std::optional<std::size_t> fail_read_after = std::nullopt) {
  fakes::FakeFileSystem files;
  files.files[kMacroListPath] = contents;
  files.fail_read_after = fail_read_after;
  auto r = std::make_unique<Reading>();
  try {
    read_macro_list(files, kMacroListPath, edition, r->table, r->auto_close,
                    [&r](const std::string& name) { r->offered.push_back(name); });
  } catch (const EInOutError& e) {
    check(fail_read_after.has_value() && e.ErrorCode() == 5, "only the failing read fails");
    r->failed = true;
  }
  return r;
}

bool row_is_empty(const MacroRows& rows, int row) {
  for (const std::string& text : rows[row]) {
    if (!text.empty()) return false;
  }
  return true;
}

// A region name is the line up to and with its last blank, or its first character alone.
bool is_region_name(const std::string& name) {
  return name.empty() || name.size() == 1 || name.back() == ' ';
}

void check_table(const Reading& r, Edition edition) {
  const MacroTable& t = r.table;
  const int species = static_cast<int>(r.offered.size());
  check(species <= kMaxSpecies, "at most 20 species are offered");
  check(r.auto_close == "YES" || r.auto_close == "NO", "auto-close is YES or NO");
  for (int row = 0; row < kMaxSpecies; ++row) {
    if (row >= species) {
      check(row_is_empty(t.entry_names, row) && row_is_empty(t.entry_macros, row) &&
                row_is_empty(t.entry_techs, row),
            "rows without a species stay empty");
      continue;
    }
    check(t.entry_names[row][0] == r.offered[row], "slot 0 holds the species offered");
    check(t.entry_macros[row][0].empty() && t.entry_techs[row][0].empty(),
          "slot 0 holds no macro and no chart");
    for (int slot = 1; slot < kSlots; ++slot) {
      const std::string& name = t.entry_names[row][slot];
      const std::string& macro = t.entry_macros[row][slot];
      const std::string& tech = t.entry_techs[row][slot];
      check(macro.find(' ') == std::string::npos, "a macro argument holds no blank");
      if (edition == Edition::Lite) check(tech.empty(), "the lite edition keeps no chart");
      if (edition == Edition::Full) {
        check(tech.empty() || tech == " " || tech[0] == '[', "a chart starts with [");
        check((name + macro).find('[') == std::string::npos, "region and macro stop before [");
      }
      if (name != "END") check(is_region_name(name), "a region name ends at its last blank");
    }
  }
}

// The editions differ only in the lite one taking "[" as an ordinary character.
void check_editions_agree(const Reading& full, const Reading& lite) {
  check(full.offered == lite.offered, "both editions offer the same species");
  check(full.auto_close == lite.auto_close, "both editions read the same auto-close");
  for (std::size_t row = 0; row < full.offered.size(); ++row) {
    for (int slot = 1; slot < kSlots; ++slot) {
      const std::string& lite_name = lite.table.entry_names[row][slot];
      const std::string& full_name = full.table.entry_names[row][slot];
      check((lite_name == "END") == (full_name == "END"), "end markers stand in the same slots");
      if (lite_name == "END") continue;
      const std::string line = lite_name + lite.table.entry_macros[row][slot];
      const std::string& full_tech = full.table.entry_techs[row][slot];
      if (line.empty()) {
        // A blank entry line, or a slot no line reached.
        check(full_name.empty() && full.table.entry_macros[row][slot].empty() &&
                  (full_tech.empty() || full_tech == " "),
              "a blank entry is blank in both editions");
        continue;
      }
      const std::size_t bracket = line.find('[');
      const std::string before = text::trim(line.substr(0, bracket));
      check(full_name + full.table.entry_macros[row][slot] == before,
            "the full edition reads the entry up to its first [");
      check(full_tech == (bracket == std::string::npos ? " " : line.substr(bracket)),
            "the full edition's chart is the entry from its first [");
    }
  }
}

bool is_prefix(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

// Everything the window draws stays in its grid (headings in row 0, chart rows 1 to 7), and
// no text it is given is too long to show.
void check_grid(const fakes::FakeView& view, Edition edition) {
  for (const auto& [list, items] : view.items) {
    for (const std::string& item : items) check(item.size() <= kMaxShownText, "list items cut");
  }
  if (edition == Edition::Lite) {
    check(view.cells.empty() && view.selection_sets == 0, "the lite window has no chart");
    return;
  }
  for (const auto& [cell, text] : view.cells) {
    const auto [col, row] = cell;
    check(col >= 0 && col <= 2 && row >= 0 && row <= kChartRows, "cells only in the grid");
    check(text.size() <= kMaxShownText, "chart cells cut");
  }
  const GridRect& s = view.selection;
  check(s == GridRect{} ||
            (s.left == 0 && s.right == 2 && s.top == s.bottom && s.top >= 1 && s.top <= kChartRows),
        "no highlight, or one whole chart row");
}

bool selects_within(const ComboList& list) {
  return list.ItemIndex() >= -1 && list.ItemIndex() < list.Count();
}

void show_every_choice(const std::string& contents, const std::string& selection, Edition edition,
                       const Reading& r) {
  fakes::FakeStation station(contents, selection);
  TForm1 form(edition, station.app, station.platform, station.view);
  form.OnShow();
  check(station.box.shown.empty(), "files in memory read without an error box");
  check(form.cb_species().Items() == r.offered, "the window offers the species read");
  check(selects_within(form.cb_species()) && selects_within(form.cb_region()),
        "a saved position outside a list selects nothing");
  check_grid(station.view, edition);
  const int species = form.cb_species().Count();
  for (int s = -1; s <= species; ++s) {
    form.OnSelect("cb_species", s);
    check(form.cb_region().Count() <= kSlots - 1, "at most 19 regions");
    check_grid(station.view, edition);
    for (int region = 0; region < form.cb_region().Count(); ++region) {
      form.OnChange("cb_region", region);
      check_grid(station.view, edition);
    }
  }
  check(station.box.shown.empty(), "choosing shows no error box");
}

}  // namespace
}  // namespace lumenpoll::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumenpoll;
  using namespace lumenpoll::fuzz;
  FuzzedDataProvider input(data, size);
  const auto fail_after = input.ConsumeIntegral<std::uint16_t>();
  const auto saved_species = input.ConsumeIntegral<std::int8_t>();
  const auto saved_region = input.ConsumeIntegral<std::int8_t>();
  const std::string selection = std::to_string(saved_species) + " " + std::to_string(saved_region);
  const std::string contents = input.ConsumeRemainingBytesAsString();

  const auto full = read(contents, Edition::Full);
  const auto lite = read(contents, Edition::Lite);
  check_table(*full, Edition::Full);
  check_table(*lite, Edition::Lite);
  check_editions_agree(*full, *lite);

  // What was read before a failed read stays: the species offered so far.
  const auto cut = read(contents, Edition::Full, fail_after % (contents.size() + 1));
  check(is_prefix(cut->offered, full->offered), "a failed read keeps the species read before it");
  if (!cut->failed) check(cut->offered == full->offered, "a read that ends cleanly reads it all");

  show_every_choice(contents, selection, Edition::Full, *full);
  show_every_choice(contents, selection, Edition::Lite, *lite);
  return 0;
}
