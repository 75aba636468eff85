// The lexical routines the readers share: the control characters they drop, and small pure
// functions over a zero-terminated buffer that return a position.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace veltrax {

// The control characters that the readers drop from a line: every byte below the blank but CR,
// the line mark of every line-oriented rule. TAB is no blank, and LF no line end of its own;
// 0x7F and the bytes from 0x80 up (Shift-JIS included) are ordinary characters.
constexpr bool is_dropped_control(int c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 && b != '\r';
}
static_assert(is_dropped_control('\t') && is_dropped_control('\n') && !is_dropped_control('\r'));
static_assert(!is_dropped_control(' ') && !is_dropped_control(0x7F) && !is_dropped_control(0x80) &&
              !is_dropped_control(0xFF));

inline const char* skip_blanks(const char* p) {
  while (*p == ' ')
    ++p;
  return p;
}

// The end of the field that starts at p: the end of the text or the first character of stops.
inline const char* field_end(const char* p, const char* stops) {
  std::uint64_t stop[4] = {1, 0, 0, 0};  // the terminating zero always stops
  for (const char* s = stops; *s != '\0'; ++s) {
    const unsigned char c = static_cast<unsigned char>(*s);
    stop[c >> 6] |= std::uint64_t{1} << (c & 63);
  }
  for (;; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if ((stop[c >> 6] >> (c & 63)) & 1) return p;
  }
}

// Removes the blanks at the end of a text.
inline void trim_trailing_blanks(char* s) {
  std::size_t n = std::strlen(s);
  while (n > 0 && s[n - 1] == ' ')
    --n;
  s[n] = '\0';
}

// True when the text at p begins with word.
inline bool starts_with(const char* p, const char* word) {
  return std::strncmp(p, word, std::strlen(word)) == 0;
}

// The lines of a file's first bytes, for format detection: CR and LF both end a line, and the
// blanks and TABs around a line are left out. Calls found(line) on each in turn and returns true
// as soon as it does.
template <class Found>
bool any_head_line(std::string_view head, Found found) {
  std::size_t pos = 0;
  while (pos < head.size()) {
    std::size_t end = head.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = head.size();
    std::string_view line = head.substr(pos, end - pos);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos) {
      line = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
      if (found(line)) return true;
    }
    pos = end + 1;
  }
  return false;
}

}  // namespace veltrax
