#pragma once

#include <string>

namespace lumenpoll {

// A system message as the station's boxes quote it: without the blanks, control characters
// and periods that end it, so that the box's own period is the only one.
std::string system_message_text(const std::string& system_message);

}  // namespace lumenpoll
