#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/edition.h"
#include "base/file_system.h"

namespace lumenpoll {

inline constexpr int kMaxSpecies = 20;
inline constexpr int kSlots = 20;
inline constexpr const char* kMacroListPath = "c:\\program files\\imagej\\macrolist.txt";

using MacroRows = std::array<std::array<std::string, kSlots>, kMaxSpecies>;

// Species and their regions as the macro list file gives them. Row = species,
// slot 0 the species name, slots 1 on the regions, ended by "END".
struct MacroTable {
  MacroRows entry_names;
  MacroRows entry_macros;
  MacroRows entry_techs;  // never filled by the lite edition

  // The text at (row, slot), or empty when either lies outside the table.
  static const std::string& at(const MacroRows& rows, int row, int slot);
};

// What the reader did with one line of the macro list, for tools that explain a station to
// the person who set it up.
enum class MacroLineKind {
  Species,         // a header that opened species `row`
  SpeciesDropped,  // a header with no row left: the species is not offered
  AutoClose,       // the auto-close header
  AutoCloseValue,  // the line taken as the auto-close value
  Entry,           // stored in slot `slot` of species `row`
  EntryDropped,    // no place in the table: before the first header, of a species not
                   // offered, or past the row's last slot (slot is kSlots then)
};

struct MacroLine {
  int number = 0;    // from 1
  std::string text;  // as read, untrimmed
  MacroLineKind kind = MacroLineKind::Entry;
  int row = -1;
  int slot = -1;
  int end_row = -1;              // a header: the species it ended with the marker "END", or -1
  int end_slot = -1;             // and the marker's slot; kSlots or more when it did not fit
  bool past_end = false;         // an auto-close value the file ended before
  bool byte_order_mark = false;  // the first line, after a skipped UTF-8 byte-order mark
};

using MacroLineObserver = std::function<void(const MacroLine&)>;

// Reads the macro list file into table and auto_close ("YES" or "NO"), both reset
// first. on_species is called with each species name as its header is read, so
// that what was read before a failure stays; observer, when given, with every line
// once it has been handled. Throws EInOutError.
void read_macro_list(FileSystem& files, const std::string& path, Edition edition, MacroTable& table,
                     std::string& auto_close,
                     const std::function<void(const std::string&)>& on_species,
                     const MacroLineObserver& observer = {});

// The names the region list offers for species row s, in order: slot 1 on, up to the
// marker "END" or the row's end; none for a row outside the table.
std::vector<std::string> region_list(const MacroTable& table, int s);

// The macro argument of the species and region list positions; empty with no species.
const std::string& macro_argument(const MacroTable& table, int species, int region);

}  // namespace lumenpoll
