#include "check/macro_list_check.h"

#include "base/text.h"
#include "check/report_text.h"
#include "check/technique_check.h"

namespace lumenpoll {

namespace {

// The region list position of a slot.
std::string position(int slot) {
  return list_position(slot - 1);
}

}  // namespace

void MacroListCheck::note(int line, const std::string& text) {
  findings_.push_back("line " + std::to_string(line) + ": " + text);
}

std::string MacroListCheck::species_name(int row) const {
  return quoted(MacroTable::at(table_.entry_names, row, 0));
}

std::vector<std::string> MacroListCheck::findings() const {
  std::vector<std::string> all;
  // A file of UTF-8 text is said so once, its byte-order mark (skipped) included.
  if (std::string utf8 = utf8_lines_.finding("the window shows"); !utf8.empty()) {
    all.push_back(std::move(utf8));
  } else if (byte_order_mark_) {
    all.push_back(
        "line 1: the file starts with a UTF-8 byte-order mark, which is skipped; its texts are "
        "read as Windows-1252, so letters beyond ASCII show wrongly");
  }
  all.insert(all.end(), findings_.begin(), findings_.end());
  return all;
}

void MacroListCheck::line(const MacroLine& seen) {
  byte_order_mark_ = byte_order_mark_ || seen.byte_order_mark;
  utf8_lines_.line(seen.number, seen.text);
  switch (seen.kind) {
    case MacroLineKind::Entry:
    case MacroLineKind::EntryDropped:
      entry(seen);
      break;
    case MacroLineKind::Species:
    case MacroLineKind::SpeciesDropped:
    case MacroLineKind::AutoClose:
      end_marker(seen);
      species(seen);
      break;
    case MacroLineKind::AutoCloseValue:
      auto_close_value(seen);
      break;
  }
}

void MacroListCheck::entry(const MacroLine& seen) {
  const std::string trimmed = text::trim(seen.text);
  if (seen.kind == MacroLineKind::EntryDropped) {
    if (seen.row < 0) {
      if (!trimmed.empty()) note(seen.number, "comes before the first species header: ignored");
    } else if (seen.row >= kMaxSpecies) {
      note(seen.number, "belongs to the species of line " + std::to_string(dropped_species_line_) +
                            ", which is not offered: ignored");
    } else {
      note(seen.number, "would be region " + position(seen.slot) + " of " + species_name(seen.row) +
                            ", but a species holds at most " + std::to_string(kSlots - 1) +
                            " regions: ignored");
    }
    return;
  }
  const auto key = std::make_pair(seen.row, seen.slot);
  if (const auto earlier = written_by_.find(key); earlier != written_by_.end()) {
    note(seen.number,
         "comes after the auto-close section, where entries count again from the "
         "first: it replaces region " +
             position(seen.slot) + " of " + species_name(seen.row) + " (line " +
             std::to_string(earlier->second) + ")");
  }
  written_by_[key] = seen.number;
  if (trimmed.empty()) {
    note(seen.number, "blank line: becomes an empty region " + position(seen.slot) + " of " +
                          species_name(seen.row));
    return;
  }
  const std::string& region = table_.entry_names[seen.row][seen.slot];
  const std::string& macro = table_.entry_macros[seen.row][seen.slot];
  const std::string reads_as = "region " + quoted(region) + ", macro argument " + quoted(macro);
  if (edition_ == Edition::Lite && trimmed.find('[') != std::string::npos) {
    note(seen.number,
         "lumenpoll-lite reads no technique texts, so \"[\" is part of the entry: " + reads_as);
  } else if (region.size() == 1) {
    note(seen.number, "no blank between the region name and the macro argument: " + reads_as);
  } else if (macro.find_first_of("\t\"") != std::string::npos) {
    note(seen.number,
         "the macro argument holds a tab or a double quote, which the raw script "
         "does not receive as written: " +
             reads_as);
  }
  if (edition_ == Edition::Full) {
    for (const std::string& problem : technique_problems(table_.entry_techs[seen.row][seen.slot]))
      note(seen.number, problem);
  }
}

void MacroListCheck::end_marker(const MacroLine& seen) {
  if (seen.end_row < 0 || seen.end_slot >= kSlots) return;
  const auto earlier = written_by_.find({seen.end_row, seen.end_slot});
  if (earlier == written_by_.end()) return;
  note(seen.number, "ends the region list of " + species_name(seen.end_row) + " before region " +
                        position(seen.end_slot) + ": the region of line " +
                        std::to_string(earlier->second) +
                        " and any after it are no longer offered (an auto-close section "
                        "above a species header resets the entry count)");
}

void MacroListCheck::species(const MacroLine& seen) {
  const std::string trimmed = text::trim(seen.text);
  if (seen.kind == MacroLineKind::SpeciesDropped) {
    dropped_species_line_ = seen.number;
    note(seen.number, "species " + std::to_string(kMaxSpecies + 1) + " " + quoted(trimmed) +
                          ": only " + std::to_string(kMaxSpecies) +
                          " species fit, it is not offered");
    return;
  }
  if (seen.kind != MacroLineKind::Species) return;
  header_lines_[seen.row] = seen.number;
  if (trimmed.back() != ']') {
    note(seen.number,
         "the header has no closing \"]\": its last character is dropped, so the "
         "species is " +
             species_name(seen.row));
  } else if (text::trim(table_.entry_names[seen.row][0]).empty()) {
    note(seen.number, "the species has no name");
  }
}

std::string MacroListCheck::auto_close_source() const {
  return auto_close_source_;
}

void MacroListCheck::auto_close_value(const MacroLine& seen) {
  auto_close_source_ =
      seen.past_end ? "the file ends after the auto-close header"
                    : "read from line " + std::to_string(seen.number) + ": " + quoted(seen.text);
  if (seen.past_end) {
    note(seen.number, "the file ends after the auto-close header: auto-close is NO");
    return;
  }
  const std::string upper = text::upper_case(seen.text);
  if (upper == "YES" || upper == "NO") return;
  const std::string trimmed = text::trim(upper);
  std::string why;
  if (trimmed == "YES") {
    why = "is YES with blanks or control characters around it, and the value is not trimmed";
  } else if (!trimmed.empty() && trimmed[0] == '[') {
    why = "is a header, but the line after the auto-close header is always its value";
  } else {
    why = "is neither YES nor NO";
  }
  note(seen.number, "auto-close value " + quoted(seen.text) + " " + why + ": auto-close is NO");
}

void MacroListCheck::finish() {
  for (const auto& [row, line] : header_lines_) {
    const auto regions = region_list(table_, row);
    if (regions.empty()) {
      note(line, "species " + species_name(row) + " has no entries: its region list is empty");
      continue;
    }
    int written = 0;
    while (written + 1 < kSlots && written_by_.contains({row, written + 1})) ++written;
    const int empty = static_cast<int>(regions.size()) - written;
    if (empty > 0) {
      note(line, "no header follows the entries of species " + species_name(row) +
                     ", so its region list runs on to the table's end: " + std::to_string(empty) +
                     " empty regions after its " + std::to_string(written) +
                     " (end the file with the auto-close section)");
    }
  }
}

}  // namespace lumenpoll
