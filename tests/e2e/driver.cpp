// The end-to-end test's driver: a Win32 console program that operates the desktop program's
// window from outside, step by step, with window messages by control id (no coordinates, no
// focus). Every step prints one line; the last line is "N passed, M failed", and the exit
// status is 0 only when every step passed.
//
// Steps (arguments in order):
//   wait CLASS SECONDS   the top-level window of that class exists, is visible and idle
//   acp N                the ANSI code page is N
//   title TEXT           the window's title
//   text ID TEXT         a control's text
//   check ID 0|1         a button's mark
//   enabled ID 0|1       whether a control is enabled
//   click ID             BM_CLICK, returning once the program has handled it
//   settext ID TEXT      WM_SETTEXT
//   rect                 prints the window's rectangle as "rect X Y WIDTH HEIGHT"
//   bars v|h|vh|none     the scroll bars the window shows
//   close SECONDS        WM_CLOSE, then the window is gone
//   fits                 every label of a button or static control fits the control, measured
//                        in the control's own font (one line per control)
//   opendlg ID PATH S    clicks a button that opens the file dialog, types PATH into its file
//                        name box and confirms; the dialog is gone within S seconds
//   canceldlg ID S       the same, cancelled
//   msgbox ID TEXT S     clicks a button that shows a message box with TEXT (line ends at its
//                        end aside), then confirms it
#include <windows.h>
// The file dialog's control ids.
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT REPLY_TIMEOUT_MS = 120000;  // a click on Execute returns after the whole run

HWND g_main = nullptr;
int g_passed = 0;
int g_failed = 0;

void report(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  (ok ? g_passed : g_failed)++;
}

bool send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  DWORD_PTR reply = 0;
  const bool answered = SendMessageTimeoutA(hwnd, message, wparam, lparam, SMTO_ABORTIFHUNG,
                                            REPLY_TIMEOUT_MS, &reply) != 0;
  result = static_cast<LRESULT>(reply);
  return answered;
}

// Window texts are read with WM_GETTEXT: GetWindowTextA does not ask another process's edit box.
std::string text_of(HWND hwnd) {
  char buffer[10001] = {};
  LRESULT n = 0;
  if (hwnd == nullptr ||
      !send(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), n))
    return "(no window)";
  return std::string(buffer, static_cast<std::size_t>(n));
}

HWND control(const char* id) {
  return g_main != nullptr ? GetDlgItem(g_main, std::atoi(id)) : nullptr;
}

void wait_for(const char* class_name, const char* seconds) {
  const DWORD deadline = GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(seconds));
  for (;;) {
    g_main = FindWindowA(class_name, nullptr);
    // The window is found already during its creation: wait until it shows and is idle.
    if (g_main != nullptr && IsWindowVisible(g_main) && GetDlgItem(g_main, 64) != nullptr) break;
    if (GetTickCount() > deadline) {
      report(false, std::string("wait ") + class_name);
      return;
    }
    Sleep(100);
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(g_main, &pid);
  if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
    WaitForInputIdle(process, 10000);
    CloseHandle(process);
  }
  report(true, std::string("wait ") + class_name);
}

bool has_class(HWND hwnd, const char* name) {
  char actual[16] = {};
  GetClassNameA(hwnd, actual, sizeof actual);
  return lstrcmpiA(actual, name) == 0;
}

DWORD deadline_after(const char* seconds) {
  return GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(seconds));
}

// Replies once every message sent or posted to the window before has been handled.
void settle(HWND hwnd) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, REPLY_TIMEOUT_MS, &ignored);
}

// A dialog box (a file dialog or a message box) that the main window owns, once it shows.
HWND owned_dialog(DWORD deadline) {
  struct Search {
    HWND owner;
    HWND found;
  } search{g_main, nullptr};
  for (;;) {
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (!has_class(hwnd, "#32770") || GetWindow(hwnd, GW_OWNER) != s->owner ||
              !IsWindowVisible(hwnd))
            return TRUE;
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || GetTickCount() > deadline) break;
    Sleep(100);
  }
  if (search.found != nullptr) settle(search.found);
  return search.found;
}

// Posts the click (a sent one would return only when the dialog closes) and waits for the
// dialog it opens.
HWND click_for_dialog(const char* id, DWORD deadline) {
  HWND button = control(id);
  if (button == nullptr) return nullptr;
  PostMessageA(button, BM_CLICK, 0, 0);
  return owned_dialog(deadline);
}

