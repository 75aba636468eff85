// A review of one comparison: what the views beyond the result file show (the terminal listing,
// JSON, the HTML report, Markdown). It is made from the run's result model after the ignore
// rules, and carries the net view. Names stay the bytes of the netlists; a view that needs text
// converts them at its edge (see text.h).
#pragma once

#include <string>
#include <vector>

#include "compare/result_model.h"
#include "compare/run.h"

namespace veltrax {

// What became of a net from the reference to the compare netlist.
enum class NetChangeKind {
  added,    // a compare net that goes on from no reference net: its pins are new, or moved
            // to it from nets that go on
  deleted,  // a reference net that goes on as no compare net: its pins are gone, or moved
  renamed,  // the same members under another name
  merged,   // pins of two or more reference nets now on one compare net, and on no other
  split,    // pins of one reference net now on two or more compare nets that hold no other's
  changed,  // one net on each side, its members added or removed (its name may differ); also
            // each net that goes on where pins moved between nets (by its name, else the net it
            // shares most pins with)
};

struct NetChange {
  NetChangeKind kind;
  std::vector<std::string> ref_names;        // added: none; merged: two or more; others: one
  std::vector<std::string> cmp_names;        // deleted: none; split: two or more; others: one
  bool program_names = false;                // renamed from one program-made name to another
  std::vector<std::string> members;          // added, deleted, renamed: the net's members
  std::vector<std::string> members_added;    // changed: members only the compare net has
  std::vector<std::string> members_removed;  // changed: members only the reference net had
};

// The net view of two netlists' nets (each in name order), in order of kind, then name.
std::vector<NetChange> net_view(const std::vector<Net>& ref, const std::vector<Net>& cmp);

// Changes a reviewer chose not to see. Patterns are globs over the bytes of a name: '*' any run,
// '?' one byte, '[...]' one of a set ('[!...]' none of it).
struct IgnoreRules {
  std::vector<std::string> parts;  // designators: their part rows and pin rows
  std::vector<std::string> nets;   // net names: pin rows on such a net (either side), net changes
  bool open_pins = false;          // "ERR" pin rows, and nets of one pin in the net view

  bool empty() const { return parts.empty() && nets.empty() && !open_pins; }
};

bool glob_match(std::string_view pattern, std::string_view name);

// Reads rules from the text of an ignore file: one a line, "part GLOB" or "net GLOB", and
// "open-pins"; empty lines and lines starting with '#' are skipped. False, with the line's
// number in bad_line, at a line of another kind.
bool read_ignore_rules(std::string_view text, IgnoreRules& rules, int& bad_line);

struct ReviewInput {
  std::string path;    // as given
  std::string format;  // the format list's entry ("PADS")
  int parts = 0;
  int pins = 0;
};

struct ReviewWarning {
  int message;       // the message-table entry
  std::string file;  // the netlist's path
};

struct Review {
  ReviewInput ref, cmp;
  std::vector<ReviewWarning> warnings;
  PartCounts part_counts;  // the summaries of the result file, before the ignore rules
  PinCounts pin_counts;
  std::vector<PartRow> parts;  // the rows left after the ignore rules
  std::vector<PinRow> pins;    // open_unchanged rows included (views fold them)
  std::vector<NetChange> nets;
  int open_unchanged = 0;  // of pins: rows of a pin alone on its net on both sides
  struct {
    int parts = 0;
    int pins = 0;
    int nets = 0;
  } ignored;
  int exit_status = 0;  // as the command line gives it, after the ignore rules
};

// The entries of a counted member list ("3pin|A.1|B.2|C.3|"); none for "**OPEN ERROR**".
std::vector<std::string_view> members_of_counted(std::string_view counted);

// A counter of a summary line, under the word of the result file's SUM line ("except
// add/del/exch"), in the order of that line.
struct Counter {
  const char* name;
  int value;
};
std::vector<Counter> part_counters(const PartCounts& counts);
std::vector<Counter> pin_counters(const PinCounts& counts);  // without open_unchanged

// The review of a completed run. The exit status is the run's, except that ignored rows no
// longer count as differences.
Review make_review(const ResultModel& model, const RunReport& report, ReviewInput ref,
                   ReviewInput cmp, const IgnoreRules& rules);

}  // namespace veltrax
