#pragma once

#include <string>

#include "base/file_system.h"

namespace lumenpoll {

inline constexpr const char* kSelectionPath = "c:\\program files\\imagej\\macroset.txt";

// The integer conversion of the selection file: leading blanks, a sign, "$", "x",
// "X", "0x" or "0X" for hexadecimal, the value read up to the first character that
// does not fit (a digit that would leave the signed 32-bit range, hexadecimal
// included, does not fit either). Never fails: an empty or invalid start gives 0.
int text_to_int(const std::string& text);

// The saved selection's two texts, split at the first blank of the trimmed first line.
struct SavedSelection {
  int species = 0;
  int region = 0;
};

// Parses the first line as the load does; never fails.
SavedSelection parse_selection_line(const std::string& line);

// Reads the first line of the file (empty for an empty file). Throws EInOutError.
std::string read_selection_line(FileSystem& files, const std::string& path);

// Writes "species region" + CR LF, holding the file exclusively. Throws EInOutError.
void write_selection(FileSystem& files, const std::string& path, int species, int region);

}  // namespace lumenpoll
