// The netlist store: one netlist in memory as fixed-size tables of parts and pins, and the net
// text pools that the two stores of a run share.
//
// Each record's text fields are references into text slots of fixed width. At the start of a
// run every record is bound to its own slots; sorting moves the records (and so the references)
// while the texts stay in their slots, and the pin matching may exchange references between
// neighbouring records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "netlist/limits.h"

namespace veltrax {

struct PartRecord {
  std::int32_t state;  // 0 paired, 1 compare only (added), 2 reference only (deleted)
  char* designator;
  char* value;
  char* footprint;
};

struct PinRecord {
  std::int32_t state;  // 0 ordinary, 1 added part, 2 deleted part, 3 exchange/diode, 4 transistor
  std::int32_t change_mark;
  char* designator;
  char* pin;
  char* net;
  char* work_designator;
  char* work_pin;
  char* net_members_counted;  // "%upin|" and the member entries, or "**OPEN ERROR**"
  char* net_members;          // "pin|" and the member entries, or "**OPEN ERROR**"
  char* net_parts;            // "pin|" and one designator entry per pin, or "**OPEN ERROR**"
};

struct PartSlots {
  char designator[DESIGNATOR_ROOM + 1];
  char value[VALUE_ROOM + 1];
  char footprint[FOOTPRINT_ROOM + 1];
};

struct PinSlots {
  char designator[DESIGNATOR_ROOM + 1];
  char pin[PIN_ROOM + 1];
  char net[NET_ROOM + 1];
  char work_designator[DESIGNATOR_ROOM + 1];
  char work_pin[PIN_ROOM + 1];
};

// PART_CAPACITY usable records and one scratch record behind them.
struct PartTable {
  PartRecord record[PART_CAPACITY + 1];
  PartSlots slot[PART_CAPACITY + 1];

  PartRecord& operator[](int i) { return record[i]; }
  const PartRecord& operator[](int i) const { return record[i]; }
  void bind();
  // Points the text fields of record i at slot i.
  void bind_record(int i);
};

// PIN_CAPACITY usable records and one scratch record behind them.
struct PinTable {
  PinRecord record[PIN_CAPACITY + 1];
  PinSlots slot[PIN_CAPACITY + 1];

  PinRecord& operator[](int i) { return record[i]; }
  const PinRecord& operator[](int i) const { return record[i]; }
  void bind();
  // Points the text fields of record i at slot i (the net texts are left alone).
  void bind_record(int i);
};

struct NetlistStore {
  PartTable parts;
  PinTable pins;
  std::int32_t part_overflow;  // parts (and, for some formats, pins) dropped by the last reader
  bool reader_text_full;       // the last reader's condensed text filled the reader text buffer
  std::int32_t failure_line;   // where the last reader failed: an input line from 1, 0 unknown

  // Run start: every text reference back to its record's own slot.
  void bind() {
    parts.bind();
    pins.bind();
  }
};

// A run of zero-terminated texts written one after the other.
struct TextPool {
  char* bytes;
  std::size_t size;
  std::size_t used;

  char* cursor() { return bytes + used; }
  void reset() {
    used = 0;
    bytes[0] = '\0';
  }
};

// The three pools of net texts, shared by the reference and the compare store of a run and
// filled in that order.
struct NetTextPools {
  char counted_bytes[COUNTED_POOL_SIZE];
  char member_bytes[MEMBER_POOL_SIZE];
  char part_bytes[PART_POOL_SIZE];
  TextPool counted{counted_bytes, COUNTED_POOL_SIZE, 0};
  TextPool members{member_bytes, MEMBER_POOL_SIZE, 0};
  TextPool parts{part_bytes, PART_POOL_SIZE, 0};

  NetTextPools() { reset(); }
  NetTextPools(const NetTextPools&) = delete;
  NetTextPools& operator=(const NetTextPools&) = delete;
  void reset() {
    counted.reset();
    members.reset();
    parts.reset();
  }
};

}  // namespace veltrax
