// Netlists read from text in memory by the reader of one format, and the tables of readings that
// the reader tests are made of.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "netlist/condense.h"
#include "netlist/input.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax::test {

// The text that the first pass of a condensing reader left for its second, as the last reading
// finished it.
inline std::string& last_condensed() {
  static std::string text;
  return text;
}
inline const bool condensed_text_watched = [] {
  CondensedText::observer = [](std::string_view text) { last_condensed().assign(text); };
  return true;
}();

struct ReadText {
  std::unique_ptr<TestStore> store = new_store();
  int result = 0;
  int pins = -1;  // pin_count; stays -1 when the reader leaves it alone

  ReadText(int format, std::string_view text, int format_option = 0) {
    InputFile in(text);
    result = read_netlist(format, in, *store, pins, format_option);
  }
  int overflow() const { return store->part_overflow; }
  int failure_line() const { return store->failure_line; }

  // The parts read, each as designator|value|footprint, and the pins, each as
  // net:designator.pin, separated by blanks.
  std::string parts() const {
    std::string out;
    for (int i = 0; i < result; ++i) {
      const PartRecord& p = store->parts[i];
      out += (i ? " " : "") + std::string(p.designator) + "|" + p.value + "|" + p.footprint;
    }
    return out;
  }
  std::string pin_list() const {
    std::string out;
    for (int i = 0; i < pins; ++i) {
      const PinRecord& p = store->pins[i];
      out += (i ? " " : "") + std::string(p.net) + ":" + p.designator + "." + p.pin;
    }
    return out;
  }
};

// A text that reads, with the parts and pins that ReadText shows of it.
struct Reads {
  std::string text;
  std::string parts;
  std::string pins;
};
inline void expect_reads(int format, std::initializer_list<Reads> cases, int format_option = 0) {
  for (const Reads& c : cases) {
    const ReadText r(format, c.text, format_option);
    EXPECT_GE(r.result, 0) << c.text;
    EXPECT_EQ(r.parts(), c.parts) << c.text;
    EXPECT_EQ(r.pin_list(), c.pins) << c.text;
  }
}

// A text that fails, with its error code and the input line of the failure (0: none read); the
// code has a meaning, and pin_count is left alone.
struct Fails {
  std::string text;
  int code;
  int line;
};
inline void expect_fails(int format, std::initializer_list<Fails> cases) {
  for (const Fails& c : cases) {
    const ReadText r(format, c.text);
    EXPECT_EQ(r.result, c.code) << c.text;
    EXPECT_EQ(r.failure_line(), c.line) << c.text;
    EXPECT_EQ(r.pins, -1) << c.text;
    EXPECT_NE(failure_meaning(format, c.code, false), nullptr) << c.code;
  }
}

// The lines, each ended with CR LF.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Fields longer than their room, and what a reader keeps of them.
inline const std::string LONG_DESIGNATOR(25, 'D'), LONG_VALUE(110, 'v'), LONG_FOOTPRINT(130, 'f'),
    LONG_NET(60, 'n'), LONG_PIN = "123456789012";
inline const std::string CUT_PART = LONG_DESIGNATOR.substr(0, DESIGNATOR_ROOM) + "|" +
                                    LONG_VALUE.substr(0, VALUE_ROOM) + "|" +
                                    LONG_FOOTPRINT.substr(0, FOOTPRINT_ROOM);
inline const std::string CUT_PIN = LONG_NET.substr(0, NET_ROOM) + ":" +
                                   LONG_DESIGNATOR.substr(0, DESIGNATOR_ROOM) + "." +
                                   LONG_PIN.substr(0, PIN_ROOM);

}  // namespace veltrax::test
