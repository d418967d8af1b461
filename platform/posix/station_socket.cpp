#include "platform/posix/station_socket.h"

#include <poll.h>
#include <pwd.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace lumenpoll {
namespace {

constexpr std::string_view kRaise = "raise\n";

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

// A socket listening on name; nothing when another program listens there.
UniqueFd listening_on(const std::string& name) {
  UniqueFd fd = new_socket();
  socklen_t length = 0;
  const sockaddr_un address = address_of(name, length);
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    if (errno == EADDRINUSE) return {};
    throw std::system_error(errno, std::generic_category(), "bind");
  }
  if (::listen(fd.get(), 4) != 0) throw std::system_error(errno, std::generic_category(), "listen");
  return fd;
}

// A connection to the program listening on name; nothing when there is none to be had.
UniqueFd connect_to(const std::string& name) {
  UniqueFd fd = new_socket();
  socklen_t length = 0;
  const sockaddr_un address = address_of(name, length);
  if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) return {};
  return fd;
}

std::string account_name() {
  const uid_t uid = ::geteuid();
  if (const passwd* entry = ::getpwuid(uid); entry != nullptr && entry->pw_name[0] != '\0')
    return entry->pw_name;
  return std::to_string(uid);
}

// ":1.0" and ":1" are one display: its screen is left out.
std::string display_of(std::string display) {
  const std::size_t colon = display.rfind(':');
  const std::size_t dot = display.find('.', colon == std::string::npos ? 0 : colon);
  if (colon != std::string::npos && dot != std::string::npos) display.erase(dot);
  return display;
}

// Reads one line of at most limit bytes from a non-blocking socket, waiting up to wait_ms in
// all; what came before a time-out or the end, without a line end, is not a line.
std::string read_line(int fd, int wait_ms, std::size_t limit) {
  std::string line;
  char chunk[256];
  while (!line.ends_with('\n') && line.size() < limit) {
    pollfd ready{fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, wait_ms);
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) break;
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;
    line.append(chunk, static_cast<std::size_t>(n));
  }
  return line;
}

void send_text(int fd, std::string_view text) {
  ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::optional<HolderAnswer> answer_on(int fd) {
  return parse_holder_answer(read_line(fd, StationSocket::kAnswerMs, 512));
}

// A connection to the program listening on name once it has answered; nothing when nobody
// listens there or answers in time.
UniqueFd answering(const std::string& name) {
  UniqueFd fd = connect_to(name);
  if (fd && !answer_on(fd.get())) fd.reset();
  return fd;
}

}  // namespace

StationSocket::StationSocket(const std::string& drive_folder, const std::string& display,
                             const PeerSessions& sessions)
    : name_(name_for(drive_folder)),
      self_{account_name(), display_of(display)},
      sessions_(sessions),
      ready_(::epoll_create1(EPOLL_CLOEXEC)) {
  if (!ready_) throw std::system_error(errno, std::generic_category(), "epoll_create1");
}

// A copy here that does not answer claims nothing: this start goes on, to find out who holds
// the station and whether that one answers.
bool StationSocket::claim_session() {
  const std::optional<SessionId> own = sessions_.own();
  if (!own) return true;
  session_name_ = name_ + "-session-" + std::to_string(*own);
  if (UniqueFd fd = listening_on(session_name_)) {
    listen_on(session_, std::move(fd));
    return true;
  }
  return !answering(session_name_);
}

bool StationSocket::acquire() {
  UniqueFd fd = listening_on(name_);
  if (!fd) return false;
  listen_on(listener_, std::move(fd));
  return true;
}

// An older holder says nothing and closes; a holder that hangs says nothing in time.
std::optional<HolderAnswer> StationSocket::ask() {
  asking_ = connect_to(name_);
  if (!asking_) return std::nullopt;
  return answer_on(asking_.get());
}

// The connection is the request: the holder learns from it which session asks. Nothing is
// waited for, so it goes at once.
void StationSocket::ask_to_hand_over() {
  const UniqueFd request = connect_to(name_);
}

// On the connection that asked, or a new one: an older holder takes any connection as the
// request.
void StationSocket::bring_holder_forward() {
  if (!asking_) asking_ = connect_to(name_);
  if (asking_) send_text(asking_.get(), kRaise);
  asking_.reset();
}

bool StationSocket::raise_window() {
  if (session_name_.empty()) return false;
  const UniqueFd copy = answering(session_name_);
  if (copy) send_text(copy.get(), kRaise);
  return static_cast<bool>(copy);
}

bool StationSocket::take_requests() {
  const bool asked_holder = listener_ && answer_all(listener_.get(), true);
  const bool asked_copy = session_ && answer_all(session_.get(), false);
  return asked_holder || asked_copy;
}

// The holder answers each start with its verdict on it; the session's copy only says who it
// is.
bool StationSocket::answer_all(int listener, bool as_holder) {
  bool asked = false;
  while (const UniqueFd peer{::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)}) {
    const HolderVerdict verdict =
        as_holder && decide_ ? decide_(sessions_.of_peer(peer.get())) : HolderVerdict::Held;
    send_text(peer.get(), holder_line(self_, verdict));
    // A start handed the station asks for nothing more.
    if (verdict == HolderVerdict::Held)
      asked = read_line(peer.get(), kRequestMs, kRaise.size()) == kRaise || asked;
  }
  return asked;
}

void StationSocket::listen_on(UniqueFd& socket, UniqueFd fd) {
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = fd.get();
  if (::epoll_ctl(ready_.get(), EPOLL_CTL_ADD, fd.get(), &event) != 0)
    throw std::system_error(errno, std::generic_category(), "epoll_ctl");
  socket = std::move(fd);
}

// Out of the set before it closes: a script's process between its fork and its exec still
// shares the socket a moment.
void StationSocket::stop_listening(UniqueFd& socket) {
  if (socket) ::epoll_ctl(ready_.get(), EPOLL_CTL_DEL, socket.get(), nullptr);
  socket.reset();
}

}  // namespace lumenpoll
