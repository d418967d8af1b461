#pragma once

class Fl_Window;

namespace lumenpoll {

// What the window manager is told about our windows. All of these take a shown window
// and do nothing otherwise; without a window manager they change nothing visible.

// Opens the display and looks up the atoms used below. Call it before showing a window:
// a look-up is a round trip, and one between mapping a window and setting its initial
// state would let the manager see the window before its state.
void prepare_window_hints();

// Keeps window above owner and ties it to owner's fate (WM_TRANSIENT_FOR).
void set_transient_for(const Fl_Window& window, const Fl_Window& owner);

// A dialog frame: title bar with a system menu and a close box, movable, no resizing,
// no minimise or maximise (Motif hints, honoured by the common window managers).
void set_dialog_frame(const Fl_Window& window);

// Always on top, as the window's initial state; read by the manager when it maps the window.
void set_initial_state_above(const Fl_Window& window);

// Always on top for a window the manager has already mapped.
void request_state_above(const Fl_Window& window);

// Raises the window and asks the manager to make it the active one.
void request_activation(const Fl_Window& window);

// True once the window is really on screen (mapped by the manager, if there is one).
bool is_viewable(const Fl_Window& window);

}  // namespace lumenpoll
