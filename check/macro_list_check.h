#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/edition.h"
#include "check/utf8_text.h"
#include "config/macro_table.h"

namespace lumenpoll {

// Watches the macro list reader line by line, with the table it fills, and notes each line
// that the program ignores, cuts, or reads otherwise than its author may have meant.
class MacroListCheck {
 public:
  MacroListCheck(Edition edition, const MacroTable& table) : edition_(edition), table_(table) {}

  // Called by the reader after each line has been handled.
  void line(const MacroLine& seen);
  // What the finished table shows of the file as a whole: species without regions, or
  // whose region list runs on into empty slots.
  void finish();

  // What the file's encoding does to its texts, then the "line N: ..." texts in line order,
  // then those of finish().
  std::vector<std::string> findings() const;
  // Where the auto-close value came from: "read from line N: ..." or why there is none.
  std::string auto_close_source() const;

 private:
  void entry(const MacroLine& seen);
  void species(const MacroLine& seen);
  void end_marker(const MacroLine& seen);
  void auto_close_value(const MacroLine& seen);
  void note(int line, const std::string& text);
  std::string species_name(int row) const;

  Edition edition_;
  const MacroTable& table_;
  std::vector<std::string> findings_;
  std::map<std::pair<int, int>, int> written_by_;  // (row, slot) -> line that stored it
  std::map<int, int> header_lines_;                // row -> line of its header
  int dropped_species_line_ = 0;                   // header of the species not offered
  std::string auto_close_source_ = "no auto-close section";
  bool byte_order_mark_ = false;
  Utf8Lines utf8_lines_;
};

}  // namespace lumenpoll
