#include "platform/win32/com_apartment.h"

#include <objbase.h>

#include <cstdio>
#include <stdexcept>

namespace lumenpoll {

ComApartment::ComApartment() {
  // S_FALSE: already initialised this way on this thread; it still counts and is undone.
  const HRESULT result =
      ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(result)) {
    char text[64];
    std::snprintf(text, sizeof text, "COM could not be initialised (0x%08lX)",
                  static_cast<unsigned long>(result));
    throw std::runtime_error(text);
  }
}

ComApartment::~ComApartment() {
  ::CoUninitialize();
}

}  // namespace lumenpoll
