#include "config/macro_table.h"

#include <algorithm>

#include "base/text.h"
#include "base/text_file.h"

namespace lumenpoll {

namespace {

const char* const kEndMarker = "END";

// Where the reading stands: species row s (-1 before the first header, kMaxSpecies
// once the table is full) and entry counter c (kSlots once the row is full).
struct ReadState {
  int s = -1;
  int c = 0;
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

void read_entry(const std::string& trimmed, Edition edition, MacroTable& table, ReadState& st) {
  // Lines outside the table are dropped without shifting the slots of later entries.
  if (st.s < 0 || st.s >= kMaxSpecies) return;
  st.c = std::min(st.c + 1, kSlots);
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

void read_header(const std::string& trimmed, TextFileReader& in, MacroTable& table,
                 std::string& auto_close, ReadState& st,
                 const std::function<void(const std::string&)>& on_species) {
  if (st.s != -1) {
    store(table.entry_names, st.s, st.c + 1, kEndMarker);
    st.c = 0;
  }
  const std::string name = text::mid(trimmed, 2, static_cast<int>(trimmed.size()) - 2);
  if (text::upper_case(name) == "AUTOCLOSE") {
    auto_close = text::upper_case(in.read_line()) == "YES" ? "YES" : "NO";
    return;
  }
  st.s = std::min(st.s + 1, kMaxSpecies);
  if (st.s >= kMaxSpecies) return;  // no row left: the species is not offered
  table.entry_names[st.s][0] = name;
  if (on_species) on_species(name);
}

}  // namespace

const std::string& MacroTable::at(const MacroRows& rows, int row, int slot) {
  static const std::string kNone;
  return in_table(row, slot) ? rows[row][slot] : kNone;
}

void read_macro_list(FileSystem& files, const std::string& path, Edition edition, MacroTable& table,
                     std::string& auto_close,
                     const std::function<void(const std::string&)>& on_species) {
  table = MacroTable{};
  auto_close = "NO";
  ReadState st;
  TextFileReader in(files, path);
  while (!in.eof()) {
    const std::string line = text::trim(in.read_line());
    if (line.empty() || line[0] != '[') {
      read_entry(line, edition, table, st);
    } else {
      read_header(line, in, table, auto_close, st, on_species);
    }
  }
}

}  // namespace lumenpoll
