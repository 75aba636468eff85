#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;

// A netlist with the given definition block lines and net block lines.
std::string ccf(std::initializer_list<std::string_view> definitions,
                std::initializer_list<std::string_view> nets = {"N : U1(1);"}) {
  std::string text = crlf({"$CCF {", "DEFINITION {"});
  for (const std::string_view line : definitions)
    text += crlf({line});
  text += crlf({"}", "NET {"});
  for (const std::string_view line : nets)
    text += crlf({line});
  return text + crlf({"}", "}"});
}

std::string list_of_141_parts() {
  std::string list = "T.F : R10, ";
  for (int i = 0; i < 140; ++i)
    list += "R1, ";
  return list + ";";
}

TEST(ReadCcf, ReadsDefinitionAndNetBlocks) {
  test::expect_reads(
      FORMAT_CCF,
      {
          // The type splits at its last dot, not at the first character; quotes end the texts;
          // the last colon of the line ends the type; lines without a colon, or with only a
          // leading one, are ignored.
          {ccf({"74HC00.SO14 : U1;", "10K : U2;", ".SO14 : U3;", "74HC.00.SO14 : U4;",
                "  \"74HC00 . SO14\" : U5;", "1N4148. .SOD : U6;", "A.B : C : U7;", "no colon",
                ":U8;"}),
           "U1|74HC00|SO14 U2|10K| U3|.SO14| U4|74HC.00|SO14 U5|74HC00|SO14 U6|1N4148.|SOD "
           "U7|A|B : C",
           "N:U1.1"},
          // Quotes around a designator go; blanks alone do not separate, so U5 loses its first
          // character; a ';' after the last comma makes no part.
          {ccf({"T.F : U1,", "  \"U2\", ", "", "  U3;", "T.G : U4 U5;", "T.H : U6, ;"}),
           "U1|T|F U2|T|F U3|T|F U4|T|G 5|T|G U6|T|H", "N:U1.1"},
          // A blank before '(' stays in the designator; blanks alone do not separate, so R1 and
          // R2 lose their first character; a pin without '(' ends at the end of its line.
          {ccf({}, {"$$GND : U1(7),", "  U2 (7), U3( A1 ) R1(1) R2(2);", "VCC : U1(14), ;",
                    "N3 : J1", "(2) ; N4 : U1(1);"}),
           "", "GND:U1.7 GND:U2 .7 GND:U3.A1 GND:1.1 GND:2.2 VCC:U1.14 N3:J1. N3:.2 N4:U1.1"},
          // Blocks across lines and within one; an unknown block is skipped; text after the
          // closing brace is ignored up to the next line that begins with $CCF.
          {crlf({"header", "x $CCF { NET { A : R9(9); } }",
                 "  $CCF{REMARK{a;b}NET{N1:R1(1),R1(2);}} NET { B : R1(3); }", "NET { C : R1(4); }",
                 "$CCF", "{", "DEFINITION", "{", "R.C : R1;", "}", "NET", "{", "D", ": R1(5);", "}",
                 "}"}),
           "R1|R|C", "N1:R1.1 N1:R1.2 D:R1.5"},
      });
  // A line over 519 characters goes on as the next line in the same state.
  EXPECT_EQ(test::ReadText(FORMAT_CCF, ccf({list_of_141_parts()})).result, 141);
}

TEST(ReadCcf, ChangesItsGrammarWithTheFormatOption) {
  const std::string text = crlf({"$CCF {", "DEFINITION {", "74HC00.SO14 : U1;", "}",
                                 "SIGNAL { A : U1(1); }", "NET { GND : U1(7); }", "}"});
  // Bit 0: any word opens a net block (else SIGNAL is an unknown block); bit 1: the type is the
  // value; other bits change nothing.
  for (int option = 0; option <= 4; ++option) {
    test::expect_reads(FORMAT_CCF,
                       {{text, option & 2 ? "U1|74HC00.SO14|" : "U1|74HC00|SO14",
                         option & 1 ? "A:U1.1 GND:U1.7" : "GND:U1.7"}},
                       option);
  }
  // With bit 0 any run of characters from 'A' to 'z' is a net keyword, '_' and '[' included.
  test::expect_reads(
      FORMAT_CCF, {{crlf({"$CCF { Aa_[Zz { N : R1(1); } 1X { N : R1(2); } }"}), "", "N:R1.1"}}, 1);
}

TEST(ReadCcf, FailsWithoutPinsOnly) {
  test::expect_fails(
      FORMAT_CCF,
      {
          {crlf({"DEFINITION {", "T.F : U1;", "}", "NET { N : U1(1); }"}), READ_NOTHING, 4},
          {ccf({"T.F : U1;"}, {}), READ_NOTHING, 7},
      });
}

}  // namespace
}  // namespace veltrax
