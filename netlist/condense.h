// The condensed text that a condensing reader's first pass writes into the run's memory, and
// that its second pass parses.
//
// The text holds at most the run's reader_text characters. The first character that does not
// fit is dropped, and so is everything after it: once the text is full it is final (no character
// is written or taken back any more), so the rest of the file is ignored silently and nothing is
// ever written past the text's block. The block grows as the text does and goes back to the run's
// memory with the text.
//
// The text also knows where it came from, so that a parse that fails can name the input line:
// every CR in it is a line mark of the input, and the first pass tells the text of every line
// mark that it reads and does not write. A character's input line is then one more than the
// line marks before it, written or not. The marks not written are kept as (offset, count) pairs,
// one for each offset at which any were left out, so at most one for each character.
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory_resource>
#include <string_view>
#include <vector>

#include "netlist/limits.h"
#include "netlist/reader.h"

namespace veltrax {

// A count of the line marks dropped from a condensed text up to an offset of it.
struct DroppedMarks {
  int offset;  // the text's length when the last of them was read
  int total;   // the marks dropped up to here, these included
};

class CondensedText {
 public:
  // For the tests: when set, called with every text that is finished for its second pass.
  static inline void (*observer)(std::string_view text) = nullptr;

  explicit CondensedText(NetlistStore& store)
      : memory_(*store.memory),
        room_(static_cast<int>(std::min<std::size_t>(store.limits.reader_text, INT_MAX - 1))),
        dropped_(store.memory->resource()) {}
  ~CondensedText() { memory_.give_back(text_); }
  CondensedText(const CondensedText&) = delete;
  CondensedText& operator=(const CondensedText&) = delete;

  bool full() const { return length_ == room_; }
  bool empty() const { return length_ == 0; }

  void put(int c) {
    if (length_ == capacity_ && !grow()) return;
    text_[length_++] = static_cast<char>(c);
  }

  // Takes back the blanks written last (only while the text is not final).
  void drop_trailing_blanks() {
    if (full()) return;
    while (length_ > 0 && text_[length_ - 1] == ' ')
      --length_;
  }

  // Notes line marks of the input that were read and not written, here in the text.
  void drop_line_marks(int count = 1) {
    if (full()) return;  // the text is final: no character comes after them
    const int before = dropped_.empty() ? 0 : dropped_.back().total;
    const int total = before > INT_MAX - count ? INT_MAX : before + count;
    if (!dropped_.empty() && dropped_.back().offset >= length_) {
      dropped_.back().total = total;
    } else {
      dropped_.push_back({length_, total});
    }
  }
  // The same for the line marks among the input bytes from begin to end.
  void drop_line_marks(const char* begin, const char* end) {
    if (const auto n = std::count(begin, end, '\r'); n > 0) drop_line_marks(static_cast<int>(n));
  }

  // Terminates the text for the second pass and returns its start.
  const char* finish() {
    if (text_ == nullptr) grow();
    text_[length_] = '\0';
    if (observer != nullptr) observer(std::string_view(text_, static_cast<std::size_t>(length_)));
    return text_;
  }

  // The input line that the character at `at` came from; at the end of the text, the line of
  // the last character. No line beyond last_line, the last line read, is given: a character
  // that stands for the end of the input belongs to it.
  int input_line(const char* at, int last_line) const {
    std::ptrdiff_t offset = std::clamp<std::ptrdiff_t>(at - text_, 0, length_);
    if (offset == length_ && offset > 0) --offset;
    const auto written = std::count(text_, text_ + offset, '\r');
    const auto after =
        std::upper_bound(dropped_.begin(), dropped_.end(), offset,
                         [](std::ptrdiff_t o, const DroppedMarks& d) { return o < d.offset; });
    const long long dropped = after == dropped_.begin() ? 0 : std::prev(after)->total;
    const long long line = std::min<long long>(1 + written + dropped, INT_MAX);
    return static_cast<int>(last_line > 0 ? std::min<long long>(line, last_line) : line);
  }

 private:
  // More room for the text, up to its capacity and one byte for the terminator; false when it is
  // full.
  bool grow() {
    if (text_ != nullptr && capacity_ == room_) return false;
    constexpr int FIRST = 1 << 16;
    capacity_ = text_ == nullptr ? std::min(room_, FIRST)
                                 : static_cast<int>(std::min<long long>(room_, 2LL * capacity_));
    text_ = static_cast<char*>(memory_.resize(text_, static_cast<std::size_t>(capacity_) + 1));
    return true;
  }

  RunMemory& memory_;
  const int room_;
  char* text_ = nullptr;
  int capacity_ = 0;
  int length_ = 0;
  std::pmr::vector<DroppedMarks> dropped_;
};

// The second pass of a condensing reader: notes in the store whether the first pass filled the
// text's room, then steps the parser's state machine over the condensed text until it ends, with
// the parts and pins it kept, or fails with an error code and the store's failure line: the input
// line of the parser's position, where the offending text starts. A parser whose position is null
// after a failure leaves it where reading stopped. An empty text is READ_NOTHING.
template <class Parser>
int parse_condensed(Parser& parser, CondensedText& text, const InputFile& in, NetlistStore& store,
                    int& pin_count) {
  store.reader_text_full = text.full();
  if (text.empty()) return READ_NOTHING;
  parser.start(text.finish());
  while (!parser.ended()) {
    if (const int code = parser.step(); code != 0) {
      if (parser.position() != nullptr) {
        store.failure_line = text.input_line(parser.position(), in.line());
      }
      return code;
    }
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
