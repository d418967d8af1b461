#include "base/system_message.h"

namespace lumenpoll {

std::string system_message_text(const std::string& system_message) {
  std::size_t n = system_message.size();
  while (n > 0) {
    const auto c = static_cast<unsigned char>(system_message[n - 1]);
    if (c > ' ' && c != '.') break;
    --n;
  }
  return system_message.substr(0, n);
}

}  // namespace lumenpoll
