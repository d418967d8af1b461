#include "config/macro_table.h"

#include <algorithm>

#include "base/text.h"
#include "base/text_file.h"

namespace lumenpoll {

namespace {

const char* const kEndMarker = "END";

// Where the reading stands: species row s (-1 before the first header, kMaxSpecies
// once the table is full), entry counter c (kSlots once the row is full), and the
// number of the line last read.
struct ReadState {
  int s = -1;
  int c = 0;
  int line = 0;
};

bool in_table(int row, int slot) {
  return row >= 0 && row < kMaxSpecies && slot >= 0 && slot < kSlots;
}

void store(MacroRows& rows, int row, int slot, const std::string& value) {
  if (in_table(row, slot)) rows[row][slot] = value;
}

// Position of the last blank at position 2 or later, or 1 when there is none.
int last_blank_from_second(const std::string& line) {
  int b = 1;
  for (int q = text::pos_from(" ", line, b + 1); q > 0; q = text::pos_from(" ", line, q + 1)) b = q;
  return b;
}

void read_entry(const std::string& trimmed, Edition edition, MacroTable& table, ReadState& st,
                MacroLine& seen) {
  seen.row = st.s;
  // Lines outside the table are dropped without shifting the slots of later entries.
  if (st.s < 0 || st.s >= kMaxSpecies) {
    seen.kind = MacroLineKind::EntryDropped;
    return;
  }
  st.c = std::min(st.c + 1, kSlots);
  seen.slot = st.c;
  seen.kind = st.c < kSlots ? MacroLineKind::Entry : MacroLineKind::EntryDropped;
  std::string line = trimmed;
  if (edition == Edition::Full) {
    const int n = static_cast<int>(line.size());
    const int p = text::pos("[", line);
    if (p > 0) {
      store(table.entry_techs, st.s, st.c, text::right(line, n - p + 1));
      line = text::trim(text::left(line, p - 1));
    } else {
      store(table.entry_techs, st.s, st.c, " ");
    }
  }
  const int b = last_blank_from_second(line);
  store(table.entry_macros, st.s, st.c, text::right(line, static_cast<int>(line.size()) - b));
  store(table.entry_names, st.s, st.c, text::left(line, b));
}

// The auto-close value: the line after the header. Kept on purpose: it is not trimmed, so
// "YES " or " yes" reads as NO, as it always has on the stations that use it.
void read_auto_close(TextFileReader& in, std::string& auto_close, ReadState& st,
                     const MacroLineObserver& observer) {
  MacroLine seen;
  seen.number = ++st.line;
  seen.kind = MacroLineKind::AutoCloseValue;
  seen.row = st.s;
  seen.past_end = in.eof();
  seen.text = in.read_line();
  auto_close = text::upper_case(seen.text) == "YES" ? "YES" : "NO";
  if (observer) observer(seen);
}

void read_header(const std::string& trimmed, TextFileReader& in, MacroTable& table,
                 std::string& auto_close, ReadState& st,
                 const std::function<void(const std::string&)>& on_species, MacroLine& seen,
                 const MacroLineObserver& observer) {
  if (st.s != -1) {
    store(table.entry_names, st.s, st.c + 1, kEndMarker);
    if (st.s < kMaxSpecies) {
      seen.end_row = st.s;
      seen.end_slot = st.c + 1;
    }
    st.c = 0;
  }
  // Kept on purpose: the header loses its last character whatever it is, "]" or not; stored
  // macro lists name their species by what this has always read.
  const std::string name = text::mid(trimmed, 2, static_cast<int>(trimmed.size()) - 2);
  if (text::upper_case(name) == "AUTOCLOSE") {
    seen.kind = MacroLineKind::AutoClose;
    seen.row = st.s;
    if (observer) observer(seen);
    read_auto_close(in, auto_close, st, observer);
    return;
  }
  st.s = std::min(st.s + 1, kMaxSpecies);
  seen.row = st.s;
  seen.kind = st.s < kMaxSpecies ? MacroLineKind::Species : MacroLineKind::SpeciesDropped;
  if (st.s < kMaxSpecies) {  // with no row left the species is not offered
    table.entry_names[st.s][0] = name;
    if (on_species) on_species(name);
  }
  if (observer) observer(seen);
}

}  // namespace

const std::string& MacroTable::at(const MacroRows& rows, int row, int slot) {
  static const std::string kNone;
  return in_table(row, slot) ? rows[row][slot] : kNone;
}

void read_macro_list(FileSystem& files, const std::string& path, Edition edition, MacroTable& table,
                     std::string& auto_close,
                     const std::function<void(const std::string&)>& on_species,
                     const MacroLineObserver& observer) {
  table = MacroTable{};
  auto_close = "NO";
  ReadState st;
  TextFileReader in(files, path);
  while (!in.eof()) {
    MacroLine seen;
    seen.text = in.read_line();
    seen.number = ++st.line;
    seen.byte_order_mark = seen.number == 1 && in.skipped_byte_order_mark();
    const std::string line = text::trim(seen.text);
    if (line.empty() || line[0] != '[') {
      read_entry(line, edition, table, st, seen);
      if (observer) observer(seen);
    } else {
      read_header(line, in, table, auto_close, st, on_species, seen, observer);
    }
  }
}

std::vector<std::string> region_list(const MacroTable& table, int s) {
  std::vector<std::string> regions;
  if (s < 0 || s >= kMaxSpecies) return regions;
  const auto& names = table.entry_names[s];
  // A species header followed at once by another one has only the marker: no regions.
  for (int k = 1; k < kSlots && names[k] != kEndMarker; ++k) regions.push_back(names[k]);
  return regions;
}

const std::string& macro_argument(const MacroTable& table, int species, int region) {
  static const std::string kNone;
  if (species < 0) return kNone;
  return MacroTable::at(table.entry_macros, species, region + 1);
}

}  // namespace lumenpoll
