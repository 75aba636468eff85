// CADVANCE netlists: free-form text with C comments, in which a $NET_LIST block holds comp
// blocks of parts and nets blocks of nets, in any order and any number. Line breaks and blanks
// mean nothing outside brackets.
//
//   $NET_LIST {
//     comp {
//       U1 [74HC00] {SO14};        /* designator [value] {footprint}; */
//       R1 ["10K 1%"] {"R0603"};
//     }
//     nets {
//       GND = {U1-7, R1-2};
//     }
//   }
//
// The first pass condenses the file into the reader text buffer: comments, blanks and line
// breaks go, bracketed text stays as written. The second pass parses the condensed text.
#include <cstring>

#include "netlist/condense.h"
#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

inline constexpr char NETLIST_MARK[] = "$NET_LIST";

bool blank_or_control(int c) {
  return c <= ' ';
}

// The first pass, one character at a time.
enum class Scan { normal, after_slash, comment, comment_star, brackets };

// Every line mark outside brackets is dropped, and noted as such in the text.
void condense(InputFile& in, CondensedText& text) {
  Scan state = Scan::normal;
  int depth = 0;  // of the brackets open
  for (int c; !text.full() && (c = in.get()) != END_OF_INPUT;) {
    switch (state) {
      case Scan::normal:
        // blank or control, dropped | / | [ | any other, written
        if (blank_or_control(c)) {
          if (c == '\r') text.drop_line_marks();
          break;
        }
        if (c == '/') {
          state = Scan::after_slash;  // the slash waits for the next character
          break;
        }
        text.put(c);
        if (c == '[') {
          state = Scan::brackets;
          depth = 1;
        }
        break;
      case Scan::after_slash:
        // * opens a comment | blank or control: the slash alone | any other: both, as plain text
        state = Scan::normal;
        if (c == '*') {
          state = Scan::comment;
          break;
        }
        text.put('/');
        if (!blank_or_control(c)) {
          text.put(c);
        } else if (c == '\r') {
          text.drop_line_marks();
        }
        break;
      case Scan::comment:
        // * may end the comment | anything else, dropped
        if (c == '*') {
          state = Scan::comment_star;
        } else if (c == '\r') {
          text.drop_line_marks();
        }
        break;
      case Scan::comment_star:
        // / ends the comment | anything else (another * too) goes back into the comment
        state = c == '/' ? Scan::normal : Scan::comment;
        if (c == '\r') text.drop_line_marks();
        break;
      case Scan::brackets:
        // [ nests | ] closes one level | anything else, blanks and controls too, written
        if (c == '[') {
          ++depth;
        } else if (c == ']' && --depth == 0) {
          text.drop_trailing_blanks();
          state = Scan::normal;
        }
        text.put(c);
        break;
    }
  }
}

// The second pass, over the condensed text.
enum class State { netlist, blocks, comp, nets, pins, ended };

class CadvanceParser {
 public:
  CadvanceParser(NetlistStore& store, int format_option)
      : out_(store), whole_footprint_(format_option <= 0) {}

  void start(const char* text) { p_ = text; }
  bool ended() const { return state_ == State::ended; }
  int finish(int& pin_count) const { return out_.finish(pin_count); }
  // Where the parse is; after a failure, where the offending text starts.
  const char* position() const { return p_; }

  // One step of the state machine; returns 0 or an error code.
  int step() {
    switch (state_) {
      case State::netlist: {
        // ... $NET_LIST {
        const char* mark = std::strstr(p_, NETLIST_MARK);
        if (mark == nullptr) return fail(p_ + std::strlen(p_), CADVANCE_NO_NETLIST);
        const char* brace = std::strchr(mark + std::strlen(NETLIST_MARK), '{');
        if (brace == nullptr) return fail(mark, CADVANCE_NO_NETLIST_BRACE);
        p_ = brace + 1;
        state_ = State::blocks;
        return 0;
      }
      case State::blocks:
        // comp{ | nets{ | } closing $NET_LIST | any other character, passed over
        if (*p_ == '\0' || *p_ == '}') {
          state_ = State::ended;
        } else if (starts_with(p_, "comp") || starts_with(p_, "nets")) {
          const char* brace = std::strchr(p_ + 4, '{');
          if (brace == nullptr) return CADVANCE_NO_BLOCK_BRACE;
          state_ = *p_ == 'c' ? State::comp : State::nets;
          p_ = brace + 1;
        } else {
          ++p_;
        }
        return 0;
      case State::comp:
        // U1[74HC00]{SO14}; | }
        if (end_of_block()) return 0;
        return part_entry();
      case State::nets: {
        // GND={ | }
        if (end_of_block()) return 0;
        const char* const entry = p_;
        p_ = out_.quotable_field(net_, out_.rooms().net, p_, "=");
        if (*p_ == '=') ++p_;
        if (*p_ != '{') return fail(stop_or(entry), CADVANCE_NO_PIN_LIST);
        ++p_;
        state_ = State::pins;
        return 0;
      }
      case State::pins:
        // U1-7, | R1-2};
        return pin_entry();
      case State::ended:
        break;
    }
    return 0;
  }

