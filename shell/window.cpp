// The main window: start-up, creation of the controls from the control table, painting,
// resizing and scrolling over the canvas, and the save at destruction.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "shell/desktop.h"
#include "shell/shell_state.h"

namespace veltrax {

namespace {

constexpr int PLACEMENT_MARGIN_X = 200;  // a stored window must show this much of its width
constexpr int PLACEMENT_MARGIN_Y = 150;  // and of its height on the virtual screen
constexpr DWORD MAIN_WINDOW_STYLE = WS_OVERLAPPEDWINDOW;
constexpr int MIN_STORED_SIZE = 6;  // a smaller stored window opens at the default size
constexpr int NUMBER_TEXT_SIZE = 50;

Shell the_shell;

const char* class_of_kind(int kind) {
  switch (kind) {
    case KIND_PUSH_BUTTON:
    case KIND_RADIO:
    case KIND_CHECK_BOX:
    case KIND_GROUP_BOX:
      return "button";
    case KIND_LABEL:
    case KIND_SLOT_LABEL:
    case KIND_NUMBER_LABEL:
    case KIND_HEX_LABEL:
      return "static";
    case KIND_EDIT:
      return "edit";
    default:
      return nullptr;
  }
}

bool is_labelled(int kind) {
  return kind == KIND_PUSH_BUTTON || kind == KIND_RADIO || kind == KIND_CHECK_BOX ||
         kind == KIND_GROUP_BOX || kind == KIND_LABEL;
}

void set_text(int id, const char* text) {
  if (HWND h = control(id)) SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The font of the controls and of what the window paints, which the layout is measured in: the
// platform's font for controls, proportional on every Windows. The System font, which controls
// draw in unless told otherwise, is fixed-pitch on a Japanese Windows, so that its cells are one
// average character wide instead of one and a half, and the labels outgrow their controls.
HGDIOBJ window_font() {
  return GetStockObject(DEFAULT_GUI_FONT);
}

void measure_layout(HWND hwnd) {
  TEXTMETRICA tm{};
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, window_font());
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  the_shell.layout = layout_from_metrics(tm);
}

// The parameter file is Veltrax_Diffr.ini in the current directory: the program's name resolved
// there, with "ini" for its last three characters.
void form_parameter_path() {
  char* path = the_shell.parameter_path;
  path[0] = '\0';
  const DWORD n = GetFullPathNameA(PARAMETER_PROGRAM_NAME, PARAMETER_PATH_SIZE, path, nullptr);
  if (n < 3 || n >= static_cast<DWORD>(PARAMETER_PATH_SIZE)) {
    path[0] = '\0';
    return;
  }
  std::memcpy(path + n - 3, "ini", 3);
}

void give_initial_state(int id, const ControlRow& row) {
  const Settings& s = the_shell.settings;
  char number[NUMBER_TEXT_SIZE];
  switch (row.kind) {
    case KIND_RADIO:
      set_check(id, s.param[radio_entry(id, current_area(s))] == id - row.aux);
      break;
    case KIND_CHECK_BOX:
      set_check(id, s.param[row.index] != 0);
      break;
    case KIND_SLOT_LABEL:
    case KIND_EDIT:
      set_text(id, s.slot[row.index]);
      break;
    case KIND_NUMBER_LABEL:
    case KIND_HEX_LABEL:
      std::snprintf(number, sizeof number, row.kind == KIND_NUMBER_LABEL ? "%d" : "%x",
                    s.param[row.index]);
      set_text(id, number);
      break;
    default:
      break;
  }
  if (row.kind != KIND_RADIO && row.aux == AUX_CREATE_DISABLED) {
    if (HWND h = control(id)) EnableWindow(h, FALSE);
  }
}

void create_controls(HWND hwnd, HINSTANCE instance) {
  const auto& table = control_table();
  for (int id = 0; id < CONTROL_COUNT; ++id) {
    const ControlRow& row = table[id];
    const char* class_name = class_of_kind(row.kind);
    if (class_name == nullptr) continue;
    const RECT r = scale_row(row, the_shell.layout);
    the_shell.controls[id] =
        CreateWindowExA(0, class_name, " ", WS_CHILD | WS_VISIBLE | row.style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, hwnd,
                        reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), instance, nullptr);
    if (HWND h = control(id))
      SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(window_font()), FALSE);
    give_initial_state(id, row);
  }
}

int clamp_to_int(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()));
}

