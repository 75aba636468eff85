// PADS netlists: CR-terminated lines with star keywords that open a part section and a net
// section; the net section lists signals, each a header line and pin tokens on the lines after.
//
//   *PADS-PCB*
//   *PART*
//   U1 74HC00@SO14
//   R1 10K
//   *NET*
//   *SIGNAL* GND
//   U1.7 R1.2
//   *END*
#include <cstring>

#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

enum class Keyword { part, net, sig, end, other };

// The word after a star: only the first letters count, in exactly two spellings each.
Keyword keyword_at(const char* star) {
  const char* w = star + 1;
  if (starts_with(w, "PART") || starts_with(w, "Part")) return Keyword::part;
  if (starts_with(w, "NET") || starts_with(w, "Net")) return Keyword::net;
  if (starts_with(w, "SIG") || starts_with(w, "Sig")) return Keyword::sig;
  if (starts_with(w, "END") || starts_with(w, "End")) return Keyword::end;
  return Keyword::other;
}

enum class State { start, parts, nets, signal, ended };

class PadsReader {
 public:
  explicit PadsReader(NetlistStore& store) : out_(store) {}

  // Works one line through under the current state; returns 0 or an error code.
  int line(const char* p) {
    for (;;) {
      switch (state_) {
        case State::start: {
          // *PART* | *NET* | *END* | any other line, ignored
          const char* star = std::strchr(p, '*');
          if (star == nullptr) return 0;
          switch (keyword_at(star)) {
            case Keyword::part:
              state_ = State::parts;
              break;
            case Keyword::net:
              state_ = State::nets;
              break;
            case Keyword::end:
              state_ = State::ended;
              break;
            default:
              break;
          }
          return 0;
        }
        case State::parts:
          // U1 74HC00@SO14 | R1 10K | *any star word
          p = skip_blanks(p);
          if (*p == '\0') return 0;
          if (*p == '*') {
            state_ = State::start;
            continue;
          }
          part_line(p);
          return 0;
        case State::nets: {
          // *SIGNAL* GND | *PART* | *END* | anything else, ignored
          const char* star = std::strchr(p, '*');
          if (star == nullptr) return 0;
          switch (keyword_at(star)) {
            case Keyword::part:
              state_ = State::parts;
              return 0;
            case Keyword::sig:
              return signal_header(star + 4);
            case Keyword::end:
              state_ = State::ended;
              return 0;
            default:
              return 0;
          }
        }
        case State::signal:
          // U1.7 R1.2 ... | *next keyword
          p = skip_blanks(p);
          if (*p == '\0') return 0;
          if (*p == '*') {
            state_ = State::nets;
            continue;
          }
          p = pin_token(p);
          continue;
        case State::ended:
          return 0;
      }
    }
  }

  int finish(int& pin_count) const { return out_.finish(pin_count); }

 private:
  // designator, blanks, value up to '@', then the footprint to the end of the line.
  void part_line(const char* p) {
    if (out_.parts_full()) {
      out_.drop();
      return;
    }
    PartRecord& r = out_.part();
    p = out_.field(r.designator, out_.rooms().designator, p, " ");
    p = skip_blanks(p);
    p = out_.field(r.value, out_.rooms().value, p, "@");
    trim_trailing_blanks(r.value);
    out_.bounded(r.footprint, out_.rooms().footprint, *p == '@' ? p + 1 : r.value);
    trim_trailing_blanks(r.footprint);
    out_.count_part();
  }

  // After the letters SIG: the rest of the word, blanks, then the net name.
  int signal_header(const char* p) {
    while (*p != '\0' && *p != ' ')
      ++p;
    p = skip_blanks(p);
    if (*p == '\0') return PADS_NO_NET_NAME;
    out_.bounded(net_, out_.rooms().net, p);
    trim_trailing_blanks(net_);
    state_ = State::signal;
    return 0;
  }

  // One token designator.pin (or designator and pin as two tokens); returns what follows it.
  const char* pin_token(const char* p) {
    if (out_.pins_full()) {
      out_.drop();
      while (*p != '\0' && *p != ' ')
        ++p;
      return p;
    }
    PinRecord& r = out_.pin();
    if (*p != '.') p = out_.field(r.designator, out_.rooms().designator, p, ". ");
    r.net = net_;
    while (*p == '.' || *p == ' ')
      ++p;
    p = out_.field(r.pin, out_.rooms().pin, p, " ");
    if (*p == ' ') ++p;
    out_.count_pin(true);
    return p;
  }

  StoreWriter out_;
  State state_ = State::start;
  char* net_ = out_.empty();
};

}  // namespace

int read_pads(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  PadsReader reader(store);
  LineBuffer line(*store.memory, store.limits.cr_line);
  while (read_cr_line(in, line) != END_OF_INPUT) {
    if (const int code = reader.line(line.data()); code != 0) return code;
  }
  return reader.finish(pin_count);
}

bool looks_like_pads(std::string_view head) {
  return any_head_line(head, [](std::string_view line) {
    if (line[0] != '*') return false;
    const std::string_view word = line.substr(1);
    for (const char* mark : {"PADS", "PART", "Part", "NET", "Net", "SIG", "Sig"}) {
      if (word.starts_with(mark)) return true;
    }
    return false;
  });
}

}  // namespace veltrax
