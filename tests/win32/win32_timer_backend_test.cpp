#include "platform/win32/win32_timer_backend.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

// A window of this thread that only takes messages.
class MessageWindow {
 public:
  MessageWindow()
      : window_(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr)) {}
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  ~MessageWindow() {
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// Hands the window's WM_TIMER messages to the backend for about the given time.
void pump(HWND window, Win32TimerBackend& timers, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < milliseconds) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.hwnd == window)
        timers.on_timer(message.wParam);
      else
        ::DispatchMessageA(&message);
    }
    ::Sleep(5);
  }
}

TEST(Win32TimerBackend, ATimerTicksUntilItsHandleGoesEvenWhenItStopsItself) {
  MessageWindow window;
  ASSERT_NE(window.get(), nullptr);
  Win32TimerBackend timers(window.get());
  int ticks = 0;
  std::unique_ptr<TimerHandle> handle;
  handle = timers.start(10, [&] {
    if (++ticks == 3) handle.reset();  // as a one-shot timer's handler does
  });
  ASSERT_NE(handle, nullptr);
  pump(window.get(), timers, 400);
  EXPECT_EQ(ticks, 3);
}

TEST(Win32TimerBackend, ATimerTheSystemRefusesGivesNoHandle) {
  HWND gone = nullptr;
  {
    MessageWindow window;
    gone = window.get();
  }
  Win32TimerBackend timers(gone);
  EXPECT_EQ(timers.start(1000, [] {}), nullptr);
}

}  // namespace
}  // namespace lumenpoll
