// The marks of the CADVANCE, MM-2/Colmo and CADLUS formats claim their own files and no file of
// another format.
#include <gtest/gtest.h>

#include "netlist/readers/readers.h"

namespace veltrax {
namespace {

const struct {
  int format;
  std::string_view text;
} SAMPLES[] = {
    {FORMAT_CADVANCE, "/* A */\r\n$NET_LIST {\r\n comp {\r\n  U1 [74HC00] {SO14};\r\n }\r\n}\r\n"},
    {FORMAT_MM2, "$PTS\r\nDIP14 ! 74HC00 ; U1\r\n$NET\r\nGND; U1-7\r\n$END\r\n"},
    {FORMAT_MM2, "  $NET\nGND; U1-7\n"},
    {FORMAT_CADLUS, "GND U1 7\r\nGND R1 2\r\n"},
    {FORMAT_CADLUS, "==== NETS ====\r\n--------------------\r\n GND U1-7 R1-2 \r\n"},
    {FORMAT_CADLUS, " T\n------------\n GND U1-7 \n"},  // LF after a dash: its own line mark
    {FORMAT_PROTEL, "[\r\nU1\r\nSO14\r\n74HC00\r\n]\r\n(\r\nGND\r\nU1-7\r\n)\r\n"},
    {FORMAT_TELESIS, "$PACKAGES\r\nDIP14 ! 74HC00 ; U1\r\n$NETS\r\nGND ; U1.7\r\n$END\r\n"},
    {FORMAT_CCF, "$CCF {\r\n DEFINITION {\r\n  74HC00.SO14 : U1;\r\n }\r\n}\r\n"},
    {FORMAT_PADS, "*PADS-PCB*\r\n*PART*\r\nU1 74HC00@SO14\r\n*NET*\r\n*SIGNAL* GND\r\n"},
    // Neither a file of these formats nor anything their readers would take:
    {-1, "hello world\r\n"},
    {-1, "GND U1 7\r\nGND  R1 2\r\n"},           // a second blank
    {-1, "GND U1 7"},                            // no whole line
    {-1, " T\r\n----------\r\n GND U1-7 \r\n"},  // the rule's CR is dropped, its LF comes first
    {-1, "-----------\r\nGND U1-7 \r\n"},        // no blank before the net
    {-1, "x $PTS\r\n$NET_\r\n"},
    {-1, ""},
};

TEST(FormatMarks, ClaimOnlyTheirOwnFormat) {
  const struct {
    int format;
    bool (*looks_like)(std::string_view);
  } marks[] = {{FORMAT_CADVANCE, looks_like_cadvance},
               {FORMAT_MM2, looks_like_mm2},
               {FORMAT_CADLUS, looks_like_cadlus}};
  for (const auto& s : SAMPLES) {
    for (const auto& m : marks) {
      EXPECT_EQ(m.looks_like(s.text), m.format == s.format) << m.format << " on " << s.text;
    }
    if (s.format <= FORMAT_CADLUS) {
      EXPECT_EQ(detect_format(s.text), s.format) << s.text;
    }
  }
}

}  // namespace
}  // namespace veltrax
