#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using test::Fails, test::Reads;

std::string netlist(std::string_view comp, std::string_view nets = "N={U1-1};") {
  return "$NET_LIST{comp{" + std::string(comp) + "}nets{" + std::string(nets) + "}}";
}
constexpr const char* N_U1_1 = "N:U1.1";

// Blanks, line breaks and comments go outside brackets; bracketed text stays as written.
TEST(ReadCadvance, ReadsEntriesAndBlocks) {
  test::expect_reads(
      FORMAT_CADVANCE,
      {
          {netlist("U1 [A[1]] {P};"), "U1|A[1]|P", N_U1_1},
          {netlist("U1 [a /* b */ c\t ] {P};"), "U1|a /* b */ c\t|P", N_U1_1},
          {netlist("U1 [\"q] \" x] {P};"), "U1|q]|P", N_U1_1},  // the quote's ] closes already
          {netlist("U1 [v] {P}; /* a **/ U2 [w] {P}; */"), "U1|v|P", N_U1_1},
          {netlist("U 1/[a b] {P};"), "U1/|ab|P", N_U1_1},  // after a slash [ opens nothing
          {netlist("U1[v]{S\"O1\"4};"), "U1|v|SO14", N_U1_1},
          {netlist("", "GND 1={A-1}; \"V C\"x={A-2}; a/ b={A-3}; c/d={A-4};"), "",
           "GND1:A.1 VC:A.2 a/b:A.3 c/d:A.4"},
          // Blocks in any order; text before a block is passed over; the netlist's } ends it.
          {"x{$NET_LIST junk {nets{A={U1-1};} comp{U1[v]{f};} nets{B={U2-2,U-3-4};}} "
           "nets{C={U4-4};}",
           "U1|v|f", "A:U1.1 B:U2.2 B:U.3-4"},
      });
}

// Above 0 the option keeps only the footprint's first quoted text or comma-separated item.
TEST(ReadCadvance, ReadsTheFootprintByTheFormatOption) {
  for (const int option : {0, 1, 9}) {
    const bool whole = option == 0;
    test::expect_reads(
        FORMAT_CADVANCE,
        {
            {netlist("U1[v]{\"SO14\",\"SMD\"};"), whole ? "U1|v|SO14,SMD" : "U1|v|SO14", N_U1_1},
            {netlist("U1[v]{SO14,SMD};"), whole ? "U1|v|SO14,SMD" : "U1|v|SO14", N_U1_1},
            {netlist("U1[v]{\"SO,14\"x};"), whole ? "U1|v|SO,14x" : "U1|v|SO,14", N_U1_1},
        },
        option);
  }
}

// The line of the offending text: line breaks outside brackets are dropped, those inside kept.
TEST(ReadCadvance, ReportsEachSyntaxErrorAndItsLine) {
  test::expect_fails(
      FORMAT_CADVANCE,
      {
          {"comp{U1[v]{f};}\n\n", CADVANCE_NO_NETLIST, 1},  // the line of the end of the text
          {"x{ $NET_LIST }", CADVANCE_NO_NETLIST_BRACE, 1},
          {"/*\r\n\r\n*/ $NET_LIST\r\n", CADVANCE_NO_NETLIST_BRACE, 3},
          {"$NET_LIST{comp", CADVANCE_NO_BLOCK_BRACE, 1},
          {"$NET_LIST{comp{U1[v]f};}", CADVANCE_NO_FOOTPRINT_BRACE, 1},
          {"$NET_LIST{comp{U1[v]{f},}", CADVANCE_PART_NOT_CLOSED, 1},
          {"$NET_LIST{comp{U1[a\r\nb]{f};\r\nU2[c]{f},}}", CADVANCE_PART_NOT_CLOSED, 3},
          {"$NET_LIST{nets{A=U1-1};}}", CADVANCE_NO_PIN_LIST, 1},
          {"$NET_LIST{nets{A={U1,U2-1};}}", CADVANCE_PIN_WITHOUT_DASH, 1},
          {"$NET_LIST{nets{A={};}}", CADVANCE_PIN_WITHOUT_DASH, 1},
          {"/* a\r\n b */\r\n$NET_LIST {\r\n nets {\r\n  A = {U1-1,\r\n\r\n   U2};\r\n }\r\n}\r\n",
           CADVANCE_PIN_WITHOUT_DASH, 7},
          {"$NET_LIST{nets{A={U1-1}}}", CADVANCE_NET_NOT_CLOSED, 1},
          {"$NET_LIST{nets{\nA={U1-1,\n\nU2-2\n\n", CADVANCE_NET_NOT_CLOSED, 4},  // the last pin
          {"", READ_NOTHING, 0},
          {"/* only a comment */ \r\n", READ_NOTHING, 1},
          {"$NET_LIST{comp{U1[v]{f};}}", READ_NOTHING, 1},
      });
}

}  // namespace
}  // namespace veltrax
