#include <gtest/gtest.h>

#include <string>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;
using test::Texts;

struct Read : test::ReadText {
  explicit Read(std::string_view text, int format_option = 0)
      : ReadText(FORMAT_CCF, text, format_option) {}
};

// A netlist with the given definition block lines and net block lines.
std::string ccf(std::initializer_list<std::string_view> definitions,
                std::initializer_list<std::string_view> nets) {
  std::string text = crlf({"$CCF {", "DEFINITION {"});
  for (const std::string_view line : definitions)
    text += crlf({line});
  text += crlf({"}", "NET {"});
  for (const std::string_view line : nets)
    text += crlf({line});
  return text + crlf({"}", "}"});
}

TEST(ReadCcf, ReadsTheAcceptedExample) {
  Read r(crlf({"$CCF {", "  DEFINITION {", "    74HC00.SO14 : U1, U2;", "    10K.R0603 : R1;",
               "  }", "  NET {", "    GND : U1(7), U2(7),", "          R1(2);", "  }", "}"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|74HC00|SO14", "U2|74HC00|SO14", "R1|10K|R0603"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|7|GND", "U2|7|GND", "R1|2|GND"}));
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadCcf, ChangesItsGrammarWithTheFormatOption) {
  const std::string text = crlf({"$CCF {", "DEFINITION {", "74HC00.SO14 : U1;", "}",
                                 "SIGNAL { A : U1(1); }", "NET { GND : U1(7); }", "}"});
  struct Case {
    int option;
    const char* part;
    int pins;
  };
  const Case cases[] = {
      {0, "U1|74HC00|SO14", 1},                             // SIGNAL is an unknown block
      {1, "U1|74HC00|SO14", 2},                             // bit 0: any word opens a net block
      {2, "U1|74HC00.SO14|", 1},                            // bit 1: the type is the value
      {3, "U1|74HC00.SO14|", 2}, {4, "U1|74HC00|SO14", 1},  // other bits change nothing
  };
  for (const Case& c : cases) {
    Read r(text, c.option);
    EXPECT_EQ(r.parts(), Texts{c.part}) << c.option;
    EXPECT_EQ(r.pins, c.pins) << c.option;
  }
  // With bit 0 any run of characters from 'A' to 'z' is a net keyword, '_' and '[' included.
  Read word(crlf({"$CCF { a_[Z { N : R1(1); } 1X { N : R1(2); } }"}), 1);
  EXPECT_EQ(word.pin_list(), Texts{"R1|1|N"});
}

TEST(ReadCcf, SplitsThePartTypeAtItsLastDot) {
  // A dot at the first character does not count; quotes end the texts; the last colon of the
  // line ends the type; lines without a colon, or with only a leading one, are ignored.
  Read r(
      ccf({"74HC00.SO14 : U1;", "10K : U2;", ".SO14 : U3;", "74HC.00.SO14 : U4;",
           "  \"74HC00 . SO14\" : U5;", "1N4148. .SOD : U6;", "A.B : C : U7;", "no colon", ":U8;"},
          {"N : U1(1);"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|74HC00|SO14", "U2|10K|", "U3|.SO14|", "U4|74HC.00|SO14",
                              "U5|74HC00|SO14", "U6|1N4148.|SOD", "U7|A|B : C"}));
}

