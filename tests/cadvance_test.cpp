#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using test::CUT_PART, test::CUT_PIN;

struct Read : test::ReadText {
  explicit Read(std::string_view text, int option = 0) : ReadText(FORMAT_CADVANCE, text, option) {}
};

std::string netlist(std::string_view comp, std::string_view nets = "N={U1-1};") {
  return "$NET_LIST{comp{" + std::string(comp) + "}nets{" + std::string(nets) + "}}";
}

TEST(ReadCadvance, ReadsTheAcceptedExample) {
  Read r(
      "/* board */\r\n$NET_LIST {\r\n  comp {\r\n    U1 [74HC00] {SO14};\r\n"
      "    R1 [ 10K 5% ] {R0603};\r\n  }\r\n  nets {\r\n    GND = {U1-7, R1-2};\r\n  }\r\n}\r\n");
  EXPECT_EQ(r.result, 2);
  EXPECT_EQ(r.parts_text(), "U1|74HC00|SO14 R1|10K 5%|R0603");
  EXPECT_EQ(r.pins_text(), "GND:U1.7 GND:R1.2");
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadCadvance, DropsBlanksAndCommentsButKeepsBracketsAsWritten) {
  const struct {
    const char* entry;
    const char* part;
  } cases[] = {
      {"U1 [A[1]] {P};", "U1|A[1]|P"},
      {"U1 [a /* b */ c\t ] {P};", "U1|a /* b */ c\t|P"},  // no comment inside brackets
      {"U1 [\"q] \" x] {P};", "U1|q]|P"},  // the quote's ] closes the brackets already
      {"U1 [v] {P}; /* a **/ U2 [w] {P}; */", "U1|v|P"},  // **/ does not end a comment
      {"U 1/[a b] {P};", "U1/|ab|P"},                     // after a slash the [ opens nothing
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(netlist(c.entry)).parts_text(), c.part) << c.entry;
  }
  Read nets(netlist("", "GND 1={A-1}; \"V C\"x={A-2}; a/ b={A-3}; c/d={A-4};"));
  EXPECT_EQ(nets.pins_text(), "GND1:A.1 VC:A.2 a/b:A.3 c/d:A.4");
}

TEST(ReadCadvance, ReadsBlocksInAnyOrderAndStopsAtTheNetlistsEnd) {
  Read r(
      "x{$NET_LIST junk {nets{A={U1-1};} comp{U1[v]{f};} nets{B={U2-2,U-3-4};}} nets{C={U4-4};}");
  EXPECT_EQ(r.parts_text(), "U1|v|f");
  EXPECT_EQ(r.pins_text(), "A:U1.1 B:U2.2 B:U.3-4");
}

TEST(ReadCadvance, ReadsTheFootprintByTheFormatOption) {
  const struct {
    const char* footprint;
    int option;
    const char* part;
  } cases[] = {
      {"\"SO14\",\"SMD\"", 0, "U1|v|SO14,SMD"},
      {"\"SO14\",\"SMD\"", 1, "U1|v|SO14"},
      {"SO14,SMD", 1, "U1|v|SO14"},
      {"SO14,SMD", 9, "U1|v|SO14"},
      {"\"SO,14\"x", 1, "U1|v|SO,14"},
      {"S\"O1\"4", 0, "U1|v|SO14"},
  };
  for (const auto& c : cases) {
    Read r(netlist(std::string("U1[v]{") + c.footprint + "};"), c.option);
    EXPECT_EQ(r.parts_text(), c.part) << c.footprint << " " << c.option;
  }
}

// Each error with the input line of the offending text (0: none read). Line breaks outside
// brackets are dropped, those inside kept.
TEST(ReadCadvance, ReportsEachSyntaxErrorAndItsLine) {
  const struct {
    const char* text;
    int code;
    int line;
  } cases[] = {
      {"comp{U1[v]{f};}\n\n", -1, 1},  // the line of the end of the text
      {"x{ $NET_LIST }", -2, 1},
      {"$NET_LIST{comp", -3, 1},
      {"$NET_LIST{comp{U1[v]f};}", -4, 1},
      {"$NET_LIST{comp{U1[v]{f},}", -5, 1},
      {"$NET_LIST{nets{A=U1-1};}}", -6, 1},
      {"$NET_LIST{nets{A={U1,U2-1};}}", -7, 1},
      {"$NET_LIST{nets{A={};}}", -7, 1},
      {"$NET_LIST{nets{A={U1-1}}}", -8, 1},
      {"$NET_LIST{nets{A={U1-1", -8, 1},  // the text ends inside the net
      {"", -9, 0},
      {"/* only a comment */ \r\n", -9, 1},
      {"$NET_LIST{comp{U1[v]{f};}}", -9, 1},
      {"/* a\r\n b */\r\n$NET_LIST {\r\n nets {\r\n  A = {U1-1,\r\n\r\n   U2};\r\n }\r\n}\r\n", -7,
       7},
      {"$NET_LIST{comp{U1[a\r\nb]{f};\r\nU2[c]{f},}}", -5, 3},
      {"$NET_LIST{nets{\nA={U1-1,\n\nU2-2\n\n", -8, 4},  // the last pin's line
      {"/*\r\n\r\n*/ $NET_LIST\r\n", -2, 3},
  };
  for (const auto& c : cases) {
    Read r(c.text);
    EXPECT_EQ(r.result, c.code) << c.text;
    EXPECT_EQ(r.failure_line(), c.line) << c.text;
    EXPECT_EQ(r.pins, -1) << c.text;
    EXPECT_NE(failure_meaning(FORMAT_CADVANCE, c.code, false), nullptr) << c.code;
  }
}

TEST(ReadCadvance, CutsOverlongFieldsAndKeepsTheCapacities) {
  using namespace test;
  Read cut(netlist(LONG_DESIGNATOR + "[" + LONG_VALUE + "]{" + LONG_FOOTPRINT + "};",
                   LONG_NET + "={" + LONG_DESIGNATOR + "-" + LONG_PIN + ",R1-2};"));
  EXPECT_EQ(cut.parts_text(), CUT_PART);
  EXPECT_EQ(cut.pins_text(), CUT_PIN + " " + LONG_NET.substr(0, NET_ROOM) + ":R1.2");

  std::string parts, pins;
  for (int i = 0; i <= PART_CAPACITY; ++i)
    parts += "R" + std::to_string(i) + "[1k]{R0603};";
  for (int i = 0; i <= PIN_CAPACITY; ++i)
    pins += "R" + std::to_string(i % 100) + "-1,";
  Read full(netlist(parts, "A={" + pins + "R0-2};"));
  EXPECT_EQ(full.result, PART_CAPACITY);
  EXPECT_EQ(full.pins, PIN_CAPACITY);
  EXPECT_EQ(full.overflow(), 1);  // the part; pins beyond the table are not counted
  EXPECT_STREQ(full.part(PART_CAPACITY - 1).designator, "R5999");
}

}  // namespace
}  // namespace veltrax
