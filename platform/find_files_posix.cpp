// The file listing of the stand-in, over POSIX directories.
#include <dirent.h>

#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

struct FindState {
  DIR* dir;
  std::string name_pattern;
};

// '?' matches exactly one character, '*' any run of characters, everything else itself. The
// usual greedy walk with one back-up point keeps this linear in practice for any pattern.
bool matches(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern != '\0' && (*pattern == '?' || *pattern == *name)) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*')
    ++pattern;
  return *pattern == '\0';
}

bool next_match(FindState& state, WIN32_FIND_DATAA* data) {
  while (const dirent* entry = readdir(state.dir)) {
    const std::size_t length = std::strlen(entry->d_name);
    if (length >= sizeof data->cFileName) continue;
    if (!matches(state.name_pattern.c_str(), entry->d_name)) continue;
    data->dwFileAttributes = 0;
    std::memcpy(data->cFileName, entry->d_name, length + 1);
    return true;
  }
  return false;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  const std::string whole(pattern);
  const std::size_t slash = whole.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : whole.substr(0, slash + 1);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return INVALID_HANDLE_VALUE;
  auto* state = new FindState{dir, slash == std::string::npos ? whole : whole.substr(slash + 1)};
  if (!next_match(*state, data)) {
    FindClose(state);
    return INVALID_HANDLE_VALUE;
  }
  return state;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
  return next_match(*static_cast<FindState*>(find), data) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE find) {
  auto* state = static_cast<FindState*>(find);
  closedir(state->dir);
  delete state;
  return TRUE;
}