TEST(ReadCcf, ReadsDesignatorListsUpToTheirSemicolon) {
  // Quotes around a designator go; blanks alone do not separate, so U5 loses its first
  // character; a ';' after the last comma makes no part.
  Read r(
      ccf({"T.F : U1,", "  \"U2\", ", "", "  U3;", "T.G : U4 U5;", "T.H : U6, ;"}, {"N : U1(1);"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|T|F", "U2|T|F", "U3|T|F", "U4|T|G", "5|T|G", "U6|T|H"}));
}

TEST(ReadCcf, ReadsPinListsUpToTheirSemicolon) {
  // A blank before '(' stays in the designator; blanks alone do not separate, so R1 and R2
  // lose their first character; a pin without '(' ends at the end of its line.
  Read r(ccf({}, {"$$GND : U1(7),", "  U2 (7), U3( A1 ) R1(1) R2(2);", "VCC : U1(14), ;", "N3 : J1",
                  "(2) ; N4 : U1(1);"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|7|GND", "U2 |7|GND", "U3|A1|GND", "1|1|GND", "2|2|GND",
                                 "U1|14|VCC", "J1||N3", "|2|N3", "U1|1|N4"}));
}

TEST(ReadCcf, FollowsTheBlocksAcrossLinesAndWithinOne) {
  // Everything on one line, an unknown block skipped, text after the closing brace ignored up to
  // the next line that begins with $CCF.
  Read r(crlf({"header", "x $CCF { NET { A : R9(9); } }",
               "  $CCF{REMARK{a;b}NET{N1:R1(1),R1(2);}} NET { B : R1(3); }", "NET { C : R1(4); }",
               "$CCF", "{", "DEFINITION", "{", "R.C : R1;", "}", "NET", "{", "D", ": R1(5);", "}",
               "}"}));
  EXPECT_EQ(r.parts(), (Texts{"R1|R|C"}));
  EXPECT_EQ(r.pin_list(), (Texts{"R1|1|N1", "R1|2|N1", "R1|5|D"}));
  // A line over 519 characters goes on as the next line in the same state.
  std::string list = "T.F : R10, ";
  for (int i = 0; i < 140; ++i)
    list += "R1, ";
  EXPECT_EQ(Read(ccf({list + ";"}, {"N : R1(1);"})).result, 141);
}

TEST(ReadCcf, FailsWithoutPinsOnly) {
  EXPECT_EQ(Read("").result, -9);
  Read outside(crlf({"DEFINITION {", "T.F : U1;", "}", "NET { N : U1(1); }"}));
  EXPECT_EQ(outside.result, -9);
  EXPECT_EQ(outside.failure_line(), 4);
  Read no_pins(ccf({"T.F : U1;"}, {}));
  EXPECT_EQ(no_pins.result, -9);
  EXPECT_EQ(no_pins.pins, -1);
}

TEST(ReadCcf, CutsOverlongFieldsAndReadsTheNextOneRight) {
  const std::string designator(25, 'D');
  const std::string d20 = designator.substr(0, 20);
  Read r(ccf({std::string(110, 'v') + "." + std::string(130, 'f') + " : " + designator + ", R1;"},
             {std::string(60, 'n') + " : " + designator + "(123456789012), R1(1);"}));
  const std::string type = std::string(100, 'v') + "|" + std::string(120, 'f');
  EXPECT_EQ(r.parts(), (Texts{d20 + "|" + type, "R1|" + type}));
  const std::string net(50, 'n');
  EXPECT_EQ(r.pin_list(), (Texts{d20 + "|1234567890|" + net, "R1|1|" + net}));
}

TEST(ReadCcf, KeepsTheCapacitiesAndCountsDroppedPartsAndPins) {
  std::string text = "$CCF {\r\nDEFINITION {\r\nT.F :";
  for (int i = 0; i <= PART_CAPACITY; ++i)
    text += " R" + std::to_string(i) + ",\r\n";
  text += ";\r\n}\r\nNET {\r\nN :";
  for (int i = 0; i <= PIN_CAPACITY + 1; ++i)
    text += " R1(" + std::to_string(i) + "),\r\n";
  Read r(text + ";\r\n}\r\n}\r\n");
  EXPECT_EQ(r.result, PART_CAPACITY);
  EXPECT_EQ(r.pins, PIN_CAPACITY);
  EXPECT_EQ(r.overflow(), 1 + 2);  // the 6001st part and two pins past 20000
  EXPECT_EQ(r.parts().back(), "R5999|T|F");
  EXPECT_EQ(r.pin_list().back(), "R1|19999|N");
}

}  // namespace
}  // namespace veltrax
