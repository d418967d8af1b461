#pragma once

#include <array>
#include <functional>
#include <string>

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

// Reads the macro list file into table and auto_close ("YES" or "NO"), both reset
// first. on_species is called with each species name as its header is read, so
// that what was read before a failure stays. Throws EInOutError.
void read_macro_list(FileSystem& files, const std::string& path, Edition edition, MacroTable& table,
                     std::string& auto_close,
                     const std::function<void(const std::string&)>& on_species);

}  // namespace lumenpoll
