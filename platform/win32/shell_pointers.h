#pragma once

#include <objbase.h>
#include <shtypes.h>

#include <memory>

namespace lumenpoll {

// Releases a COM interface when dropped.
struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

// Frees memory the shell hands out: item ID lists, strings.
struct CoTaskFree {
  void operator()(void* memory) const { ::CoTaskMemFree(memory); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, CoTaskFree>;

}  // namespace lumenpoll
