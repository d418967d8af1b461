#pragma once

#include <string>
#include <utility>

namespace lumenpoll {

// The modal error box of the platform: stop icon, one OK button, a nested message
// loop that keeps timers firing, the main window disabled while it is open.
class ErrorBox {
 public:
  virtual ~ErrorBox() = default;
  virtual void show(const std::string& caption, const std::string& text) = 0;
};

// The text an error box shows: a period is added unless the message is empty or
// already ends in a character at or below the period.
std::string error_box_text(const std::string& message);

// The application object: its title and its default error handler.
class Application {
 public:
  Application(std::string title, ErrorBox& box) : title_(std::move(title)), box_(box) {}

  const std::string& Title() const { return title_; }

  // Shows a message in the error box, caption the application's title; nothing once the
  // application is terminating.
  void ShowError(const std::string& message);

  // The session is ending and the program with it: a box from now on would be answered by
  // nobody and hold the end up, so no more are shown.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Runs an event handler; an error it raises ends it and is shown, and the program goes on.
  template <typename Handler>
  void guarded(Handler&& handler) noexcept {
    try {
      std::forward<Handler>(handler)();
    } catch (...) {
      HandleException();
    }
  }

 private:
  // Must be called from inside a catch block.
  void HandleException() noexcept;

  std::string title_;
  ErrorBox& box_;
  bool terminated_ = false;
};

}  // namespace lumenpoll
