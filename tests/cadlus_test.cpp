#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

struct Read : test::ReadText {
  explicit Read(std::string_view text) : ReadText(FORMAT_CADLUS, text) {}
};

const std::string RULE = "==== NET LIST ====\r\n--------------------\r\n";

TEST(ReadCadlus, ReadsThePlainLayout) {
  Read r("GND U1 7\r\nGND R1 2\r\n\"MY NET\"x U1 14\r\nA\tB  U2 1\r\n");
  EXPECT_EQ(r.result, 0);
  // The TAB is dropped; the second blank makes the designator empty and shifts the pin name.
  EXPECT_EQ(r.pins_text(), "GND:U1.7 GND:R1.2 MY NET:U1.14 AB:.U2 1");
}

TEST(ReadCadlus, ReadsTheTabularLayoutUpToAnEmptyLineOrTheEnd) {
  Read r(RULE + " GND U1-7 R1-2 \r\n  U2-7 \r\n VCC U1-14 \r\n\r\n VCC U9-9 \r\n");
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.pins_text(), "GND:U1.7 GND:R1.2 GND:U2.7 VCC:U1.14");
  // The last line's mark directly before the end of the text ends the list like an empty line.
  EXPECT_EQ(Read(RULE + " GND U1-7 R1-2 \r\n").pins_text(), "GND:U1.7 GND:R1.2");
  // A pin name without its blank takes the line mark and runs on to the next blank.
  EXPECT_EQ(Read(RULE + " GND U1-7\r\n  U2-7 \r\n").pins_text(), "GND:U1.7\r GND:U2.7");
}

TEST(ReadCadlus, FindsTheRuleOfDashes) {
  const struct {
    std::string text;
    int result;
  } cases[] = {
      {"-----------\r\n GND U1-7 \r\n", -11},  // the first dash does not count
      {"------------\r\n GND U1-7 \r\n", 0},
      {"----------\r\n-----------\r\n GND U1-7 \r\n", 0},  // read on to a later run
      {" T\r\n----------\r\n GND U1-7 \r\n", -11},         // the LF comes first
      {" T\r\n-------------------------x\r\n GND U1-7 \r\n", -11},
      {" T\r\n-----", -11},
      {" T\r\n-----------", -11},
      {"\r\n-----------\r\n\r\n", -9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.text).result, c.result) << c.text;
  }
}

// Each error with the input line of the offending text (0: none read); the header and the
// rule before a table leave no line marks in the condensed text.
TEST(ReadCadlus, ReportsEachSyntaxErrorAndItsLine) {
  const struct {
    std::string text;
    int code;
    int line;
  } cases[] = {
      {"GND\r\n", -4, 1},
      {"GND U1 7\r\n\r\n", -4, 2},  // an empty line is a net name without its blank
      {"GND U1\r\n", -7, 1},
      {"GND U1 7", -8, 1},
      {RULE + "GND U1-7 \r\n", -12, 3},
      {RULE + " GND", -14, 3},
      {RULE + " GND U1 \r\n", -15, 3},
      {RULE + " GND U1-7 ", -15, 3},  // the last line has no line mark
      {RULE + " GND U1-7", -16, 3},
      {"", -9, 0},
      {"GND U1 7\nGND U2 1\n\nx\n", -4, 3},
      {"== T ==\nmore\n" + RULE + " GND U1-7 \n  U2-1 \n   U3 \n", -15, 7},
      {" T\r\n-----\r\n", -11, 2},  // the file ends before the rule: its last line
  };
  for (const auto& c : cases) {
    Read r(c.text);
    EXPECT_EQ(r.result, c.code) << c.text;
    EXPECT_EQ(r.failure_line(), c.line) << c.text;
    EXPECT_EQ(r.pins, -1) << c.text;
    EXPECT_NE(failure_meaning(FORMAT_CADLUS, c.code, false), nullptr) << c.code;
  }
}

TEST(ReadCadlus, CutsOverlongFieldsAndCountsDroppedPinsOnlyInThePlainLayout) {
  using namespace test;
  EXPECT_EQ(Read(LONG_NET + " " + LONG_DESIGNATOR + " " + LONG_PIN + "\r\n").pins_text(), CUT_PIN);
  EXPECT_EQ(
      Read(RULE + " " + LONG_NET + " " + LONG_DESIGNATOR + "-" + LONG_PIN + " \r\n").pins_text(),
      CUT_PIN);

  std::string table = RULE;
  for (int i = 0; i <= PIN_CAPACITY; ++i)
    table += " N U" + std::to_string(i % 100) + "-1 \r\n";
  Read tabular(table);
  EXPECT_EQ(tabular.pins, PIN_CAPACITY);
  EXPECT_EQ(tabular.overflow(), 0);
  // Lines of 7 condensed characters fill the buffer exactly: the lines after it are not read.
  std::string plain;
  const int lines = static_cast<int>(READER_BUFFER_ROOM / 7);
  for (int i = 0; i < lines + 3; ++i)
    plain += "N U" + std::to_string(i % 10) + " 1\r\n";
  Read r(plain);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.pins, PIN_CAPACITY);
  EXPECT_EQ(r.overflow(), lines - PIN_CAPACITY);
}

}  // namespace
}  // namespace veltrax
