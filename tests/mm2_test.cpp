#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

std::string with_parts(const std::string& lines) {
  return "$PTS\r\n" + lines + "$NET\r\nN;U1-1\r\n$END\r\n";
}

TEST(ReadMm2, ReadsPartAndNetLines) {
  test::expect_reads(
      FORMAT_MM2,
      {
          // Blanks go around the separators and among the designators, not inside the fields.
          {with_parts("  SO 8  !  10 k  ;  U1 U2  \r\n"), "U1U2|10 k|SO 8", "N:U1.1"},
          {with_parts("S\tO !\"1 0 \" x; R1\r\n"), "R1|1 0|S\tO", "N:U1.1"},  // quoted, trimmed
          {with_parts("DIP14 74HC00 U1\r\nR0603 ! 10K ; R1\r\n"), "R1|10K|DIP14 74HC00 U1\rR0603",
           "N:U1.1"},
          {with_parts("! 10K ; R1\r\n"), "R1|10K|", "N:U1.1"},
          // A line of more than 519 characters is read as two lines: the blanks before the ';'
          // are not separator blanks of the second read, so they stay.
          {with_parts("DIP ! " + std::string(600, 'x') + " ; U1\r\n"),
           " U1|" + std::string(100, 'x') + "|DIP", "N:U1.1"},
          // Nets go on over commas and line marks; a section after $END is read too.
          {"$NET\r\nGND; U1-7,\r\n R1-2\r\n\r\n\"MY NET\"; U2 3, R1-1\r\n$END\r\nafter end\r\n"
           "$PTS\r\nR0603 ! 1k ; R1\r\n",
           "R1|1k|R0603", "GND:U1.7 GND:R1.2 MYNET:U23,R1.1"},
      });
}

// The line where the offending entry starts.
TEST(ReadMm2, ReportsEachSyntaxErrorAndItsLine) {
  test::expect_fails(
      FORMAT_MM2,
      {
          {"$PTS\r\nDIP ! 74HC00\r\n", MM2_VALUE_NOT_ENDED, 2},
          {"$PTS\r\nDIP ! \"74HC00 ; U1\r\n", MM2_VALUE_NOT_ENDED, 2},
          {"$PTS\r\nA!B\r\n;U1\r\nDIP ! x\r\n", MM2_VALUE_NOT_ENDED, 4},
          {"$PTS\r\nDIP ! 74HC00 ; U1", MM2_DESIGNATOR_NOT_ENDED, 2},
          {"$NET\r\nGND U1-7\r\n$END\r\n", MM2_NET_NAME_NOT_ENDED, 2},
          {"$NET\r\nGND; U1-7\r\n", MM2_NET_NAME_NOT_ENDED, 2},  // no $END: a name comes next
          {"$NET\r\nGND; U1\r\n$END\r\n", MM2_PIN_NOT_ENDED, 2},
          {"$NET\r\nGND; U1-7", MM2_PIN_NOT_ENDED, 2},
          {"note\n\n$NET\nGND; U1-7,\nU2-1,\nU3\n$END\n", MM2_PIN_NOT_ENDED, 6},
          {"x\r$NET\rGND; U1-7,\rU3\r$END\r", MM2_PIN_NOT_ENDED, 4},  // one read, lone CRs
          {"$PTS\r\nDIP ! 74HC00 ; U1\r\n$END\r\n", READ_NOTHING, 3},
      });
}

TEST(ReadMm2, NeverWritesPastTheBufferWhenALineDoesNotFit) {
  // Lines of 401 condensed characters bring the text to 5 characters short of full; of the
  // next line only 5 characters fit, and the lines after it are not read.
  std::string text = "$NET\r\n";
  const int room_left = static_cast<int>(READER_BUFFER_ROOM) - 5 - 5;
  for (int i = 0; i < room_left / 401; ++i)
    text += std::string(400, 'x') + "\r\n";
  text += std::string(room_left % 401 - 1, 'x') + "\r\n";
  test::ReadText r(FORMAT_MM2, text + std::string(400, 'y') + "\r\n" + "more\r\n");
  const std::string& condensed = test::last_condensed();
  ASSERT_EQ(condensed.size(), READER_BUFFER_ROOM);
  EXPECT_EQ(condensed.substr(READER_BUFFER_ROOM - 6), "\ryyyyy");
  EXPECT_EQ(r.result, MM2_NET_NAME_NOT_ENDED);  // the only net name has no ';'
}

}  // namespace
}  // namespace veltrax
