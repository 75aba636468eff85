#include "settings/settings.h"

#include <algorithm>
#include <cstring>

namespace veltrax {

namespace {

// The message table. Japanese texts are Shift-JIS bytes, written out as escapes so that the
// source stays plain UTF-8 on every compiler; each carries its text as a comment.
struct MessagePair {
  const char* japanese;
  const char* english;
};

constexpr MessagePair kMessages[MESSAGE_COUNT] = {
    // 実行中は変更出来ません
    {"\x8e\xc0\x8d\x73\x92\x86\x82\xcd\x95\xcf\x8d\x58\x8f\x6f\x97\x88\x82\xdc\x82\xb9\x82\xf1",
     "Can't change it while execution"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    // 入力ファイルが開けません\n
    {"\x93\xfc\x97\xcd\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9"
     "\x82\xf1\n",
     "Can't open the input file.\n"},
    // 出力ファイルが作れません\n
    {"\x8f\x6f\x97\xcd\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8d\xec\x82\xea\x82\xdc\x82\xb9"
     "\x82\xf1\n",
     "Can't create the output file.\n"},
    // フォーマット・エラー\n
    {"\x83\x74\x83\x48\x81\x5b\x83\x7d\x83\x62\x83\x67\x81\x45\x83\x47\x83\x89\x81\x5b\n",
     "Format error\n"},
    // CSVファイルが開けません\n
    {"CSV\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\n",
     "Can't open the CSV file.\n"},
    // 警告:
    // 上限の長さ(部品名20、ピン名10、ネット名50バイト)に達した名前は切り詰められた可能性があります。そこまで同じ名前は同じものとして比較されます\n
    {"\x8c\x78\x8d\x90\x3a\x20\x8f\xe3\x8c\xc0\x82\xcc\x92\xb7\x82\xb3\x28\x95\x94\x95\x69\x96"
     "\xbc\x32\x30\x81\x41\x83\x73\x83\x93\x96\xbc\x31\x30\x81\x41\x83\x6c\x83\x62\x83\x67\x96"
     "\xbc\x35\x30\x83\x6f\x83\x43\x83\x67\x29\x82\xc9\x92\x42\x82\xb5\x82\xbd\x96\xbc\x91\x4f"
     "\x82\xcd\x90\xd8\x82\xe8\x8b\x6c\x82\xdf\x82\xe7\x82\xea\x82\xbd\x89\xc2\x94\x5c\x90\xab"
     "\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42\x82\xbb\x82\xb1\x82\xdc\x82\xc5\x93\xaf"
     "\x82\xb6\x96\xbc\x91\x4f\x82\xcd\x93\xaf\x82\xb6\x82\xe0\x82\xcc\x82\xc6\x82\xb5\x82\xc4"
     "\x94\xe4\x8a\x72\x82\xb3\x82\xea\x82\xdc\x82\xb7\n",
     "Warning: names that fill their room (designator 20, pin 10, net 50 bytes) may have been cut; "
     "names alike up to there are compared as one.\n"},
    // 警告: 表が満杯です(部品6000、ピン20000)。入りきらなかった分は比較されていません\n
    {"\x8c\x78\x8d\x90\x3a\x20\x95\x5c\x82\xaa\x96\x9e\x94\x74\x82\xc5\x82\xb7\x28\x95\x94\x95"
     "\x69\x36\x30\x30\x30\x81\x41\x83\x73\x83\x93\x32\x30\x30\x30\x30\x29\x81\x42\x93\xfc\x82"
     "\xe8\x82\xab\x82\xe7\x82\xc8\x82\xa9\x82\xc1\x82\xbd\x95\xaa\x82\xcd\x94\xe4\x8a\x72\x82"
     "\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\n",
     "Warning: the tables are full (6000 parts or 20000 pins); what did not fit was not "
     "compared.\n"},
    // 警告: 読み込み領域が満杯です(2,100,000バイト)。ファイルの残りは比較されていません\n
    {"\x8c\x78\x8d\x90\x3a\x20\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x97\xcc\x88\xe6\x82\xaa\x96\x9e"
     "\x94\x74\x82\xc5\x82\xb7\x28\x32\x2c\x31\x30\x30\x2c\x30\x30\x30\x83\x6f\x83\x43\x83\x67"
     "\x29\x81\x42\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x8e\x63\x82\xe8\x82\xcd\x94\xe4\x8a"
     "\x72\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\n",
     "Warning: the text read is full (2,100,000 bytes); the rest of the file was not compared.\n"},
    // この比較に必要なメモリが足りません\n
    {"\x82\xb1\x82\xcc\x94\xe4\x8a\x72\x82\xc9\x95\x4b\x97\x76\x82\xc8\x83\x81\x83\x82\x83\x8a"
     "\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n",
     "Not enough memory for this comparison.\n"},
    {"", ""},
    {"", ""},
};

bool valid_slot(int slot) {
  return slot >= 0 && slot < SLOT_COUNT;
}

}  // namespace

void clear_settings(Settings& s) {
  std::memset(&s, 0, sizeof s);
}

int current_area(const Settings& s) {
  const int area = s.param[PARAM_AREA];
  return area >= 0 && area < AREA_COUNT ? area : 0;
}

void set_auto_inc(Settings& s, bool on) {
  const int bit = 1 << current_area(s);
  s.param[PARAM_AUTO_INC] = on ? 1 : 0;
  s.param[PARAM_AUTO_INC_MASK] =
      on ? (s.param[PARAM_AUTO_INC_MASK] | bit) : (s.param[PARAM_AUTO_INC_MASK] & ~bit);
}

void set_slot(Settings& s, int slot, std::string_view text) {
  if (!valid_slot(slot)) return;
  s.slot[slot][0] = '\0';
  append_slot(s, slot, text);
}

void append_slot(Settings& s, int slot, std::string_view text) {
  if (!valid_slot(slot)) return;
  char* dst = s.slot[slot];
  const std::size_t used = strnlen(dst, SLOT_SIZE - 1);
  const std::size_t n = std::min(text.size(), SLOT_SIZE - 1 - used);
  std::memcpy(dst + used, text.data(), n);
  dst[used + n] = '\0';
}

const char* message_text_in(int language, int entry) {
  if (entry < 0 || entry >= MESSAGE_COUNT) return "";
  const MessagePair& m = kMessages[entry];
  return language == LANGUAGE_ENGLISH ? m.english : m.japanese;
}

const char* message_text(const Settings& s, int entry) {
  return message_text_in(s.param[PARAM_LANGUAGE], entry);
}

}  // namespace veltrax
