// The pin comparison: the pairing pass, which notes what explains the differences of every pin,
// and the classification pass, which writes one "N." row per changed pin and the summary lines.
#pragma once

#include <string>
#include <vector>

#include "compare/net_texts.h"
#include "compare/result_file.h"
#include "netlist/store.h"

namespace veltrax {

struct PinCounts {
  int same = 0;
  int net_name = 0;
  int pin_exchange = 0;
  int except_add_del_exch = 0;
  int except_1pin = 0;
  int except_pin_name = 0;
  int at_least_1pin = 0;
  int change_a_lot = 0;
  int pin_name = 0;  // pin name add and pin name delete rows
  int add = 0;
  int del = 0;
  int error = 0;
  int open_unchanged = 0;  // of the error rows: pins alone on their net on both sides

  // The number of "N." rows written.
  int rows() const;
  // True when a row tells of a change: any "N." row but that of a pin alone on its net on both
  // sides (such as an unconnected pin, which some CAD systems write as a net of its own).
  bool any_change_row() const { return rows() > open_unchanged; }
  // True when every counter but same and net name is 0: the short summary forms then.
  bool only_same_or_net_name() const { return rows() == net_name; }
};

// The pin counters in the order of the summaries, with their labels there; the short forms
// show the first two.
inline constexpr SummaryCounter<PinCounts> PIN_COUNTERS[] = {
    {"same", &PinCounts::same},
    {"net name", &PinCounts::net_name},
    {"pin exchange", &PinCounts::pin_exchange},
    {"except add/del/exch", &PinCounts::except_add_del_exch},
    {"except 1pin", &PinCounts::except_1pin},
    {"except pin name", &PinCounts::except_pin_name},
    {"at least 1pin", &PinCounts::at_least_1pin},
    {"change a lot", &PinCounts::change_a_lot},
    {"pin name", &PinCounts::pin_name},
    {"add", &PinCounts::add},
    {"delete", &PinCounts::del},
    {"error", &PinCounts::error},
};

// The pairing pass: sets every pin's state and change mark, edits the member lists and permutes
// compare records as exchanged and differently named pins require. Writes nothing.
void pair_pins(NetlistStore& ref, int ref_parts, int ref_pins, NetlistStore& cmp, int cmp_parts,
               int cmp_pins, NetTexts& texts);

// The classification pass: writes the "N." rows, then the parts summary line that the part
// comparison prepared and the pins summary line.
// Each row also goes into the model when it is given.
struct ResultModel;
PinCounts classify_pins(const NetlistStore& ref, int ref_pins, const NetlistStore& cmp,
                        int cmp_pins, const std::string& parts_line, NetTexts& texts,
                        ResultWriter& out, ResultModel* model = nullptr);

// The pins summary for the displayed message.
std::string pins_summary_message(const PinCounts& counts);

// True when a net name looks made by a program rather than given by a person: it begins with
// "N$"; or it does not begin with a digit and its first digit starts a run of five or more; or it
// is digits, 'N' and digits ("12N3").
bool is_auto_net_name(const char* name);

}  // namespace veltrax
