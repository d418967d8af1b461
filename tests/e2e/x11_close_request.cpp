// x11-close-request WINDOW: asks the X window WINDOW (its id, as xdotool gives it) to close,
// as a window manager's close box does, for the end-to-end tests, which run without one.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  // Closing the display sends the request.
  const std::unique_ptr<Display, int (*)(Display*)> display(
      argc == 2 ? XOpenDisplay(nullptr) : nullptr, XCloseDisplay);
  if (!display) {
    std::fprintf(stderr, "usage: x11-close-request WINDOW, with a display to open\n");
    return 2;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(argv[1], nullptr, 0);
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  return XSendEvent(display.get(), event.xclient.window, False, NoEventMask, &event) ? 0 : 1;
}
