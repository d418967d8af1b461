#pragma once

#include <iosfwd>
#include <string>

namespace lumenpoll {

// The folder the checker was given to stand for drive C:, made absolute in the platform's
// own spelling; empty, with the reason written to err, when there is no such folder.
std::string drive_folder(const std::string& given, std::ostream& err);

}  // namespace lumenpoll
