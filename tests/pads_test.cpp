#include <gtest/gtest.h>

#include <string>

#include "netlist/readers/readers.h"
#include "read_text.h"

namespace veltrax {
namespace {

using test::Texts;

struct Read : test::ReadText {
  explicit Read(std::string_view text) : ReadText(FORMAT_PADS, text) {}
};

TEST(ReadPads, ReadsTheAcceptedExample) {
  Read r("*PART*\r\nU1 74HC00@SO14\r\nR1 10K\r\n*NET*\r\n*SIGNAL* GND\r\nU1.7 R1.2\r\n*END*\r\n");
  EXPECT_EQ(r.parts(), (Texts{"U1|74HC00|SO14", "R1|10K|10K"}));
  EXPECT_EQ(r.pin_list(), (Texts{"U1|7|GND", "R1|2|GND"}));
  EXPECT_EQ(r.overflow(), 0);
}

TEST(ReadPads, AcceptsBothKeywordSpellingsAndLongerWords) {
  Read r("*Part*\r\nC1 1u\r\n*Net*\r\n*Sig A\r\nC1.1\r\n*SIGNAL B\r\nC1.2\r\n*End*\r\n");
  ASSERT_EQ(r.result, 1);
  ASSERT_EQ(r.pins, 2);
  EXPECT_STREQ(r.pin(0).net, "A");
  EXPECT_STREQ(r.pin(1).net, "B");
  Read parts("*PARTS*\r\nC1 1u\r\n*NETS*\r\n*SIGNALS* N\r\nC1.1\r\n");
  EXPECT_EQ(parts.result, 1);
  EXPECT_EQ(parts.pins, 1);
}

TEST(ReadPads, IgnoresOtherSpellingsAndUnknownStarWords) {
  // Lower case is no keyword: the part line after it is never in a part section.
  Read lower("*part*\r\nC1 1u\r\n*NET*\r\n*SIGNAL* A\r\nC1.1\r\n");
  EXPECT_EQ(lower.result, 0);
  EXPECT_EQ(lower.pins, 1);
  // A remark in the part section returns to the start state, so later part lines are ignored.
  Read remark("*PART*\r\nC1 1u\r\n*REMARK* x\r\nC2 2u\r\n*NET*\r\n*SIGNAL* A\r\nC1.1\r\n");
  EXPECT_EQ(remark.result, 1);
  // An unknown word and NET itself are ignored before a signal.
  Read net("*NET*\r\n*NET*\r\n*FOO*\r\nX1.1\r\n*SIGNAL* A\r\nC1.1\r\n");
  EXPECT_EQ(net.pins, 1);
  EXPECT_STREQ(net.pin(0).designator, "C1");
}

TEST(ReadPads, ActsOnAStarKeywordInsideASectionAtOnce) {
  Read r("*PART*\r\n  *NET*\r\n*SIGNAL* A\r\nR1.1 *SIGNAL* B\r\nR1.2 *END*\r\nR1.3\r\n");
  ASSERT_EQ(r.pins, 2);
  EXPECT_STREQ(r.pin(0).net, "A");
  EXPECT_STREQ(r.pin(1).net, "B");
}

TEST(ReadPads, CutsOverlongFieldsAndKeepsTheNextFieldRight) {
  const std::string designator(25, 'D');
  const std::string value(110, 'v');
  const std::string footprint(130, 'f');
  const std::string net(60, 'n');
  Read r("*PART*\r\n" + designator + " " + value + "@" + footprint + "\r\n*NET*\r\n*SIGNAL* " +
         net + "\r\n" + designator + ".123456789012 R1.2\r\n");
  ASSERT_EQ(r.result, 1);
  EXPECT_EQ(std::string(r.part(0).designator), designator.substr(0, 20));
  EXPECT_EQ(std::string(r.part(0).value), value.substr(0, 100));
  EXPECT_EQ(std::string(r.part(0).footprint), footprint.substr(0, 120));
  ASSERT_EQ(r.pins, 2);
  EXPECT_EQ(std::string(r.pin(0).designator), designator.substr(0, 20));
  EXPECT_STREQ(r.pin(0).pin, "1234567890");
  EXPECT_EQ(std::string(r.pin(0).net), net.substr(0, 50));
  EXPECT_STREQ(r.pin(1).designator, "R1");
}

TEST(ReadPads, TrimsValueFootprintAndNetButKeepsInnerSpaces) {
  Read r("*PART*\r\nR1   10 k  @ SO 8  \r\nR2 4k7  \r\n*NET*\r\n*SIGNAL*   MY NET  \r\nR1.1\r\n");
  EXPECT_STREQ(r.part(0).value, "10 k");
  EXPECT_STREQ(r.part(0).footprint, " SO 8");
  EXPECT_STREQ(r.part(1).value, "4k7");
  EXPECT_STREQ(r.part(1).footprint, "4k7");
  EXPECT_STREQ(r.pin(0).net, "MY NET");
  Read alone("*PART*\r\nJ9\r\n*NET*\r\n*SIGNAL* A\r\nJ9.1\r\n");
  EXPECT_STREQ(alone.part(0).value, "");
  EXPECT_STREQ(alone.part(0).footprint, "");
}

TEST(ReadPads, ReadsOddPinTokens) {
  // Without a dot the next token is the pin; a leading dot is an empty designator; runs of dots
  // and blanks are one separator; a TAB is dropped and runs the fields together.
  Read r("*NET*\r\n*SIGNAL* A\r\nU1 5 .7 U2..3 U3. 4 U4.A.B\r\n*PART*\r\nR1\t10k\r\n");
  ASSERT_EQ(r.pins, 5);
  EXPECT_STREQ(r.pin(0).designator, "U1");
  EXPECT_STREQ(r.pin(0).pin, "5");
  EXPECT_STREQ(r.pin(1).designator, "");
  EXPECT_STREQ(r.pin(1).pin, "7");
  EXPECT_STREQ(r.pin(2).pin, "3");
  EXPECT_STREQ(r.pin(3).designator, "U3");
  EXPECT_STREQ(r.pin(3).pin, "4");
  EXPECT_STREQ(r.pin(4).pin, "A.B");
  ASSERT_EQ(r.result, 1);
  EXPECT_STREQ(r.part(0).designator, "R110k");
  EXPECT_STREQ(r.part(0).value, "");
}

// The line of a failure: the line read, or the last line (0: none read).
TEST(ReadPads, FailsOnASignalWithoutANameAndWithoutPins) {
  const struct {
    const char* text;
    int code;
    int line;
  } cases[] = {
      {"*NET*\r\n*SIGNAL*   \r\nR1.1\r\n", -2, 2},
      {"*NET*\r*SIGNAL* A\rR1.1\r*SIGNAL*\r", -2, 4},
      {"", -9, 0},
      {"*PART*\nR1 1k\n*NET*\n*SIGNAL* A\n*END*\n", -9, 5},
      {"*PART*\r\nR1 1k", -9, 2},
  };
  for (const auto& c : cases) {
    Read r(c.text);
    EXPECT_EQ(r.result, c.code) << c.text;
    EXPECT_EQ(r.failure_line(), c.line) << c.text;
    EXPECT_EQ(r.pins, -1) << c.text;  // pin_count is left alone on failure
  }
}

TEST(ReadPads, StopsAtEndButReadsOnAfterBlankLines) {
  Read r(
      "\r\n*PART*\r\n\r\n   \r\nR1 1k\r\n*NET*\r\n*SIGNAL* A\r\n\r\nR1.1\r\n*END*\r\n"
      "*SIGNAL* B\r\nR1.2\r\n");
  EXPECT_EQ(r.result, 1);
  EXPECT_EQ(r.pins, 1);
}

TEST(ReadPads, ReadsLfOnlyAndNulBytesAsWritten) {
  const char text[] = "*PART*\nR1 1k\n*NET*\n*SIG\0NAL* A\nR1.1 R1.2\n";
  Read r(std::string(text, sizeof text - 1));
  EXPECT_EQ(r.result, 1);
  EXPECT_EQ(r.pins, 2);
  EXPECT_STREQ(r.pin(1).net, "A");
}

TEST(ReadPads, KeepsTheCapacitiesAndCountsWhatItDrops) {
  std::string text = "*PART*\r\n";
  for (int i = 0; i <= PART_CAPACITY; ++i)
    text += "R" + std::to_string(i) + " 1k\r\n";
  text += "*NET*\r\n*SIGNAL* A\r\n";
  for (int i = 0; i <= PIN_CAPACITY + 1; ++i)
    text += "R" + std::to_string(i % 1000) + ".1\r\n";
  Read r(text);
  EXPECT_EQ(r.result, PART_CAPACITY);
  EXPECT_EQ(r.pins, PIN_CAPACITY);
  EXPECT_EQ(r.overflow(), 1 + 2);  // the 6001st part and two pins past 20000
  EXPECT_STREQ(r.part(PART_CAPACITY - 1).designator, "R5999");
}

TEST(LooksLikePads, FindsTheStarKeywords) {
  EXPECT_TRUE(looks_like_pads("*PADS-PCB*\r\n"));
  EXPECT_TRUE(looks_like_pads("header\n*PART*\n"));
  EXPECT_TRUE(looks_like_pads("  *SIGNAL* A"));
  EXPECT_FALSE(looks_like_pads("$PACKAGES\r\n"));
  EXPECT_FALSE(looks_like_pads("x *PART*"));
  EXPECT_FALSE(looks_like_pads(""));
}

}  // namespace
}  // namespace veltrax
