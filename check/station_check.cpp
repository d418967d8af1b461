#include "check/station_check.h"

#include "base/errors.h"
#include "base/text.h"
#include "check/import_folder_check.h"
#include "check/macro_list_check.h"
#include "check/report_text.h"
#include "check/report_writer.h"
#include "check/technique_check.h"
#include "check/utf8_text.h"
#include "check/virtual_store_check.h"
#include "config/macro_table.h"
#include "config/selection_file.h"
#include "cycle/station_paths.h"

namespace lumenpoll {

namespace {

// A list item as the list shows it; the blank that ends every region name is left out.
std::string shown(const std::string& item) {
  std::string s = item;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s.empty() ? "(empty)" : s;
}

// What the macro list gives the window at start.
struct MacroList {
  MacroTable table;
  std::string auto_close = "NO";
  std::string auto_close_source;
  std::vector<std::string> species;
};

MacroList check_macro_list(FileSystem& files, Edition edition, ReportWriter& out) {
  MacroList list;
  MacroListCheck check(edition, list.table);
  out.heading(std::string("Macro list ") + kMacroListPath);
  std::string failure;
  try {
    read_macro_list(
        files, kMacroListPath, edition, list.table, list.auto_close,
        [&list](const std::string& name) { list.species.push_back(name); },
        [&check](const MacroLine& seen) { check.line(seen); });
    check.finish();
    list.auto_close_source = check.auto_close_source();
  } catch (const EInOutError& error) {
    failure = error.what();
  }
  for (const std::string& finding : check.findings()) out.finding(finding);
  if (!failure.empty())
    out.finding(failure + ": the program shows this at start and offers only what was read before");
  else if (check.findings().empty())
    out.info("every line reads as written");
  return list;
}

// Whether region r offers nothing at all: no name, no macro argument, no chart.
bool blank_region(const MacroList& list, int s, int r, const std::string& name) {
  return name.empty() && macro_argument(list.table, s, r).empty() &&
         text::trim(MacroTable::at(list.table.entry_techs, s, r + 1)).empty();
}

void report_regions(const MacroList& list, int s, Edition edition, ReportWriter& out) {
  const auto regions = region_list(list.table, s);
  const int count = static_cast<int>(regions.size());
  for (int r = 0; r < count; ++r) {
    int last = r;  // a run of blank regions is shown as one line
    while (last + 1 < count && blank_region(list, s, r, regions[r]) &&
           blank_region(list, s, last + 1, regions[last + 1]))
      ++last;
    if (last > r) {
      out.info(list_position(r) + " to " + list_position(last) + " (empty), no macro argument", 6);
      r = last;
      continue;
    }
    std::string line = list_position(r) + " " + shown(regions[r]);
    if (line.size() < 24) line.resize(24, ' ');
    out.info(line + " macro argument " + quoted(macro_argument(list.table, s, r)), 6);
    if (edition != Edition::Full) continue;
    const auto chart = chart_lines(MacroTable::at(list.table.entry_techs, s, r + 1));
    if (chart.empty()) out.info("(no technique chart)", 10);
    for (const std::string& row : chart) out.info(row, 8);
  }
}

void report_offered(const MacroList& list, Edition edition, ReportWriter& out) {
  out.heading("Species and regions offered");
  if (list.species.empty()) out.finding("none: the species list is empty");
  for (int s = 0; s < static_cast<int>(list.species.size()); ++s) {
    out.info(list_position(s) + " " + shown(list.species[s]));
    report_regions(list, s, edition, out);
  }
  out.heading("Auto-close: " + list.auto_close);
  if (!list.auto_close_source.empty()) out.info(list.auto_close_source);
  if (list.auto_close == "YES") out.info("the program closes itself after one image");
}

// Every close rewrites the file; a refusal would keep the window open for good. On Windows
// this asks as the program itself would, so a write Windows redirects for a standard account
// (the user's VirtualStore) counts as the program's own.
void check_rewritable(FileSystem& files, ReportWriter& out) {
  try {
    files.check_rewritable(kSelectionPath);
    out.info("can be rewritten when the window closes");
  } catch (const EInOutError& error) {
    out.finding(std::string("cannot be rewritten: ") + error.what() +
                ": every close of the window says so, and the window stays open");
  }
}

void check_selection(FileSystem& files, const MacroList& list, ReportWriter& out) {
  out.heading(std::string("Saved selection ") + kSelectionPath);
  std::string line;
  try {
    line = read_selection_line(files, kSelectionPath);
  } catch (const EInOutError& error) {
    out.finding(std::string(error.what()) +
                ": the program shows this at start and selects nothing until the operator does");
    return;
  }
  const SavedSelection saved = parse_selection_line(line);
  out.info("reads " + quoted(line));
  Utf8Lines utf8;
  utf8.line(1, line);
  if (std::string finding = utf8.finding("the program reads"); !finding.empty())
    out.finding(finding);
  check_rewritable(files, out);
  const int species_count = static_cast<int>(list.species.size());
  if (saved.species < 0 || saved.species >= species_count) {
    out.finding("species " + list_position(saved.species) +
                " is not in the species list: nothing is selected, and the raw script gets no "
                "macro argument until the operator chooses");
    return;
  }
  const auto regions = region_list(list.table, saved.species);
  const std::string species =
      list_position(saved.species) + " " + shown(list.species[saved.species]);
  if (saved.region < 0 || saved.region >= static_cast<int>(regions.size())) {
    out.finding("selects species " + species + " but region " + list_position(saved.region) +
                " is not in its region list: the raw script gets no macro argument until the "
                "operator chooses");
    return;
  }
  const std::string& macro = macro_argument(list.table, saved.species, saved.region);
  const std::string selects = "selects species " + species + ", region " +
                              list_position(saved.region) + " " + shown(regions[saved.region]) +
                              ": macro argument " + quoted(macro);
  if (macro.empty()) {
    out.finding(selects + ", so the raw script gets none");
  } else {
    out.info(selects);
  }
}

void check_scripts(ScriptProbe& scripts, ReportWriter& out) {
  out.heading("Scripts");
  for (const char* path : {kDelDcmScript, kRawScript, kDcmScript, kDelScript}) {
    const ScriptState state = scripts.probe(path);
    if (state.error == 0) {
      out.info(std::string(path) + ": ready");
    } else {
      out.finding(std::string(path) + ": cannot be started: " + state.message);
    }
  }
}

}  // namespace

StationReport check_station(const StationAccess& station, Edition edition) {
  StationReport report;
  ReportWriter out(report);
  report.lines.push_back(std::string("The station as ") +
                         (edition == Edition::Full ? "lumenpoll" : "lumenpoll-lite") +
                         " reads it at start");
  const MacroList list = check_macro_list(station.files, edition, out);
  report_offered(list, edition, out);
  check_selection(station.files, list, out);
  check_virtual_store_copies(station, out);
  check_import_folder(station, edition, out);
  check_scripts(station.scripts, out);
  out.heading(report.findings == 0 ? "Ready."
                                   : "Needs attention: " + std::to_string(report.findings) +
                                         (report.findings == 1 ? " finding." : " findings."));
  return report;
}

}  // namespace lumenpoll
