#pragma once

#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The logo as a bitmap for a picture control; null when there are no pixels.
UniqueBitmap make_logo_bitmap();

}  // namespace lumenpoll
