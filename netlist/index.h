// Indexing: turns a freshly read store into the form the comparison needs.
#pragma once

#include "netlist/store.h"

namespace veltrax {

// Normalises pin names and designators, gives every pin the three texts of its net (in the
// store's run memory), sorts the pins by (designator, pin) and the parts by designator, and makes
// the part list from the pins when the reader found none. reader_result is the reader's part count
// or negative code. Returns that code unchanged when negative, else the number of valid parts. Both
// sorts are stable.
int index_netlist(NetlistStore& store, int reader_result, int pin_count);

// The pin-name rule: without a leading "P$", and without the leading zeros of an all-digit name.
// Returns the position in the text where the normalised name starts.
const char* normalised_pin(const char* pin);

}  // namespace veltrax
