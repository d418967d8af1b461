#include "platform/fltk/x11_window_hints.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <array>
#include <initializer_list>

namespace lumenpoll {
namespace {

// Xlib caches interned atoms: after prepare_window_hints() these cost no round trip.
Atom atom(const char* name) {
  return XInternAtom(fl_display, name, False);
}

// A request about a mapped window, which the manager takes from the root window.
void send_to_manager(Window xid, const char* type, long l0, long l1, long l2, long l3) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = xid;
  event.xclient.message_type = atom(type);
  event.xclient.format = 32;
  event.xclient.data.l[0] = l0;
  event.xclient.data.l[1] = l1;
  event.xclient.data.l[2] = l2;
  event.xclient.data.l[3] = l3;
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(fl_display);
}

}  // namespace

void prepare_window_hints() {
  fl_open_display();
  for (const char* name : {"_MOTIF_WM_HINTS", "_NET_WM_STATE", "_NET_WM_STATE_ABOVE",
                           "_NET_ACTIVE_WINDOW", "WM_TRANSIENT_FOR"}) {
    atom(name);
  }
}

void set_transient_for(const Fl_Window& window, const Fl_Window& owner) {
  const Window xid = fl_xid(&window);
  const Window owner_xid = fl_xid(&owner);
  if (xid == 0 || owner_xid == 0) return;
  XSetTransientForHint(fl_display, xid, owner_xid);
}

void set_dialog_frame(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (xid == 0) return;
  constexpr long kHintsFunctions = 1, kHintsDecorations = 2;
  constexpr long kFuncMove = 4, kFuncClose = 32;
  constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;
  // flags, functions, decorations, input mode, status
  const std::array<long, 5> hints = {kHintsFunctions | kHintsDecorations, kFuncMove | kFuncClose,
                                     kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  const Atom motif_hints = atom("_MOTIF_WM_HINTS");
  XChangeProperty(fl_display, xid, motif_hints, motif_hints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints.data()), hints.size());
}

void set_initial_state_above(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (xid == 0) return;
  const Atom above = atom("_NET_WM_STATE_ABOVE");
  XChangeProperty(fl_display, xid, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(&above), 1);
}

void request_state_above(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (xid == 0) return;
  constexpr long kNetWmStateAdd = 1;
  constexpr long kSourceApplication = 1;
  send_to_manager(xid, "_NET_WM_STATE", kNetWmStateAdd,
                  static_cast<long>(atom("_NET_WM_STATE_ABOVE")), 0, kSourceApplication);
}

// As a pager asks: managers that keep applications from taking the focus honour that.
void request_activation(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (xid == 0) return;
  constexpr long kSourcePager = 2;
  XRaiseWindow(fl_display, xid);
  send_to_manager(xid, "_NET_ACTIVE_WINDOW", kSourcePager, CurrentTime, 0, 0);
}

bool is_viewable(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (xid == 0) return false;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(fl_display, xid, &attributes)) return false;
  return attributes.map_state == IsViewable;
}

}  // namespace lumenpoll
