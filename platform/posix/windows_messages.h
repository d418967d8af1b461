#pragma once

#include <string>

#include "base/error_codes.h"

namespace lumenpoll {

// The Windows system message text for an error code from 0 to 32 or one of the higher codes
// of error_codes.h that the adapters give, as the system gives it (ending in "\r\n"); empty for
// any other code.
std::string windows_message(unsigned code);

}  // namespace lumenpoll
