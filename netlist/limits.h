// Every capacity of the netlist model, named once. Nothing else spells these numbers.
//
// The capacities are those of a run: by default the fixed ones below, which both programs use,
// so that their result files stay what they always were; or none at all (NO_LIMITS, the command
// line's --no-limits), where the tables, names and texts grow as the netlists need.
#pragma once

#include <climits>
#include <cstddef>

namespace veltrax {

// Records of one netlist store.
inline constexpr int PART_CAPACITY = 6000;
inline constexpr int PIN_CAPACITY = 20000;

// Room of the text fields, in bytes without the terminating zero.
inline constexpr int DESIGNATOR_ROOM = 20;
inline constexpr int VALUE_ROOM = 100;
inline constexpr int FOOTPRINT_ROOM = 120;
inline constexpr int PIN_ROOM = 10;
inline constexpr int NET_ROOM = 50;

// Line buffers of the line-oriented readers, terminating zero included.
inline constexpr int CR_LINE_SIZE = 520;      // CCF and PADS lines: 519 characters at most
inline constexpr int PROTEL_LINE_SIZE = 200;  // Protel lines: 199 characters at most
inline constexpr int STD_LINE_SIZE = 520;     // standard line reads of MM-2/Colmo and TELESIS

// The text that the condensing readers write in their first pass, in characters.
inline constexpr std::size_t READER_BUFFER_ROOM = 2100000;

// The texts of a net of one pin.
inline constexpr char OPEN_ERROR_TEXT[] = "**OPEN ERROR**";

// The result file name built from the compare netlist's path.
inline constexpr int RESULT_NAME_ROOM = 519;

// The capacities of one run.
struct Limits {
  int parts;  // records of each table
  int pins;
  int designator;  // rooms of the text fields
  int value;
  int footprint;
  int pin;
  int net;
  std::size_t reader_text;
  int cr_line;  // line buffers, terminator included
  int protel_line;
  int std_line;
};

inline constexpr Limits DEFAULT_LIMITS = {
    .parts = PART_CAPACITY,
    .pins = PIN_CAPACITY,
    .designator = DESIGNATOR_ROOM,
    .value = VALUE_ROOM,
    .footprint = FOOTPRINT_ROOM,
    .pin = PIN_ROOM,
    .net = NET_ROOM,
    .reader_text = READER_BUFFER_ROOM,
    .cr_line = CR_LINE_SIZE,
    .protel_line = PROTEL_LINE_SIZE,
    .std_line = STD_LINE_SIZE,
};

// As much as memory holds: no line or name is cut, no record dropped.
inline constexpr Limits NO_LIMITS = {
    .parts = INT_MAX - 1,
    .pins = INT_MAX - 1,
    .designator = INT_MAX,
    .value = INT_MAX,
    .footprint = INT_MAX,
    .pin = INT_MAX,
    .net = INT_MAX,
    .reader_text = INT_MAX - 1,
    .cr_line = INT_MAX,
    .protel_line = INT_MAX,
    .std_line = INT_MAX,
};

}  // namespace veltrax
