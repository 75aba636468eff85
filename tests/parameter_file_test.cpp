// The parameter file on its own: reading files of every shape, the fix-ups, and writing.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "shell/parameter_file.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

// The count lines and entries of a file, up to its first text.
std::string header(int entries, int texts) {
  const std::string whole = parameter_file({}, {}, entries, 0);
  return whole.substr(0, whole.size() - 3) + std::to_string(texts) + "\r\n";
}

TEST(ParameterFile, ReadsFilesOfEveryShape) {
  const std::string long_text(SLOT_SIZE + 20, 'y');
  const struct {
    const char* name;
    std::string bytes;
    std::map<int, int> params;  // the entries and texts looked at
    std::map<int, std::string> slots;
  } cases[] = {
      {"forty-two entries: two lines ignored, then the text count",
       parameter_file({{PARAM_LAYOUT, 1}, {39, 9}, {40, 77}, {41, 88}}, {{0, "a.net"}}, 42),
       {{39, 9}},
       {{0, "a.net"}}},
      {"thirty-eight entries: 38 and 39 stay 0",
       parameter_file({{PARAM_LAYOUT, 1}, {37, 4}}, {{1, "c.net"}}, 38),
       {{37, 4}, {38, 0}},
       {{1, "c.net"}}},
      {"forty-one entries and no more: the first text stays empty",
       "41\r\n1\r\n" + std::string(39, '\n') + "1094795585\r\n",
       {{0, 1}},
       {{0, ""}}},
      {"ending inside the entries: no text is read",
       "40\r\n1\r\n-2\r\n",
       {{0, 1}, {1, -2}, {2, 0}},
       {}},
      {"ending inside the texts keeps what was read",
       header(40, 40) + "first\r\nsecond\r\n",
       {},
       {{1, "second"}, {2, ""}}},
      {"lines after the texts counted are not read",
       header(40, 1) + "one\r\ntwo\r\n",
       {},
       {{0, "one"}, {1, ""}}},
      {"a last line without its line end is read whole",
       header(40, 40) + "\r\nlast",
       {},
       {{1, "last"}}},
      {"0x07 is a line feed, CR LF a line end, a lone CR a byte",
       header(40, 40) + "two\x07lines\r\nend\r\r\nmid\rdle\r\n",
       {},
       {{0, "two\nlines"}, {1, "end\r"}, {2, "mid\rdle"}}},
      {"LF-only line ends read the same", "40\n1\n", {{0, 1}}, {}},
      {"numbers as the C library reads them, held to 32 bits",
       "7\r\n  -12abc\r\n+7\r\n99999999999\r\n-99999999999\r\nx5\r\n\r\n\t3\r\n",
       {{0, -12}, {1, 7}, {2, INT_MAX}, {3, INT_MIN}, {4, 0}, {5, 0}, {6, 3}},
       {}},
      {"a line too long for a slot is cut and the next line stays in place",
       header(40, 40) + long_text + "\r\nnext\r\n",
       {},
       {{0, long_text.substr(0, SLOT_SIZE - 1)}, {1, "next"}}},
      {"texts beyond the fortieth are ignored",
       parameter_file({}, {{39, "last"}}, 40, 43),
       {},
       {{39, "last"}}},
      {"a huge count ends at the file's end", "2000000000\r\n1\r\n2\r\n", {{0, 1}, {1, 2}}, {}},
      {"a negative count reads no line", "-5\r\n3\r\nx\r\n", {{0, 0}}, {{0, "x"}}},
      {"an empty file", "", {{0, 0}}, {}},
      {"the earlier layout moves option, area, messages and results",
       parameter_file({{18, 1}, {19, 4}},
                      {{8, "shown"}, {12, "area 4"}, {13, "r0.csv"}, {17, "r4.csv"}}),
       {{PARAM_AUTO_INC, 1}, {PARAM_AREA, 4}, {18, 0}, {19, 0}},
       {{SLOT_DISPLAYED_MESSAGE, "shown"},
        {area_message_slot(3), "area 4"},
        {result_path_slot(0), "r0.csv"},
        {result_path_slot(4), "r4.csv"},
        {8, ""},
        {12, ""},
        {13, ""},
        {17, ""}}},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(dir / "p.ini", c.bytes);
    auto s = new_settings();
    EXPECT_TRUE(load_parameter_file(*s, (dir / "p.ini").c_str()));
    for (const auto& [i, v] : c.params)
      EXPECT_EQ(s->param[i], v) << "entry " << i;
    for (const auto& [i, text] : c.slots)
      EXPECT_EQ(s->slot[i], text) << "text " << i;
  }
  EXPECT_FALSE(load_parameter_file(*new_settings(), (dir / "missing.ini").c_str()));
}

