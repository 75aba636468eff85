// The headless stand-in for the windowing calls: windows as objects, messages delivered
// synchronously to their procedures, the queue for posted ones, scroll bars with the platform's
// clamping, and records of what was shown and drawn. Built on Linux only.
#include <unistd.h>

#include <strings.h>
#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless.h"
#include "platform/win32.h"

struct HDC__ {
  HWND hwnd;
  HGDIOBJ font = nullptr;  // the System font
};

struct HGDIOBJ__ {
  int stock_index;
};

struct HWND__ {
  std::string class_name;
  std::string text;
  DWORD style = 0;
  RECT rect{};  // top-level: screen; child: parent's client coordinates
  int id = 0;
  HWND parent = nullptr;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  WPARAM check = BST_UNCHECKED;
  HGDIOBJ font = nullptr;
  bool enabled = true;
  bool visible = false;
  bool alive = true;
  bool invalid = false;
  bool erase = false;
  int invalidations = 0;
  int show_command = -1;
  SCROLLINFO bars[2]{};
  HDC__ dc{};
};

namespace {

struct WindowClass {
  std::string name;
  WNDPROC proc;
  HBRUSH background;
};

struct Posted {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

struct State {
  std::vector<std::unique_ptr<HWND__>> windows;
  std::vector<WindowClass> classes;
  std::deque<Posted> queue;
  TEXTMETRICA metrics = headless::default_text_metrics();
  int screen_width = 1920;
  int screen_height = 1080;
  int frame_width = 16;
  int frame_height = 39;
  headless::Faults faults;
  std::function<void()> idle;
  std::function<void(HWND, BOOL)> enable_hook;
  bool waited_in_vain = false;
  std::deque<std::optional<std::string>> dialog_answers;
  std::vector<headless::FileDialogRequest> dialogs;
  std::vector<headless::MessageBoxCall> boxes;
  std::vector<headless::ShellExecuteCall> executes;
  std::vector<headless::Scroll> scrolls;
  std::vector<headless::Paint> paints;
  std::vector<std::uintptr_t> resources;
  headless::Paint* painting = nullptr;
};

State& state() {
  static State s;
  return s;
}

HGDIOBJ__ gui_font{DEFAULT_GUI_FONT};

bool alive(HWND hwnd) {
  if (hwnd == nullptr) return false;
  for (const auto& w : state().windows) {
    if (w.get() == hwnd) return w->alive;
  }
  return false;
}

bool is_class(HWND hwnd, const char* name) {
  return strcasecmp(hwnd->class_name.c_str(), name) == 0;
}

LRESULT copy_text(const std::string& text, WPARAM room, LPARAM buffer) {
  if (room == 0 || buffer == 0) return 0;
  const std::size_t n = std::min<std::size_t>(text.size(), room - 1);
  char* out = reinterpret_cast<char*>(buffer);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

void notify_parent(HWND hwnd, WORD code) {
  if (hwnd->parent == nullptr) return;
  SendMessageA(hwnd->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), code),
               reinterpret_cast<LPARAM>(hwnd));
}

// The controls: buttons of every style, static labels and single-line edit boxes. Radio
// buttons and check boxes of the plain styles change no mark when clicked.
LRESULT control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = lparam != 0 ? reinterpret_cast<const char*>(lparam) : "";
      if (is_class(hwnd, "edit")) notify_parent(hwnd, EN_CHANGE);
      return TRUE;
    case BM_SETCHECK:
      if (is_class(hwnd, "button")) hwnd->check = wparam;
      return 0;
    case BM_GETCHECK:
      return is_class(hwnd, "button") ? static_cast<LRESULT>(hwnd->check) : 0;
    case BM_CLICK:
      if (is_class(hwnd, "button") && hwnd->enabled) notify_parent(hwnd, BN_CLICKED);
      return 0;
    case WM_SETFONT:
      hwnd->font = reinterpret_cast<HGDIOBJ>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(hwnd->font);
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

void send_size(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  SendMessageA(hwnd, WM_SIZE, 0,
               MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
}

void place(HWND hwnd, int x, int y, int width, int height) {
  const LONG old_width = hwnd->rect.right - hwnd->rect.left;
  const LONG old_height = hwnd->rect.bottom - hwnd->rect.top;
  hwnd->rect = RECT{x, y, x + width, y + height};
  if (hwnd->parent == nullptr && (old_width != width || old_height != height)) send_size(hwnd);
}

// The platform's rule: the position stays within min .. max - (page - 1).
void clamp_position(SCROLLINFO& bar) {
  const int page = static_cast<int>(bar.nPage);
  const int last = bar.nMax - (page > 0 ? page - 1 : 0);
  bar.nPos = std::max(bar.nMin, std::min(bar.nPos, std::max(bar.nMin, last)));
}

}  // namespace

namespace headless {

TEXTMETRICA default_text_metrics() {
  TEXTMETRICA tm{};
  tm.tmHeight = 16;
  tm.tmAscent = 13;
  tm.tmDescent = 3;
  tm.tmAveCharWidth = 7;
  tm.tmMaxCharWidth = 14;
  tm.tmWeight = 700;
  tm.tmPitchAndFamily = TMPF_FIXED_PITCH;  // set for a variable-pitch font
  return tm;
}

void reset() {
  State fresh;  // swapped in: GCC 12 at -O3 takes an assigned temporary for uninitialised
  std::swap(state(), fresh);
}

void set_text_metrics(const TEXTMETRICA& metrics) {
  state().metrics = metrics;
}
void set_virtual_screen(int width, int height) {
  state().screen_width = width;
  state().screen_height = height;
}
void set_frame(int width, int height) {
  state().frame_width = width;
  state().frame_height = height;
}
void set_faults(const Faults& faults) {
  state().faults = faults;
}
void on_idle(std::function<void()> user) {
  state().idle = std::move(user);
}
bool waited_in_vain() {
  return state().waited_in_vain;
}
void on_enable(std::function<void(HWND, BOOL)> hook) {
  state().enable_hook = std::move(hook);
}
void answer_file_dialog(std::optional<std::string> path) {
  state().dialog_answers.push_back(std::move(path));
}
const std::vector<FileDialogRequest>& file_dialogs() {
  return state().dialogs;
}
void set_track_position(HWND hwnd, int bar, int position) {
  if (alive(hwnd) && (bar == SB_HORZ || bar == SB_VERT)) hwnd->bars[bar].nTrackPos = position;
}
const std::vector<MessageBoxCall>& message_boxes() {
  return state().boxes;
}
const std::vector<ShellExecuteCall>& shell_executes() {
  return state().executes;
}
const std::vector<Scroll>& scrolls() {
  return state().scrolls;
}
const std::vector<Paint>& paints() {
  return state().paints;
}
int invalidations(HWND hwnd) {
  return alive(hwnd) ? hwnd->invalidations : 0;
}
std::string class_of(HWND hwnd) {
  return alive(hwnd) ? hwnd->class_name : std::string();
}
DWORD style_of(HWND hwnd) {
  return alive(hwnd) ? hwnd->style : 0;
}
RECT rect_of(HWND hwnd) {
  return alive(hwnd) ? hwnd->rect : RECT{};
}
int show_command_of(HWND hwnd) {
  return alive(hwnd) ? hwnd->show_command : -1;
}
const std::vector<std::uintptr_t>& loaded_resources() {
  return state().resources;
}

}  // namespace headless

ATOM RegisterClassA(const WNDCLASSA* wc) {
  State& s = state();
  if (s.faults.register_class || wc == nullptr || wc->lpszClassName == nullptr) return 0;
  for (const WindowClass& c : s.classes) {
    if (strcasecmp(c.name.c_str(), wc->lpszClassName) == 0) return 0;
  }
  s.classes.push_back({wc->lpszClassName, wc->lpfnWndProc, wc->hbrBackground});
  return static_cast<ATOM>(0xC000 + s.classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  State& s = state();
  const bool child = (style & WS_CHILD) != 0;
  if (child && (!alive(parent) || strcasecmp(s.faults.child_class.c_str(), class_name) == 0)) {
    return nullptr;
  }
  if (!child && s.faults.create_top_level) return nullptr;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  for (const WindowClass& c : s.classes) {
    if (strcasecmp(c.name.c_str(), class_name) == 0) {
      proc = c.proc;
      background = c.background;
    }
  }
  if (proc == nullptr) {
    for (const char* builtin : {"button", "static", "edit"}) {
      if (strcasecmp(builtin, class_name) == 0) proc = control_proc;
    }
  }
  if (proc == nullptr) return nullptr;

  s.windows.push_back(std::make_unique<HWND__>());
  HWND w = s.windows.back().get();
  w->class_name = class_name;
  w->text = title != nullptr ? title : "";
  w->style = style;
  w->proc = proc;
  w->background = background;
  w->parent = child ? parent : nullptr;
  w->id = child ? static_cast<int>(reinterpret_cast<std::intptr_t>(menu)) : 0;
  w->enabled = (style & WS_DISABLED) == 0;
  w->visible = (style & WS_VISIBLE) != 0;
  w->dc.hwnd = w;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = 640;
    height = 480;
  }
  w->rect = RECT{x, y, x + width, y + height};

  CREATESTRUCTA cs{param, instance,   menu, parent, height, width, y, x, static_cast<LONG>(style),
                   title, class_name, 0};
  if (SendMessageA(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(w);
    return nullptr;
  }
  if (!alive(w)) return nullptr;
  if (!child) send_size(w);
  return w;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!alive(hwnd)) return FALSE;
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  for (const auto& w : state().windows) {
    if (w->parent == hwnd && w->alive) DestroyWindow(w.get());
  }
  hwnd->alive = false;
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int show) {
  if (!alive(hwnd)) return FALSE;
  const BOOL was_visible = hwnd->visible ? TRUE : FALSE;
  hwnd->visible = true;
  hwnd->show_command = show;
  hwnd->invalid = true;
  hwnd->erase = true;
  return was_visible;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!alive(hwnd)) return FALSE;
  if (hwnd->invalid) SendMessageA(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
  State& s = state();
  for (int turn = 0; turn < 2; ++turn) {
    if (!s.queue.empty()) {
      const Posted p = s.queue.front();
      s.queue.pop_front();
      *msg = MSG{p.hwnd, p.message, p.wparam, p.lparam, 0, {0, 0}};
      return p.message == WM_QUIT ? FALSE : TRUE;
    }
    for (const auto& w : s.windows) {
      if (w->alive && w->invalid && w->parent == nullptr) {
        *msg = MSG{w.get(), WM_PAINT, 0, 0, 0, {0, 0}};
        return TRUE;
      }
    }
    if (turn == 0 && s.idle) {
      auto user = std::move(s.idle);
      s.idle = nullptr;
      user();
    }
  }
  s.waited_in_vain = true;
  return -1;
}

BOOL TranslateMessage(const MSG*) {
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!alive(msg->hwnd)) return 0;
  return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!alive(hwnd)) return 0;
  return hwnd->proc(hwnd, message, wparam, lparam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (hwnd != nullptr && !alive(hwnd)) return FALSE;
  state().queue.push_back({hwnd, message, wparam, lparam});
  return TRUE;
}

