#include "platform/win32/win32_view.h"

#include <algorithm>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/win32/frame_control.h"
#include "platform/win32/logo_bitmap.h"
#include "platform/win32/text_grid.h"
#include "platform/win32/window_class.h"
#include "ui/text_fit.h"

namespace lumenpoll {
namespace {

constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
constexpr int kDropDownItems = 8;  // items a list shows when dropped down
constexpr int kMemoMargin = 2;     // pixels between the memo's edge and its text

UniqueFont make_font(const FormDef& form) {
  UniqueFont font(::CreateFontA(-form.font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                form.font_name.c_str()));
  if (!font) throw std::runtime_error("The font " + form.font_name + " could not be made");
  return font;
}

int text_width(HWND control, HFONT font, std::string_view text) {
  const WindowDC dc(control);
  const SelectedFont selected(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::string window_text(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

DWORD tab_stop(const ControlDef& def) {
  return def.tab_order >= 0 ? WS_TABSTOP : 0;
}

}  // namespace

Win32View::Win32View(const FormDef& definition, const std::string& application_title)
    : definition_(definition),
      font_(make_font(definition)),
      logo_(make_logo_bitmap()),
      application_window_(application_title) {
  create_window();
  controls_ = std::make_unique<Controls>(
      definition, handle(),
      [this](const ControlDef& def, HWND parent) { return build(parent, def); });
}

Win32View::~Win32View() = default;

void Win32View::create_window() {
  const std::string window_class = class_name(definition_);
  register_window_class(window_class.c_str(), procedure);
  const DWORD ex_style = kFormExStyle | (definition_.always_on_top ? WS_EX_TOPMOST : 0);
  RECT frame{0, 0, definition_.client_width, definition_.client_height};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, ex_style);
  // Set at once: the procedure serves the window only once it is known to be ours.
  window_.reset(::CreateWindowExA(ex_style, window_class.c_str(), definition_.caption.c_str(),
                                  kFormStyle, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, application_window_.handle(), nullptr,
                                  ::GetModuleHandleA(nullptr), this));
  if (!handle()) throw std::runtime_error("The window could not be made");
  application_window_.set_main_window(handle());
  // A dialog frame: its system menu moves and closes, nothing else.
  const HMENU menu = ::GetSystemMenu(handle(), FALSE);
  for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
    ::DeleteMenu(menu, command, MF_BYCOMMAND);
}

HWND Win32View::build(HWND parent, const ControlDef& def) {
  const int id = next_id_++;
  switch (def.kind) {
    case ControlKind::Panel:
    case ControlKind::GroupBox:
      frames_.push_back(std::make_unique<FrameControl>(parent, def, font_.get(), id));
      return frames_.back()->handle();
    case ControlKind::Picture: {
      const HWND picture = create_control(parent, def, id, "STATIC", SS_BITMAP);
      if (logo_)
        ::SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
      return picture;
    }
    case ControlKind::Label: {
      // Drawn by the window (draw_label), so that a text too long for its room is shortened
      // on screen while the control keeps it whole.
      const HWND label = create_control(parent, def, id, "STATIC", SS_OWNERDRAW);
      fit_label(label, def, def.caption);
      return label;
    }
    case ControlKind::ComboBox: {
      const HWND list = create_control(parent, def, id, "COMBOBOX",
                                       CBS_DROPDOWNLIST | WS_VSCROLL | tab_stop(def));
      if (def.item_height > 0) ::SendMessageA(list, CB_SETITEMHEIGHT, 0, def.item_height);
      return list;
    }
    case ControlKind::Memo: {
      const DWORD align = def.align == TextAlign::Center ? ES_CENTER : ES_LEFT;
      const DWORD read_only = def.read_only ? ES_READONLY : 0;
      const HWND memo =
          create_control(parent, def, id, "EDIT",
                         align | read_only | ES_AUTOHSCROLL | tab_stop(def), WS_EX_CLIENTEDGE);
      // A raster font gets no margin: the text would touch the sunken edge.
      ::SendMessageA(memo, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(kMemoMargin, 0));
      return memo;
    }
    case ControlKind::Button:
      return create_control(parent, def, id, "BUTTON", BS_PUSHBUTTON | tab_stop(def));
    case ControlKind::Grid:
      grid_ = std::make_unique<TextGrid>(parent, def, font_.get(), id);
      return grid_->handle();
  }
  throw std::logic_error("Unknown control kind for " + def.name);
}

HWND Win32View::create_control(HWND parent, const ControlDef& def, int id, const char* window_class,
                               DWORD style, DWORD ex_style) {
  int height = def.height;
  // A drop-down list's window holds its list too; the closed list takes its own height.
  if (def.kind == ControlKind::ComboBox)
    height += kDropDownItems * std::max(def.item_height, 1) + 2;
  const HWND control =
      create_child_window(parent, def, id, {window_class, style, ex_style, def.caption, height});
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

HWND Win32View::control_handle(const std::string& name) const {
  const auto* control = controls_->find(name);
  return control == nullptr ? nullptr : control->handle;
}

void Win32View::Show() {
  if (definition_.centred) {
    RECT frame{};
    ::GetWindowRect(handle(), &frame);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    ::SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  application_window_.show();
  ::ShowWindow(handle(), SW_SHOW);
  ::UpdateWindow(handle());
  if (const HWND first = ::GetNextDlgTabItem(handle(), nullptr, FALSE)) ::SetFocus(first);
}

int Win32View::run() {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) throw std::runtime_error("The message loop failed");
    // Tab, the arrow keys and Enter among the controls, as in a dialog.
    if (::IsDialogMessageA(handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

TextGrid& Win32View::grid() const {
  if (!grid_) throw std::logic_error("The window has no grid");
  return *grid_;
}

void Win32View::fit_label(HWND label, const ControlDef& def, const std::string& text) const {
  if (!def.auto_size) return;
  const int width = std::min(text_width(label, font_.get(), text), definition_.text_room(def));
  ::SetWindowPos(label, nullptr, 0, 0, width, def.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32View::shown_text(const std::string& label) const {
  const auto& control = controls_->get(label, ControlKind::Label);
  const auto measure = [&](std::string_view text) {
    return text_width(control.handle, font_.get(), text);
  };
  return fit_text(window_text(control.handle), definition_.text_room(*control.definition), measure);
}

void Win32View::draw_label(const DRAWITEMSTRUCT& item) const {
  const auto* control = controls_->of(item.hwndItem);
  if (control == nullptr) return;
  const std::string shown = shown_text(control->definition->name);
  RECT area = item.rcItem;
  ::FillRect(item.hDC, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  const SelectedFont font(item.hDC, font_.get());
  ::SetTextColor(item.hDC, ::GetSysColor(COLOR_BTNTEXT));
  ::SetBkMode(item.hDC, TRANSPARENT);
  const UINT align = control->definition->align == TextAlign::Center ? DT_CENTER : DT_LEFT;
  ::DrawTextA(item.hDC, shown.data(), static_cast<int>(shown.size()), &area,
              align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void Win32View::SetCaption(const std::string& name, const std::string& text) {
  const auto& control = controls_->get(name);
  const ControlDef& def = *control.definition;
  require_caption(def);
  if (def.kind == ControlKind::Panel || def.kind == ControlKind::GroupBox) {
    for (const auto& frame : frames_)
      if (frame->handle() == control.handle) frame->set_caption(text);
    return;
  }
  ::SetWindowTextA(control.handle, text.c_str());
  if (def.kind == ControlKind::Label) {
    fit_label(control.handle, def, text);
    ::InvalidateRect(control.handle, nullptr, TRUE);
  }
}

void Win32View::ClearItems(const std::string& name) {
  const HWND list = controls_->get(name, ControlKind::ComboBox).handle;
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
}

void Win32View::AddItem(const std::string& name, const std::string& text) {
  const HWND list = controls_->get(name, ControlKind::ComboBox).handle;
  const LRESULT added =
      ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (added == CB_ERR || added == CB_ERRSPACE) throw std::bad_alloc();
}

void Win32View::SetItemIndex(const std::string& name, int index) {
  const HWND list = controls_->get(name, ControlKind::ComboBox).handle;
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32View::SetCell(int col, int row, const std::string& text) {
  grid().set_cell(col, row, text);
}

void Win32View::SetGridSelection(const GridRect& rect) {
  grid().set_selection(rect);
}

// Hidden at once; the window itself goes with the view, once the loop has ended.
void Win32View::CloseWindow() {
  ::ShowWindow(handle(), SW_HIDE);
  application_window_.hide();
  ::PostQuitMessage(0);
}

LRESULT CALLBACK Win32View::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32View* self = window_object<Win32View>(window, message, lparam);
  if (self == nullptr || self->handle() != window)  // being made, or going
    return ::DefWindowProcA(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT Win32View::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:  // close box, system menu, Alt+F4
      events_.close_request();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:  // the process may end once this returns
      // Heard once from the system, and once more from whichever of our windows heard it
      // first (the box, the task-bar button): told to the window once.
      if (wparam != FALSE && !session_ended_) {
        session_ended_ = true;
        events_.session_end();
      }
      return 0;
    case WM_COMMAND:
      on_command(reinterpret_cast<HWND>(lparam), HIWORD(wparam), LOWORD(wparam));
      return 0;
    case WM_DRAWITEM:
      draw_label(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return control_colour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      on_activate(wparam);
      return 0;
    default:
      return ::DefWindowProcA(handle(), message, wparam, lparam);
  }
}

void Win32View::on_command(HWND source, WORD code, WORD id) {
  // Enter, through the dialog keys, asks for the default button: the focused push button.
  if (source == nullptr && id == IDOK) source = ::GetFocus();
  const auto* control = controls_->of(source);
  if (control == nullptr) return;
  const ControlDef& def = *control->definition;
  if (def.kind == ControlKind::Button && def.has_click_handler &&
      (code == BN_CLICKED || id == IDOK)) {
    events_.click(def.name);
  } else if (def.kind == ControlKind::ComboBox && code == CBN_SELCHANGE) {
    on_pick(*control);
  }
}

void Win32View::on_pick(const Controls::Control& list) {
  const auto index = static_cast<int>(::SendMessageA(list.handle, CB_GETCURSEL, 0, 0));
  events_.pick(list.definition->name, index);
}

// Labels and the read-only text in the button face, unless the definition says otherwise.
LRESULT Win32View::control_colour(HDC dc, HWND control) {
  const auto* c = controls_->of(control);
  const bool window_colour =
      c != nullptr && c->definition->kind == ControlKind::Memo && !c->definition->button_face;
  const int background = window_colour ? COLOR_WINDOW : COLOR_BTNFACE;
  ::SetTextColor(dc, ::GetSysColor(window_colour ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  ::SetBkColor(dc, ::GetSysColor(background));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(background));
}

// The focus comes back to the control that had it, as in a dialog.
void Win32View::on_activate(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(handle(), focus)) focus_ = focus;
  } else if (focus_ != nullptr && ::IsWindow(focus_)) {
    ::SetFocus(focus_);
  } else {
    ::SetFocus(handle());
  }
}

}  // namespace lumenpoll
