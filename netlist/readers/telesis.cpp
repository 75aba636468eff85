// TELESIS netlists: a $PACKAGES section of package lines (footprint ! value ; designators) and a
// $NETS section of net lines (net name ; pins designator.pin), closed by $END. A comma at the
// end of a line continues its designator or pin list on the next line.
//
//   $PACKAGES
//   DIP14 ! 74HC00 ; U1 U2
//   'R0603' ! '10K' ; R1,
//       R2
//   $NETS
//   GND ; U1.7 U2.7,
//       R1.2
//   $END
//
// The first pass condenses the file into the reader text buffer: blanks, apostrophes and the
// continuation commas go, every line keeps its line mark (CR), so that the package line above
// becomes "R0603!10K;R1 R2" and the net line "GND;U1.7 U2.7 R1.2". The second pass parses
// that text. Line marks never become part of a stored text.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "netlist/condense.h"
#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

bool at_line_end(const char* p) {
  return *p == '\0' || *p == '\r';
}

// The text after the next line mark, or the end of the text.
const char* next_line(const char* p) {
  p += std::strcspn(p, "\r");
  return *p == '\r' ? p + 1 : p;
}

// Drops the control characters other than CR (TAB and LF included) from a line read.
void drop_controls(char* s) {
  char* out = s;
  for (; *s != '\0'; ++s) {
    if (!is_dropped_control(*s)) *out++ = *s;
  }
  *out = '\0';
}

// The first pass, one line at a time into the reader text buffer, which never overflows: what
// does not fit is dropped, and reading stops before the next line.
enum class Mode { none, package_line, package_continuation, net_header, net_pins };

void line_mark(CondensedText& text, const char* p) {
  if (*p == '\r') text.put('\r');
}

// A line that holds the keyword: from the keyword on, everything but blanks.
bool copy_keyword_line(CondensedText& text, std::string_view s, std::string_view keyword) {
  const std::size_t at = s.find(keyword);
  if (at == std::string_view::npos) return false;
  for (const char c : s.substr(at)) {
    if (c != ' ') text.put(c);
  }
  return true;
}

// Designators up to the line end, or up to a comma that continues them on the next line. The
// comma separates like a blank: the line break must not join two designators.
void condense_designators(CondensedText& text, Mode& mode, const char* p) {
  for (; !at_line_end(p) && *p != ','; ++p)
    text.put(*p);
  if (*p == ',') {
    text.put(' ');
    mode = Mode::package_continuation;
    return;
  }
  line_mark(text, p);
  mode = Mode::package_line;
}

// footprint ! value ; designators. Without '!' the footprint goes on on the next line (no
// line mark); without ';' the value ends with the line.
void condense_package_line(CondensedText& text, Mode& mode, const char* p) {
  while (*p == ' ' || *p == '\'')
    ++p;
  for (; !at_line_end(p) && *p != '!'; ++p) {
    if (*p != '\'' && !(*p == ' ' && p[1] == '!')) text.put(*p);
  }
  if (*p != '!') return;
  text.put('!');
  for (++p; !at_line_end(p) && *p != ';'; ++p) {
    if (*p == '\'') continue;
    if (*p == ' ' && (p[-1] == '!' || p[1] == '!' || p[1] == ';')) continue;
    text.put(*p == '!' ? '/' : *p);
  }
  if (*p != ';') {
    line_mark(text, p);
    return;
  }
  text.put(';');
  condense_designators(text, mode, skip_blanks(p + 1));
}

// Pin tokens separated by one blank; a comma continues them on the next line and drops the
// rest of this one.
void condense_net_pins(CondensedText& text, Mode& mode, const char* p) {
  for (;;) {
    p = skip_blanks(p);
    if (at_line_end(p)) {
      line_mark(text, p);
      mode = Mode::net_header;
      return;
    }
    for (; !at_line_end(p) && *p != ' ' && *p != ','; ++p)
      text.put(*p);
    if (*p == ' ') {
      p = skip_blanks(p);
      text.put(' ');
      if (*p == ',') return;
    } else if (*p == ',') {
      text.put(' ');
      return;
    }
  }
}

// $'net name' ; pins: the name loses its blanks and apostrophes.
void condense_net_header(CondensedText& text, Mode& mode, const char* p) {
  while (*p == ' ' || *p == '\'')
    ++p;
  while (*p == '$')
    ++p;
  for (; !at_line_end(p) && *p != ';'; ++p) {
    if (*p != ' ' && *p != '\'') text.put(*p);
  }
  if (*p != ';') {
    line_mark(text, p);
    return;
  }
  text.put(';');
  mode = Mode::net_pins;
  condense_net_pins(text, mode, p + 1);
}

// One CR-terminated line; returns false at $END, where reading stops.
bool condense_line(CondensedText& text, Mode& mode, std::string_view s) {
  const char* p = s.data();
  if (copy_keyword_line(text, s, "$PACKAGES")) {
    mode = Mode::package_line;
  } else if (copy_keyword_line(text, s, "$NETS")) {
    mode = Mode::net_header;
  } else if (copy_keyword_line(text, s, "$END")) {
    return false;
  } else if (*p == '$') {
    mode = Mode::none;
  } else {
    switch (mode) {
      case Mode::none:
        break;
      case Mode::package_line:
        // ! 'R0603' ! '10K' ; R1 R2,
        condense_package_line(text, mode, p);
        break;
      case Mode::package_continuation:
        // R3 R4,
        condense_designators(text, mode, skip_blanks(p));
        break;
      case Mode::net_header:
        // 'GND' ; U1.7 U2.7,
        condense_net_header(text, mode, p);
        break;
      case Mode::net_pins:
        // U1.7 U2.7,
        condense_net_pins(text, mode, p);
        break;
    }
  }
  return true;
}

