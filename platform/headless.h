// Controls of the headless stand-in for the tests that drive the desktop program on Linux: what
// the user and the desktop answer, and what the program showed, drew and opened.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace headless {

// What the program asked the file dialog for.
struct FileDialogRequest {
  DWORD struct_size;
  HWND owner;
  std::string filter;  // every byte up to the double zero that ends the list, zeros included
  DWORD filter_index;
  std::string initial_name;
  DWORD name_room;
  DWORD title_room;
  DWORD flags;
  bool has_title;
  bool has_initial_dir;
  bool has_default_ext;
};

struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

struct ShellExecuteCall {
  HWND owner;
  std::string verb;
  std::string file;
  bool has_parameters;
  bool has_directory;
  int show;
};

struct TextDraw {
  std::string text;
  RECT rect;
  UINT format;
  HGDIOBJ font;  // null: the System font
};

struct EdgeDraw {
  RECT rect;
  UINT edge;
  UINT flags;
};

struct Scroll {
  HWND hwnd;
  int dx;
  int dy;
};

// What went on between one BeginPaint and its EndPaint.
struct Paint {
  COLORREF text_color = 0;
  COLORREF background_color = 0;
  bool background_erased = false;
  std::vector<TextDraw> texts;
  std::vector<EdgeDraw> edges;
};

struct Faults {
  bool register_class = false;    // RegisterClassA fails
  bool create_top_level = false;  // CreateWindowExA fails for a top-level window
  std::string child_class;        // CreateWindowExA fails for children of this class
  bool full_path = false;         // GetFullPathNameA fails
};

// Forgets every window, class, message and record, and puts the answers back to their
// defaults: the GUI font (DEFAULT_GUI_FONT: average width 7, height 16, no external leading,
// variable pitch), a virtual screen of 1920 x 1080 and a window frame of 16 x 39 pixels around
// the client area. A DC without a font selected has the System font of a Japanese Windows:
// 8 by 18 pixels, fixed pitch.
void reset();

// The metrics of the GUI font.
void set_text_metrics(const TEXTMETRICA& metrics);
TEXTMETRICA default_text_metrics();
void set_virtual_screen(int width, int height);
// The outer size a window has around its client area (borders, title bar, scroll bars).
void set_frame(int width, int height);
void set_faults(const Faults& faults);

// Called whenever GetMessageA finds nothing to deliver: the user's turn. When it leaves the
// queue empty too, GetMessageA fails (returns -1), as the program would otherwise wait forever.
void on_idle(std::function<void()> user);
bool waited_in_vain();

// Called after every EnableWindow, with the window and its new state.
void on_enable(std::function<void(HWND, BOOL)> hook);

// The answers of the next GetOpenFileNameA calls, in order: a path, or nothing for Cancel.
// A dialog without an answer left is cancelled.
void answer_file_dialog(std::optional<std::string> path);
const std::vector<FileDialogRequest>& file_dialogs();

// The track position a thumb drag reports through GetScrollInfo.
void set_track_position(HWND hwnd, int bar, int position);

const std::vector<MessageBoxCall>& message_boxes();
const std::vector<ShellExecuteCall>& shell_executes();
const std::vector<Scroll>& scrolls();
const std::vector<Paint>& paints();
int invalidations(HWND hwnd);  // InvalidateRect calls, all with erase in this program
std::string class_of(HWND hwnd);
DWORD style_of(HWND hwnd);
RECT rect_of(HWND hwnd);  // children: in the parent's client coordinates
int show_command_of(HWND hwnd);
// Resource ids LoadIconA and LoadCursorA were asked for, in order.
const std::vector<std::uintptr_t>& loaded_resources();

}  // namespace headless
