#include <gtest/gtest.h>

#include <string>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;
using test::Texts;

struct Read : test::ReadText {
  explicit Read(std::string_view text) : ReadText(FORMAT_PROTEL, text) {}
};

TEST(ReadProtel, ReadsBothComponentFormsAndNetBlocks) {
  Read r(crlf({"PROTEL NETLIST 2.0",
               "[",
               "U1",
               "SO14",
               "74HC00",
               "",
               "",
               "]",
               "[",
               "DESIGNATOR",
               "R1",
               "FOOTPRINT",
               "R0603",
               "DESCRIPTION",
               "resistor",
               "PARTTYPE",
               "10K",
               "]",
               "(",
               "GND",
               "U1-7",
               "R1-2",
               ")"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|74HC00|SO14", "R1|10K|R0603"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|7|GND", "R1|2|GND"}));
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadProtel, ReadsThePositionalFormByPosition) {
  // Leading blanks stay in the designator and go from footprint and value; double quotes go
  // from the value only; lines after the value are ignored up to the next line beginning ']'.
  Read r(crlf(
      {"[", " C1", "  \"SM\" 0805", "  \"100n\"", "[", "(", "x", "]x", "(", "N", "C1-1", ")"}));
  EXPECT_EQ(r.parts(), (Texts{" C1|100n|\"SM\" 0805"}));
  EXPECT_EQ(r.pins, 1);
  // A block of fewer than three items takes the ']' as its value and reads on to the next ']',
  // here swallowing a net block.
  Read short_block(
      crlf({"[", "C2", "0805", "]", "(", "N", "C2-1", ")", "]", "(", "M", "C2-2", ")"}));
  EXPECT_EQ(short_block.parts(), (Texts{"C2|]|0805"}));
  EXPECT_EQ(short_block.pin_list(), (Texts{"C2|2|M"}));
}

TEST(ReadProtel, ReadsTheKeywordFormAsKeywordAndValuePairs) {
  // Missing FOOTPRINT and PARTTYPE leave the fields empty; keywords match whole lines exactly;
  // the value line of any keyword is taken whatever it holds, a ']' included.
  Read r(crlf({"[",  "DESIGNATOR", "D1",           "]",         "[",         "DESIGNATOR",
               "D2", "FOOTPRINT ", "SOD123",       "Footprint", "x",         "LIBRARYFIELD1",
               "]",  "PARTTYPE",   "  \"1N4148\"", "FOOTPRINT", "  SOD 323", "]",
               "(",  "N",          "D1-1",         ")"}));
  EXPECT_EQ(r.parts(), (Texts{"D1||", "D2|1N4148|SOD 323"}));
}

TEST(ReadProtel, ReadsEveryNetBlockLineAsOnePin) {
  // Each line is cut at its first blank; the designator ends at the first '-'; an empty line is
  // a pin too, and no block opens inside a net block.
  Read r(crlf({"(", "N", "U1-7 R1-2", "U1-7 CAPACITOR-1 PASSIVE", "P1-16-1", "J1", "", "-3", "[",
               " U2-1", ")"}));
  EXPECT_EQ(r.pin_list(),
            (Texts{"U1|7|N", "U1|7|N", "P1|16-1|N", "J1||N", "||N", "|3|N", "[||N", "||N"}));
}

TEST(ReadProtel, KeepsTheWholeNetNameLineWithoutDoubleQuotes) {
  // The name is cut at 50 characters before its quotes go.
  const std::string n48(48, 'n');
  Read r(crlf({"(", " VCC \"5V\" ", "U1-14", ")", "(", std::string(60, 'n'), "U1-7", ")", "(",
               n48 + "\"\"xy", "U1-8", ")"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|14| VCC 5V ", "U1|7|" + std::string(50, 'n'), "U1|8|" + n48}));
}

TEST(ReadProtel, CutsOverlongFieldsAndReadsTheNextOneRight) {
  const std::string designator(25, 'D');
  const std::string d20 = designator.substr(0, 20);
  Read r(crlf({"[", designator, std::string(130, 'f'), std::string(110, 'v'), "]", "[",
               "DESIGNATOR", designator, "FOOTPRINT", std::string(130, 'g'), "PARTTYPE",
               "\"" + std::string(110, 'w') + "\"", "]", "(", "N", designator + "-123456789012 x",
               "R1-1", ")"}));
  EXPECT_EQ(r.parts(), (Texts{d20 + "|" + std::string(100, 'v') + "|" + std::string(120, 'f'),
                              d20 + "|" + std::string(100, 'w') + "|" + std::string(120, 'g')}));
  EXPECT_EQ(r.pin_list(), (Texts{d20 + "|1234567890|N", "R1|1|N"}));
}

TEST(ReadProtel, ReadsLinesOf199CharactersAndGoesOnWithTheRest) {
  // A line longer than 199 characters goes on as the next line: in a net block, a pin.
  Read r(crlf({"(", "N", "U1-1" + std::string(195, ' ') + "R9-9", ")"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|1|N", "R9|9|N"}));
}

TEST(ReadProtel, FailsWithoutPinsOnly) {
  EXPECT_EQ(Read("").result, -9);
  Read parts_only(crlf({"[", "U1", "SO8", "LM358", "]"}));
  EXPECT_EQ(parts_only.result, -9);
  EXPECT_EQ(parts_only.failure_line(), 5);  // where reading stopped: the last line
  Read empty_net(crlf({"(", "EMPTY", ")"}));
  EXPECT_EQ(empty_net.result, -9);
  EXPECT_EQ(empty_net.pins, -1);  // pin_count left alone on failure
  // A block left open ends with the file; a part whose value line is missing is not counted.
  Read open(crlf({"(", "N", "U1-1", ")", "[", "U1", "SO8"}));
  EXPECT_EQ(open.result, 0);
  EXPECT_EQ(open.pins, 1);
}

TEST(ReadProtel, KeepsTheCapacitiesAndCountsDroppedPartsOnly) {
  std::string text;
  for (int i = 0; i < PART_CAPACITY; ++i)
    text += crlf({"[", "DESIGNATOR", "R" + std::to_string(i), "FOOTPRINT", "R0603", "]"});
  // The 6001st part changes none of the stored parts, in either form.
  text += crlf({"[", "DESIGNATOR", "X1", "FOOTPRINT", "BAD", "PARTTYPE", "BAD", "]"});
  text += crlf({"[", "X2", "BAD", "BAD", "]", "(", "N"});
  for (int i = 0; i <= PIN_CAPACITY + 1; ++i)
    text += crlf({"R" + std::to_string(i % 1000) + "-1"});
  Read r(text);
  EXPECT_EQ(r.result, PART_CAPACITY);
  EXPECT_EQ(r.pins, PIN_CAPACITY);
  EXPECT_EQ(r.overflow(), 2);  // two parts; dropped pins are counted nowhere
  EXPECT_EQ(r.parts().back(), "R5999||R0603");
}

}  // namespace
}  // namespace veltrax
