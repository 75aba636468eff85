#include <gtest/gtest.h>

#include <string>

#include "read_text.h"

namespace veltrax {
namespace {

using namespace std::string_literals;

TEST(ReadPads, ReadsPartAndSignalLines) {
  test::expect_reads(
      FORMAT_PADS,
      {
          // Keywords in two spellings each, longer words too.
          {"*Part*\r\nC1 1u\r\n*Net*\r\n*Sig A\r\nC1.1\r\n*SIGNAL B\r\nC1.2\r\n*End*\r\n",
           "C1|1u|1u", "A:C1.1 B:C1.2"},
          {"*PARTS*\r\nC1 1u\r\n*NETS*\r\n*SIGNALS* N\r\nC1.1\r\n", "C1|1u|1u", "N:C1.1"},
          // Lower case is no keyword; a remark in the part section returns to the start, where
          // part lines are ignored; an unknown word and NET itself are ignored before a signal.
          {"*part*\r\nC1 1u\r\n*NET*\r\n*SIGNAL* A\r\nC1.1\r\n", "", "A:C1.1"},
          {"*PART*\r\nC1 1u\r\n*REMARK* x\r\nC2 2u\r\n*NET*\r\n*SIGNAL* A\r\nC1.1\r\n", "C1|1u|1u",
           "A:C1.1"},
          {"*NET*\r\n*NET*\r\n*FOO*\r\nX1.1\r\n*SIGNAL* A\r\nC1.1\r\n", "", "A:C1.1"},
          // A star keyword inside a section acts at once.
          {"*PART*\r\n  *NET*\r\n*SIGNAL* A\r\nR1.1 *SIGNAL* B\r\nR1.2 *END*\r\nR1.3\r\n", "",
           "A:R1.1 B:R1.2"},
          // Value, footprint and net lose their trailing blanks only.
          {"*PART*\r\nR1   10 k  @ SO 8  \r\nR2 4k7  \r\nJ9\r\n*NET*\r\n*SIGNAL*   MY NET  \r\n"
           "R1.1\r\n",
           "R1|10 k| SO 8 R2|4k7|4k7 J9||", "MY NET:R1.1"},
          // Without a dot the next token is the pin; a leading dot is an empty designator; runs
          // of dots and blanks are one separator; a TAB is dropped and runs the fields together.
          {"*NET*\r\n*SIGNAL* A\r\nU1 5 .7 U2..3 U3. 4 U4.A.B\r\n*PART*\r\nR1\t10k\r\n", "R110k||",
           "A:U1.5 A:.7 A:U2.3 A:U3.4 A:U4.A.B"},
          // Blank lines are passed over; *END* ends the reading.
          {"\r\n*PART*\r\n\r\n   \r\nR1 1k\r\n*NET*\r\n*SIGNAL* A\r\n\r\nR1.1\r\n*END*\r\n"
           "*SIGNAL* B\r\nR1.2\r\n",
           "R1|1k|1k", "A:R1.1"},
          {"*PART*\nR1 1k\n*NET*\n*SIG\0NAL* A\nR1.1 R1.2\n"s, "R1|1k|1k", "A:R1.1 A:R1.2"},
      });
}

// The line read, or the last line.
TEST(ReadPads, FailsOnASignalWithoutANameAndWithoutPins) {
  test::expect_fails(FORMAT_PADS,
                     {
                         {"*NET*\r\n*SIGNAL*   \r\nR1.1\r\n", PADS_NO_NET_NAME, 2},
                         {"*NET*\r*SIGNAL* A\rR1.1\r*SIGNAL*\r", PADS_NO_NET_NAME, 4},
                         {"*PART*\nR1 1k\n*NET*\n*SIGNAL* A\n*END*\n", READ_NOTHING, 5},
                         {"*PART*\r\nR1 1k", READ_NOTHING, 2},
                     });
}

}  // namespace
}  // namespace veltrax
