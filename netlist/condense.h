// The condensed text that a condensing reader's first pass writes into the reader text buffer,
// and that its second pass parses.
//
// The text holds at most READER_BUFFER_ROOM characters. The first character that does not fit
// is dropped, and so is everything after it: once the buffer is full the text is final (no
// character is written or taken back any more), so the rest of the file is ignored silently and
// nothing is ever written past the buffer.
#pragma once

#include "netlist/limits.h"
#include "netlist/reader.h"

namespace veltrax {

class CondensedText {
 public:
  CondensedText() : text_(reader_text_buffer()) {}
  CondensedText(const CondensedText&) = delete;
  CondensedText& operator=(const CondensedText&) = delete;

  bool full() const { return length_ == READER_BUFFER_ROOM; }
  bool empty() const { return length_ == 0; }

  void put(int c) {
    if (!full()) text_[length_++] = static_cast<char>(c);
  }

  // Takes back the blanks written last (only while the text is not final).
  void drop_trailing_blanks() {
    if (full()) return;
    while (length_ > 0 && text_[length_ - 1] == ' ')
      --length_;
  }

  // Terminates the text for the second pass and returns its start.
  const char* finish() {
    text_[length_] = '\0';
    return text_;
  }

 private:
  char* text_;
  int length_ = 0;
};

// The second pass of a condensing reader: steps the parser's state machine over the condensed
// text until it ends, with the parts and pins it kept, or fails with an error code. An empty
// text is READ_NOTHING.
template <class Parser>
int parse_condensed(Parser& parser, CondensedText& text, int& pin_count) {
  if (text.empty()) return READ_NOTHING;
  parser.start(text.finish());
  while (!parser.ended()) {
    if (const int code = parser.step(); code != 0) return code;
  }
  return parser.finish(pin_count);
}

// True for the characters that a condensing pass keeps from a line in its plainest copy:
// every byte above the blank (0x80 to 0xFF included) and the CR line mark.
inline bool above_blank_or_cr(int c) {
  const auto b = static_cast<unsigned char>(c);
  return b > ' ' || b == '\r';
}

}  // namespace veltrax
