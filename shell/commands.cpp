// The commands of the main window, one per control id, and the running flag that guards the
// settings while a comparison run executes.
#include <cstdio>
#include <cstring>

#include "compare/run.h"
#include "netlist/limits.h"
#include "netlist/reader.h"
#include "shell/shell_state.h"

namespace veltrax {

namespace {

constexpr DWORD FILE_NAME_SIZE = 3000;
constexpr DWORD FILE_TITLE_SIZE = 2999;
constexpr std::size_t RESULT_PATH_BUFFER = RESULT_NAME_ROOM + 1;  // 520 bytes
// One filter entry: the label "*.*" and an empty pattern, then the list's end.
constexpr char FILE_FILTER[] = "*.*\0\0";

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEA) == 88, "the full dialog description of 32-bit Windows");
#endif

Settings& settings() {
  return shell().settings;
}

int area() {
  return current_area(settings());
}

// The commands that change settings, refused while a run executes.
bool changes_settings(int id) {
  return id == ID_LANGUAGE || id == ID_REF_FILE || id == ID_CMP_FILE || id == ID_AUTO_INC ||
         (id >= ID_REF_FORMAT_0 && id < ID_REF_FORMAT_0 + FORMAT_COUNT) ||
         (id >= ID_CMP_FORMAT_0 && id < ID_CMP_FORMAT_0 + FORMAT_COUNT);
}

// The commands after which the messages stay; after every other one they are emptied.
bool keeps_messages(int id) {
  return id == ID_LANGUAGE || id == ID_DEFAULT_SIZE || id == ID_EXECUTE || id == ID_OPEN_CSV ||
         id == ID_AUTO_INC || (id >= ID_AREA_0 && id < ID_AREA_0 + AREA_COUNT);
}

void switch_language() {
  std::int32_t& language = settings().param[PARAM_LANGUAGE];
  language = language + 1 >= 2 ? LANGUAGE_JAPANESE : language + 1;
  relabel();
}

void restore_default_size(HWND hwnd) {
  const Size size = default_size();
  SetWindowPos(hwnd, HWND_TOP, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOOWNERZORDER);
}

// Shows the open-file dialog with the slot's path as the initial name; a chosen file's full
// path goes into the slot. False when the user cancels or the dialog fails.
bool choose_file(HWND hwnd, int slot) {
  char name[FILE_NAME_SIZE];
  char title[FILE_TITLE_SIZE];
  std::snprintf(name, sizeof name, "%s", settings().slot[slot]);
  title[0] = '\0';
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd;
  ofn.lpstrFilter = FILE_FILTER;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = FILE_NAME_SIZE;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = FILE_TITLE_SIZE;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return false;
  name[FILE_NAME_SIZE - 1] = '\0';
  set_slot(settings(), slot, name);
  return true;
}

bool is_format(int value) {
  return value >= 0 && value < FORMAT_COUNT;
}

// Sets the mark of the format button a group's entry selects; an entry outside the format list
// (only a hand-edited file holds one) selects no button.
void mark_format(int group, int entry, bool checked) {
  const int value = settings().param[entry];
  if (is_format(value)) set_check(group + value, checked);
}

void choose_format(int id, int group, int entry) {
  mark_format(group, entry, false);
  settings().param[entry] = id - group;
  set_check(id, true);
}

void switch_area(int id) {
  Settings& s = settings();
  const int from = area();
  const int to = id - ID_AREA_0;
  mark_format(ID_REF_FORMAT_0, ref_format_param(from), false);
  mark_format(ID_CMP_FORMAT_0, cmp_format_param(from), false);
  set_check(ID_AUTO_INC, false);
  s.param[PARAM_AUTO_INC] = 0;

  set_check(ID_AREA_0 + from, false);
  s.param[PARAM_AREA] = to;
  set_check(id, true);

  set_slot(s, SLOT_DISPLAYED_MESSAGE, s.slot[area_message_slot(to)]);
  mark_format(ID_REF_FORMAT_0, ref_format_param(to), true);
  mark_format(ID_CMP_FORMAT_0, cmp_format_param(to), true);
  if (((static_cast<unsigned>(s.param[PARAM_AUTO_INC_MASK]) >> to) & 1u) != 0) {
    set_check(ID_AUTO_INC, true);
    s.param[PARAM_AUTO_INC] = 1;
  }
}

void toggle_auto_inc() {
  const bool on = settings().param[PARAM_AUTO_INC] == 0;
  set_auto_inc(settings(), on);
  set_check(ID_AUTO_INC, on);
}

void execute() {
  Shell& sh = shell();
  sh.running = 1;
  read_back_edit_boxes();
  sh.settings.param[PARAM_EXECUTE_RESET] = 0;
  HWND button = control(ID_EXECUTE);
  if (button != nullptr) EnableWindow(button, FALSE);
  comparison_run(sh.settings);
  if (button != nullptr) EnableWindow(button, TRUE);
  sh.running = 0;
}

// Opens the area's result file in the application the desktop associates with it. A path that
// does not fit the 520-byte buffer cannot be one this program wrote: it counts as missing.
void open_result(HWND hwnd) {
  const char* stored = settings().slot[result_path_slot(area())];
  char path[RESULT_PATH_BUFFER];
  std::FILE* f = nullptr;
  if (strnlen(stored, RESULT_PATH_BUFFER) < RESULT_PATH_BUFFER) {
    std::memcpy(path, stored, std::strlen(stored) + 1);
    f = std::fopen(path, "r");
  }
  if (f == nullptr) {
    MessageBoxA(hwnd, message_text(settings(), MSG_CANT_OPEN_CSV), "Error", MB_OK);
    return;
  }
  std::fclose(f);
  ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void perform(HWND hwnd, int id) {
  const int a = area();
  if (id >= ID_REF_FORMAT_0 && id < ID_REF_FORMAT_0 + FORMAT_COUNT) {
    choose_format(id, ID_REF_FORMAT_0, ref_format_param(a));
  } else if (id >= ID_CMP_FORMAT_0 && id < ID_CMP_FORMAT_0 + FORMAT_COUNT) {
    choose_format(id, ID_CMP_FORMAT_0, cmp_format_param(a));
  } else if (id >= ID_AREA_0 && id < ID_AREA_0 + AREA_COUNT) {
    switch_area(id);
  } else if (id == ID_LANGUAGE) {
    switch_language();
  } else if (id == ID_DEFAULT_SIZE) {
    restore_default_size(hwnd);
  } else if (id == ID_REF_FILE) {
    choose_file(hwnd, ref_path_slot(a));
  } else if (id == ID_CMP_FILE) {
    if (choose_file(hwnd, cmp_path_slot(a))) {
      set_area_label(settings(), a);
      relabel();
    }
  } else if (id == ID_EXECUTE) {
    execute();
  } else if (id == ID_OPEN_CSV) {
    open_result(hwnd);
  } else if (id == ID_AUTO_INC) {
    toggle_auto_inc();
  }
}

}  // namespace

void handle_command(HWND hwnd, WPARAM wparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (shell().running != 0) {
    if (code == BN_CLICKED && changes_settings(id)) {
      MessageBoxA(hwnd, message_text(settings(), MSG_REFUSED_WHILE_RUNNING), "Parameter", MB_OK);
    }
    return;
  }
  if (code != BN_CLICKED) return;
  perform(hwnd, id);
  if (!keeps_messages(id)) {
    set_slot(settings(), SLOT_DISPLAYED_MESSAGE, "");
    set_slot(settings(), area_message_slot(area()), "");
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace veltrax
