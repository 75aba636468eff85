#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

const std::string RULE = "==== NET LIST ====\r\n--------------------\r\n";

TEST(ReadCadlus, ReadsBothLayouts) {
  test::expect_reads(
      FORMAT_CADLUS,
      {
          // The TAB is dropped; the second blank makes the designator empty and shifts the pin.
          {"GND U1 7\r\nGND R1 2\r\n\"MY NET\"x U1 14\r\nA\tB  U2 1\r\n", "",
           "GND:U1.7 GND:R1.2 MY NET:U1.14 AB:.U2 1"},
          // The table ends at an empty line, or at a line mark just before the end of the text.
          {RULE + " GND U1-7 R1-2 \r\n  U2-7 \r\n VCC U1-14 \r\n\r\n VCC U9-9 \r\n", "",
           "GND:U1.7 GND:R1.2 GND:U2.7 VCC:U1.14"},
          {RULE + " GND U1-7 R1-2 \r\n", "", "GND:U1.7 GND:R1.2"},
          // A pin name without its blank takes the line mark and runs on to the next blank.
          {RULE + " GND U1-7\r\n  U2-7 \r\n", "", "GND:U1.7\r GND:U2.7"},
          // The rule: ten dashes after the first character, read on to a later run.
          {"------------\r\n GND U1-7 \r\n", "", "GND:U1.7"},
          {"----------\r\n-----------\r\n GND U1-7 \r\n", "", "GND:U1.7"},
      });
}

// The line of the offending text: the header and the rule leave no line marks in the text.
TEST(ReadCadlus, ReportsEachSyntaxErrorAndItsLine) {
  test::expect_fails(
      FORMAT_CADLUS,
      {
          {"GND\r\n", CADLUS_NO_BLANK_AFTER_NET, 1},
          {"GND U1 7\r\n\r\n", CADLUS_NO_BLANK_AFTER_NET, 2},  // an empty line is a net name
          {"GND U1 7\nGND U2 1\n\nx\n", CADLUS_NO_BLANK_AFTER_NET, 3},
          {"GND U1\r\n", CADLUS_NO_BLANK_AFTER_DESIGNATOR, 1},
          {"GND U1 7", CADLUS_NO_MARK_AFTER_PIN, 1},
          {"-----------\r\n GND U1-7 \r\n", CADLUS_NO_LINE_MARK, 2},  // the first dash is no rule
          {" T\r\n----------\r\n GND U1-7 \r\n", CADLUS_NO_LINE_MARK, 3},  // the LF comes first
          {" T\r\n-------------------------x\r\n GND U1-7 \r\n", CADLUS_NO_LINE_MARK, 2},
          {" T\r\n-----", CADLUS_NO_LINE_MARK, 2},
          {" T\r\n-----\r\n", CADLUS_NO_LINE_MARK, 2},  // the file ends before the rule
          {" T\r\n-----------", CADLUS_NO_LINE_MARK, 2},
          {RULE + "GND U1-7 \r\n", CADLUS_NO_LEADING_BLANK, 3},
          {RULE + " GND", CADLUS_NO_BLANK_AFTER_TABLE_NET, 3},
          {RULE + " GND U1 \r\n", CADLUS_NO_DASH_IN_PIN, 3},
          {RULE + " GND U1-7 ", CADLUS_NO_DASH_IN_PIN, 3},  // the last line has no line mark
          {"== T ==\nmore\n" + RULE + " GND U1-7 \n  U2-1 \n   U3 \n", CADLUS_NO_DASH_IN_PIN, 7},
          {RULE + " GND U1-7", CADLUS_NO_BLANK_AFTER_TABLE_PIN, 3},
          {"\r\n-----------\r\n\r\n", READ_NOTHING, 3},
      });
}

}  // namespace
}  // namespace veltrax
