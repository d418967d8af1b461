#include "platform/posix/logind_sessions.h"

#include <systemd/sd-login.h>

#include <charconv>
#include <cstdlib>
#include <memory>

namespace lumenpoll {
namespace {

struct FreeText {
  void operator()(char* text) const { std::free(text); }
};
// A text sd-login made for us.
using LoginText = std::unique_ptr<char, FreeText>;

// The session a query of sd-login names; none when the query fails.
template <typename Query>
std::optional<SessionId> session_of(Query query) {
  char* id = nullptr;
  const int result = query(&id);
  const LoginText owned(id);
  if (result < 0 || !owned) return std::nullopt;
  return session_number(owned.get());
}

}  // namespace

std::optional<SessionId> session_number(std::string_view logind_id) {
  const char* const end = logind_id.data() + logind_id.size();
  SessionId number = 0;
  const auto [last, error] = std::from_chars(logind_id.data(), end, number);
  if (logind_id.empty() || error != std::errc() || last != end) return std::nullopt;
  return number;
}

std::optional<SessionId> LogindSessions::console() const {
  return session_of([](char** id) { return ::sd_seat_get_active("seat0", id, nullptr); });
}

std::optional<SessionId> LogindSessions::own() const {
  return session_of([](char** id) { return ::sd_pid_get_session(0, id); });
}

std::optional<SessionId> LogindSessions::of_peer(int fd) const {
  return session_of([fd](char** id) { return ::sd_peer_get_session(fd, id); });
}

}  // namespace lumenpoll
