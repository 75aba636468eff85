// The lexical routines the readers share: the class of every byte, and small pure functions over
// a zero-terminated buffer that return a position.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace veltrax {

enum class ByteClass : unsigned char {
  dropped,   // control characters below 0x20 other than CR: TAB and LF included
  cr,        // the line end of every line-oriented rule
  blank,     // the space character, the only blank
  quote,     // the double quote
  ordinary,  // every other byte, 0x7F and 0x80 to 0xFF included
};

namespace detail {
constexpr std::array<ByteClass, 256> make_byte_classes() {
  std::array<ByteClass, 256> t{};
  for (int c = 0; c < 256; ++c) {
    t[c] = c < 0x20 ? ByteClass::dropped : ByteClass::ordinary;
  }
  t['\r'] = ByteClass::cr;
  t[' '] = ByteClass::blank;
  t['"'] = ByteClass::quote;
  return t;
}
inline constexpr std::array<ByteClass, 256> byte_classes = make_byte_classes();
static_assert(byte_classes['\t'] == ByteClass::dropped, "TAB is not a blank");
static_assert(byte_classes['\n'] == ByteClass::dropped, "LF is no line end of its own");
static_assert(byte_classes[0x80] == ByteClass::ordinary &&
                  byte_classes[0xFF] == ByteClass::ordinary,
              "Shift-JIS bytes are ordinary characters");
}  // namespace detail

inline ByteClass byte_class(int c) {
  return detail::byte_classes[static_cast<unsigned char>(c)];
}

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

// Copies the field that starts at p into dst, at most room characters, and terminates it; the
// rest of the field is skipped. The field ends at the end of the text or at any character of
// stops. Returns the position where the field ended.
inline const char* copy_field(char* dst, int room, const char* p, const char* stops) {
  const char* end = field_end(p, stops);
  const std::size_t n = std::min(static_cast<std::size_t>(end - p), static_cast<std::size_t>(room));
  std::memcpy(dst, p, n);
  dst[n] = '\0';
  return end;
}

// Like copy_field, but the characters of dropped are left out of the copy and take no room.
inline const char* copy_field_without(char* dst, int room, const char* p, const char* stops,
                                      const char* dropped) {
  int n = 0;
  for (; *p != '\0' && std::strchr(stops, *p) == nullptr; ++p) {
    if (n < room && std::strchr(dropped, *p) == nullptr) dst[n++] = *p;
  }
  dst[n] = '\0';
  return p;
}

// Copies at most room characters of text into dst and terminates it.
inline void copy_bounded(char* dst, int room, const char* text) {
  const std::size_t n = strnlen(text, static_cast<std::size_t>(room));
  std::memcpy(dst, text, n);
  dst[n] = '\0';
}

// Removes the blanks at the end of a text.
inline void trim_trailing_blanks(char* s) {
  std::size_t n = std::strlen(s);
  while (n > 0 && s[n - 1] == ' ')
    --n;
  s[n] = '\0';
}

// Copies a field that is either double-quoted (the text between the quotes, which are not
// stored) or plain (the text up to any character of stops), at most room characters, and skips
// the rest up to any character of stops. Returns the position of that stop, or of the end.
inline const char* copy_quotable_field(char* dst, int room, const char* p, const char* stops) {
  if (*p != '"') return copy_field(dst, room, p, stops);
  p = copy_field(dst, room, p + 1, "\"");
  if (*p == '"') ++p;
  return p + std::strcspn(p, stops);
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
