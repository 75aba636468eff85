// Reads netlist text with one reader into a fresh store, for the reader tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "netlist/input.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax::test {

struct ReadText {
  std::unique_ptr<NetlistStore> store = new_store();
  int result = 0;
  int pins = -1;  // stays -1 when the reader fails

  ReadText(Reader reader, std::string_view text, int format_option = 0) {
    InputFile in(text);
    result = reader(in, *store, pins, format_option);
  }
  const PartRecord& part(int i) const { return store->parts[i]; }
  const PinRecord& pin(int i) const { return store->pins[i]; }
  int overflow() const { return store->part_overflow; }

  // The parts kept, each as designator|value|footprint, one after the other with a blank.
  std::string parts_text() const {
    std::string out;
    for (int i = 0; i < result; ++i)
      out += (i ? " " : "") + std::string(part(i).designator) + "|" + part(i).value + "|" +
             part(i).footprint;
    return out;
  }
  // The pins kept, each as net:designator.pin, one after the other with a blank.
  std::string pins_text() const {
    std::string out;
    for (int i = 0; i < pins; ++i)
      out += (i ? " " : "") + std::string(pin(i).net) + ":" + pin(i).designator + "." + pin(i).pin;
    return out;
  }
};

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
