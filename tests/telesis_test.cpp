#include <gtest/gtest.h>

#include <string>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;
using test::Texts;

struct Read : test::ReadText {
  explicit Read(std::string_view text) : ReadText(FORMAT_TELESIS, text) {}
  // The text the first pass left for the second.
  static std::string condensed() { return test::last_condensed(); }
};

TEST(ReadTelesis, ReadsTheAcceptedExample) {
  Read r(crlf(
      {"(header)", "$PACKAGES", "DIP14 ! 74HC00 ; U1 U2", "$NETS", "GND ; U1.7 U2.7", "$END"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|74HC00|DIP14", "U2|74HC00|DIP14"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|7|GND", "U2|7|GND"}));
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadTelesis, CondensesEveryKindOfLine) {
  struct Case {
    std::string input;
    const char* condensed;
  };
  const Case cases[] = {
      // Keyword lines keep what follows the keyword, without blanks; $END stops reading.
      {crlf({"x $PACKAGES a b", "$NETS", "$END", "$PACKAGES", "A!B;C"}),
       "$PACKAGES"
       "ab\r$NETS\r$END\r"},
      // Blanks go next to '!' and ';', a further '!' becomes '/', apostrophes go; a comma
      // continues the designators, and stands as a blank between them.
      {crlf({"$PACKAGES", "DIP14 ! 74HC00 ; U1 U2", "none! VSRC! DC 15V; V1",
             "! 'R0603' ! '10K' ; R1,", "\tR2,", "\tR3", "! 1k ; R4 R5 ,", " R6"}),
       "$PACKAGES\rDIP14!74HC00;U1 U2\rnone!VSRC/DC 15V;V1\r!R0603/10K;R1 R2 R3\r"
       "!1k;R4 R5  R6\r"},
      // A line without '!' runs into the next one; an empty package line leaves nothing; a
      // second field without ';' ends with its line.
      {crlf({"$PACKAGES", "DIP", "14 ! x ; U1", "", "SO8 ! 10 k", "! y , U2"}),
       "$PACKAGES\rDIP14!x;U1\rSO8!10 k\r!y , U2\r"},
      // Net names lose blanks, apostrophes and leading '$'; pins are separated by one blank; a
      // comma drops the rest of its line; an empty net line keeps its line mark.
      {crlf({"$NETS", " '$$VCC 5V' ; U1.1   U2.1,", "\tU3.1", "N1 ; A.1, B.2", "C.3", "",
             "N2;D.4  ,  E.5", "F.6 "}),
       "$NETS\rVCC5V;U1.1 U2.1 U3.1\rN1;A.1 C.3\r\rN2;D.4 F.6 \r"},
      // Other '$' sections and text outside the sections are ignored.
      {crlf({"(NETLIST)", "$PACKAGES", "!a;R1", "$A_PROPERTIES", "'ROOM' ''/x'' ; D15,", "$NETS",
             "N;R1.1"}),
       "$PACKAGES\r!a;R1\r$NETS\rN;R1.1\r"},
  };
  for (const Case& c : cases) {
    Read r(c.input);
    EXPECT_EQ(Read::condensed(), c.condensed) << c.input;
  }
}

TEST(ReadTelesis, ReadsPackageLinesWithTheirCommasAndQuotes) {
  // A comma for the ';' copies the value into an empty footprint; so does a value that runs on
  // to the next line's ';', unless it is quoted.
  Read r(crlf({"$PACKAGES", "! 'R0603' ! '10K' ; R1,", "\tR2,", "\tR3", "! 10K , R4",
               "SO8 ! \"A B\" x ; U1 U2", "! \"4k7\"", "a ! b ; R5", "! 4k7", "a ! b ; R6", "$NETS",
               "N; R1.1"}));
  EXPECT_EQ(r.parts(), (Texts{"R1|R0603/10K|", "R2|R0603/10K|", "R3|R0603/10K|", "R4|10K|10K",
                              "U1|A B|SO8", "U2|A B|SO8", "R5|4k7|", "R6|4k7a!b|4k7a!b"}));
}

TEST(ReadTelesis, ReadsNetLinesWithTheirCommas) {
  // A comma at the end continues the pins, one in the middle drops the rest of its line; a
  // token without a dot runs to the next dot.
  Read r(crlf({"$NETS", "GND; CE1.1,", " CE2.1,", " R2.1", "'VCC \"5\" V'; A.1, B.2", "C.3", "",
               " $N3; AB CD.1 E.", "N4; F.1 .2 G.3.4 H.1234567890123"}));
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.pin_list(),
            (Texts{"CE1|1|GND", "CE2|1|GND", "R2|1|GND", "A|1|VCC5V", "C|3|VCC5V", "AB CD|1|N3",
                   "E||N3", "F|1|N4", "|2|N4", "G|3.4|N4", "H|1234567890|N4"}));
}

