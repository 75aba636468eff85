#include "shell/control_table.h"

#include <cstdio>
#include <cstring>

#include "netlist/reader.h"
#include "platform/win32.h"

namespace veltrax {

namespace {

constexpr ControlRow empty_row() {
  return {KIND_EMPTY, -1, -1, 0, 0, 0, 0, 0, nullptr, nullptr};
}

constexpr ControlRow row(ControlKind kind, std::int32_t index, std::int32_t aux, DWORD style,
                         std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom, const char* japanese, const char* english) {
  return {kind, index, aux, style, left, top, right, bottom, japanese, english};
}

// A format button; its label is the format list's entry of its place in the group.
constexpr ControlRow format_button(int group, int left, int top, int right, int bottom) {
  const int entry = group == ID_REF_FORMAT_0 ? PARAM_FORMAT_0 : PARAM_FORMAT_0 + 1;
  return row(KIND_RADIO, entry, group, BS_RADIOBUTTON, left, top, right, bottom, nullptr, nullptr);
}

constexpr ControlRow area_button(int left, int top, int right, int bottom) {
  return row(KIND_RADIO, PARAM_AREA, ID_AREA_0, BS_RADIOBUTTON, left, top, right, bottom, nullptr,
             nullptr);
}

using Table = std::array<ControlRow, CONTROL_COUNT>;

// The seven format buttons of a group in format-index order: five on the group's first line,
// CCF(zuken) and PADS on the line below, under the first two. Each is as wide as its label in
// capitals needs beside the mark, with a tenth to spare.
constexpr void add_format_group(Table& t, int group, int top) {
  constexpr int lefts[FORMAT_COUNT] = {20, 130, 250, 340, 420, 20, 130};
  constexpr int rights[FORMAT_COUNT] = {125, 245, 335, 415, 510, 125, 245};
  for (int f = 0; f < FORMAT_COUNT; ++f) {
    const int line_top = f < 5 ? top : top + 15;
    t[group + f] = format_button(group, lefts[f], line_top, rights[f], line_top + 12);
  }
}

// No.1 to No.8: two lines of four.
constexpr void add_area_buttons(Table& t) {
  constexpr int lefts[4] = {20, 145, 270, 395};
  for (int k = 0; k < AREA_COUNT; ++k) {
    const int top = k < 4 ? 35 : 50;
    t[ID_AREA_0 + k] = area_button(lefts[k % 4], top, lefts[k % 4] + 115, top + 12);
  }
}

// The Japanese labels are Shift-JIS bytes written as escapes, so that every compiler reads the
// source the same way; each carries its text as a comment.

// 二つのネットリストを比較して違いを出力します。
constexpr char JA_DESCRIPTION[] =
    "\x93\xf1\x82\xc2\x82\xcc\x83\x6c\x83\x62\x83\x67\x83\x8a\x83\x58\x83\x67\x82\xf0\x94\xe4"
    "\x8a\x72\x82\xb5\x82\xc4\x88\xe1\x82\xa2\x82\xf0\x8f\x6f\x97\xcd\x82\xb5\x82\xdc\x82\xb7"
    "\x81\x42";
// 基準ネットリスト
constexpr char JA_REFERENCE[] = "\x8a\xee\x8f\x80\x83\x6c\x83\x62\x83\x67\x83\x8a\x83\x58\x83\x67";
// ファイル選択
constexpr char JA_FILE_SELECT[] = "\x83\x74\x83\x40\x83\x43\x83\x8b\x91\x49\x91\xf0";
// 比較ネットリスト
constexpr char JA_COMPARE[] = "\x94\xe4\x8a\x72\x83\x6c\x83\x62\x83\x67\x83\x8a\x83\x58\x83\x67";
// 実行
constexpr char JA_EXECUTE[] = "\x8e\xc0\x8d\x73";
// CSVを開く
constexpr char JA_OPEN_CSV[] = "CSV\x82\xf0\x8a\x4a\x82\xad";
// 自動増加名
constexpr char JA_AUTO_INC[] = "\x8e\xa9\x93\xae\x91\x9d\x89\xc1\x96\xbc";
// 実行結果
constexpr char JA_RESULT[] = "\x8e\xc0\x8d\x73\x8c\x8b\x89\xca";
// パラメータの保存先選択
constexpr char JA_SAVING_AREA[] =
    "\x83\x70\x83\x89\x83\x81\x81\x5b\x83\x5e\x82\xcc\x95\xdb\x91\xb6\x90\xe6\x91\x49\x91\xf0";

constexpr Table make_table() {
  Table t{};
  for (ControlRow& r : t)
    r = empty_row();
  t[0] = row(KIND_LABEL, -1, -1, SS_LEFT, 10, 6, 400, 16, JA_DESCRIPTION,
             "Comparison with two netlists, and output the difference.");
  t[1] = row(KIND_PUSH_BUTTON, -1, -1, BS_PUSHBUTTON, 410, 5, 500, 17, "English", "Japanese");
  t[2] = row(KIND_PUSH_BUTTON, -1, -1, BS_PUSHBUTTON, 505, 5, 520, 17, "#", "#");
  t[5] =
      row(KIND_GROUP_BOX, -1, -1, BS_GROUPBOX, 10, 70, 520, 130, JA_REFERENCE, "Reference netlist");
  t[6] = row(KIND_PUSH_BUTTON, SLOT_PATH_0, -1, BS_PUSHBUTTON, 20, 85, 120, 97, JA_FILE_SELECT,
             "File Select");
  t[7] = row(KIND_SLOT_TEXT, SLOT_PATH_0, -1, DT_PATH_ELLIPSIS, 130, 85, 510, 97, nullptr, nullptr);
  add_format_group(t, ID_REF_FORMAT_0, 100);
  t[20] =
      row(KIND_GROUP_BOX, -1, -1, BS_GROUPBOX, 10, 135, 520, 195, JA_COMPARE, "Compare netlist");
  t[21] = row(KIND_PUSH_BUTTON, SLOT_PATH_0 + 1, -1, BS_PUSHBUTTON, 20, 150, 120, 162,
              JA_FILE_SELECT, "File Select");
  t[22] = row(KIND_SLOT_TEXT, SLOT_PATH_0 + 1, -1, DT_PATH_ELLIPSIS, 130, 150, 510, 162, nullptr,
              nullptr);
  add_format_group(t, ID_CMP_FORMAT_0, 165);
  t[36] = row(KIND_PUSH_BUTTON, -1, -1, BS_PUSHBUTTON, 150, 200, 210, 212, JA_EXECUTE, "Execute");
  t[37] =
      row(KIND_PUSH_BUTTON, -1, -1, BS_PUSHBUTTON, 230, 200, 350, 212, JA_OPEN_CSV, "Open the CSV");
  t[38] = row(KIND_CHECK_BOX, PARAM_AUTO_INC, -1, BS_CHECKBOX | BS_LEFT, 370, 200, 510, 212,
              JA_AUTO_INC, "Auto inc. name");
  t[41] = row(KIND_EDIT, SLOT_FORMAT_OPTION_TEXT, -1, WS_BORDER | ES_AUTOHSCROLL, 370, 218, 385,
              230, nullptr, nullptr);
  t[46] = row(KIND_GROUP_BOX, -1, -1, BS_GROUPBOX, 10, 250, 520, 310, JA_RESULT, "Result");
  t[47] = row(KIND_SLOT_TEXT, SLOT_DISPLAYED_MESSAGE, -1, DT_WORDBREAK, 15, 262, 510, 307, nullptr,
              nullptr);
  t[48] = row(KIND_GROUP_BOX, -1, -1, BS_GROUPBOX, 10, 20, 520, 65, JA_SAVING_AREA,
              "Select parameter saving area");
  add_area_buttons(t);
  t[64] = row(KIND_LABEL, -1, -1, SS_LEFT, 390, 218, 510, 230, "format option", "format option");
  return t;
}

constexpr std::array<ControlRow, CONTROL_COUNT> kTable = make_table();

constexpr int count_rows(ControlKind kind) {
  int n = 0;
  for (const ControlRow& r : kTable)
    n += r.kind == kind ? 1 : 0;
  return n;
}
static_assert(kTable.size() == 65, "the window has 65 control rows");
static_assert(count_rows(KIND_EMPTY) == 26 && count_rows(KIND_RADIO) == 22 &&
              count_rows(KIND_PUSH_BUTTON) == 6 && count_rows(KIND_GROUP_BOX) == 4 &&
              count_rows(KIND_SLOT_TEXT) == 3);
static_assert(kTable[ID_REF_FORMAT_0 + FORMAT_COUNT - 1].kind == KIND_RADIO &&
                  kTable[ID_REF_FORMAT_0 + FORMAT_COUNT].kind == KIND_EMPTY &&
                  kTable[ID_CMP_FORMAT_0 + FORMAT_COUNT - 1].kind == KIND_RADIO &&
                  kTable[ID_CMP_FORMAT_0 + FORMAT_COUNT].kind == KIND_EMPTY,
              "one format button per entry of the format list");
static_assert(kTable[ID_AREA_0 + AREA_COUNT - 1].kind == KIND_RADIO &&
              kTable[ID_AREA_0 + AREA_COUNT].kind == KIND_EMPTY);

// The labels of rows 49 to 56.
char area_labels[AREA_COUNT][SLOT_SIZE];

bool is_format_group(int aux) {
  return aux == ID_REF_FORMAT_0 || aux == ID_CMP_FORMAT_0;
}

}  // namespace

const std::array<ControlRow, CONTROL_COUNT>& control_table() {
  return kTable;
}

const char* row_text(int row, int language) {
  if (row < 0 || row >= CONTROL_COUNT) return "";
  const ControlRow& r = kTable[row];
  if (row >= ID_AREA_0 && row < ID_AREA_0 + AREA_COUNT) return area_labels[row - ID_AREA_0];
  if (r.kind == KIND_RADIO && is_format_group(r.aux)) return format_at(row - r.aux).label;
  const char* text = language == LANGUAGE_ENGLISH ? r.english : r.japanese;
  return text != nullptr ? text : "";
}

void set_area_label(const Settings& s, int area) {
  if (area < 0 || area >= AREA_COUNT) return;
  char* label = area_labels[area];
  const char* path = s.slot[cmp_path_slot(area)];
  if (path[0] == '\0') {
    std::snprintf(label, SLOT_SIZE, "No.%d", area + 1);
    return;
  }
  const char* backslash = std::strrchr(path, '\\');
  std::snprintf(label, SLOT_SIZE, "%s", backslash != nullptr ? backslash + 1 : path);
}

void set_area_labels(const Settings& s) {
  for (int k = 0; k < AREA_COUNT; ++k)
    set_area_label(s, k);
}

int radio_entry(int row, int area) {
  const int index = kTable[row].index;
  const bool per_area = (row >= ID_REF_FORMAT_0 && row <= ID_REF_GROUP_END) ||
                        (row >= ID_CMP_FORMAT_0 && row <= ID_CMP_GROUP_END);
  return per_area ? index + 2 * area : index;
}

}  // namespace veltrax
