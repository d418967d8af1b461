#include "platform/posix/station_socket.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace lumenpoll {
namespace {

// A name of fixed length whatever the folder's path: FNV-1a of the path.
std::string name_for(const std::string& drive_folder) {
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(drive_folder, ec);
  const std::string path = ec ? drive_folder : canonical.string();
  std::uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : path) hash = (hash ^ c) * 1099511628211ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(1, '\0') + "lumenpoll-station-" + hex;
}

sockaddr_un address_of(const std::string& name, socklen_t& length) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.data(), name.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
  return address;
}

UniqueFd new_socket() {
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd) throw std::system_error(errno, std::generic_category(), "socket");
  return fd;
}

}  // namespace

StationSocket::StationSocket(const std::string& drive_folder) : name_(name_for(drive_folder)) {}

bool StationSocket::acquire() {
  UniqueFd fd = new_socket();
  socklen_t length = 0;
  const sockaddr_un address = address_of(name_, length);
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    if (errno == EADDRINUSE) return false;
    throw std::system_error(errno, std::generic_category(), "bind");
  }
  if (::listen(fd.get(), 4) != 0) throw std::system_error(errno, std::generic_category(), "listen");
  listener_ = std::move(fd);
  return true;
}

// The connection is the request; nothing is said on it.
void StationSocket::bring_holder_forward() {
  const UniqueFd fd = new_socket();
  socklen_t length = 0;
  const sockaddr_un address = address_of(name_, length);
  ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length);
}

bool StationSocket::take_requests() {
  bool asked = false;
  while (const UniqueFd peer{::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC)})
    asked = true;
  return asked;
}

}  // namespace lumenpoll
