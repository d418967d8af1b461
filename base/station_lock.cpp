#include "base/station_lock.h"

namespace lumenpoll {
namespace {

constexpr std::string_view kHolderTag = "lumenpoll station";

}  // namespace

std::string holder_line(const StationHolder& holder) {
  return std::string(kHolderTag) + '\t' + holder.user + '\t' + holder.session + '\n';
}

std::optional<StationHolder> parse_holder_line(std::string_view line) {
  if (!line.ends_with('\n')) return std::nullopt;
  line.remove_suffix(1);
  const std::size_t user_at = line.find('\t');
  if (user_at == std::string_view::npos || line.substr(0, user_at) != kHolderTag)
    return std::nullopt;
  const std::size_t session_at = line.find('\t', user_at + 1);
  if (session_at == std::string_view::npos) return std::nullopt;
  StationHolder holder{std::string(line.substr(user_at + 1, session_at - user_at - 1)),
                       std::string(line.substr(session_at + 1))};
  if (holder.user.empty() || holder.session.find('\t') != std::string::npos) return std::nullopt;
  return holder;
}

std::string held_elsewhere_text(const std::string& user) {
  return "lumenpoll is already running for " + user +
         " on this station. Close it in that session to run it here.";
}

int run_alone(StationLock& lock, Application& app, const std::function<int()>& body) {
  if (lock.acquire()) return body();
  const std::optional<StationHolder> holder = lock.holder();
  if (holder && *holder != lock.self()) {
    app.ShowError(held_elsewhere_text(holder->user));
    return 0;
  }
  lock.bring_holder_forward();
  return 0;
}

}  // namespace lumenpoll
