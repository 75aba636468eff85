#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;

TEST(ReadProtel, ReadsComponentAndNetBlocks) {
  const std::string n48(48, 'n');
  test::expect_reads(
      FORMAT_PROTEL,
      {
          // By position: leading blanks stay in the designator and go from footprint and value;
          // double quotes go from the value only; lines after the value are ignored up to the
          // next line beginning ']'.
          {crlf({"[", " C1", "  \"SM\" 0805", "  \"100n\"", "[", "(", "x", "]x", "(", "N", "C1-1",
                 ")"}),
           " C1|100n|\"SM\" 0805", "N:C1.1"},
          // A block of fewer than three items takes the ']' as its value and reads on to the
          // next ']', here swallowing a net block.
          {crlf({"[", "C2", "0805", "]", "(", "N", "C2-1", ")", "]", "(", "M", "C2-2", ")"}),
           "C2|]|0805", "M:C2.2"},
          // By keyword: missing FOOTPRINT and PARTTYPE leave the fields empty; keywords match
          // whole lines exactly; the value line of any keyword is taken whatever it holds.
          {crlf({"[",  "DESIGNATOR", "D1",           "]",         "[",         "DESIGNATOR",
                 "D2", "FOOTPRINT ", "SOD123",       "Footprint", "x",         "LIBRARYFIELD1",
                 "]",  "PARTTYPE",   "  \"1N4148\"", "FOOTPRINT", "  SOD 323", "]",
                 "(",  "N",          "D1-1",         ")"}),
           "D1|| D2|1N4148|SOD 323", "N:D1.1"},
          // Every net block line is a pin, cut at its first blank, its designator ending at the
          // first '-'; no block opens inside a net block.
          {crlf({"(", "N", "U1-7 R1-2", "U1-7 CAPACITOR-1 PASSIVE", "P1-16-1", "J1", "", "-3", "[",
                 " U2-1", ")"}),
           "", "N:U1.7 N:U1.7 N:P1.16-1 N:J1. N:. N:.3 N:[. N:."},
          // The net name is the whole line without double quotes, cut at 50 before they go.
          {crlf({"(", " VCC \"5V\" ", "U1-14", ")", "(", std::string(60, 'n'), "U1-7", ")", "(",
                 n48 + "\"\"xy", "U1-8", ")"}),
           "", " VCC 5V :U1.14 " + std::string(50, 'n') + ":U1.7 " + n48 + ":U1.8"},
          // A line longer than 199 characters goes on as the next line.
          {crlf({"(", "N", "U1-1" + std::string(195, ' ') + "R9-9", ")"}), "", "N:U1.1 N:R9.9"},
          // A block left open ends with the file; a part without its value line is not counted.
          {crlf({"(", "N", "U1-1", ")", "[", "U1", "SO8"}), "", "N:U1.1"},
      });
}

TEST(ReadProtel, FailsWithoutPinsOnly) {
  test::expect_fails(FORMAT_PROTEL, {
                                        {crlf({"[", "U1", "SO8", "LM358", "]"}), READ_NOTHING, 5},
                                        {crlf({"(", "EMPTY", ")"}), READ_NOTHING, 3},
                                    });
}

}  // namespace
}  // namespace veltrax
