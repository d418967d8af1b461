#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/application.h"
#include "base/console_sessions.h"

namespace lumenpoll {

// Who runs a program: its account, and the session it shows its windows in (an X display;
// a Windows session and desktop).
struct StationHolder {
  std::string user;
  std::string session;
  bool operator==(const StationHolder&) const = default;
};

// What the holder tells a later start: it keeps the station, or gives it up to that start.
enum class HolderVerdict { Held, HandingOver };

struct HolderAnswer {
  StationHolder holder;
  HolderVerdict verdict = HolderVerdict::Held;
  bool operator==(const HolderAnswer&) const = default;
};

// The holder's answer, one line: who it is, as earlier versions say it, with "handing over"
// added when it gives the station up. What the asker reads of a line: nothing when it is no
// such line; a line of who the holder is alone means held.
std::string holder_line(const StationHolder& holder, HolderVerdict verdict = HolderVerdict::Held);
std::optional<HolderAnswer> parse_holder_answer(std::string_view line);

// The holder gives the station up to a start in the session at the console while its own
// session is not there; to nobody when any of the three is unknown.
bool hands_over_to(const ConsoleSessions& sessions, std::optional<SessionId> asker);

// One station runs one cycle, whichever of the two programs runs it: two would take every
// image twice. The program that runs the cycle holds the station's lock until it gives it up
// or ends in any way (closed, killed, crashed), so a later start is never refused for good.
class StationLock {
 public:
  // The holder's verdict for a later start, given that start's session (none when unknown).
  using Decide = std::function<HolderVerdict(std::optional<SessionId> asker)>;

  virtual ~StationLock() = default;
  // True when no other copy of either program runs in this session: this program is then the
  // session's copy until it drops that or ends.
  virtual bool claim_session() = 0;
  virtual void drop_session() = 0;
  // True when this program now holds the station; false when another program does. Never
  // waits.
  virtual bool acquire() = 0;
  // Gives the station up; the program runs on.
  virtual void release() = 0;
  // The holder's answer to this start; nothing when it cannot be asked or does not answer.
  virtual std::optional<HolderAnswer> ask() = 0;
  // Asks the holder to hand the station over if it should, without waiting for its answer.
  virtual void ask_to_hand_over() = 0;
  // What this program, while it holds the station, answers each later start (Held until set;
  // a lock that cannot tell sessions apart always answers Held).
  virtual void answer_with(Decide decide) = 0;
  // This program's own account and session.
  virtual StationHolder self() const = 0;
  // Asks the program that holds the station to show its window in front.
  virtual void bring_holder_forward() = 0;
  // Brings a window of the program on this desktop in front without its program's help, as
  // for one that does not answer; false when there is none to be found.
  virtual bool raise_window() = 0;
};

// How a start runs the program: holding the station, or without it until the holder has
// handed it over.
enum class StartAs { Holder, Waiting };

// Runs the program (body) when it is this session's only copy and either holds the station
// or is handed it. Otherwise gives 0 without a window, a scan or a script, holding nothing
// by the time a box is shown: this session's copy, or a holder here, is brought forward; a
// holder in another session, which nobody here can see, is named in a box of app's; a holder
// that does not answer is brought forward by its window if there is one, else named in a box.
int run_alone(StationLock& lock, Application& app, const std::function<int(StartAs)>& body);

}  // namespace lumenpoll
