#include "platform/win32/text_encoding.h"

#include <windows.h>

#include <climits>

namespace lumenpoll {
namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

std::wstring cp1252_to_wide(const std::string& text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(kWindows1252, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(kWindows1252, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> wide_to_cp1252(const std::wstring& text) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int length = ::WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                           nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), length,
                        nullptr, nullptr);
  return out;
}

}  // namespace lumenpoll
