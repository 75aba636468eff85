// MM-2/Colmo netlists: lines, with a $PTS section of part lines (footprint ! value ; designator)
// and a $NET section of net lines (net name ; pins), closed by $END. A net line that ends with a
// comma goes on with more pins on the next line.
//
//   $PTS
//   DIP14 ! 74HC00 ; U1
//   R0603 ! 10K ; R1
//   $NET
//   GND; U1-7, R1-2,
//   U2-7
//   $END
//
// The first pass condenses the lines into the reader text buffer, keeping the CR of every line
// as its line mark; the second pass parses the condensed text.
#include <cstring>

#include "netlist/condense.h"
#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

// The first pass, one line read at a time.
enum class Mode { none, parts, nets };

struct SectionMark {
  const char* word;
  Mode mode;
};
inline constexpr SectionMark SECTION_MARKS[] = {
    {"$PTS", Mode::parts}, {"$NET", Mode::nets}, {"$END", Mode::none}};

// Copies every character above the blank and every CR.
void copy_marks(CondensedText& text, const char* p) {
  for (; *p != '\0'; ++p) {
    if (above_blank_or_cr(*p)) text.put(*p);
  }
}

// footprint ! value ; designators: blanks inside the footprint and the value stay, blanks around
// the ! and the ; go, and so do the blanks among the designators. A line that lacks a separator
// ends after its CR (or runs on into the next read, when it had none).
void condense_part_line(CondensedText& text, const char* p) {
  for (const char separator : {'!', ';'}) {
    while (*p != '\0' && !above_blank_or_cr(*p))
      ++p;
    for (; *p != '\0' && *p != separator && *p != '\r'; ++p)
      text.put(*p);
    if (*p != separator) {
      if (*p == '\r') {
        text.put('\r');
        text.drop_line_marks(p + 1, p + std::strlen(p));
      }
      return;
    }
    text.drop_trailing_blanks();
    text.put(separator);
    ++p;
  }
  copy_marks(text, p);
}

// The line marks that a line read holds (one, or several in a file of lone CRs) are written,
// except those of ignored text, which are noted as dropped.
void condense_line(CondensedText& text, Mode& mode, const char* line) {
  for (const SectionMark& mark : SECTION_MARKS) {
    if (const char* at = std::strstr(line, mark.word); at != nullptr) {
      text.drop_line_marks(line, at);
      copy_marks(text, at);
      mode = mark.mode;
      return;
    }
  }
  switch (mode) {
    case Mode::none:
      // any line outside a section: ignored
      text.drop_line_marks(line, line + std::strlen(line));
      return;
    case Mode::parts:
      // DIP14 ! 74HC00 ; U1
      condense_part_line(text, line);
      return;
    case Mode::nets:
      // GND; U1-7, R1-2
      copy_marks(text, line);
      return;
  }
}

void condense(InputFile& in, CondensedText& text, const NetlistStore& store) {
  LineBuffer line(*store.memory, store.limits.std_line);  // given back before the second pass
  Mode mode = Mode::none;
  while (!text.full() && read_std_line(in, line) != END_OF_INPUT)
    condense_line(text, mode, line.data());
}

// The second pass, over the condensed text.
enum class State { looking, section_word, parts, net_header, net_pins, ended };

class Mm2Parser {
 public:
  explicit Mm2Parser(NetlistStore& store) : out_(store) {}

  void start(const char* text) { p_ = text; }
  bool ended() const { return state_ == State::ended; }
  int finish(int& pin_count) const { return out_.finish(pin_count); }
  // Where the parse is; after a failure, where the offending entry starts.
  const char* position() const { return p_; }

