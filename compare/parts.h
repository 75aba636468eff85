// The part comparison: pairs the parts of both netlists by designator and reports every part
// that was added, deleted, or changed in value, footprint or both.
#pragma once

#include <string>
#include <vector>

#include "compare/result_file.h"
#include "netlist/store.h"

namespace veltrax {

struct PartCounts {
  int same = 0;
  int value = 0;  // value changed, footprint equal
  int both = 0;   // value and footprint changed
  int pcb = 0;    // footprint changed, value equal
  int add = 0;    // only in the compare netlist
  int del = 0;    // only in the reference netlist
  int error = 0;  // parts (and pins) the readers dropped when a table was full

  // True when any part row was written or any part dropped: the long summary forms then.
  bool any_difference() const { return value + both + pcb + add + del + error > 0; }
};

// The part counters in the order of the summaries, with their labels there; the second to the
// fourth are the changes, in parentheses.
inline constexpr SummaryCounter<PartCounts> PART_COUNTERS[] = {
    {"same", &PartCounts::same},   {"value", &PartCounts::value}, {"both", &PartCounts::both},
    {"pcb", &PartCounts::pcb},     {"add", &PartCounts::add},     {"delete", &PartCounts::del},
    {"error", &PartCounts::error},
};

// Merges both part lists (sorted by designator), writes the "C." rows into the result file and
// sets every valid part's state.
// Each row also goes into rows when it is given.
struct PartRow;
PartCounts compare_parts(PartTable& ref, int ref_count, PartTable& cmp, int cmp_count, int dropped,
                         ResultWriter& out, std::vector<PartRow>* rows = nullptr);

// The parts summary for the displayed message, and the "SUM,Parts" line without its line end.
std::string parts_summary_message(const PartCounts& counts);
std::string parts_summary_line(const PartCounts& counts);

// A value or net name as the Name columns show it: double quote, backquote, text, double quote.
std::string quoted_name(const char* text);

inline constexpr char NONE_FIELD[] = "\"<NONE>\"";

}  // namespace veltrax
