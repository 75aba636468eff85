// What the parts of the shell share: the one main window's state and the helpers the commands
// use. All static storage, alive for the whole process.
#pragma once

#include "platform/win32.h"
#include "settings/settings.h"
#include "shell/control_table.h"
#include "shell/layout.h"
#include "shell/parameter_file.h"

namespace veltrax {

struct Shell {
  Settings settings;
  HWND main = nullptr;
  HWND controls[CONTROL_COUNT] = {};  // null for rows that create nothing or failed to
  Layout layout;
  int running = 0;  // 1 while a comparison run executes inside the Execute command
  char parameter_path[PARAMETER_PATH_SIZE] = {};  // empty: no parameter file this time
};

Shell& shell();

// The control of a row, or null.
HWND control(int id);
// Sets a button's mark; rows without a control (or outside the table) are left alone.
void set_check(int id, bool checked);
// Gives every labelled control its text in the current language.
void relabel();
// Copies the edit box back into its text slot and derives the format option from it.
void read_back_edit_boxes();
// The main window's default outer size in its font and this platform's window frame.
Size default_size();

// WM_COMMAND: the control id in the low word of wparam, the notification in the high word.
void handle_command(HWND hwnd, WPARAM wparam);

}  // namespace veltrax