// Opens the window where it was at the last exit, brought back onto the virtual screen, or at
// the default size when no usable size was stored. 64-bit arithmetic keeps any stored values
// (a hand-edited file can hold any) from overflowing.
void place_window(HWND hwnd) {
  std::int32_t* e = the_shell.settings.param;
  const std::int64_t w = std::int64_t{e[PARAM_WINDOW_RIGHT]} - e[PARAM_WINDOW_LEFT];
  const std::int64_t h = std::int64_t{e[PARAM_WINDOW_BOTTOM]} - e[PARAM_WINDOW_TOP];
  std::int64_t x = e[PARAM_WINDOW_LEFT];
  std::int64_t y = e[PARAM_WINDOW_TOP];
  if (x + PLACEMENT_MARGIN_X > GetSystemMetrics(SM_CXVIRTUALSCREEN)) {
    x = 0;
    e[PARAM_WINDOW_LEFT] = 0;
    e[PARAM_WINDOW_RIGHT] = clamp_to_int(w);
  }
  if (y + PLACEMENT_MARGIN_Y > GetSystemMetrics(SM_CYVIRTUALSCREEN)) {
    y = 0;
    e[PARAM_WINDOW_TOP] = 0;
    e[PARAM_WINDOW_BOTTOM] = clamp_to_int(h);
  }
  if (w >= MIN_STORED_SIZE && h >= MIN_STORED_SIZE) {
    MoveWindow(hwnd, clamp_to_int(x), clamp_to_int(y), clamp_to_int(w), clamp_to_int(h), TRUE);
  } else {
    const Size size = default_size();
    MoveWindow(hwnd, clamp_to_int(x), clamp_to_int(y), size.width, size.height, TRUE);
  }
}

void on_create(HWND hwnd, const CREATESTRUCTA* cs) {
  the_shell.main = hwnd;
  the_shell.running = 0;
  the_shell.layout = Layout{};
  std::fill(std::begin(the_shell.controls), std::end(the_shell.controls), nullptr);
  measure_layout(hwnd);

  Settings& s = the_shell.settings;
  clear_settings(s);
  form_parameter_path();
  if (the_shell.parameter_path[0] != '\0') load_parameter_file(s, the_shell.parameter_path);
  apply_fixups(s);
  set_area_labels(s);

  create_controls(hwnd, cs->hInstance);
  relabel();
  place_window(hwnd);
}

void on_destroy(HWND hwnd) {
  if (the_shell.parameter_path[0] != '\0') {
    read_back_edit_boxes();
    RECT r;
    if (GetWindowRect(hwnd, &r)) {
      std::int32_t* e = the_shell.settings.param;
      e[PARAM_WINDOW_LEFT] = r.left;
      e[PARAM_WINDOW_TOP] = r.top;
      e[PARAM_WINDOW_RIGHT] = r.right;
      e[PARAM_WINDOW_BOTTOM] = r.bottom;
    }
    save_parameter_file(the_shell.settings, the_shell.parameter_path);  // a failure is silent
  }
  PostQuitMessage(0);
}

void on_paint(HWND hwnd) {
  const Settings& s = the_shell.settings;
  const int language = s.param[PARAM_LANGUAGE];
  const int area = current_area(s);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  HGDIOBJ old_font = SelectObject(dc, window_font());
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  const auto& table = control_table();
  char number[NUMBER_TEXT_SIZE];
  for (int id = 0; id < CONTROL_COUNT; ++id) {
    const ControlRow& row = table[id];
    if (row.kind != KIND_FIXED_TEXT && row.kind != KIND_SLOT_TEXT && row.kind != KIND_NUMBER &&
        row.kind != KIND_HEX_NUMBER && row.kind != KIND_EDGE) {
      continue;
    }
    RECT r = scale_row(row, the_shell.layout);
    if (r.left < 0) continue;
    switch (row.kind) {
      case KIND_FIXED_TEXT:
        DrawTextA(dc, row_text(id, language), -1, &r, row.style);
        break;
      case KIND_SLOT_TEXT: {
        const bool per_area = id == ID_REF_PATH || id == ID_CMP_PATH;
        DrawTextA(dc, s.slot[row.index + (per_area ? 2 * area : 0)], -1, &r, row.style);
        break;
      }
      case KIND_NUMBER:
      case KIND_HEX_NUMBER:
        std::snprintf(number, sizeof number, row.kind == KIND_NUMBER ? "%d" : "%#x",
                      s.param[row.index]);
        DrawTextA(dc, number, -1, &r, row.style);
        break;
      default:
        DrawEdge(dc, &r, row.style, static_cast<UINT>(row.aux));
        break;
    }
  }
  SelectObject(dc, old_font);
  EndPaint(hwnd, &ps);
}

void set_bar(HWND hwnd, int bar, int extent, int page) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = extent;
  si.nPage = static_cast<UINT>(page);
  SetScrollInfo(hwnd, bar, &si, TRUE);
}