  // One step of the state machine; returns 0 or an error code.
  int step() {
    switch (state_) {
      case State::looking:
        // ... $ (everything up to the next dollar sign is passed over)
        p_ = std::strchr(p_, '$');
        if (p_ == nullptr) {
          state_ = State::ended;
        } else {
          ++p_;
          state_ = State::section_word;
        }
        return 0;
      case State::section_word:
        // PTS | NET | any other three characters
        state_ = starts_with(p_, "PTS")   ? State::parts
                 : starts_with(p_, "NET") ? State::net_header
                                          : State::looking;
        for (int i = 0; i < 3 && *p_ != '\0'; ++i)
          ++p_;
        return 0;
      case State::parts:
        // DIP14!74HC00;U1 CR | $
        p_ += std::strspn(p_, "\r");
        if (section_ends()) return 0;
        return part_line();
      case State::net_header:
        // GND; | $
        if (*p_ == '\r') ++p_;
        if (section_ends()) return 0;
        entry_ = p_;
        p_ = out_.quotable_field(net_, out_.rooms().net, p_, ";");
        if (*p_ != ';') return fail(MM2_NET_NAME_NOT_ENDED);
        ++p_;
        state_ = State::net_pins;
        return 0;
      case State::net_pins:
        // U1-7, | R1-2 CR
        return pin();
      case State::ended:
        break;
    }
    return 0;
  }

 private:
  // A $ ends a section: the word after it is read as after any other $.
  bool section_ends() {
    if (*p_ != '$') return false;
    ++p_;
    state_ = State::section_word;
    return true;
  }

  // footprint ! value ; designator CR
  int part_line() {
    PartRecord& r = out_.part();
    entry_ = p_;
    p_ = out_.field(r.footprint, out_.rooms().footprint, p_, "!$");
    if (*p_ != '!') {  // no part before the next $ or the end
      if (*p_ == '\0') {
        state_ = State::ended;
        return 0;
      }
      section_ends();
      return 0;
    }
    trim_trailing_blanks(r.footprint);
    p_ = out_.quotable_field(r.value, out_.rooms().value, p_ + 1, ";");
    if (*p_ != ';') return fail(MM2_VALUE_NOT_ENDED);
    trim_trailing_blanks(r.value);
    p_ = out_.field(r.designator, out_.rooms().designator, p_ + 1, "\r");
    if (*p_ != '\r') return fail(MM2_DESIGNATOR_NOT_ENDED);
    ++p_;
    out_.count_part();
    return 0;
  }

  // designator - pin, then a comma (more pins follow) or a CR (the net is complete)
  int pin() {
    PinRecord& r = out_.pin();
    entry_ = p_;
    p_ = out_.field(r.designator, out_.rooms().designator, p_, "-");
    if (*p_ != '-') return fail(MM2_PIN_NOT_ENDED);
    p_ = out_.field(r.pin, out_.rooms().pin, p_ + 1, ",\r");
    if (*p_ == '\0') return fail(MM2_PIN_NOT_ENDED);
    r.net = net_;
    out_.count_pin(false);
    if (*p_ == '\r') state_ = State::net_header;
    ++p_;
    if (*p_ == '\r') ++p_;
    return 0;
  }

  // Every failure is the end of the text reached inside an entry: the entry is the offending text.
  int fail(int code) {
    p_ = entry_;
    return code;
  }

  StoreWriter out_;
  State state_ = State::looking;
  const char* p_ = nullptr;
  const char* entry_ = nullptr;  // the start of the entry being parsed
  char* net_ = out_.empty();
};

}  // namespace

int read_mm2(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  CondensedText text(store);
  condense(in, text, store);
  Mm2Parser parser(store);
  return parse_condensed(parser, text, in, store, pin_count);
}

// A line that begins with $PTS or $NET as a word of its own ($NETS and $NET_LIST belong to other
// formats).
bool looks_like_mm2(std::string_view head) {
  for (const std::string_view mark : {"$PTS", "$NET"}) {
    for (std::size_t at = head.find(mark); at != std::string_view::npos;
         at = head.find(mark, at + 1)) {
      std::size_t start = at;
      while (start > 0 && (head[start - 1] == ' ' || head[start - 1] == '\t'))
        --start;
      const bool line_start = start == 0 || head[start - 1] == '\r' || head[start - 1] == '\n';
      const std::size_t after = at + mark.size();
      const bool word_end = after == head.size() || static_cast<unsigned char>(head[after]) <= ' ';
      if (line_start && word_end) return true;
    }
  }
  return false;
}

}  // namespace veltrax
