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
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
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