// The bars are set for the client the window would have without the bars it shows now (their
// style bits), so that a bar hides once the canvas fits without it, however it came to show (a
// bar hides when its page covers the canvas and one unit more). A bar takes room from the other
// direction, which may need its bar then too. A bar that shows or hides sizes the window again,
// to the same client without bars, so that the decision stands.
void on_size(HWND hwnd, int width, int height) {
  Layout& l = the_shell.layout;
  const int bar_width = GetSystemMetrics(SM_CXVSCROLL);
  const int bar_height = GetSystemMetrics(SM_CYHSCROLL);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  if ((style & WS_VSCROLL) != 0) width += bar_width;
  if ((style & WS_HSCROLL) != 0) height += bar_height;
  bool vertical = height / l.line_height <= CANVAS_LINES;
  const bool horizontal = width / l.cell_width <= CANVAS_CELLS ||
                          (vertical && (width - bar_width) / l.cell_width <= CANVAS_CELLS);
  vertical = vertical || (horizontal && (height - bar_height) / l.line_height <= CANVAS_LINES);
  const int cells = (width - (vertical ? bar_width : 0)) / l.cell_width;
  const int lines = (height - (horizontal ? bar_height : 0)) / l.line_height;
  bool moved = false;
  if (const int d = resize_shift(lines, l.v_offset, CANVAS_LINES); d > 0) {
    ScrollWindow(hwnd, 0, d * l.line_height, nullptr, nullptr);
    l.v_offset += d;
    moved = true;
  }
  if (const int d = resize_shift(cells, l.h_offset, CANVAS_CELLS); d > 0) {
    ScrollWindow(hwnd, d * l.cell_width, 0, nullptr, nullptr);
    l.h_offset += d;
    moved = true;
  }
  if (moved) InvalidateRect(hwnd, nullptr, TRUE);
  set_bar(hwnd, SB_VERT, CANVAS_LINES, lines);
  set_bar(hwnd, SB_HORZ, CANVAS_CELLS, cells);
}

void on_scroll(HWND hwnd, int bar, int code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &si);
  const int p0 = si.nPos;
  si.nPos = scroll_request(code, si);
  si.fMask = SIF_POS;
  SetScrollInfo(hwnd, bar, &si, TRUE);
  GetScrollInfo(hwnd, bar, &si);
  const int p1 = si.nPos;
  if (p1 == p0) return;

  Layout& l = the_shell.layout;
  if (bar == SB_VERT) {
    const int d = scroll_shift(p0, p1, l.v_offset);
    ScrollWindow(hwnd, 0, d * l.line_height, nullptr, nullptr);
    l.v_offset += d;
    UpdateWindow(hwnd);
  } else {
    const int d = scroll_shift(p0, p1, l.h_offset);
    ScrollWindow(hwnd, d * l.cell_width, 0, nullptr, nullptr);
    l.h_offset += d;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

}  // namespace

Shell& shell() {
  return the_shell;
}

Size default_size() {
  RECT frame{0, 0, 0, 0};  // the frame around an empty client, without scroll bars
  AdjustWindowRectEx(&frame, MAIN_WINDOW_STYLE, FALSE, 0);
  return default_window_size(the_shell.layout,
                             {frame.right - frame.left, frame.bottom - frame.top});
}

HWND control(int id) {
  return id >= 0 && id < CONTROL_COUNT ? the_shell.controls[id] : nullptr;
}

void set_check(int id, bool checked) {
  if (HWND h = control(id)) SendMessageA(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void relabel() {
  const auto& table = control_table();
  const int language = the_shell.settings.param[PARAM_LANGUAGE];
  for (int id = 0; id < CONTROL_COUNT; ++id) {
    if (is_labelled(table[id].kind)) set_text(id, row_text(id, language));
  }
}

void read_back_edit_boxes() {
  Settings& s = the_shell.settings;
  const auto& table = control_table();
  for (int id = 0; id < CONTROL_COUNT; ++id) {
    if (table[id].kind != KIND_EDIT) continue;
    if (HWND h = control(id)) GetWindowTextA(h, s.slot[table[id].index], SLOT_SIZE);
  }
  s.param[PARAM_FORMAT_OPTION] = format_option_from_text(s.slot[SLOT_FORMAT_OPTION_TEXT]);
}

const Settings& desktop_settings() {
  return the_shell.settings;
}

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      on_create(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lparam));
      return 0;
    case WM_DESTROY:
      on_destroy(hwnd);
      return 0;
    case WM_SIZE:
      on_size(hwnd, LOWORD(static_cast<std::uintptr_t>(lparam)),
              HIWORD(static_cast<std::uintptr_t>(lparam)));
      return 0;
    case WM_PAINT:
      on_paint(hwnd);
      return 0;
    case WM_COMMAND:
      handle_command(hwnd, wparam);
      return 0;
    case WM_HSCROLL:
      on_scroll(hwnd, SB_HORZ, LOWORD(wparam));
      return 0;
    case WM_VSCROLL:
      on_scroll(hwnd, SB_VERT, LOWORD(wparam));
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

int desktop_main(HINSTANCE instance, int show) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = main_window_proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
  wc.lpszClassName = WINDOW_CLASS_NAME;
  if (RegisterClassA(&wc) == 0) {
    MessageBoxA(nullptr, "Few resource or Wrong coding", WINDOW_CLASS_NAME, MB_ICONERROR | MB_OK);
    return 0;
  }
  HWND hwnd =
      CreateWindowExA(0, WINDOW_CLASS_NAME, WINDOW_TITLE,
                      MAIN_WINDOW_STYLE | WS_VSCROLL | WS_HSCROLL, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 0;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  // GetMessageA returns -1 when it fails; the loop ends then too instead of spinning.
  MSG msg{};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace veltrax
