// The desktop program: its main window from start-up to the end of the message loop.
#pragma once

#include "platform/win32.h"
#include "settings/settings.h"

namespace veltrax {

inline constexpr char WINDOW_CLASS_NAME[] = "Veltrax_Diffr";
inline constexpr char WINDOW_TITLE[] = "Veltrax_Diffr : Netlist comparison R3.00";

// Registers the window class, creates and shows the main window and runs the message loop until
// the window is destroyed. The result is the quit message's wParam, or 0 when the class cannot
// be registered, the window cannot be created or the loop fails.
int desktop_main(HINSTANCE instance, int show);

// The main window's procedure: routes the seven messages the program handles.
LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The settings the window shows and edits (read-only, for inspection).
const Settings& desktop_settings();

}  // namespace veltrax
