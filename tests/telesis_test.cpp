#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using test::crlf;

TEST(ReadTelesis, CondensesEveryKindOfLine) {
  const struct {
    std::string input;
    const char* condensed;
  } cases[] = {
      // Keyword lines keep what follows the keyword, without blanks; $END stops reading.
      {crlf({"x $PACKAGES a b", "$NETS", "$END", "$PACKAGES", "A!B;C"}),
       "$PACKAGESab\r$NETS\r$END\r"},
      // A line without '!' runs into the next one; an empty package line leaves nothing; a
      // second field without ';' ends with its line.
      {crlf({"$PACKAGES", "DIP", "14 ! x ; U1", "", "SO8 ! 10 k", "! y , U2"}),
       "$PACKAGES\rDIP14!x;U1\rSO8!10 k\r!y , U2\r"},
      // Net names lose blanks, apostrophes and leading '$'; pins are separated by one blank; a
      // comma drops the rest of its line; an empty net line keeps its line mark.
      {crlf({"$NETS", " '$$VCC 5V' ; U1.1   U2.1,", "\tU3.1", "N1 ; A.1, B.2", "C.3", "",
             "N2;D.4  ,  E.5", "F.6 "}),
       "$NETS\rVCC5V;U1.1 U2.1 U3.1\rN1;A.1 C.3\r\rN2;D.4 F.6 \r"},
      // Other '$' sections and text outside the sections are ignored; TAB and LF are dropped.
      {"(NETLIST)\n$PACKAGES\n!a;R\x01"
       "1\n$A_PROPERTIES\n'ROOM' ''/x'' ; D15,\n$NETS\nN;R1.\t1\n",
       "$PACKAGES\r!a;R1\r$NETS\rN;R1.1\r"},
  };
  for (const auto& c : cases) {
    test::ReadText r(FORMAT_TELESIS, c.input);
    EXPECT_EQ(test::last_condensed(), c.condensed) << c.input;
  }
}

TEST(ReadTelesis, ReadsPackageAndNetLines) {
  test::expect_reads(
      FORMAT_TELESIS,
      {
          // A comma for the ';' copies the value into an empty footprint; so does a value that
          // runs on to the next line's ';', unless it is quoted.
          {crlf({"$PACKAGES", "! 'R0603' ! '10K' ; R1,", "\tR2,", "\tR3", "! 10K , R4",
                 "SO8 ! \"A B\" x ; U1 U2", "! \"4k7\"", "a ! b ; R5", "! 4k7", "a ! b ; R6",
                 "$NETS", "N; R1.1"}),
           "R1|R0603/10K| R2|R0603/10K| R3|R0603/10K| R4|10K|10K U1|A B|SO8 U2|A B|SO8 R5|4k7| "
           "R6|4k7a!b|4k7a!b",
           "N:R1.1"},
          // A comma at the end continues the pins, one in the middle drops the rest of its line;
          // a token without a dot runs to the next dot.
          {crlf({"$NETS", "GND; CE1.1,", " CE2.1,", " R2.1", "'VCC \"5\" V'; A.1, B.2", "C.3", "",
                 " $N3; AB CD.1 E.", "N4; F.1 .2 G.3.4 H.1234567890123"}),
           "",
           "GND:CE1.1 GND:CE2.1 GND:R2.1 VCC5V:A.1 VCC5V:C.3 N3:AB CD.1 N3:E. N4:F.1 N4:.2 "
           "N4:G.3.4 N4:H.1234567890"},
          // No line mark is ever stored in a text.
          {crlf({"$PACKAGES", "SO8 ! 10", "k !x; U1", "$NETS", "A; R1.1", "", "", "B; R1", "2.5"}),
           "U1|10k!x|SO8", "A:R1.1 B:R12.5"},
          // $END ends the reading; any other '$' line ends a section.
          {crlf({"$PACKAGES", "!a;R1", "$NETS", "N;R1.1", "$END", "M;R1.2"}), "R1|a|", "N:R1.1"},
          {crlf({"$NETS", "N;R1.1", "$OTHER", "M;R1.2"}), "", "N:R1.1"},
      });
}

// Every failure is placed where reading stopped.
TEST(ReadTelesis, FailsWithoutASectionOrWithoutPins) {
  test::expect_fails(FORMAT_TELESIS,
                     {
                         {crlf({"x $END y", "$PACKAGES"}), TELESIS_NO_SECTION, 1},
                         {crlf({"(header only)"}), READ_NOTHING, 1},
                         {crlf({"$PARTS", "x!y;z"}), READ_NOTHING, 2},  // nothing condensed
                         {crlf({"$PACKAGES", "DIP14!74HC00;U1"}), READ_NOTHING, 2},
                         {crlf({"$PACKAGES", "DIP14!74HC00;U1,", " U2", "$END", "$NETS", "N;U1.1"}),
                          READ_NOTHING, 4},
                     });
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
  test::ReadText r(FORMAT_TELESIS, text + "$END\r\n");
  const std::string& condensed = test::last_condensed();
  ASSERT_EQ(condensed.size(), static_cast<std::size_t>(READER_BUFFER_ROOM));
  EXPECT_EQ(condensed.substr(0, 6 + 499), "$NETS\r" + line + "\r");
  EXPECT_EQ(r.pins, PIN_CAPACITY);
}

}  // namespace
}  // namespace veltrax
