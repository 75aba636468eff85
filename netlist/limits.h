// Every capacity of the netlist model, named once. Nothing else spells these numbers.
#pragma once

#include <cstddef>

namespace veltrax {

// Records of one netlist store.
inline constexpr int PART_CAPACITY = 6000;  // usable PartRecords; one scratch record follows
inline constexpr int PIN_CAPACITY = 20000;  // usable PinRecords; one scratch record follows

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

// The work buffer that the condensing readers fill in their first pass (terminator extra).
inline constexpr int READER_BUFFER_ROOM = 2100000;

// Net texts. A member entry is designator, '.', pin and '|'; a part entry is designator and '|'.
inline constexpr int MEMBER_ENTRY_MAX = DESIGNATOR_ROOM + 1 + PIN_ROOM + 1;
inline constexpr int PART_ENTRY_MAX = DESIGNATOR_ROOM + 1;
inline constexpr char OPEN_ERROR_TEXT[] = "**OPEN ERROR**";  // the texts of a net of one pin

// The shared net text pools hold the texts of both stores of a run. They are sized so that they
// cannot run full: a net of k >= 2 pins costs its k entries plus at most 10 bytes ("%upin|" with
// k <= 20000, and the zero), that is at most 5 bytes more per pin; a net of one pin costs 15
// bytes, less than one entry. A pin whose name is empty has an entry shorter than the largest by
// more than the one byte its wildcard entry needs, so that room is inside the bound too.
inline constexpr int STORES_PER_RUN = 2;
inline constexpr std::size_t NET_OVERHEAD_PER_PIN = 5;
inline constexpr std::size_t COUNTED_POOL_SIZE =
    std::size_t{STORES_PER_RUN} * PIN_CAPACITY * (MEMBER_ENTRY_MAX + NET_OVERHEAD_PER_PIN);
inline constexpr std::size_t MEMBER_POOL_SIZE = COUNTED_POOL_SIZE;
inline constexpr std::size_t PART_POOL_SIZE =
    std::size_t{STORES_PER_RUN} * PIN_CAPACITY * (PART_ENTRY_MAX + NET_OVERHEAD_PER_PIN);
static_assert(sizeof(OPEN_ERROR_TEXT) <= PART_ENTRY_MAX + NET_OVERHEAD_PER_PIN);
static_assert(DESIGNATOR_ROOM + 3 + 1 <= MEMBER_ENTRY_MAX, "an empty pin's wildcard fits");

// The result file name built from the compare netlist's path.
inline constexpr int RESULT_NAME_ROOM = 519;

}  // namespace veltrax
