// What the seven readers share: the marks that tell a netlist's format from its first bytes
// (each format's marker claims the files of its own format and none of the others', and
// detection finds every format), what the error codes of each format's reader mean, and how
// every reader cuts overlong fields and keeps the capacities of its tables.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

struct Sample {
  int format;  // -1: a file of no format
  const char* text;
};

const Sample kSamples[] = {
    {FORMAT_CADVANCE, "/* A */\r\n$NET_LIST {\r\n comp {\r\n  U1 [74HC00] {SO14};\r\n }\r\n}\r\n"},
    {FORMAT_CADVANCE,
     "/* board */\r\n$NET_LIST {\r\n comp { U1 [74HC00] {SO14}; }\r\n"
     " nets { GND = {U1-7, R1-2}; }\r\n}\r\n"},
    {FORMAT_MM2, "$PTS\r\nDIP14 ! 74HC00 ; U1\r\n$NET\r\nGND; U1-7\r\n$END\r\n"},
    {FORMAT_MM2, "$PTS\r\nDIP14 ! 74HC00 ; U1\r\n$NETS\r\nGND; U1-7, R1-2\r\n$END\r\n"},
    {FORMAT_MM2, "  $NET\nGND; U1-7\n"},
    {FORMAT_CADLUS, "GND U1 7\r\nGND R1 2\r\n"},
    {FORMAT_CADLUS, "==== NETS ====\r\n--------------------\r\n GND U1-7 R1-2 \r\n"},
    {FORMAT_CADLUS, " T\n------------\n GND U1-7 \n"},  // LF after a dash: its own line mark
    {FORMAT_PROTEL, "[\r\nU1\r\nSO14\r\n74HC00\r\n]\r\n(\r\nGND\r\nU1-7\r\n)\r\n"},
    {FORMAT_PROTEL, "PROTEL NETLIST 2.0\r\n[\r\nDESIGNATOR\r\nU1\r\n]\r\n"},
    {FORMAT_PROTEL, "(\nGND\nU1-7\nR1-2\n)\n"},
    {FORMAT_TELESIS, "$PACKAGES\r\nDIP14 ! 74HC00 ; U1\r\n$NETS\r\nGND ; U1.7\r\n$END\r\n"},
    {FORMAT_TELESIS,
     "(Allegro netlister)\n$PACKAGES\n! DIP14! 74HC00; U1\n$NETS\nGND; U1.7,\n R1.2\n$END\n"},
    {FORMAT_TELESIS,
     "(NETLIST)\r\n(Source: x)\r\n$PACKAGES\r\n! 'R0603' ! '1k' ; R1,\r\n\tR2\r\n$NETS\r\n"},
    {FORMAT_TELESIS, "$NETS\r\nGND ; U1.7 R1.2\r\n$END\r\n"},
    {FORMAT_CCF, "$CCF {\r\n DEFINITION {\r\n  74HC00.SO14 : U1;\r\n }\r\n}\r\n"},
    {FORMAT_CCF, "  $CCF{ NET{ DAD001: IC1(1),XTAL1(1);} }"},
    {FORMAT_PADS, "*PADS-PCB*\r\n*PART*\r\nU1 74HC00@SO14\r\n*NET*\r\n*SIGNAL* GND\r\nU1.7\r\n"},
    {FORMAT_PADS, "header\n*PART*\n"},
    {FORMAT_PADS, "  *SIGNAL* A"},
    {-1, "x *PART*"},
    {-1, "hello world\r\n"},
    {-1, "GND U1 7\r\nGND  R1 2\r\n"},           // a second blank
    {-1, "GND U1 7"},                            // no whole line
    {-1, " T\r\n----------\r\n GND U1-7 \r\n"},  // the rule's CR is dropped, its LF comes first
    {-1, "-----------\r\nGND U1-7 \r\n"},        // no blank before the net
    {-1, "x $PTS\r\n$NET_\r\n"},
    {-1, ""},
};

