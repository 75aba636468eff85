// Netlists read from text in memory by the reader of one format, as the reader tests see them.
#pragma once

#include <gtest/gtest.h>

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
  std::unique_ptr<TestStore> store;
  int result = 0;
  int pins = -1;  // pin_count; stays -1 when the reader leaves it alone

  ReadText(int format, std::string_view text, int format_option = 0,
           const Limits& limits = DEFAULT_LIMITS)
      : store(new_store(limits)) {
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

}  // namespace veltrax::test
