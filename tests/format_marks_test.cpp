// What the seven readers share beyond the cases of tests/reader_cases/: what the error codes of
// each format's reader mean, and how every reader keeps the capacities of its tables and a
// condensing reader the room of its text buffer.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

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
