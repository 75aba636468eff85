// The Win32 functions the program uses, by their own names. On Windows they are the real ones;
// elsewhere this is a small stand-in of our own with the same names and behaviour for what the
// program does with them.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The file dialog and the shell's open verb, which the lean windows.h leaves out.
#include <commdlg.h>
#include <shellapi.h>
#else

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using HANDLE = void*;
using LPCSTR = const char*;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
inline constexpr int MAX_PATH = 260;

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  char cFileName[MAX_PATH];
};

// Lists the entries of one folder whose names match the last component of the pattern, where
// '?' stands for exactly one character and '*' for any run of characters; the folder part is
// taken literally. Names too long for cFileName are not listed.
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

// The windowing calls of the desktop program.
#include "platform/headless_win32.h"

#endif
