#pragma once

#include <string>
#include <string_view>

// The text rules of the station: texts are single-byte strings, positions count from 1.
namespace lumenpoll::text {

// Removes every character of code 32 or below from both ends.
std::string trim(const std::string& s);
// Changes only the letters a to z.
std::string upper_case(const std::string& s);
// Position of the first occurrence of needle, or 0 when absent or either text is empty.
int pos(const std::string& needle, const std::string& s);
// As pos, but the first occurrence at or after start.
int pos_from(const std::string& needle, const std::string& s, int start);
// The first / last n characters; empty for n <= 0, the whole text for n >= length.
std::string left(const std::string& s, int n);
std::string right(const std::string& s, int n);
// count characters from start; empty for count <= 0 or start beyond the end.
std::string mid(const std::string& s, int start, int count);
// What follows the last '\' or ':' of a path; a view into path.
std::string_view file_name(std::string_view path);
// From the last '.' of the file name to its end, or empty; a view into path.
std::string_view file_ext(std::string_view path);

// Names compare as on the station's file system: ASCII letters without regard to case.
// Neither allocates: a scan compares names many thousand times.
bool same_name(std::string_view a, std::string_view b);
// The station's listing order: by upper-cased name, ties (differing only in case) by bytes.
bool name_listed_before(std::string_view a, std::string_view b);

}  // namespace lumenpoll::text