void PostQuitMessage(int exit_code) {
  state().queue.push_back({nullptr, WM_QUIT, static_cast<WPARAM>(exit_code), 0});
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = lparam != 0 ? reinterpret_cast<const char*>(lparam) : "";
      return TRUE;
    case WM_GETTEXT:
      return copy_text(hwnd->text, wparam, lparam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(hwnd->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return hwnd->background != nullptr ? 1 : 0;
    default:
      return 0;
  }
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  state().boxes.push_back(
      {owner, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
  return IDOK;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
  state().resources.push_back(reinterpret_cast<std::uintptr_t>(name));
  return reinterpret_cast<HICON>(0x1001);
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
  state().resources.push_back(reinterpret_cast<std::uintptr_t>(name));
  return reinterpret_cast<HCURSOR>(0x1002);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  if (!alive(hwnd)) return FALSE;
  const BOOL was_disabled = hwnd->enabled ? FALSE : TRUE;
  hwnd->enabled = enable != FALSE;
  if (state().enable_hook) state().enable_hook(hwnd, enable);
  return was_disabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  return alive(hwnd) && hwnd->enabled ? TRUE : FALSE;
}
BOOL IsWindowVisible(HWND hwnd) {
  return alive(hwnd) && hwnd->visible ? TRUE : FALSE;
}
BOOL IsWindow(HWND hwnd) {
  return alive(hwnd) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR text, int room) {
  if (room <= 0) return 0;
  text[0] = '\0';
  if (!alive(hwnd)) return 0;
  return static_cast<int>(
      SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(room), reinterpret_cast<LPARAM>(text)));
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  if (!alive(hwnd)) return FALSE;
  *rect = hwnd->rect;
  if (hwnd->parent != nullptr) {
    RECT outer;
    GetWindowRect(hwnd->parent, &outer);
    const State& s = state();
    const LONG x = outer.left + s.frame_width / 2;
    const LONG y = outer.top + s.frame_height - s.frame_width / 2;
    *rect = RECT{rect->left + x, rect->top + y, rect->right + x, rect->bottom + y};
  }
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  if (!alive(hwnd)) return FALSE;
  LONG width = hwnd->rect.right - hwnd->rect.left;
  LONG height = hwnd->rect.bottom - hwnd->rect.top;
  if (hwnd->parent == nullptr) {
    width = std::max(0, width - state().frame_width);
    height = std::max(0, height - state().frame_height);
  }
  *rect = RECT{0, 0, width, height};
  return TRUE;
}

LONG GetWindowLongA(HWND hwnd, int index) {
  return alive(hwnd) && index == GWL_STYLE ? static_cast<LONG>(hwnd->style) : 0;
}

// The frame of a top-level window, placed as GetWindowRect places the client in it.
BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) {
  const State& s = state();
  rect->left -= s.frame_width / 2;
  rect->right += s.frame_width - s.frame_width / 2;
  rect->top -= s.frame_height - s.frame_width / 2;
  rect->bottom += s.frame_width / 2;
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (!alive(hwnd)) return FALSE;
  place(hwnd, x, y, width, height);
  if (repaint) InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  if (!alive(hwnd)) return FALSE;
  const RECT& r = hwnd->rect;
  if ((flags & SWP_NOMOVE) != 0) {
    x = r.left;
    y = r.top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    cx = r.right - r.left;
    cy = r.bottom - r.top;
  }
  place(hwnd, x, y, cx, cy);
  return TRUE;
}

int GetSystemMetrics(int index) {
  if (index == SM_CXVIRTUALSCREEN) return state().screen_width;
  if (index == SM_CYVIRTUALSCREEN) return state().screen_height;
  return 0;
}

HWND FindWindowA(LPCSTR class_name, LPCSTR title) {
  for (const auto& w : state().windows) {
    if (!w->alive || w->parent != nullptr) continue;
    if (class_name != nullptr && strcasecmp(w->class_name.c_str(), class_name) != 0) continue;
    if (title != nullptr && w->text != title) continue;
    return w.get();
  }
  return nullptr;
}

HWND GetDlgItem(HWND parent, int id) {
  for (const auto& w : state().windows) {
    if (w->alive && w->parent == parent && w->id == id) return w.get();
  }
  return nullptr;
}

HDC GetDC(HWND hwnd) {
  if (!alive(hwnd)) return nullptr;
  hwnd->dc.font = nullptr;
  return &hwnd->dc;
}

int ReleaseDC(HWND, HDC) {
  return 1;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  if (dc == nullptr) return FALSE;
  if (dc->font != nullptr) {
    *metrics = state().metrics;
    return TRUE;
  }
  *metrics = TEXTMETRICA{};
  metrics->tmHeight = 18;
  metrics->tmAveCharWidth = 8;
  metrics->tmMaxCharWidth = 16;
  return TRUE;
}

HGDIOBJ GetStockObject(int index) {
  return index == DEFAULT_GUI_FONT ? &gui_font : nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (dc == nullptr) return nullptr;
  HGDIOBJ old = dc->font;
  dc->font = object;
  return old;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  std::memset(paint, 0, sizeof *paint);
  if (!alive(hwnd)) return nullptr;
  State& s = state();
  s.paints.emplace_back();
  s.painting = &s.paints.back();
  if (hwnd->erase) {
    s.painting->background_erased = SendMessageA(hwnd, WM_ERASEBKGND, 0, 0) != 0;
  }
  hwnd->invalid = false;
  hwnd->erase = false;
  hwnd->dc.font = nullptr;
  paint->hdc = &hwnd->dc;
  GetClientRect(hwnd, &paint->rcPaint);
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) {
  state().painting = nullptr;
  return TRUE;
}

COLORREF SetTextColor(HDC, COLORREF color) {
  headless::Paint* p = state().painting;
  if (p == nullptr) return 0;
  const COLORREF old = p->text_color;
  p->text_color = color;
  return old;
}

COLORREF SetBkColor(HDC, COLORREF color) {
  headless::Paint* p = state().painting;
  if (p == nullptr) return 0;
  const COLORREF old = p->background_color;
  p->background_color = color;
  return old;
}

DWORD GetSysColor(int index) {
  if (index == COLOR_BTNFACE) return 0xF0F0F0;
  if (index == COLOR_BTNTEXT) return 0x000000;
  return 0xFFFFFF;
}

int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  headless::Paint* p = state().painting;
  if (p == nullptr) return 0;
  const std::string drawn = count < 0 ? std::string(text) : std::string(text, count);
  p->texts.push_back({drawn, *rect, format, dc != nullptr ? dc->font : nullptr});
  return state().metrics.tmHeight;
}