TEST(ReadTelesis, NeverStoresALineMarkInAText) {
  // A value without ';', empty lines before a net and a token without a dot all run over line
  // marks; no mark is stored.
  Read r(crlf({"$PACKAGES", "SO8 ! 10", "k !x; U1", "$NETS", "A; R1.1", "", "", "B; R1", "2.5"}));
  EXPECT_EQ(r.parts(), (Texts{"U1|10k!x|SO8"}));
  EXPECT_EQ(r.pin_list(), (Texts{"R1|1|A", "R12|5|B"}));
}

TEST(ReadTelesis, ReadsTheSectionsItFindsAndStopsAtEnd) {
  struct Case {
    std::string input;
    int result;
    int pins;
    int line;  // of a failure: where reading stopped
  };
  const Case cases[] = {
      {crlf({"$NETS", "N; R1.1 R1.2"}), 0, 2, 0},
      {crlf({"$PACKAGES", "!a;R1", "$NETS", "N;R1.1", "$END", "M;R1.2"}), 1, 1, 0},
      {crlf({"$NETS", "N;R1.1", "$OTHER", "M;R1.2"}), 0, 1,
       0},  // any other '$' line ends a section
      {"", -9, -1, 0},
      {crlf({"(header only)"}), -9, -1, 1},
      {crlf({"$PARTS", "x!y;z"}), -9, -1, 2},  // nothing condensed
      {crlf({"x $END y", "$PACKAGES"}), -1, -1, 1},
      {crlf({"$PACKAGES", "DIP14!74HC00;U1"}), -9, -1, 2},
      {crlf({"$PACKAGES", "DIP14!74HC00;U1,", " U2", "$END", "$NETS", "N;U1.1"}), -9, -1, 4},
  };
  for (const Case& c : cases) {
    Read r(c.input);
    EXPECT_EQ(r.result, c.result) << c.input;
    EXPECT_EQ(r.pins, c.pins) << c.input;
    EXPECT_EQ(r.failure_line(), c.line) << c.input;
  }
}

TEST(ReadTelesis, CutsOverlongFieldsAndReadsTheNextOneRight) {
  const std::string designator(25, 'D');
  const std::string d20 = designator.substr(0, 20);
  Read r(crlf({"$PACKAGES",
               std::string(130, 'f') + "!" + std::string(110, 'v') + ";" + designator + " R1",
               "$NETS", std::string(60, 'n') + ";" + designator + ".123456789012 R1.2"}));
  const std::string value = std::string(100, 'v') + "|" + std::string(120, 'f');
  EXPECT_EQ(r.parts(), (Texts{d20 + "|" + value, "R1|" + value}));
  const std::string net(50, 'n');
  EXPECT_EQ(r.pin_list(), (Texts{d20 + "|1234567890|" + net, "R1|2|" + net}));
}

TEST(ReadTelesis, KeepsTheCapacitiesAndCountsDroppedPartsOnly) {
  std::string text = "$PACKAGES\r\n! 1k ;";
  for (int i = 0; i <= PART_CAPACITY; ++i)
    text += " R" + std::to_string(i) + (i % 50 == 49 ? ",\r\n" : "");
  text += "\r\n$NETS\r\nN;";
  for (int i = 0; i <= PIN_CAPACITY; ++i)
    text += " R1." + std::to_string(i) + (i % 50 == 49 ? ",\r\n" : "");
  Read r(text + "\r\n");
  EXPECT_EQ(r.result, PART_CAPACITY);
  EXPECT_EQ(r.pins, PIN_CAPACITY);
  EXPECT_EQ(r.overflow(), 1);  // the 6001st part; dropped pins are counted nowhere
  EXPECT_EQ(r.parts().back(), "R5999|1k|");
  EXPECT_EQ(r.pin_list().back(), "R1|19999|N");
}

TEST(ReadTelesis, FillsTheTextBufferToItsEndAndNoFurther) {
  // Lines of 499 condensed characters: the line that reaches the end of the buffer is cut
  // there, and nothing after it is read.
  std::string line = "N;";
  for (int i = 0; i < 124; ++i)
    line += "A.1 ";
  std::string text = "$NETS\r\n";
  for (std::size_t i = 0; i < READER_BUFFER_ROOM / 499 + 2; ++i)
    text += line + "\r\n";
  Read r(text + "$END\r\n");
  const std::string condensed = Read::condensed();
  ASSERT_EQ(condensed.size(), static_cast<std::size_t>(READER_BUFFER_ROOM));
  EXPECT_EQ(condensed.substr(0, 6 + 499), "$NETS\r" + line + "\r");
  EXPECT_EQ(r.pins, PIN_CAPACITY);
}

TEST(ReadTelesis, ReadsLfOnlyFilesAndDropsControlCharacters) {
  Read r(
      "$PACKAGES\n!\t1k;R\x01"
      "1\n$NETS\nN;R1.\t1\n");
  EXPECT_EQ(r.parts(), (Texts{"R1|1k|"}));
  EXPECT_EQ(r.pin_list(), (Texts{"R1|1|N"}));
}

}  // namespace
}  // namespace veltrax
