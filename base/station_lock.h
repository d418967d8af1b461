#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/application.h"

namespace lumenpoll {

// Who runs a program: its account, and the session it shows its windows in (an X display;
// a Windows session and desktop).
struct StationHolder {
  std::string user;
  std::string session;
  bool operator==(const StationHolder&) const = default;
};

// What a holder says of itself to a later start that asks, one line; and what the asker
// reads of it (nothing when it is no such line).
std::string holder_line(const StationHolder& holder);
std::optional<StationHolder> parse_holder_line(std::string_view line);

// One station runs one cycle, whichever of the two programs runs it: two would take every
// image twice. The program that runs the cycle holds the station's lock until it ends in any
// way (closed, killed, crashed), so a later start is never refused for good.
class StationLock {
 public:
  virtual ~StationLock() = default;
  // True when this program now holds the station; false when another program does.
  virtual bool acquire() = 0;
  // Who holds the station, as the holder says; nothing when it cannot be asked (an older
  // version, or one that does not answer).
  virtual std::optional<StationHolder> holder() = 0;
  // This program's own account and session.
  virtual StationHolder self() const = 0;
  // Asks the program that holds the station to show its window in front.
  virtual void bring_holder_forward() = 0;
};

// The box of a start that finds the station held in another session.
std::string held_elsewhere_text(const std::string& user);

// Runs the program (body) when it is the station's only one. Otherwise gives 0 without a
// window, a scan or a script: a holder in this session (or one that cannot be asked) is
// brought forward; one in another session, which nobody here can see, is named in a box
// of app's, answered before the program ends.
int run_alone(StationLock& lock, Application& app, const std::function<int()>& body);

}  // namespace lumenpoll