 private:
  // At a block's closing brace, back to the block level; at the end of the text, the end.
  bool end_of_block() {
    if (*p_ == '\0') {
      state_ = State::ended;
      return true;
    }
    if (*p_ != '}') return false;
    ++p_;
    state_ = State::blocks;
    return true;
  }

  // designator [ value ] { footprint } ;
  int part_entry() {
    PartRecord& r = out_.part();
    const char* const entry = p_;
    p_ = out_.field(r.designator, out_.rooms().designator, p_, "[");
    if (*p_ == '[') ++p_;
    p_ = skip_blanks(p_);
    if (*p_ == '"') {
      p_ = out_.field(r.value, out_.rooms().value, p_ + 1, "\"");
      if (*p_ == '"') ++p_;
      p_ = to_closing_bracket(p_);
    } else {
      const char* start = p_;
      p_ = to_closing_bracket(p_);
      out_.span(r.value, out_.rooms().value, start, static_cast<std::size_t>(p_ - start));
    }
    const char* brace = std::strchr(p_, '{');
    if (brace == nullptr) return fail(entry, CADVANCE_NO_FOOTPRINT_BRACE);
    p_ = copy_footprint(r.footprint, skip_blanks(brace + 1));
    if (*p_ != '}' || p_[1] != ';') return fail(stop_or(entry), CADVANCE_PART_NOT_CLOSED);
    p_ += 2;
    out_.count_part();
    return 0;
  }

  // Walks to the bracket that closes the one already open, counting nested pairs (the text on the
  // way is the value, nested brackets included). Returns the position of the closing bracket, or
  // of the end.
  static const char* to_closing_bracket(const char* p) {
    int depth = 1;
    for (; *p != '\0'; ++p) {
      if (*p == '[') {
        ++depth;
      } else if (*p == ']' && --depth == 0) {
        break;
      }
    }
    return p;
  }

  // The footprint up to its closing brace: the whole text without double quotes, or (with a
  // format option above 0) only its first quoted text or its first comma-separated item.
  const char* copy_footprint(char*& dst, const char* p) {
    if (!whole_footprint_) {
      p = *p == '"' ? out_.quotable_field(dst, out_.rooms().footprint, p, "}")
                    : out_.field(dst, out_.rooms().footprint, p, ",}");
      return p + std::strcspn(p, "}");
    }
    return out_.field_without(dst, out_.rooms().footprint, p, "}", "\"");
  }

  // designator - pin, then a comma or the closing } ;
  int pin_entry() {
    PinRecord& r = out_.pin();
    const char* const entry = p_;
    p_ = out_.field(r.designator, out_.rooms().designator, p_, "-,}");
    if (*p_ != '-') return fail(entry, CADVANCE_PIN_WITHOUT_DASH);
    p_ = out_.field(r.pin, out_.rooms().pin, p_ + 1, ",}");
    if (*p_ == '\0') return fail(entry, CADVANCE_NET_NOT_CLOSED);
    r.net = net_;
    out_.count_pin(false);
    if (*p_ == ',') {
      ++p_;
      return 0;
    }
    if (p_[1] != ';') return CADVANCE_NET_NOT_CLOSED;
    p_ += 2;
    state_ = State::nets;
    return 0;
  }

  // A failure, with the parse's position at the offending text.
  int fail(const char* at, int code) {
    p_ = at;
    return code;
  }
  // Where the parse stopped, or the start of the entry when it ran to the end of the text.
  const char* stop_or(const char* entry) const { return *p_ != '\0' ? p_ : entry; }

  StoreWriter out_;
  const bool whole_footprint_;
  State state_ = State::netlist;
  const char* p_ = nullptr;
  char* net_ = out_.empty();
};

}  // namespace

int read_cadvance(InputFile& in, NetlistStore& store, int& pin_count, int format_option) {
  CondensedText text(store);
  condense(in, text);
  CadvanceParser parser(store, format_option);
  return parse_condensed(parser, text, in, store, pin_count);
}

bool looks_like_cadvance(std::string_view head) {
  return head.find(NETLIST_MARK) != std::string_view::npos;
}

}  // namespace veltrax
