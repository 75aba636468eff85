// CADLUS netlists: pins with their nets and no part list, in one of two layouts told by the
// file's first character. The plain layout has one pin a line:
//
//   GND U1 7
//   GND R1 2
//
// The tabular layout follows a header closed by a rule of dashes; a line that begins with one
// blank opens a net, one that begins with two blanks adds pins to it, every pin token is
// followed by a blank, and an empty line ends the list:
//
//   NET LIST
//   --------------------
//    GND U1-7 R1-2
//      U2-7
//
// The first pass condenses the file into the reader text buffer (the header and the rule go);
// the second pass parses the condensed text. The parts are made from the pins afterwards.
#include <cstring>

#include "netlist/condense.h"
#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

inline constexpr int RULE_DASHES = 10;       // dashes in a row that make the rule
inline constexpr int NO_RULE_MARK = 0xFF;    // written when the file ends in the header or rule
inline constexpr int FIRST_ORDINARY = 0x20;  // characters below are controls

enum class Layout { plain, tabular };

// The first character of a tabular file: a dash, an equals sign, a blank or a control.
bool opens_table(int c) {
  return c == '-' || c == '=' || c == ' ' || c < FIRST_ORDINARY;
}

// The first pass, one character at a time. The line marks of the header are dropped, and noted
// as such in the text.
enum class Intake { first, header, after_rule, rule_tail, copy };

void condense(InputFile& in, CondensedText& text, Layout& layout) {
  Intake state = Intake::first;
  int dashes = 0;  // in a row, in the header
  for (;;) {
    if (text.full()) break;
    const int c = in.get();
    if (c == END_OF_INPUT) {
      // the end inside the header or the rule leaves a mark that no line starts with
      if (state == Intake::header || state == Intake::after_rule || state == Intake::rule_tail)
        text.put(NO_RULE_MARK);
      break;
    }
    switch (state) {
      case Intake::first:
        // - = blank or control: a header, a rule and a table | any other: plain lines
        layout = opens_table(c) ? Layout::tabular : Layout::plain;
        if (layout == Layout::plain) text.put(c);
        if (c == '\r') text.drop_line_marks();
        state = layout == Layout::plain ? Intake::copy : Intake::header;
        break;
      case Intake::header:
        // header text, dropped, up to ten dashes in a row
        dashes = c == '-' ? dashes + 1 : 0;
        if (dashes == RULE_DASHES) state = Intake::after_rule;
        if (c == '\r') text.drop_line_marks();
        break;
      case Intake::after_rule:
        // any one character, dropped
        state = Intake::rule_tail;
        if (c == '\r') text.drop_line_marks();
        break;
      case Intake::rule_tail:
        // further dashes, dropped | the first other character, written (the first line mark)
        if (c != '-') {
          text.put(c);
          state = Intake::copy;
        }
        break;
      case Intake::copy:
        // blanks and above, and CRs, written | other controls, dropped
        if (!is_dropped_control(c)) text.put(c);
        break;
    }
  }
}

// The second pass, over the condensed text.
enum class State { plain_line, line_start, net_name, pins, ended };

class CadlusParser {
 public:
  CadlusParser(NetlistStore& store, Layout layout)
      : out_(store), state_(layout == Layout::plain ? State::plain_line : State::line_start) {}

  void start(const char* text) { p_ = text; }
  bool ended() const { return state_ == State::ended; }
  int finish(int& pin_count) const { return out_.finish(pin_count); }
  // Where the parse is; after a failure, where the offending text starts.
  const char* position() const { return p_; }

  // One step of the state machine; returns 0 or an error code.
  int step() {
    switch (state_) {
      case State::plain_line:
        // GND U1 7 CR | the end of the text
        if (*p_ == '\0') {
          state_ = State::ended;
          return 0;
        }
        return plain_pin();
      case State::line_start:
        // CR blank | CR CR (an empty line) or CR at the end: the end of the list
        if (*p_ != '\r') return CADLUS_NO_LINE_MARK;
        if (p_[1] == '\r' || p_[1] == '\0') {
          state_ = State::ended;
          return 0;
        }
        if (p_[1] != ' ') return fail(p_ + 1, CADLUS_NO_LEADING_BLANK);
        p_ += 2;
        state_ = *p_ == ' ' ? State::pins : State::net_name;
        return 0;
      case State::net_name: {
        // GND blank (a new net)
        const char* const entry = p_;
        p_ = out_.quotable_field(net_, out_.rooms().net, p_, " ");
        if (*p_ != ' ') return fail(entry, CADLUS_NO_BLANK_AFTER_TABLE_NET);
        state_ = State::pins;
        return 0;
      }
      case State::pins:
        // U1-7 blank | CR
        p_ = skip_blanks(p_);
        if (*p_ == '\r') {
          state_ = State::line_start;
          return 0;
        }
        return table_pin();
      case State::ended:
        break;
    }
    return 0;
  }

