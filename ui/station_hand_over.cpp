#include "ui/station_hand_over.h"

namespace lumenpoll {

StationHandOver::StationHandOver(StationLock& lock, const ConsoleSessions& sessions, TForm1& form,
                                 Application& app, TimerBackend& timers, StartAs start)
    : lock_(lock),
      sessions_(sessions),
      form_(form),
      app_(app),
      state_(start == StartAs::Holder ? State::Holding : State::Dormant),
      look_timer_(timers, kLookIntervalMs, [this] { app_.guarded([this] { look(); }); }),
      limit_timer_(timers, kTimeLimitMs, [this] { app_.guarded([this] { give_up(); }); }),
      save_timer_(timers, kLookIntervalMs, [this] { app_.guarded([this] { save(); }); }) {
  lock_.answer_with([this](std::optional<SessionId> asker) { return decide(asker); });
  look_timer_.SetEnabled(true);
}

StationHandOver::~StationHandOver() {
  lock_.answer_with(nullptr);
}

// Called while the lock answers a start, so the station itself is given up later, by look().
HolderVerdict StationHandOver::decide(std::optional<SessionId> asker) {
  if (state_ == State::Dormant || form_.closed() || !hands_over_to(sessions_, asker))
    return HolderVerdict::Held;
  if (state_ == State::Holding) {
    state_ = State::HandingOver;
    limit_timer_.SetEnabled(true);
    form_.HandOverCycle([this] { image_done_ = true; });
  }
  return HolderVerdict::HandingOver;
}

void StationHandOver::look() {
  if (form_.closed()) return;
  if (state_ == State::HandingOver && image_done_) return give_up();
  if (state_ != State::Dormant) return;
  if (lock_.acquire()) {
    state_ = State::Holding;
    form_.StartCycle();
    return;
  }
  const std::optional<SessionId> own = sessions_.own();
  if (own && sessions_.console() == own) lock_.ask_to_hand_over();
}

void StationHandOver::give_up() {
  limit_timer_.SetEnabled(false);
  if (state_ != State::HandingOver || form_.closed()) return;
  form_.EndCycle();
  lock_.release();
  state_ = State::Dormant;
  image_done_ = false;
  save_timer_.SetEnabled(true);
}

// Once the station is given up, and by a timer of its own: a box saying that the selection
// could not be saved holds up neither the next copy nor this one's looks.
void StationHandOver::save() {
  save_timer_.SetEnabled(false);
  if (!form_.closed()) form_.FormClose();
}

}  // namespace lumenpoll
