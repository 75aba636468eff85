// The control table: the whole content of the main window as 65 constant rows. A row's number is
// its control id; a row creates a child control or describes an item the window paints itself.
// Positions are tenths of a character cell (left, right) or of a line (top, bottom) on a canvas
// of 52 cells by 30 lines.
#pragma once

#include <array>
#include <cstdint>

#include "settings/settings.h"

namespace veltrax {

enum ControlKind : std::int32_t {
  KIND_EMPTY = -1,
  KIND_FIXED_TEXT = 1,    // painted: the row's text
  KIND_SLOT_TEXT = 2,     // painted: a text slot
  KIND_NUMBER = 3,        // painted: a parameter entry with "%d"
  KIND_HEX_NUMBER = 4,    // painted: a parameter entry with "%#x"
  KIND_EDGE = 11,         // painted: DrawEdge, edge type in style, flags in aux
  KIND_PUSH_BUTTON = 21,  // "button"
  KIND_RADIO = 22,        // "button"
  KIND_CHECK_BOX = 23,    // "button"
  KIND_GROUP_BOX = 24,    // "button"
  KIND_LABEL = 31,        // "static" with the row's text
  KIND_SLOT_LABEL = 32,   // "static" with a text slot
  KIND_NUMBER_LABEL = 33,
  KIND_HEX_LABEL = 34,
  KIND_EDIT = 41,  // "edit" with a text slot
};

inline constexpr std::int32_t AUX_CREATE_DISABLED = 2;

struct ControlRow {
  std::int32_t kind;
  std::int32_t index;  // parameter entry or text slot shown or set; -1 when unused
  std::int32_t aux;    // radio: first id of the group; edge: DrawEdge flags; 2: create disabled
  std::uint32_t style;
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
  const char* japanese;  // Shift-JIS; nullptr for painted slots, edit boxes and format buttons
  const char* english;
};

inline constexpr int CONTROL_COUNT = 65;
inline constexpr int CANVAS_CELLS = 52;
inline constexpr int CANVAS_LINES = 30;

// Control ids that the commands and the painting name.
inline constexpr int ID_DESCRIPTION = 0;
inline constexpr int ID_LANGUAGE = 1;
inline constexpr int ID_DEFAULT_SIZE = 2;
inline constexpr int ID_REF_FILE = 6;
inline constexpr int ID_REF_PATH = 7;
inline constexpr int ID_REF_FORMAT_0 = 10;  // 10 to 16, in format-index order
inline constexpr int ID_REF_GROUP_END = 19;
inline constexpr int ID_CMP_FILE = 21;
inline constexpr int ID_CMP_PATH = 22;
inline constexpr int ID_CMP_FORMAT_0 = 25;  // 25 to 31
inline constexpr int ID_CMP_GROUP_END = 34;
inline constexpr int ID_EXECUTE = 36;
inline constexpr int ID_OPEN_CSV = 37;
inline constexpr int ID_AUTO_INC = 38;
inline constexpr int ID_FORMAT_OPTION = 41;
inline constexpr int ID_RESULT_MESSAGE = 47;
inline constexpr int ID_AREA_0 = 49;  // 49 to 56, No.1 to No.8
inline constexpr int ID_FORMAT_OPTION_LABEL = 64;

const std::array<ControlRow, CONTROL_COUNT>& control_table();

// The label of a row in a language (0 Japanese, anything else but 1 read as Japanese too): the
// format list's entry for the format buttons, the saving-area label for rows 49 to 56, the
// row's own text otherwise; "" for rows without text.
const char* row_text(int row, int language);

// The saving-area labels of rows 49 to 56: the part of the area's compare path after its last
// backslash, or "No.1" to "No.8" while the path is empty.
void set_area_label(const Settings& s, int area);
void set_area_labels(const Settings& s);

// The parameter entry a radio button's group keeps its selection in: per saving area for the
// two format groups, the row's own entry otherwise. row is a radio row of the table.
int radio_entry(int row, int area);

}  // namespace veltrax
