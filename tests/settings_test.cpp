#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support.h"

namespace veltrax {
namespace {

// Every message in both languages; the Japanese ones are the Shift-JIS bytes of the texts here.
TEST(MessageTable, HoldsBothLanguagesAndIsNeverReadOutside) {
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
      {MSG_OUT_OF_MEMORY, "この比較に必要なメモリが足りません\n",
       "Not enough memory for this comparison.\n"},
      {5, "", ""},
      {-1, "", ""},
      {MESSAGE_COUNT, "", ""},
  };
  auto s = test::new_settings();
  for (const Case& c : cases) {
    EXPECT_EQ(message_text_in(LANGUAGE_JAPANESE, c.entry), test::shift_jis(c.japanese)) << c.entry;
    EXPECT_STREQ(message_text_in(LANGUAGE_ENGLISH, c.entry), c.english) << c.entry;
    // By the settings' language; any language but English reads Japanese.
    for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE, -1, 2}) {
      s->param[PARAM_LANGUAGE] = language;
      EXPECT_STREQ(message_text(*s, c.entry), language == LANGUAGE_ENGLISH
                                                  ? c.english
                                                  : message_text_in(LANGUAGE_JAPANESE, c.entry));
    }
  }
}

TEST(Settings, SlotTextsAreCutAtTheirRoomAndNoWriteLeavesTheSlots) {
  auto s = test::new_settings();
  set_slot(*s, SLOT_DISPLAYED_MESSAGE, std::string(SLOT_SIZE + 50, 'x'));
  append_slot(*s, SLOT_DISPLAYED_MESSAGE, "more");
  EXPECT_EQ(std::strlen(s->slot[SLOT_DISPLAYED_MESSAGE]), std::size_t{SLOT_SIZE - 1});
  EXPECT_EQ(s->slot[SLOT_DISPLAYED_MESSAGE + 1][0], '\0');  // the neighbour is untouched
  set_slot(*s, -1, "x");
  set_slot(*s, SLOT_COUNT, "x");
  append_slot(*s, SLOT_COUNT, "x");
}

}  // namespace
}  // namespace veltrax