// Each line read is worked through one CR-terminated piece at a time, each a line of its own,
// until $END or until the text is full.
void condense(InputFile& in, CondensedText& text, const NetlistStore& store) {
  LineBuffer line(*store.memory, store.limits.std_line);  // given back before the second pass
  Mode mode = Mode::none;
  while (!text.full() && read_std_line(in, line) != END_OF_INPUT) {
    drop_controls(line.data());
    for (const char* p = line.data(); *p != '\0';) {
      if (text.full()) return;
      const std::size_t n = std::strcspn(p, "\r");
      const std::size_t length = p[n] == '\r' ? n + 1 : n;
      if (!condense_line(text, mode, std::string_view(p, length))) return;
      p += length;
    }
  }
}

// The second pass, over the condensed text.
enum class State { sections, packages, net_header, net_pins, ended };

class TelesisParser {
 public:
  explicit TelesisParser(NetlistStore& store) : out_(store) {}

  void start(const char* text) { p_ = text; }
  bool ended() const { return state_ == State::ended || *p_ == '\0'; }
  int finish(int& pin_count) const { return out_.finish(pin_count); }
  // Where the parse is; null after a failure, which is placed where reading stopped.
  const char* position() const { return p_; }

  // One step of the state machine; returns 0 or an error code.
  int step() {
    switch (state_) {
      case State::sections: {
        // ... $PACKAGES | ... $NETS
        const char* at = std::strstr(p_, "$PACKAGES");
        state_ = State::packages;
        if (at == nullptr) {
          at = std::strstr(p_, "$NETS");
          state_ = State::net_header;
        }
        if (at == nullptr) {
          p_ = nullptr;
          return TELESIS_NO_SECTION;
        }
        p_ = next_line(at);
        return 0;
      }
      case State::packages:
        // $NETS | $END | R0603!10K;R1 R2
        if (*p_ == '$') {
          if (starts_with(p_, "$NETS")) state_ = State::net_header;
          if (starts_with(p_, "$END")) state_ = State::ended;
          p_ = next_line(p_);
        } else {
          p_ = package_line(p_);
        }
        return 0;
      case State::net_header:
        // GND; | $END (empty lines before either leave no trace)
        while (*p_ == '\r')
          ++p_;
        if (*p_ == '$') {
          state_ = State::ended;
          return 0;
        }
        p_ = out_.field_without(net_, out_.rooms().net, p_, ";", "\"\r");
        if (*p_ == ';') ++p_;
        state_ = State::net_pins;
        return 0;
      case State::net_pins:
        // U1.7 U2.7
        p_ = skip_blanks(p_);
        if (*p_ == '\r') {
          ++p_;
          state_ = State::net_header;
        } else if (*p_ != '\0') {
          p_ = pin_token(p_);
        }
        return 0;
      case State::ended:
        break;
    }
    return 0;
  }

 private:
  // footprint!value;designators; returns the start of the next line.
  const char* package_line(const char* p) {
    char* footprint = out_.empty();
    char* value = out_.empty();
    p = out_.field_without(footprint, out_.rooms().footprint, p, "!", "\r");
    trim_trailing_blanks(footprint);
    if (*p == '!') ++p;
    bool value_for_footprint = false;
    if (*p == '"') {
      const char* quote = p + 1 + std::strcspn(p + 1, "\"");
      out_.span_without(value, out_.rooms().value, p + 1, quote, "\r");
      p = quote + std::strcspn(quote, ";");
    } else {
      const char* end = p + std::strcspn(p, "\r");
      const char* semicolon = std::find(p, end, ';');
      if (semicolon == end) {
        // No ';' on the line: its last comma stands for it, else the next ';' of the text.
        const std::string_view line(p, static_cast<std::size_t>(end - p));
        const std::size_t comma = line.rfind(',');
        semicolon = comma != std::string_view::npos ? p + comma : p + std::strcspn(p, ";");
        value_for_footprint = footprint[0] == '\0';
      }
      out_.span_without(value, out_.rooms().value, p, semicolon, "\r");
      p = semicolon;
    }
    trim_trailing_blanks(value);
    if (value_for_footprint) out_.bounded(footprint, out_.rooms().footprint, value);
    if (*p != '\0') ++p;
    for (p = skip_blanks(p); !at_line_end(p); p = skip_blanks(p)) {
      PartRecord& r = out_.part();
      p = out_.field(r.designator, out_.rooms().designator, p, " \r");
      r.value = value;
      r.footprint = footprint;
      out_.count_part();
    }
    return next_line(p);
  }

  // designator.pin: the designator runs to the next dot, the pin to the next blank.
  const char* pin_token(const char* p) {
    PinRecord& r = out_.pin();
    p = out_.field_without(r.designator, out_.rooms().designator, p, ".", "\r");
    if (*p == '.') ++p;
    p = out_.field(r.pin, out_.rooms().pin, p, " \r");
    r.net = net_;
    out_.count_pin(false);
    return p;
  }

  StoreWriter out_;
  State state_ = State::sections;
  const char* p_ = nullptr;
  char* net_ = out_.empty();
};

}  // namespace

int read_telesis(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  CondensedText text(store);
  condense(in, text, store);
  TelesisParser parser(store);
  return parse_condensed(parser, text, in, store, pin_count);
}

// A $PACKAGES line; or a $NETS line in a file without the $PTS line of MM-2/Colmo netlists.
bool looks_like_telesis(std::string_view head) {
  bool nets = false;
  bool parts = false;
  const bool packages = any_head_line(head, [&](std::string_view line) {
    nets = nets || line.starts_with("$NETS");
    parts = parts || line.starts_with("$PTS");
    return line.starts_with("$PACKAGES");
  });
  return packages || (nets && !parts);
}

}  // namespace veltrax
