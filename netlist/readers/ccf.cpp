// CCF netlists: a $CCF block in braces holds a DEFINITION block (part types, each with the
// designators that use it) and a NET block (nets, each with its pins designator(pin)). The
// reader reads CR-terminated lines with a state that carries over from line to line, so an
// entry may run over several lines.
//
//   $CCF {
//     DEFINITION {
//       74HC00.SO14 : U1, U2;
//       10K.R0603 : R1;
//     }
//     NET {
//       GND : U1(7), U2(7),
//             R1(2);
//     }
//   }
//
// The format option changes the grammar: with bit 0 any word of letters opens a net block, with
// bit 1 a part type is the value alone (no footprint after its last dot).
#include <cstring>

#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

inline constexpr int ANY_WORD_OPENS_NETS = 1;  // format option bit 0
inline constexpr int TYPE_WITHOUT_DOT = 2;     // format option bit 1

enum class State {
  outside,
  after_ccf,
  block_level,
  after_definition,
  definition_block,
  designator_list,
  after_net_keyword,
  net_block,
  pin_list,
  skipping_block,
};

// The characters from 'A' to 'z' in code order: letters and the six characters between them.
bool is_word_character(char c) {
  return c >= 'A' && c <= 'z';
}

const char* skip_any_of(const char* p, const char* skipped) {
  while (*p != '\0' && std::strchr(skipped, *p) != nullptr)
    ++p;
  return p;
}

// The text from p up to end or a double quote.
std::size_t type_text_length(const char* p, const char* end) {
  const char* q = p;
  while (q < end && *q != '"')
    ++q;
  return static_cast<std::size_t>(q - p);
}

// The last c in [begin, end), or nullptr.
const char* last_of(const char* begin, const char* end, char c) {
  for (const char* p = end; p != begin; --p) {
    if (p[-1] == c) return p - 1;
  }
  return nullptr;
}

class CcfReader {
 public:
  CcfReader(NetlistStore& store, int format_option)
      : out_(store),
        any_word_opens_nets_((format_option & ANY_WORD_OPENS_NETS) != 0),
        type_without_dot_((format_option & TYPE_WITHOUT_DOT) != 0) {}

  // Works one line through under the current state; the state goes on to the next line.
  void line(const char* p) {
    while (*p != '\0') {
      switch (state_) {
        case State::outside:
          // $CCF | any other line, ignored
          p = skip_blanks(p);
          if (!starts_with(p, "$CCF")) return;
          p += std::strlen("$CCF");
          state_ = State::after_ccf;
          break;
        case State::after_ccf:
          // {
          p = after(p, '{', State::block_level);
          break;
        case State::block_level:
          // DEFINITION | NET (any word with bit 0) | } | an unknown block, skipped
          p = block_keyword(skip_blanks(p));
          break;
        case State::skipping_block:
          // anything up to }
          p = after(p, '}', State::block_level);
          break;
        case State::after_definition:
          // {
          p = after(p, '{', State::definition_block);
          break;
        case State::definition_block:
          // 74HC00.SO14 : | }
          p = skip_any_of(p, " \"");
          if (*p == '}') {
            ++p;
            state_ = State::block_level;
          } else if (*p != '\0') {
            p = part_type(p);
          }
          break;
        case State::designator_list:
          // U1, U2; (on one line or several)
          p = designator(skip_any_of(p, "\": ,"));
          break;
        case State::after_net_keyword:
          // {
          p = after(p, '{', State::net_block);
          break;
        case State::net_block:
          // $GND : | }
          p = skip_any_of(p, " $");
          if (*p == '}') {
            ++p;
            state_ = State::block_level;
          } else if (*p != '\0') {
            p = out_.field(net_, out_.rooms().net, p, ":");
            trim_trailing_blanks(net_);
            state_ = State::pin_list;
          }
          break;
        case State::pin_list:
          // U1(7), U2(7); (on one line or several)
          p = pin(skip_any_of(p, ": ,"));
          break;
      }
    }
  }

  int finish(int& pin_count) const { return out_.finish(pin_count); }