// Presses a dialog's button, then waits until the dialog is gone and the main window has
// handled what the closing led to.
bool end_dialog(HWND dialog, int button, DWORD deadline) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  while (IsWindow(dialog) && GetTickCount() < deadline)
    Sleep(50);
  if (IsWindow(dialog)) return false;
  Sleep(100);
  settle(g_main);
  return true;
}

void file_dialog(const char* id, const char* path, const char* seconds) {
  const DWORD deadline = deadline_after(seconds);
  const std::string what = std::string(path != nullptr ? "opendlg " : "canceldlg ") + id;
  HWND dialog = click_for_dialog(id, deadline);
  if (dialog == nullptr) {
    report(false, what + ": no dialog");
    return;
  }
  // The file name box: a combo box in the Explorer-style dialog, an edit box in the old one.
  HWND name = GetDlgItem(dialog, cmb13);
  if (name == nullptr) name = GetDlgItem(dialog, edt1);
  const std::string initial = text_of(name);
  LRESULT ignored = 0;
  if (path != nullptr) send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path), ignored);
  const bool closed = end_dialog(dialog, path != nullptr ? IDOK : IDCANCEL, deadline);
  report(name != nullptr && closed, what + " (the name box held \"" + initial + "\")" +
                                        (closed ? "" : ": the dialog stayed open"));
}

void message_box(const char* id, const std::string& expected, const char* seconds) {
  const DWORD deadline = deadline_after(seconds);
  HWND box = click_for_dialog(id, deadline);
  // The message is the box's static text; the icon is a static without text.
  std::string text = "(no message box)";
  if (box != nullptr) {
    text.clear();
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (has_class(child, "static")) text += text_of(child);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
      text.pop_back();
  }
  const std::string caption = box != nullptr ? text_of(box) : "";
  const bool closed = box != nullptr && end_dialog(box, IDOK, deadline);
  report(text == expected && closed,
         "msgbox " + std::string(id) + " \"" + caption + "\": \"" + text + "\"" +
             (text == expected ? "" : " expected \"" + expected + "\"") +
             (closed ? "" : ", not closed"));
}

// The room a control gives its label: the client rectangle less what the control draws beside
// it, the mark of a check box or radio button with the gap the platform leaves after it (two
// pixels and half a digit), the raised edge left and right of a push button.
SIZE label_room(HWND hwnd, HDC dc, bool button) {
  RECT r{};
  GetClientRect(hwnd, &r);
  SIZE room{r.right - r.left, r.bottom - r.top};
  const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  if (!button) return room;
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
      type == BS_AUTORADIOBUTTON) {
    SIZE digit{};
    GetTextExtentPoint32A(dc, "0", 1, &digit);
    room.cx -= GetSystemMetrics(SM_CXMENUCHECK) + 2 + digit.cx / 2;
  } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    room.cx -= 2 * GetSystemMetrics(SM_CXEDGE);
  }
  return room;
}

// A control's font. Wine does not carry the answer to WM_GETFONT over to another process (a
// window procedure's answer arrives as 0), so then it is read where Wine's own button and
// static controls keep it: in their window's extra bytes, after the button's state.
LRESULT font_of(HWND hwnd, bool button) {
  LRESULT font = 0;
  if (send(hwnd, WM_GETFONT, 0, 0, font) && font != 0) return font;
  const int offset = button ? static_cast<int>(sizeof(LONG)) : 0;
  return static_cast<LRESULT>(static_cast<DWORD>(GetWindowLongA(hwnd, offset)));
}

// The font as this process can use it: none set is the System font, and a stock font has the
// same handle in every process; any other font belongs to the program alone.
HGDIOBJ usable_font(LRESULT font) {
  if (font == 0) return GetStockObject(SYSTEM_FONT);
  for (int stock : {DEFAULT_GUI_FONT, SYSTEM_FONT, ANSI_VAR_FONT, ANSI_FIXED_FONT, OEM_FIXED_FONT,
                    DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT}) {
    if (reinterpret_cast<HGDIOBJ>(font) == GetStockObject(stock)) return GetStockObject(stock);
  }
  return nullptr;
}