 private:
  // net blank designator blank pin CR
  int plain_pin() {
    PinRecord& r = out_.pin();
    const char* const entry = p_;
    p_ = out_.quotable_field(r.net, out_.rooms().net, p_, " ");
    if (*p_ != ' ') return fail(entry, CADLUS_NO_BLANK_AFTER_NET);
    p_ = out_.field(r.designator, out_.rooms().designator, p_ + 1, " ");
    if (*p_ != ' ') return fail(entry, CADLUS_NO_BLANK_AFTER_DESIGNATOR);
    p_ = out_.field(r.pin, out_.rooms().pin, p_ + 1, "\r");
    if (*p_ != '\r') return fail(entry, CADLUS_NO_MARK_AFTER_PIN);
    ++p_;
    out_.count_pin(true);
    return 0;
  }

  // designator - pin blank (the blank may stand on a later line)
  int table_pin() {
    PinRecord& r = out_.pin();
    const char* const entry = p_;
    p_ = out_.field(r.designator, out_.rooms().designator, p_, "-");
    if (*p_ != '-') return fail(entry, CADLUS_NO_DASH_IN_PIN);
    p_ = out_.field(r.pin, out_.rooms().pin, p_ + 1, " ");
    if (*p_ != ' ') return fail(entry, CADLUS_NO_BLANK_AFTER_TABLE_PIN);
    r.net = net_;
    out_.count_pin(false);
    return 0;
  }

  // A failure, with the parse's position at the offending text.
  int fail(const char* at, int code) {
    p_ = at;
    return code;
  }

  StoreWriter out_;
  State state_;
  const char* p_ = nullptr;
  char* net_ = out_.empty();
};

}  // namespace

int read_cadlus(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  CondensedText text(store);
  Layout layout = Layout::plain;
  condense(in, text, layout);
  CadlusParser parser(store, layout);
  return parse_condensed(parser, text, in, store, pin_count);
}

namespace {

// The header up to the rule of dashes is passed over as the first pass does; the rule must end
// its line, and the line after it must open a net.
bool looks_like_table(std::string_view head) {
  std::size_t i = 1;
  for (int dashes = 0; dashes < RULE_DASHES; ++i) {
    if (i == head.size()) return false;
    dashes = head[i] == '-' ? dashes + 1 : 0;
  }
  ++i;  // the character after the ten dashes
  while (i < head.size() && head[i] == '-')
    ++i;
  // The first other character is the first line mark: a CR, or an LF read as CR LF because
  // no CR stands before it (an LF after the dropped CR would come first itself).
  if (i >= head.size()) return false;
  const char mark = head[i];
  if (mark != '\r' && (mark != '\n' || head[i - 1] == '\r')) return false;
  std::string_view rest = head.substr(i + 1);
  if (mark == '\r' && rest.starts_with('\n')) rest.remove_prefix(1);
  return rest.size() >= 2 && rest[0] == ' ' && static_cast<unsigned char>(rest[1]) > ' ';
}

// Net, blank, designator, blank, pin: three fields, none of them empty.
bool is_plain_line(std::string_view line) {
  const std::size_t first = line.find(' ');
  const std::size_t second = line.find(' ', first + 1);
  return first != 0 && first != std::string_view::npos && second != first + 1 &&
         second != std::string_view::npos && second + 1 < line.size() &&
         line.find(' ', second + 1) == std::string_view::npos;
}

// Every whole line of the head is a plain line, and there is at least one.
bool looks_like_plain(std::string_view head) {
  bool seen = false;
  for (std::size_t end; (end = head.find('\n')) != std::string_view::npos;
       head.remove_prefix(end + 1)) {
    std::string_view line = head.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!is_plain_line(line)) return false;
    seen = true;
  }
  return seen;
}

}  // namespace

// CADLUS has no mark of its own: its files are told by their layout, which none of the other
// formats has.
bool looks_like_cadlus(std::string_view head) {
  if (head.empty()) return false;
  return opens_table(static_cast<unsigned char>(head[0])) ? looks_like_table(head)
                                                          : looks_like_plain(head);
}

}  // namespace veltrax
