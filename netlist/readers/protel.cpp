// Protel netlists: CR-terminated lines of at most 199 characters, one item a line. Component
// blocks come between a '[' line and a ']' line, in a positional form (designator, footprint,
// value) or a keyword form (keyword lines, each followed by its value line); net blocks come
// between a '(' line and a ')' line, a net name and then one pin a line.
//
//   [            [                 (
//   U1           DESIGNATOR        GND
//   SO14         R1                U1-7
//   74HC00       FOOTPRINT         R1-2
//                R0603             )
//   ]            PARTTYPE
//                10K
//                ]
#include <cstring>
#include <string>

#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

enum class State {
  outside,               // between blocks
  block_start,           // the line after '['
  designator_line,       // keyword form: the line after DESIGNATOR
  positional_footprint,  // positional form: the line after the designator
  positional_value,      // positional form: the line after the footprint
  positional_tail,       // positional form: lines up to ']'
  keyword_form,          // keyword form: a keyword line or ']'
  footprint_line,        // the line after FOOTPRINT
  parttype_line,         // the line after PARTTYPE
  ignored_line,          // the line after a keyword of no interest
  net_name,              // the line after '('
  net_block,             // pin lines or ')'
};

class ProtelReader {
 public:
  explicit ProtelReader(NetlistStore& store) : out_(store) {}

  void line(const char* p) {
    switch (state_) {
      case State::outside:
        // [ | ( | any other line, ignored
        if (*p == '[') state_ = State::block_start;
        if (*p == '(') state_ = State::net_name;
        return;
      case State::block_start:
        // DESIGNATOR | U1 (the designator of the positional form)
        if (std::strcmp(p, "DESIGNATOR") == 0) {
          state_ = State::designator_line;
          return;
        }
        out_.bounded(out_.part().designator, out_.rooms().designator, p);
        state_ = State::positional_footprint;
        return;
      case State::positional_footprint:
        // SO14
        out_.bounded(out_.part().footprint, out_.rooms().footprint, skip_blanks(p));
        state_ = State::positional_value;
        return;
      case State::positional_value:
        // 74HC00 | "74HC00"
        copy_value(out_.part().value, p);
        out_.count_part();
        state_ = State::positional_tail;
        return;
      case State::positional_tail:
        // ] | any other line, ignored
        if (*p == ']') state_ = State::outside;
        return;
      case State::designator_line: {
        // R1 (after the part is full, its fields go to the scratch record)
        part_ = &out_.part();
        out_.bounded(part_->designator, out_.rooms().designator, p);
        out_.count_part();
        state_ = State::keyword_form;
        return;
      }
      case State::keyword_form:
        // ] | FOOTPRINT | PARTTYPE | any other keyword
        if (*p == ']') {
          state_ = State::outside;
        } else if (std::strcmp(p, "FOOTPRINT") == 0) {
          state_ = State::footprint_line;
        } else if (std::strcmp(p, "PARTTYPE") == 0) {
          state_ = State::parttype_line;
        } else {
          state_ = State::ignored_line;
        }
        return;
      case State::footprint_line:
        // R0603
        out_.bounded(part_->footprint, out_.rooms().footprint, skip_blanks(p));
        state_ = State::keyword_form;
        return;
      case State::parttype_line:
        // 10K | "10K"
        copy_value(part_->value, p);
        state_ = State::keyword_form;
        return;
      case State::ignored_line:
        // the value of a keyword of no interest
        state_ = State::keyword_form;
        return;
      case State::net_name: {
        // GND (the whole line, blanks included)
        // Cut to its room first, then without its quotes.
        const std::size_t n = strnlen(p, static_cast<std::size_t>(out_.rooms().net));
        const std::string name(p, n);
        out_.field_without(net_, out_.rooms().net, name.c_str(), "", "\"");
        state_ = State::net_block;
        return;
      }
      case State::net_block:
        // ) | U1-7 (anything after the first blank is ignored)
        if (*p == ')') {
          state_ = State::outside;
          return;
        }
        pin_line(p);
        return;
    }
  }

  int finish(int& pin_count) const { return out_.finish(pin_count); }

 private:
  // The value of a part: the line without its leading blanks and without double quotes.
  void copy_value(char*& dst, const char* line) {
    out_.field_without(dst, out_.rooms().value, skip_blanks(line), "", "\"");
  }

  // designator-pin, cut at the first blank; without '-' the pin name is empty.
  void pin_line(const char* p) {
    PinRecord& r = out_.pin();
    p = out_.field(r.designator, out_.rooms().designator, p, "- ");
    if (*p == '-') out_.field(r.pin, out_.rooms().pin, p + 1, " ");
    r.net = net_;
    out_.count_pin(false);
  }

  StoreWriter out_;
  State state_ = State::outside;
  PartRecord* part_ = nullptr;  // the part of the keyword-form block being read
  char* net_ = out_.empty();
};

}  // namespace

int read_protel(InputFile& in, NetlistStore& store, int& pin_count, int /*format_option*/) {
  ProtelReader reader(store);
  LineBuffer line(*store.memory, store.limits.protel_line);
  while (read_cr_line(in, line) != END_OF_INPUT)
    reader.line(line.data());
  return reader.finish(pin_count);
}

// A '[' line closed by a ']' line, or a '(' line closed by a ')' line: the lines of the other
// formats never stand alone like that.
bool looks_like_protel(std::string_view head) {
  bool component = false;
  bool net = false;
  return any_head_line(head, [&](std::string_view line) {
    component = component || line == "[";
    net = net || line == "(";
    return (component && line == "]") || (net && line == ")");
  });
}

}  // namespace veltrax
