// A netlist read from text in memory by the reader of one format, for the reader tests.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "netlist/condense.h"
#include "netlist/input.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax::test {

using Texts = std::vector<std::string>;

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

  // Read by a reader, or by the reader of a format index.
  ReadText(Reader reader, std::string_view text, int format_option = 0) {
    InputFile in(text);
    result = reader(in, *store, pins, format_option);
  }
  ReadText(int format, std::string_view text, int format_option = 0) {
    InputFile in(text);
    result = read_netlist(format, in, *store, pins, format_option);
  }
  const PartRecord& part(int i) const { return store->parts[i]; }
  const PinRecord& pin(int i) const { return store->pins[i]; }
  int overflow() const { return store->part_overflow; }
  int failure_line() const { return store->failure_line; }

  // The parts read, each as "designator|value|footprint", and the pins, each as
  // "designator|pin|net".
  Texts parts() const {
    Texts out;
    for (int i = 0; i < result; ++i) {
      out.push_back(std::string(part(i).designator) + "|" + part(i).value + "|" +
                    part(i).footprint);
    }
    return out;
  }
  Texts pin_list() const {
    Texts out;
    for (int i = 0; i < pins; ++i) {
      out.push_back(std::string(pin(i).designator) + "|" + pin(i).pin + "|" + pin(i).net);
    }
    return out;
  }
  // The same as one text: parts as above, pins as net:designator.pin, separated by blanks.
  std::string parts_text() const {
    std::string out;
    for (const std::string& p : parts())
      out += (out.empty() ? "" : " ") + p;
    return out;
  }
  std::string pins_text() const {
    std::string out;
    for (int i = 0; i < pins; ++i) {
      out += (i ? " " : "") + std::string(pin(i).net) + ":" + pin(i).designator + "." + pin(i).pin;
    }
    return out;
  }
};

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
