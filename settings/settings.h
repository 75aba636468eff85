// The settings blocks shared by the desktop shell, the command line and the comparison run: the
// parameter table (40 integers), the text slots (40 texts) and the message table. Plain data.
#pragma once

#include <cstdint>
#include <string_view>

namespace veltrax {

inline constexpr int PARAM_COUNT = 40;
inline constexpr int SLOT_COUNT = 40;
inline constexpr int SLOT_SIZE = 10000;  // 9999 bytes of text and the terminating zero
inline constexpr int AREA_COUNT = 8;     // saving areas No.1 to No.8
inline constexpr int LANGUAGE_JAPANESE = 0;
inline constexpr int LANGUAGE_ENGLISH = 1;

// Parameter-table entries.
enum Param : int {
  PARAM_LANGUAGE = 0,
  PARAM_WINDOW_LEFT = 1,
  PARAM_WINDOW_TOP = 2,
  PARAM_WINDOW_RIGHT = 3,
  PARAM_WINDOW_BOTTOM = 4,
  PARAM_LAYOUT = 5,
  PARAM_FORMAT_0 = 10,  // 10 + 2k reference, 11 + 2k compare format index of area k
  PARAM_AUTO_INC_MASK = 27,
  PARAM_AUTO_INC = 28,
  PARAM_AREA = 29,
  PARAM_FORMAT_OPTION = 30,
  PARAM_EXECUTE_RESET = 31,
  PARAM_RUN_RESET_0 = 32,  // 32, 33 and 34 are cleared by every run
  PARAM_RUN_RESET_COUNT = 3,
};

// Text slots.
enum Slot : int {
  SLOT_PATH_0 = 0,  // 2k reference path, 2k + 1 compare path of area k
  SLOT_DISPLAYED_MESSAGE = 20,
  SLOT_AREA_MESSAGE_0 = 21,  // 21 + k
  SLOT_FORMAT_OPTION_TEXT = 30,
  SLOT_RESULT_PATH_0 = 31,  // 31 + k
};

// Message-table entries that some operation shows.
enum Message : int {
  MSG_REFUSED_WHILE_RUNNING = 0,
  MSG_CANT_OPEN_INPUT = 10,
  MSG_CANT_CREATE_OUTPUT = 11,
  MSG_FORMAT_ERROR = 12,
  MSG_CANT_OPEN_CSV = 13,
  MSG_NAMES_MAY_BE_CUT = 14,  // a warning on a netlist, followed by its path
  MSG_TABLES_FULL = 15,
  MSG_READER_TEXT_FULL = 16,
  MSG_OUT_OF_MEMORY = 17,
  MESSAGE_COUNT = 20,
};

struct Settings {
  std::int32_t param[PARAM_COUNT];
  char slot[SLOT_COUNT][SLOT_SIZE];
};

// Both blocks to 0 and empty texts.
void clear_settings(Settings& s);

// The current saving area (entry 29); a value outside 0..7 is taken as area 0.
int current_area(const Settings& s);

inline int ref_path_slot(int area) {
  return SLOT_PATH_0 + 2 * area;
}
inline int cmp_path_slot(int area) {
  return SLOT_PATH_0 + 2 * area + 1;
}
inline int ref_format_param(int area) {
  return PARAM_FORMAT_0 + 2 * area;
}
inline int cmp_format_param(int area) {
  return PARAM_FORMAT_0 + 2 * area + 1;
}
inline int area_message_slot(int area) {
  return SLOT_AREA_MESSAGE_0 + area;
}
inline int result_path_slot(int area) {
  return SLOT_RESULT_PATH_0 + area;
}

// Sets the "Auto inc. name" option of the current area: entry 28 and its bit in entry 27.
void set_auto_inc(Settings& s, bool on);

// Slot texts, cut at the slot's room; a slot index outside 0..39 is ignored.
void set_slot(Settings& s, int slot, std::string_view text);
void append_slot(Settings& s, int slot, std::string_view text);

// The text of a message entry in the language of entry 0: Japanese (Shift-JIS bytes) for 0,
// English for 1. Any other language index reads Japanese, as the start-up fix-up makes it; an
// entry outside 0..19 reads as the empty text.
const char* message_text(const Settings& s, int entry);
const char* message_text_in(int language, int entry);

}  // namespace veltrax