 private:
  // Past the next c, in the next state; or the end of the line when it holds no c.
  const char* after(const char* p, char c, State next) {
    const char* found = std::strchr(p, c);
    if (found == nullptr) return p + std::strlen(p);
    state_ = next;
    return found + 1;
  }

  const char* block_keyword(const char* p) {
    if (starts_with(p, "DEFINITION")) {
      state_ = State::after_definition;
      return p + std::strlen("DEFINITION");
    }
    if (!any_word_opens_nets_ && starts_with(p, "NET")) {
      state_ = State::after_net_keyword;
      return p + std::strlen("NET");
    }
    if (any_word_opens_nets_ && is_word_character(*p)) {
      while (is_word_character(*p))
        ++p;
      state_ = State::after_net_keyword;
      return p;
    }
    if (*p == '}') {
      state_ = State::outside;
      return p + 1;
    }
    if (*p != '\0') state_ = State::skipping_block;
    return p;
  }

  // The part type up to the line's last colon: value.footprint, split at the last dot.
  const char* part_type(const char* p) {
    const char* colon = std::strrchr(p, ':');
    if (colon == nullptr || colon == p) return p + std::strlen(p);
    const char* dot = last_of(p + 1, colon, '.');
    if (dot != nullptr && !type_without_dot_) {
      type_text(value_, out_.rooms().value, p, dot);
      type_text(footprint_, out_.rooms().footprint, skip_any_of(dot, ". "), colon);
    } else {
      type_text(value_, out_.rooms().value, p, colon);
      footprint_ = out_.empty();
    }
    state_ = State::designator_list;
    return colon;
  }

  // The text from p up to end or a double quote, at most room characters, without its trailing
  // blanks.
  void type_text(char*& dst, int room, const char* p, const char* end) {
    out_.span(dst, room, p, type_text_length(p, end));
    trim_trailing_blanks(dst);
  }

  // After an item of a designator or pin list, blanks, then ';' ends the list and any other
  // character (the comma) is stepped over; at the end of the line the list goes on on the next.
  const char* after_item(const char* p, State end_of_list) {
    p = skip_blanks(p);
    if (*p == '\0') return p;
    if (*p == ';') state_ = end_of_list;
    return p + 1;
  }

  // One designator of the list, without the double quotes around it. A ';' where a designator
  // should be ends the list without a part.
  const char* designator(const char* p) {
    if (*p == '\0' || *p == ';') return after_item(p, State::definition_block);
    PartRecord& r = out_.part();
    p = out_.field_without(r.designator, out_.rooms().designator, p, " ,;", "\"");
    r.value = value_;
    r.footprint = footprint_;
    out_.count_part();
    return after_item(p, State::definition_block);
  }

  // One pin designator(pin) of the list, as in the designator list.
  const char* pin(const char* p) {
    if (*p == '\0' || *p == ';') return after_item(p, State::net_block);
    if (out_.pins_full()) {
      out_.drop();
      p += std::strcspn(p, ")");
      return after_item(*p == ')' ? p + 1 : p, State::net_block);
    }
    PinRecord& r = out_.pin();
    p = out_.field(r.designator, out_.rooms().designator, p, "(");
    if (*p == '(') ++p;
    r.net = net_;
    p = out_.field(r.pin, out_.rooms().pin, skip_blanks(p), ")");
    trim_trailing_blanks(r.pin);
    if (*p == ')') ++p;
    out_.count_pin(true);
    return after_item(p, State::net_block);
  }

  StoreWriter out_;
  const bool any_word_opens_nets_;
  const bool type_without_dot_;
  State state_ = State::outside;
  char* value_ = out_.empty();
  char* footprint_ = out_.empty();
  char* net_ = out_.empty();
};

}  // namespace

int read_ccf(InputFile& in, NetlistStore& store, int& pin_count, int format_option) {
  CcfReader reader(store, format_option);
  LineBuffer line(*store.memory, store.limits.cr_line);
  while (read_cr_line(in, line) != END_OF_INPUT)
    reader.line(line.data());
  return reader.finish(pin_count);
}

bool looks_like_ccf(std::string_view head) {
  return any_head_line(head, [](std::string_view line) { return line.starts_with("$CCF"); });
}

}  // namespace veltrax
