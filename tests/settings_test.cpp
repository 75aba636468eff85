#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support.h"

namespace veltrax {
namespace {

TEST(MessageTable, HoldsBothLanguagesAsTheirBytes) {
  struct Case {
    int entry;
    const char* japanese;
    const char* english;
  };
  const Case cases[] = {
      {MSG_REFUSED_WHILE_RUNNING, "実行中は変更出来ません", "Can't change it while execution"},
      {MSG_CANT_OPEN_INPUT, "入力ファイルが開けません\n", "Can't open the input file.\n"},
      {MSG_CANT_CREATE_OUTPUT, "出力ファイルが作れません\n", "Can't create the output file.\n"},
      {MSG_FORMAT_ERROR, "フォーマット・エラー\n", "Format error\n"},
      {MSG_CANT_OPEN_CSV, "CSVファイルが開けません\n", "Can't open the CSV file.\n"},
      {MSG_NAMES_MAY_BE_CUT,
       "警告: 上限の長さ(部品名20、ピン名10、ネット名50バイト)に達した名前は切り詰められた可能性が"
       "あります。そこまで同じ名前は同じものとして比較されます\n",
       "Warning: names that fill their room (designator 20, pin 10, net 50 bytes) may have been "
       "cut; names alike up to there are compared as one.\n"},
      {MSG_TABLES_FULL,
       "警告: 表が満杯です(部品6000、ピン20000)。入りきらなかった分は比較されていません\n",
       "Warning: the tables are full (6000 parts or 20000 pins); what did not fit was not "
       "compared.\n"},
      {MSG_READER_TEXT_FULL,
       "警告: 読み込み領域が満杯です(2,100,000バイト)。ファイルの残りは比較されていません\n",
       "Warning: the text read is full (2,100,000 bytes); the rest of the file was not "
       "compared.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(message_text_in(LANGUAGE_JAPANESE, c.entry), test::shift_jis(c.japanese)) << c.entry;
    EXPECT_STREQ(message_text_in(LANGUAGE_ENGLISH, c.entry), c.english) << c.entry;
  }
  EXPECT_STREQ(message_text_in(LANGUAGE_ENGLISH, 5), "");
}

TEST(MessageTable, LooksUpByTheSettingsLanguageAndNeverOutsideTheTable) {
  auto s = test::new_settings();
  s->param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
  EXPECT_STREQ(message_text(*s, MSG_FORMAT_ERROR), "Format error\n");
  s->param[PARAM_LANGUAGE] = LANGUAGE_JAPANESE;
  EXPECT_EQ(std::string(message_text(*s, MSG_FORMAT_ERROR)),
            test::shift_jis("フォーマット・エラー\n"));
  for (const int language : {-1, 2, 1 << 30}) {
    s->param[PARAM_LANGUAGE] = language;
    EXPECT_STREQ(message_text(*s, MSG_FORMAT_ERROR), message_text_in(LANGUAGE_JAPANESE, 12));
  }
  for (const int entry : {-1, 20, 1 << 30})
    EXPECT_STREQ(message_text(*s, entry), "");
}

TEST(Settings, AnUnusedSavingAreaIsEmptyWithFormatZero) {
  auto s = test::new_settings();
  for (int k = 0; k < AREA_COUNT; ++k) {
    EXPECT_STREQ(s->slot[ref_path_slot(k)], "");
    EXPECT_STREQ(s->slot[area_message_slot(k)], "");
    EXPECT_EQ(s->param[cmp_format_param(k)], 0);
  }
  EXPECT_EQ(s->param[PARAM_AUTO_INC_MASK], 0);
}

TEST(Settings, AreaOutsideItsRangeIsTakenAsTheFirst) {
  auto s = test::new_settings();
  s->param[PARAM_AREA] = 7;
  EXPECT_EQ(current_area(*s), 7);
  for (const int area : {-1, 8, 1 << 30}) {
    s->param[PARAM_AREA] = area;
    EXPECT_EQ(current_area(*s), 0);
  }
}

TEST(Settings, AutoIncSetsTheFlagAndTheAreasBit) {
  auto s = test::new_settings();
  s->param[PARAM_AREA] = 3;
  set_auto_inc(*s, true);
  EXPECT_EQ(s->param[PARAM_AUTO_INC], 1);
  EXPECT_EQ(s->param[PARAM_AUTO_INC_MASK], 1 << 3);
  set_auto_inc(*s, false);
  EXPECT_EQ(s->param[PARAM_AUTO_INC_MASK], 0);
}

TEST(Settings, SlotTextsAreCutAtTheirRoom) {
  auto s = test::new_settings();
  const std::string long_text(SLOT_SIZE + 50, 'x');
  set_slot(*s, SLOT_DISPLAYED_MESSAGE, long_text);
  EXPECT_EQ(std::strlen(s->slot[SLOT_DISPLAYED_MESSAGE]), std::size_t{SLOT_SIZE - 1});
  append_slot(*s, SLOT_DISPLAYED_MESSAGE, "more");
  EXPECT_EQ(std::strlen(s->slot[SLOT_DISPLAYED_MESSAGE]), std::size_t{SLOT_SIZE - 1});
  EXPECT_EQ(s->slot[SLOT_DISPLAYED_MESSAGE + 1][0], '\0');  // the neighbour is untouched
  set_slot(*s, 21, "ab");
  append_slot(*s, 21, "cd");
  EXPECT_STREQ(s->slot[21], "abcd");
  set_slot(*s, -1, "x");  // ignored, no write outside the slots
  set_slot(*s, SLOT_COUNT, "x");
}

}  // namespace
}  // namespace veltrax
