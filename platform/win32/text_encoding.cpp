#include "platform/win32/text_encoding.h"

#include <windows.h>

#include <climits>

namespace lumenpoll {
namespace {

bool double_byte_code_page() {
  CPINFO info{};
  return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

std::string convert(const std::wstring& text, DWORD flags, const char* fallback) {
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, fallback, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, ansi.data(), length, fallback, nullptr);
  return ansi;
}

// With best fit off, every character that would not come back as itself becomes "?".
// UTF-8 takes no default character: a name that is not whole UTF-16 gets a "?" in front.
std::string to_ansi(const std::wstring& text) {
  if (::GetACP() != CP_UTF8) return convert(text, WC_NO_BEST_FIT_CHARS, "?");
  std::string ansi = convert(text, WC_ERR_INVALID_CHARS, nullptr);
  return ansi.empty() ? "?" + convert(text, 0, nullptr) : ansi;
}

// In a double-byte code page the second byte of a character may be one the program reads
// as ASCII ("\" most of all); such a character becomes "?".
void mask_ambiguous_trail_bytes(std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (!::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(text[i]))) continue;
    if (static_cast<unsigned char>(text[i + 1]) < 0x80) {
      text.replace(i, 2, "?");
    } else {
      ++i;
    }
  }
}

}  // namespace

std::wstring ansi_to_wide(const std::string& text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string wide_to_ansi(const std::wstring& name) {
  if (name.empty()) return {};
  if (name.size() > INT_MAX) return "?";
  std::string ansi = to_ansi(name);
  static const bool double_byte = double_byte_code_page();  // fixed while Windows runs
  if (double_byte) mask_ambiguous_trail_bytes(ansi);
  return ansi;
}

}  // namespace lumenpoll
