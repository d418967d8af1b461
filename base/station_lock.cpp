#include "base/station_lock.h"

#include <vector>

#include "base/operator_texts.h"

namespace lumenpoll {
namespace {

constexpr std::string_view kHolderTag = "lumenpoll station";
constexpr std::string_view kHandingOver = "handing over";

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t at = 0;;) {
    const std::size_t tab = line.find('\t', at);
    fields.push_back(line.substr(at, tab - at));
    if (tab == std::string_view::npos) return fields;
    at = tab + 1;
  }
}

}  // namespace

std::string holder_line(const StationHolder& holder, HolderVerdict verdict) {
  std::string line = std::string(kHolderTag) + '\t' + holder.user + '\t' + holder.session;
  if (verdict == HolderVerdict::HandingOver) line += '\t' + std::string(kHandingOver);
  return line + '\n';
}

std::optional<HolderAnswer> parse_holder_answer(std::string_view line) {
  if (!line.ends_with('\n')) return std::nullopt;
  line.remove_suffix(1);
  const std::vector<std::string_view> fields = split_tabs(line);
  if (fields.size() < 3 || fields.size() > 4 || fields[0] != kHolderTag || fields[1].empty())
    return std::nullopt;
  HolderAnswer answer{{std::string(fields[1]), std::string(fields[2])}, HolderVerdict::Held};
  if (fields.size() == 4) {
    if (fields[3] != kHandingOver) return std::nullopt;
    answer.verdict = HolderVerdict::HandingOver;
  }
  return answer;
}

bool hands_over_to(const ConsoleSessions& sessions, std::optional<SessionId> asker) {
  const std::optional<SessionId> console = sessions.console();
  const std::optional<SessionId> own = sessions.own();
  return console && asker && own && *asker == *console && *own != *console;
}

int run_alone(StationLock& lock, Application& app, const std::function<int(StartAs)>& body) {
  if (!lock.claim_session()) {
    lock.raise_window();
    return 0;
  }
  if (lock.acquire()) return body(StartAs::Holder);
  std::optional<HolderAnswer> answer = lock.ask();
  // A holder that has just gone leaves nobody to answer.
  if (!answer && lock.acquire()) return body(StartAs::Holder);
  if (answer && answer->verdict == HolderVerdict::HandingOver) return body(StartAs::Waiting);
  lock.drop_session();
  if (!answer) {
    if (!lock.raise_window()) app.ShowError(operator_texts::kHolderSilent);
  } else if (answer->holder == lock.self()) {
    lock.bring_holder_forward();
  } else {
    app.ShowError(operator_texts::held_elsewhere(answer->holder.user));
  }
  return 0;
}

}  // namespace lumenpoll
