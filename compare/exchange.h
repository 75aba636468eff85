// Exchanged and differently named pins: two-pin passives whose pins 1 and 2 were exchanged, and
// diodes and transistors whose pins are numbered on one side and lettered on the other. The
// pairing pass tries these at its current positions i (reference) and j (compare); each either
// changes nothing and reports false, or permutes and relabels the compare records so that the
// classification pairs every reference pin with its counterpart, and reports true.
#pragma once

#include <array>
#include <initializer_list>

#include "compare/net_texts.h"
#include "netlist/store.h"

namespace veltrax {

// What the decisions look at, for the positions i.. and j.. at which they are tried.
struct CrossPattern {
  bool same_net[3][3] = {};     // [x][y]: R[i+x].net equals C[j+y].net
  int ref_size[3] = {};         // net sizes of R[i], R[i+1], R[i+2]
  int cmp_size[3] = {};         // net sizes of C[j], C[j+1], C[j+2]
  bool parts_equal[2][2] = {};  // [x][y]: R[i+x].net_parts equals C[j+y].net_parts (passives)
};

enum class Pairing { none, straight, crossed };

// The passive decision: true to exchange compare pins 1 and 2.
bool passive_exchanges(const CrossPattern& p);
// The diode decision: straight (R[i] with C[j]), crossed (R[i] with C[j+1]) or none.
Pairing diode_pairing(const CrossPattern& p);
// The transistor decision: for each reference position k, the compare offset of its partner;
// false when there is no mapping.
bool transistor_assignment(const CrossPattern& p, std::array<int, 3>& partner);

// The two pin tables being compared, with their pin counts and the run's net-text work.
struct PinSides {
  PinTable& ref;
  int ref_count;
  PinTable& cmp;
  int cmp_count;
  NetTexts& texts;
};

enum class Side { reference, compare };

// Passive exchange of the paired pin at (i, j).
bool try_passive_exchange(PinSides& t, int i, int j);
// Diode and transistor mappings at (i, j); numbered is the side whose pin the merge found alone.
bool try_diode_mapping(PinSides& t, int i, int j, Side numbered);
bool try_transistor_mapping(PinSides& t, int i, int j, Side numbered);

// True when the designator begins with one of the prefixes (tried in their order) and the byte
// after it, taken as a signed 8-bit number, is at most '9': a digit, most punctuation, a byte of
// 128 or more, or the end, but no letter.
bool has_prefix(const char* designator, std::initializer_list<const char*> prefixes);

// Designator tests of the pairing pass: whether a one-sided pin is worth a diode or transistor
// mapping.
bool looks_like_diode(const char* designator);
bool looks_like_transistor(const char* designator);

}  // namespace veltrax