TEST(FormatMarks, EachMarkerClaimsItsOwnFormatOnlyAndDetectionFindsIt) {
  for (int format = 0; format < FORMAT_COUNT; ++format) {
    const auto looks_like = format_at(format).looks_like;
    ASSERT_NE(looks_like, nullptr) << format_at(format).name;
    for (const Sample& s : kSamples) {
      EXPECT_EQ(looks_like(s.text), s.format == format)
          << format_at(format).name << " on " << s.text;
    }
  }
  for (const Sample& s : kSamples)
    EXPECT_EQ(detect_format(s.text), s.format) << s.text;
}

TEST(FormatMarks, NeedWholeMarks) {
  // A '[' or '(' that is not a whole line is no mark, nor is a block that is never closed.
  EXPECT_FALSE(looks_like_protel("(header)\r\n[x]\r\n]\r\n"));
  EXPECT_FALSE(looks_like_protel("[\r\nU1\r\n"));
  EXPECT_FALSE(looks_like_protel(")\r\n(\r\n"));
  EXPECT_TRUE(looks_like_protel(" [ \t\r\nU1\r\n]"));
  EXPECT_FALSE(looks_like_ccf("x $CCF {\r\n"));
  EXPECT_FALSE(looks_like_telesis("x $PACKAGES\r\n"));
  EXPECT_FALSE(looks_like_telesis("$PTS\r\n$NETS\r\n"));
}

// A reader's own codes, -9 for every format and -1 outside the list have a meaning in both
// languages, a short phrase; any other code has none.
TEST(FormatList, TellsWhatEachErrorCodeMeans) {
  for (int format = 0; format < FORMAT_COUNT; ++format) {
    for (const FailureMeaning& f : format_at(format).failures) {
      const std::string_view english = failure_meaning(format, f.code, false);
      EXPECT_FALSE(std::isupper(static_cast<unsigned char>(english[0])) || english.ends_with('.'))
          << english;
      EXPECT_NE(failure_meaning(format, f.code, true), nullptr) << english;
    }
    EXPECT_NE(failure_meaning(format, READ_NOTHING, true), nullptr);
    EXPECT_EQ(failure_meaning(format, -10, false), nullptr);
  }
  EXPECT_EQ(failure_meaning(FORMAT_PADS, READ_NO_FORMAT, false), nullptr);
  EXPECT_NE(failure_meaning(FORMAT_COUNT, READ_NO_FORMAT, true), nullptr);
}

// Every field longer than its room is cut, and the field after it is read right.
TEST(Readers, CutOverlongFields) {
  using namespace test;
  const std::string pin = LONG_DESIGNATOR + "-" + LONG_PIN;
  const struct {
    int format;
    std::string text;
  } cases[] = {
      {FORMAT_CADVANCE, "$NET_LIST{comp{" + LONG_DESIGNATOR + "[" + LONG_VALUE + "]{" +
                            LONG_FOOTPRINT + "};R1[v]{f};}nets{" + LONG_NET + "={" + pin +
                            ",R1-2};}}"},
      {FORMAT_MM2, crlf({"$PTS", LONG_FOOTPRINT + "!" + LONG_VALUE + ";" + LONG_DESIGNATOR,
                         "f!v;R1", "$NET", LONG_NET + ";" + pin + ",R1-2", "$END"})},
      {FORMAT_CADLUS,
       crlf({LONG_NET + " " + LONG_DESIGNATOR + " " + LONG_PIN, LONG_NET + " R1 2"})},
      {FORMAT_CADLUS, crlf({"==", "-----------", " " + LONG_NET + " " + pin + " R1-2 "})},
      {FORMAT_PROTEL,
       crlf({"[", LONG_DESIGNATOR, LONG_FOOTPRINT, LONG_VALUE, "]", "[", "DESIGNATOR", "R1",
             "FOOTPRINT", "f", "PARTTYPE", "v", "]", "(", LONG_NET, pin + " x", "R1-2", ")"})},
      {FORMAT_TELESIS,
       crlf({"$PACKAGES", LONG_FOOTPRINT + "!" + LONG_VALUE + ";" + LONG_DESIGNATOR, "f!v;R1",
             "$NETS", LONG_NET + ";" + LONG_DESIGNATOR + "." + LONG_PIN + " R1.2"})},
      {FORMAT_CCF,
       crlf({"$CCF {", "DEFINITION {",
             LONG_VALUE + "." + LONG_FOOTPRINT + " : " + LONG_DESIGNATOR + ";", "v.f : R1;", "}",
             "NET {", LONG_NET + " : " + LONG_DESIGNATOR + "(" + LONG_PIN + "), R1(2);", "}",
             "}"})},
      {FORMAT_PADS,
       crlf({"*PART*", LONG_DESIGNATOR + " " + LONG_VALUE + "@" + LONG_FOOTPRINT, "R1 v@f", "*NET*",
             "*SIGNAL* " + LONG_NET, LONG_DESIGNATOR + "." + LONG_PIN + " R1.2"})},
  };
  for (const auto& c : cases) {
    const ReadText r(c.format, c.text);
    EXPECT_EQ(r.parts(), c.format == FORMAT_CADLUS ? "" : CUT_PART + " R1|v|f") << c.text;
    EXPECT_EQ(r.pin_list(), CUT_PIN + " " + LONG_NET.substr(0, NET_ROOM) + ":R1.2") << c.text;
  }
}

