// What a run found, as data: the rows of the result file with their fields whole, the summaries,
// and the nets of both netlists as they were read. Views other than the result file (a listing,
// JSON, a report) read this; it is filled only when the caller asks for it, so that a run that
// only writes the result file does no more than before. Names are the bytes of the netlists.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "compare/parts.h"
#include "compare/pins.h"

namespace veltrax {

// A "C." row of the result file.
struct PartRow {
  std::string kind;  // the category after "C.": "value", "pcb", "both", "ADD", "DEL"
  std::string designator;
  bool in_ref = false;  // the sides that have the part
  bool in_cmp = false;
  std::string ref_value, cmp_value;
  std::string ref_footprint, cmp_footprint;
};

// An "N." row of the result file.
struct PinRow {
  std::string kind;  // the category after "N.": "NET name", "pin exchange", ..., "ERR"
  std::string designator;
  std::string pin;
  std::string cmp_pin;  // of a pin exchange row: the compare pin that the pin became
  bool in_ref = false;  // the sides the row has a net for
  bool in_cmp = false;
  std::string ref_net, cmp_net;
  // The counted member lists ("2pin|C1.2|R1.2|", or "**OPEN ERROR**"), not cut: texts of the
  // model's member_lists, held once for all the rows of a net.
  std::string_view ref_members, cmp_members;
  // A pin alone on its net on both sides ("N.ERR" with "**OPEN ERROR**" on both sides).
  bool open_unchanged = false;
};

// A net of one netlist as it was read: its name and its members ("R1.2"), in pin order.
struct Net {
  std::string name;
  std::vector<std::string> members;
};

struct ResultModel {
  ResultModel() = default;
  ResultModel(const ResultModel&) = delete;  // the rows point into it
  ResultModel& operator=(const ResultModel&) = delete;

  std::vector<PartRow> parts;
  std::vector<PinRow> pins;
  std::deque<std::string> member_lists;  // the texts the pin rows' member lists point at
  PartCounts part_counts;
  PinCounts pin_counts;
  int ref_parts = 0, ref_pins = 0;  // the records of each netlist after indexing
  int cmp_parts = 0, cmp_pins = 0;
  std::vector<Net> ref_nets, cmp_nets;  // in name order
};

// The nets of an indexed store.
std::vector<Net> nets_of(const NetlistStore& store, int pin_count);

}  // namespace veltrax