TEST(ParameterFile, AnyBytesLoadIntoTerminatedTextsAndValuesInRange) {
  ScratchDir dir;
  const std::string path = dir / "p.ini";
  const char pieces[][8] = {"40\r\n", "-7", "\x07", "\r", "\n", "9", "\0", "\xff", "x"};
  unsigned seed = 12345;
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    for (int i = 0; i < (round % 50 == 0 ? 20000 : 200); ++i) {
      seed = seed * 1103515245u + 12345u;
      const char* piece = pieces[(seed >> 16) % std::size(pieces)];
      bytes.append(piece, piece[0] == '\0' ? 1 : std::strlen(piece));
    }
    write_file(path, bytes);
    auto s = new_settings();
    load_parameter_file(*s, path.c_str());
    apply_fixups(*s);
    for (int i = 0; i < SLOT_COUNT; ++i)
      ASSERT_LT(strnlen(s->slot[i], SLOT_SIZE), std::size_t{SLOT_SIZE}) << round;
    ASSERT_TRUE(s->param[PARAM_LANGUAGE] == 0 || s->param[PARAM_LANGUAGE] == 1);
    ASSERT_TRUE(s->param[PARAM_AREA] >= 0 && s->param[PARAM_AREA] < AREA_COUNT);
  }
}

TEST(ParameterFile, FixUpsKeepEveryValueInItsRange) {
  const struct {
    std::map<int, int> params;
    std::map<int, int> expected;
    const char* option_text;
  } cases[] = {
      {{{PARAM_LANGUAGE, 2}}, {{PARAM_LANGUAGE, 0}, {PARAM_LAYOUT, 1}}, "0"},
      {{{PARAM_LANGUAGE, -1}}, {{PARAM_LANGUAGE, 0}}, "0"},
      {{{PARAM_LANGUAGE, 1}}, {{PARAM_LANGUAGE, 1}}, "0"},
      {{{PARAM_AREA, 9}, {PARAM_AUTO_INC, 1}}, {{PARAM_AREA, 0}, {PARAM_AUTO_INC_MASK, 1}}, "0"},
      {{{PARAM_AREA, -3}}, {{PARAM_AREA, 0}}, "0"},
      {{{PARAM_AREA, 8}}, {{PARAM_AREA, 0}}, "0"},
      {{{PARAM_AREA, 7}, {PARAM_AUTO_INC, 1}}, {{PARAM_AREA, 7}, {PARAM_AUTO_INC_MASK, 0x80}}, "0"},
      {{{PARAM_AREA, 2}, {PARAM_AUTO_INC, 1}}, {{PARAM_AUTO_INC_MASK, 4}}, "0"},
      {{{PARAM_AREA, 1}, {PARAM_AUTO_INC_MASK, 0xff}}, {{PARAM_AUTO_INC_MASK, 0xfd}}, "0"},
      {{{PARAM_FORMAT_OPTION, 3}}, {{PARAM_FORMAT_OPTION, 3}}, "3"},
      {{{PARAM_FORMAT_OPTION, 12}}, {}, "<"},
      {{{PARAM_FORMAT_OPTION, -48}}, {}, ""},
      {{{PARAM_FORMAT_OPTION, INT_MAX}}, {}, "/"},
  };
  for (const auto& c : cases) {
    auto s = new_settings();
    for (const auto& [i, v] : c.params)
      s->param[i] = v;
    apply_fixups(*s);
    for (const auto& [i, v] : c.expected)
      EXPECT_EQ(s->param[i], v) << "entry " << i;
    EXPECT_STREQ(s->slot[SLOT_FORMAT_OPTION_TEXT], c.option_text);
  }
}

TEST(ParameterFile, FormatOptionComesFromTheFirstByteOfItsText) {
  const std::pair<const char*, int> cases[] = {{"7", 7}, {"12", 1},   {"", 0},  {"A", 17},
                                               {"-", 0}, {"\xff", 0}, {"z", 74}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(format_option_from_text(text), value) << text;
}

TEST(ParameterFile, WritesWhatItReadsBackWhole) {
  ScratchDir dir;
  auto s = new_settings();
  s->param[0] = 1;
  s->param[PARAM_LAYOUT] = 1;
  s->param[17] = -5;
  s->param[39] = INT_MIN;
  set_slot(*s, SLOT_DISPLAYED_MESSAGE, "Parts: same=2\nCompleted\n");
  set_slot(*s, 3, std::string(SLOT_SIZE - 1, 'z'));  // the longest text a slot holds
  set_slot(*s, 4, "tail\r");
  set_slot(*s, 39, "last");
  const std::string path = dir / "p.ini";
  ASSERT_TRUE(save_parameter_file(*s, path.c_str()));
  const ParameterLines lines = split_parameter_file(read_file(path));
  ASSERT_EQ(lines.lines.size(), 82u);
  EXPECT_EQ(lines.slot(SLOT_DISPLAYED_MESSAGE),
            "Parts: same=2\x07"
            "Completed\x07");

  auto back = new_settings();
  ASSERT_TRUE(load_parameter_file(*back, path.c_str()));
  EXPECT_EQ(0, std::memcmp(s->param, back->param, sizeof s->param));
  for (int i = 0; i < SLOT_COUNT; ++i)
    EXPECT_STREQ(s->slot[i], back->slot[i]) << i;
  EXPECT_FALSE(save_parameter_file(*s, (dir / "no/such/folder.ini").c_str()));
}

}  // namespace
}  // namespace veltrax::test
