// A netlist read from text in memory by the reader of one format, for the reader tests.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "netlist/reader.h"
#include "support.h"

namespace veltrax::test {

struct ReadText {
  std::unique_ptr<NetlistStore> store = new_store();
  int result = 0;
  int pins = -1;  // pin_count; stays -1 when the reader leaves it alone

  ReadText(int format, std::string_view text, int format_option = 0) {
    InputFile in(text);
    result = read_netlist(format, in, *store, pins, format_option);
  }
  const PartRecord& part(int i) const { return store->parts[i]; }
  const PinRecord& pin(int i) const { return store->pins[i]; }
  int overflow() const { return store->part_overflow; }

  // The parts read, each as "designator|value|footprint", and the pins, each as
  // "designator|pin|net".
  std::vector<std::string> parts() const {
    std::vector<std::string> out;
    for (int i = 0; i < result; ++i)
      out.push_back(std::string(part(i).designator) + "|" + part(i).value + "|" +
                    part(i).footprint);
    return out;
  }
  std::vector<std::string> pin_list() const {
    std::vector<std::string> out;
    for (int i = 0; i < pins; ++i)
      out.push_back(std::string(pin(i).designator) + "|" + pin(i).pin + "|" + pin(i).net);
    return out;
  }
};

using Texts = std::vector<std::string>;

// The lines, each ended with CR LF.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace veltrax::test
