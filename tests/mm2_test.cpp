#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

struct Read : test::ReadText {
  explicit Read(std::string_view text) : ReadText(FORMAT_MM2, text) {}
};

TEST(ReadMm2, ReadsTheAcceptedExample) {
  Read r("$PTS\r\nDIP14 ! 74HC00 ; U1\r\nR0603 ! 10K ; R1\r\n$NET\r\nGND; U1-7, R1-2\r\n$END\r\n");
  EXPECT_EQ(r.result, 2);
  EXPECT_EQ(r.parts_text(), "U1|74HC00|DIP14 R1|10K|R0603");
  EXPECT_EQ(r.pins_text(), "GND:U1.7 GND:R1.2");
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadMm2, CondensesPartLines) {
  const struct {
    std::string lines;
    std::string part;
  } cases[] = {
      {"  SO 8  !  10 k  ;  U1 U2  \r\n", "U1U2|10 k|SO 8"},
      {"S\tO !\"1 0 \" x; R1\r\n", "R1|1 0|S\tO"},  // quoted value, trimmed too
      {"DIP14 74HC00 U1\r\nR0603 ! 10K ; R1\r\n", "R1|10K|DIP14 74HC00 U1\rR0603"},
      {"! 10K ; R1\r\n", "R1|10K|"},
      // A line of more than 519 characters is read as two lines: the blanks before the ';'
      // are not separator blanks of the second read, so they stay.
      {"DIP ! " + std::string(600, 'x') + " ; U1\r\n", " U1|" + std::string(100, 'x') + "|DIP"},
  };
  for (const auto& c : cases) {
    Read r("$PTS\r\n" + c.lines + "$NET\r\nN;U1-1\r\n$END\r\n");
    EXPECT_EQ(r.parts_text(), c.part) << c.lines;
  }
}

TEST(ReadMm2, ReadsNetLinesAcrossCommasAndLineMarks) {
  Read r(
      "$NET\r\nGND; U1-7,\r\n R1-2\r\n\r\n\"MY NET\"; U2 3, R1-1\r\n$END\r\nafter end\r\n"
      "$PTS\r\nR0603 ! 1k ; R1\r\n");
  EXPECT_EQ(r.result, 1);  // a section after $END is read too
  EXPECT_EQ(r.pins_text(), "GND:U1.7 GND:R1.2 MYNET:U23,R1.1");
}

// Each error with the input line where the offending entry starts (0: none read).
TEST(ReadMm2, ReportsEachSyntaxErrorAndItsLine) {
  const struct {
    const char* text;
    int code;
    int line;
  } cases[] = {
      {"$PTS\r\nDIP ! 74HC00\r\n", -2, 2},
      {"$PTS\r\nDIP ! \"74HC00 ; U1\r\n", -2, 2},
      {"$PTS\r\nDIP ! 74HC00 ; U1", -3, 2},
      {"$NET\r\nGND U1-7\r\n$END\r\n", -4, 2},
      {"$NET\r\nGND; U1-7\r\n", -4, 2},  // without $END the text ends where a net name belongs
      {"$NET\r\nGND; U1\r\n$END\r\n", -7, 2},
      {"$NET\r\nGND; U1-7", -7, 2},
      {"", -9, 0},
      {"$PTS\r\nDIP ! 74HC00 ; U1\r\n$END\r\n", -9, 3},
      // Lines outside the sections are dropped, a net goes on over lines that end with a comma.
      {"note\n\n$NET\nGND; U1-7,\nU2-1,\nU3\n$END\n", -7, 6},
      {"$PTS\r\nA!B\r\n;U1\r\nDIP ! x\r\n", -2, 4},
      {"x\r$NET\rGND; U1-7,\rU3\r$END\r", -7, 4},  // lone CRs: one read holds all lines
  };
  for (const auto& c : cases) {
    Read r(c.text);
    EXPECT_EQ(r.result, c.code) << c.text;
    EXPECT_EQ(r.failure_line(), c.line) << c.text;
    EXPECT_EQ(r.pins, -1) << c.text;
    EXPECT_NE(failure_meaning(FORMAT_MM2, c.code, false), nullptr) << c.code;
  }
}

TEST(ReadMm2, CutsOverlongFieldsAndKeepsTheCapacities) {
  using namespace test;
  Read cut("$PTS\r\n" + LONG_FOOTPRINT + "!" + LONG_VALUE + ";" + LONG_DESIGNATOR + "\r\n$NET\r\n" +
           LONG_NET + ";" + LONG_DESIGNATOR + "-" + LONG_PIN + "\r\n$END\r\n");
  EXPECT_EQ(cut.parts_text(), CUT_PART);
  EXPECT_EQ(cut.pins_text(), CUT_PIN);

  std::string text = "$PTS\r\n";
  for (int i = 0; i <= PART_CAPACITY; ++i)
    text += "R0603!1k;R" + std::to_string(i) + "\r\n";
  text += "$NET\r\nA;";
  for (int i = 0; i <= PIN_CAPACITY; ++i)
    text += "R" + std::to_string(i % 100) + "-1,\r\n";
  Read full(text + "R0-2\r\n$END\r\n");
  EXPECT_EQ(full.result, PART_CAPACITY);
  EXPECT_EQ(full.pins, PIN_CAPACITY);
  EXPECT_EQ(full.overflow(), 1);  // the part; pins beyond the table are not counted
}

TEST(ReadMm2, NeverWritesPastTheBufferWhenALineDoesNotFit) {
  // Lines of 401 condensed characters bring the text to 5 characters short of full; of the
  // next line only 5 characters fit, and the lines after it are not read.
  std::string text = "$NET\r\n";
  const int room_left = static_cast<int>(READER_BUFFER_ROOM) - 5 - 5;
  for (int i = 0; i < room_left / 401; ++i)
    text += std::string(400, 'x') + "\r\n";
  text += std::string(room_left % 401 - 1, 'x') + "\r\n";
  Read r(text + std::string(400, 'y') + "\r\n" + "more\r\n");
  const std::string& condensed = test::last_condensed();
  ASSERT_EQ(condensed.size(), READER_BUFFER_ROOM);
  EXPECT_EQ(condensed.substr(READER_BUFFER_ROOM - 6), "\ryyyyy");
  EXPECT_EQ(r.result, -4);  // the only net name has no ';'
}

}  // namespace
}  // namespace veltrax
