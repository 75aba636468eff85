// The netlist store: one netlist in memory as tables of parts and pins in the run's memory.
//
// Each record's text fields point at zero-terminated texts of the run's memory: the names the
// reader copied (cut to the rooms of the run's limits), and the net texts that indexing writes.
// Sorting moves the records, and so the pointers, while the texts stay where they are; the pin
// matching may exchange pointers between neighbouring records and edits its own copies.
#pragma once

#include <cstddef>
#include <cstdint>

#include "netlist/limits.h"
#include "netlist/run_memory.h"

namespace veltrax {

// What the part comparison found for a part.
enum class PartState : std::int32_t {
  paired,   // in both netlists
  added,    // in the compare netlist only
  deleted,  // in the reference netlist only
};

// What the pin pairing found for a pin.
enum class PinState : std::int32_t {
  ordinary,
  part_added,    // its part is in the compare netlist only
  part_deleted,  // its part is in the reference netlist only
  exchanged,     // exchanged with its partner (resistor pins), or renumbered as a diode's
  transistor,    // renumbered as a transistor's
};

// True for the pins whose name the pin matching changed: an exchange or a renumbering.
inline bool is_exchanged(PinState state) {
  return state >= PinState::exchanged;
}

struct PartRecord {
  PartState state;
  char* designator;
  char* value;
  char* footprint;
};

struct PinRecord {
  PinState state;
  std::int32_t change_mark;
  char* designator;
  char* pin;
  char* net;
  char* work_pin;             // the pin name as the pin matching relabels it
  char* net_members_counted;  // "%upin|" and the member entries, or OPEN_ERROR_TEXT
  char* net_members;          // "pin|" and the member entries, or OPEN_ERROR_TEXT
  char* net_parts;            // "pin|" and one designator entry per pin, or OPEN_ERROR_TEXT

  // True for a pin alone on its net: its net texts are OPEN_ERROR_TEXT.
  bool alone_on_net() const { return net_members_counted[0] == '*'; }
};

// The records of one table, in a block of the run's memory that grows as the reader fills it.
template <typename Record>
struct Table {
  Record* record = nullptr;
  int room = 0;  // records the block holds

  Record& operator[](int i) { return record[i]; }
  const Record& operator[](int i) const { return record[i]; }
};
using PartTable = Table<PartRecord>;
using PinTable = Table<PinRecord>;

struct NetlistStore {
  explicit NetlistStore(RunMemory& run_memory, const Limits& run_limits = DEFAULT_LIMITS)
      : memory(&run_memory), limits(run_limits), empty_text(run_memory.copy_text("", 0)) {}

  RunMemory* memory;
  Limits limits;
  // The text of every field that nothing was written to: empty, never a stale pointer. Nothing
  // writes through it.
  char* empty_text;
  PartTable parts;
  PinTable pins;
  std::int32_t part_overflow = 0;  // parts (and, for some formats, pins) dropped by the reader
  bool reader_text_full = false;   // the reader's condensed text filled its room
  std::int32_t failure_line = 0;   // where the reader failed: an input line from 1, 0 unknown
};

}  // namespace veltrax