// A part or pin past a full table is dropped without touching the records kept, and counted
// as dropped: parts always, pins by the readers that count them.
TEST(Readers, KeepTheCapacitiesAndCountWhatTheyDrop) {
  const struct {
    int format;
    const char* head;
    const char* part_before;  // the part line around its number
    const char* part_after;
    const char* middle;
    const char* pin;
    const char* tail;
    int dropped;  // parts and pins counted as dropped
  } cases[] = {
      {FORMAT_CADVANCE, "$NET_LIST{comp{", "R", "[1k]{f};", "}nets{A={", "R1-1,", "R1-2};}}", 1},
      {FORMAT_MM2, "$PTS\r\n", "f!1k;R", "\r\n", "$NET\r\nA;", "R1-1,\r\n", "R1-2\r\n$END\r\n", 1},
      {FORMAT_CADLUS, "", "", "", "", "A R1 1\r\n", "", 2},
      {FORMAT_CADLUS, "==\r\n-----------\r\n", "", "", "", " A R1-1 \r\n", "", 0},
      // The part past the table in either form.
      {FORMAT_PROTEL, "", "[\r\nR", "\r\nf\r\n1k\r\n]\r\n",
       "[\r\nDESIGNATOR\r\nX1\r\nFOOTPRINT\r\nx\r\nPARTTYPE\r\nx\r\n]\r\n(\r\nA\r\n", "R1-1\r\n",
       "", 2},
      {FORMAT_TELESIS, "$PACKAGES\r\n", "f ! 1k ; R", "\r\n", "$NETS\r\n", "A ; R1.1\r\n", "", 1},
      {FORMAT_CCF, "$CCF {\r\nDEFINITION {\r\n1k.f :", " R", ",\r\n",
       ";\r\n}\r\nNET {\r\nA :", " R1(1),\r\n", ";\r\n}\r\n}\r\n", 3},
      {FORMAT_PADS, "*PART*\r\n", "R", " 1k@f\r\n", "*NET*\r\n*SIGNAL* A\r\n", "R1.1\r\n", "", 3},
  };
  for (const auto& c : cases) {
    const bool parts = *c.part_before != '\0';
    std::string text = c.head;
    for (int i = 0; parts && i <= PART_CAPACITY; ++i)
      text += c.part_before + std::to_string(i) + c.part_after;
    text += c.middle;
    for (int i = 0; i < PIN_CAPACITY + 2; ++i)
      text += c.pin;
    const test::ReadText r(c.format, text + c.tail);
    const char* name = format_at(c.format).name;
    EXPECT_EQ(r.result, parts ? PART_CAPACITY : 0) << name;
    EXPECT_EQ(r.pins, PIN_CAPACITY) << name;
    EXPECT_EQ(r.overflow(), c.dropped) << name;
    if (parts) {
      EXPECT_EQ(r.parts().substr(r.parts().rfind(' ') + 1), "R5999|1k|f") << name;
    }
  }
}

}  // namespace
}  // namespace veltrax
