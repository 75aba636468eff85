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
    if (byte_class(*s) != ByteClass::dropped) *out++ = *s;
  }
  *out = '\0';
}

enum class Mode { none, package_line, package_continuation, net_header, net_pins };

// The first pass: one line at a time into the reader text buffer, which never overflows: what
// does not fit is dropped, and reading stops before the next line.
class Condenser {
 public:
  explicit Condenser(NetlistStore& store) : out_(store) {}
  bool full() const { return out_.full(); }

  // Works a line read through, each of its CR-terminated pieces as a line of its own; returns
  // false when reading stops ($END, or the buffer is full).
  bool take(char* read) {
    drop_controls(read);
    for (const char* p = read; *p != '\0';) {
      if (full()) return false;
      const std::size_t n = std::strcspn(p, "\r");
      const std::size_t length = p[n] == '\r' ? n + 1 : n;
      if (!line(std::string_view(p, length))) return false;
      p += length;
    }
    return true;
  }

  // The condensed text, terminated.
  const char* text() { return out_.finish(); }

 private:
  bool line(std::string_view s) {
    const char* p = s.data();
    if (copy_keyword_line(s, "$PACKAGES")) {
      mode_ = Mode::package_line;
    } else if (copy_keyword_line(s, "$NETS")) {
      mode_ = Mode::net_header;
    } else if (copy_keyword_line(s, "$END")) {
      return false;
    } else if (*p == '$') {
      mode_ = Mode::none;
    } else {
      switch (mode_) {
        case Mode::none:
          break;
        case Mode::package_line:
          // ! 'R0603' ! '10K' ; R1 R2,
          package_line(p);
          break;
        case Mode::package_continuation:
          // R3 R4,
          designators(skip_blanks(p));
          break;
        case Mode::net_header:
          // 'GND' ; U1.7 U2.7,
          net_header(p);
          break;
        case Mode::net_pins:
          // U1.7 U2.7,
          net_pins(p);
          break;
      }
    }
    return true;
  }

  // A line that holds the keyword: from the keyword on, everything but blanks.
  bool copy_keyword_line(std::string_view s, std::string_view keyword) {
    const std::size_t at = s.find(keyword);
    if (at == std::string_view::npos) return false;
    for (const char c : s.substr(at)) {
      if (c != ' ') put(c);
    }
    return true;
  }

  // footprint ! value ; designators. Without '!' the footprint goes on on the next line (no
  // line mark); without ';' the value ends with the line.
  void package_line(const char* p) {
    while (*p == ' ' || *p == '\'')
      ++p;
    for (; !at_line_end(p) && *p != '!'; ++p) {
      if (*p != '\'' && !(*p == ' ' && p[1] == '!')) put(*p);
    }
    if (*p != '!') return;
    put('!');
    for (++p; !at_line_end(p) && *p != ';'; ++p) {
      if (*p == '\'') continue;
      if (*p == ' ' && (p[-1] == '!' || p[1] == '!' || p[1] == ';')) continue;
      put(*p == '!' ? '/' : *p);
    }
    if (*p != ';') {
      line_mark(p);
      return;
    }
    put(';');
    designators(skip_blanks(p + 1));
  }

  // Designators up to the line end, or up to a comma that continues them on the next line. The
  // comma separates like a blank: the line break must not join two designators.
  void designators(const char* p) {
    for (; !at_line_end(p) && *p != ','; ++p)
      put(*p);
    if (*p == ',') {
      put(' ');
      mode_ = Mode::package_continuation;
      return;
    }
    line_mark(p);
    mode_ = Mode::package_line;
  }

  // $'net name' ; pins: the name loses its blanks and apostrophes.
  void net_header(const char* p) {
    while (*p == ' ' || *p == '\'')
      ++p;
    while (*p == '$')
      ++p;
    for (; !at_line_end(p) && *p != ';'; ++p) {
      if (*p != ' ' && *p != '\'') put(*p);
    }
    if (*p != ';') {
      line_mark(p);
      return;
    }
    put(';');
    mode_ = Mode::net_pins;
    net_pins(p + 1);
  }

  // Pin tokens separated by one blank; a comma continues them on the next line and drops the
  // rest of this one.
  void net_pins(const char* p) {
    for (;;) {
      p = skip_blanks(p);
      if (at_line_end(p)) {
        line_mark(p);
        mode_ = Mode::net_header;
        return;
      }
      for (; !at_line_end(p) && *p != ' ' && *p != ','; ++p)
        put(*p);
      if (*p == ' ') {
        p = skip_blanks(p);
        put(' ');
        if (*p == ',') return;
      } else if (*p == ',') {
        put(' ');
        return;
      }
    }
  }

  void put(char c) { out_.put(c); }
  void line_mark(const char* p) {
    if (*p == '\r') put('\r');
  }

  CondensedText out_;
  Mode mode_ = Mode::none;
};

enum class State { packages, net_header, net_pins, ended };

// The second pass over the condensed text.
class TelesisParser {
 public:
  explicit TelesisParser(NetlistStore& store) : out_(store) {}

  int parse(const char* text, int& pin_count) {
    if (*text == '\0') return READ_NOTHING;
    State state = State::packages;
    const char* p = std::strstr(text, "$PACKAGES");
    if (p == nullptr) {
      state = State::net_header;
      p = std::strstr(text, "$NETS");
    }
    if (p == nullptr) return TELESIS_NO_SECTION;
    p = next_line(p);
    while (*p != '\0' && state != State::ended) {
      switch (state) {
        case State::packages:
          // $NETS | $END | R0603!10K;R1 R2
          if (*p == '$') {
            if (starts_with(p, "$NETS")) state = State::net_header;
            if (starts_with(p, "$END")) state = State::ended;
            p = next_line(p);
          } else {
            p = package_line(p);
          }
          break;
        case State::net_header:
          // GND; | $END (empty lines before either leave no trace)
          while (*p == '\r')
            ++p;
          if (*p == '$') {
            state = State::ended;
            break;
          }
          p = out_.field_without(net_, out_.rooms().net, p, ";", "\"\r");
          if (*p == ';') ++p;
          state = State::net_pins;
          break;
        case State::net_pins:
          // U1.7 U2.7
          p = skip_blanks(p);
          if (*p == '\r') {
            ++p;
            state = State::net_header;
          } else if (*p != '\0') {
            p = pin_token(p);
          }
          break;
        case State::ended:
          break;
      }
    }
    return out_.finish(pin_count);
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
  char* net_ = out_.empty();
};

}  // namespace

int read_telesis(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  TelesisParser parser(store);
  Condenser condenser(store);
  LineBuffer line(*store.memory, store.limits.std_line);
  while (!condenser.full() && read_std_line(in, line) != END_OF_INPUT) {
    if (!condenser.take(line.data())) break;
  }
  store.reader_text_full = condenser.full();
  return parser.parse(condenser.text(), pin_count);
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
