#pragma once

#include <string>

namespace lumenpoll {

// Whether an image's base name can go into a script's parameter text as it stands. The
// command interpreter that runs the scripts acts on & | < > ^ % ! " ( ), splits arguments
// at blanks, tabs , ; and =, and the other control characters have no place in a name:
// such a name would run commands or reach the script cut short. An empty name is refused too.
bool scripts_can_take(const std::string& base_name);

}  // namespace lumenpoll
