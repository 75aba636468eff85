// The parameter file on its own: reading files of every shape, the fix-ups, and writing.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "case_file.h"
#include "shell/parameter_file.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

// The cases of tests/parameter_cases.txt.
TEST(ParameterFile, ReadsFilesOfEveryShapeAndFixesThemUp) {
  ScratchDir dir;
  const std::string path = dir / "p.ini";
  for (const Case& c : read_cases("parameter_cases.txt", [](const std::string& key) {
         return key == "load" || key == "fix";
       })) {
    SCOPED_TRACE(c.where);
    std::map<int, int> entries;  // of a "fix" case: N=V pairs
    std::istringstream pairs(c.text);
    for (int i, v; pairs >> i && pairs.get() == '=' && pairs >> v;)
      entries[i] = v;
    write_file(path, c.kind == "fix" ? parameter_file(entries, {}) : c.text);
    auto s = new_settings();
    EXPECT_TRUE(load_parameter_file(*s, path.c_str()));
    if (c.kind == "fix") apply_fixups(*s);
    for (const auto& [key, value] : c.expected) {
      int i = -1;
      if (std::sscanf(key.c_str(), "entry %d", &i) == 1) {
        EXPECT_EQ(std::to_string(s->param[i]), value) << key;
      } else if (std::sscanf(key.c_str(), "text %d", &i) == 1) {
        EXPECT_EQ(s->slot[i], value) << key;
      } else {
        bad_case(c.where, "unknown key " + key);
      }
    }
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