void check_fits() {
  for (HWND child = g_main != nullptr ? GetWindow(g_main, GW_CHILD) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const bool button = has_class(child, "button");
    if (!button && !has_class(child, "static")) continue;
    const std::string label = text_of(child);
    const std::string what = "fits " + std::to_string(GetDlgCtrlID(child)) + " \"" + label + "\"";
    const LRESULT set = font_of(child, button);
    HGDIOBJ font = usable_font(set);
    if (font == nullptr) {
      char handle[32];
      std::snprintf(handle, sizeof handle, "%#llx", static_cast<unsigned long long>(set));
      report(false, what + ": font " + handle + " is the program's own, not measurable here");
      continue;
    }
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &extent);
    const SIZE room = label_room(child, dc, button);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    report(extent.cx <= room.cx && extent.cy <= room.cy,
           what + " " + std::to_string(extent.cx) + "x" + std::to_string(extent.cy) + " in " +
               std::to_string(room.cx) + "x" + std::to_string(room.cy));
  }
}

void close_window(const char* seconds) {
  HWND main = g_main;
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD deadline = GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(seconds));
  while (IsWindow(main) && GetTickCount() < deadline)
    Sleep(100);
  report(!IsWindow(main), "close");
}

}  // namespace

int main(int argc, char** argv) {
  int i = 1;
  auto arg = [&]() -> const char* { return i < argc ? argv[i++] : ""; };
  while (i < argc) {
    const std::string step = arg();
    if (step == "wait") {
      const char* class_name = arg();
      wait_for(class_name, arg());
    } else if (step == "acp") {
      const unsigned expected = static_cast<unsigned>(std::atoi(arg()));
      report(GetACP() == expected, "acp " + std::to_string(GetACP()));
    } else if (step == "title" || step == "text") {
      const std::string id = step == "text" ? arg() : "";
      const std::string expected = arg();
      const std::string actual = text_of(id.empty() ? g_main : control(id.c_str()));
      report(actual == expected, step + (id.empty() ? "" : " " + id) + " \"" + actual + "\"" +
                                     (actual == expected ? "" : " expected \"" + expected + "\""));
    } else if (step == "check" || step == "enabled") {
      const char* id = arg();
      const int expected = std::atoi(arg());
      HWND h = control(id);
      LRESULT state = 0;
      int actual = -1;
      if (step == "enabled") {
        actual = h != nullptr && IsWindowEnabled(h) ? 1 : 0;
      } else if (h != nullptr && send(h, BM_GETCHECK, 0, 0, state)) {
        actual = state == BST_CHECKED ? 1 : 0;
      }
      report(actual == expected, step + " " + id + " " + std::to_string(actual));
    } else if (step == "click" || step == "settext") {
      const char* id = arg();
      const bool click = step == "click";
      const LPARAM text = click ? 0 : reinterpret_cast<LPARAM>(arg());
      LRESULT ignored = 0;
      HWND h = control(id);
      report(h != nullptr && send(h, click ? BM_CLICK : WM_SETTEXT, 0, text, ignored),
             step + " " + id);
    } else if (step == "rect") {
      // The whole window repainted and the paint done, so that a screenshot shows all of it.
      if (g_main != nullptr) {
        RedrawWindow(g_main, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(g_main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        Sleep(1000);
      }
      RECT r{};
      const bool ok = g_main != nullptr && GetWindowRect(g_main, &r);
      report(ok, "rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                     std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
    } else if (step == "bars") {  // the scroll bars shown, "vh" letters or "none"
      const LONG style = g_main != nullptr ? GetWindowLongA(g_main, GWL_STYLE) : 0;
      std::string bars = (style & WS_VSCROLL) != 0 ? "v" : "";
      bars += (style & WS_HSCROLL) != 0 ? "h" : "";
      const std::string expected = arg();
      if (bars.empty()) bars = "none";
      report(bars == expected, "bars " + bars);
    } else if (step == "close") {
      close_window(arg());
    } else if (step == "fits") {
      check_fits();
    } else if (step == "opendlg") {
      const char* id = arg();
      const char* path = arg();
      file_dialog(id, path, arg());
    } else if (step == "canceldlg") {
      const char* id = arg();
      file_dialog(id, nullptr, arg());
    } else if (step == "msgbox") {
      const char* id = arg();
      const std::string text = arg();
      message_box(id, text, arg());
    } else {
      report(false, "unknown step " + step);
    }
  }
  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 && g_passed > 0 ? 0 : 1;
}