BOOL DrawEdge(HDC, RECT* rect, UINT edge, UINT flags) {
  headless::Paint* p = state().painting;
  if (p == nullptr) return FALSE;
  p->edges.push_back({*rect, edge, flags});
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
  if (!alive(hwnd)) return FALSE;
  hwnd->invalid = true;
  hwnd->erase = hwnd->erase || erase != FALSE;
  ++hwnd->invalidations;
  return TRUE;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT*, const RECT*) {
  if (!alive(hwnd)) return FALSE;
  state().scrolls.push_back({hwnd, dx, dy});
  for (const auto& w : state().windows) {
    if (w->parent != hwnd) continue;
    w->rect = RECT{w->rect.left + dx, w->rect.top + dy, w->rect.right + dx, w->rect.bottom + dy};
  }
  hwnd->invalid = true;  // the band the move uncovered
  return TRUE;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!alive(hwnd) || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
  const SCROLLINFO& b = hwnd->bars[bar];
  if ((info->fMask & SIF_RANGE) != 0) {
    info->nMin = b.nMin;
    info->nMax = b.nMax;
  }
  if ((info->fMask & SIF_PAGE) != 0) info->nPage = b.nPage;
  if ((info->fMask & SIF_POS) != 0) info->nPos = b.nPos;
  if ((info->fMask & SIF_TRACKPOS) != 0) info->nTrackPos = b.nTrackPos;
  return TRUE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL) {
  if (!alive(hwnd) || (bar != SB_HORZ && bar != SB_VERT)) return 0;
  SCROLLINFO& b = hwnd->bars[bar];
  if ((info->fMask & SIF_RANGE) != 0) {
    b.nMin = info->nMin;
    b.nMax = info->nMax;
  }
  if ((info->fMask & SIF_PAGE) != 0) b.nPage = info->nPage;
  if ((info->fMask & SIF_POS) != 0) b.nPos = info->nPos;
  clamp_position(b);
  return b.nPos;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
  State& s = state();
  headless::FileDialogRequest r{};
  r.struct_size = ofn->lStructSize;
  r.owner = ofn->hwndOwner;
  if (ofn->lpstrFilter != nullptr) {
    // Pairs of a label and a pattern (which may be empty), ended by an empty label.
    const char* f = ofn->lpstrFilter;
    std::size_t n = 0;
    while (f[n] != '\0') {
      n += std::strlen(f + n) + 1;
      n += std::strlen(f + n) + 1;
    }
    r.filter.assign(f, n + 1);
  }
  r.filter_index = ofn->nFilterIndex;
  r.initial_name = ofn->lpstrFile != nullptr ? ofn->lpstrFile : "";
  r.name_room = ofn->nMaxFile;
  r.title_room = ofn->nMaxFileTitle;
  r.flags = ofn->Flags;
  r.has_title = ofn->lpstrTitle != nullptr;
  r.has_initial_dir = ofn->lpstrInitialDir != nullptr;
  r.has_default_ext = ofn->lpstrDefExt != nullptr;
  s.dialogs.push_back(r);

  if (s.dialog_answers.empty()) return FALSE;
  const std::optional<std::string> answer = s.dialog_answers.front();
  s.dialog_answers.pop_front();
  if (!answer || answer->size() >= ofn->nMaxFile) return FALSE;
  std::memcpy(ofn->lpstrFile, answer->c_str(), answer->size() + 1);
  if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
    const std::size_t slash = answer->find_last_of("\\/");
    const std::string title = slash == std::string::npos ? *answer : answer->substr(slash + 1);
    copy_text(title, ofn->nMaxFileTitle, reinterpret_cast<LPARAM>(ofn->lpstrFileTitle));
  }
  return TRUE;
}

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int show) {
  state().executes.push_back({hwnd, verb != nullptr ? verb : "", file != nullptr ? file : "",
                              parameters != nullptr, directory != nullptr, show});
  return reinterpret_cast<HINSTANCE>(42);
}

DWORD GetFullPathNameA(LPCSTR name, DWORD room, LPSTR buffer, LPSTR* file_part) {
  if (state().faults.full_path || name == nullptr || name[0] == '\0') return 0;
  std::string full;
  if (name[0] == '/') {
    full = name;
  } else {
    std::vector<char> cwd(4096);
    if (getcwd(cwd.data(), cwd.size()) == nullptr) return 0;
    full = std::string(cwd.data()) + "/" + name;
  }
  if (full.size() + 1 > room) return static_cast<DWORD>(full.size() + 1);
  std::memcpy(buffer, full.c_str(), full.size() + 1);
  if (file_part != nullptr) *file_part = buffer + full.rfind('/') + 1;
  return static_cast<DWORD>(full.size());
}
