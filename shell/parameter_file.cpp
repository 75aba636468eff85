#include "shell/parameter_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/text_file.h"

namespace veltrax {

namespace {

constexpr std::size_t LINE_ROOM = SLOT_SIZE - 1;

// Entries and slots of the earlier layout, moved to their current places on loading.
constexpr int OLD_PARAM_AUTO_INC = 18;
constexpr int OLD_PARAM_AREA = 19;
constexpr int OLD_SLOT_MESSAGE_0 = 8;       // 8 to 12: displayed message and four area messages
constexpr int OLD_SLOT_RESULT_PATH_0 = 13;  // 13 to 17
constexpr int OLD_MOVED_SLOTS = 5;

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void convert_earlier_layout(Settings& s) {
  s.param[PARAM_AUTO_INC] = s.param[OLD_PARAM_AUTO_INC];
  s.param[OLD_PARAM_AUTO_INC] = 0;
  s.param[PARAM_AREA] = s.param[OLD_PARAM_AREA];
  s.param[OLD_PARAM_AREA] = 0;
  for (int j = 0; j < OLD_MOVED_SLOTS; ++j) {
    set_slot(s, SLOT_RESULT_PATH_0 + j, s.slot[OLD_SLOT_RESULT_PATH_0 + j]);
    set_slot(s, OLD_SLOT_RESULT_PATH_0 + j, "");
    set_slot(s, SLOT_DISPLAYED_MESSAGE + j, s.slot[OLD_SLOT_MESSAGE_0 + j]);
    set_slot(s, OLD_SLOT_MESSAGE_0 + j, "");
  }
}

}  // namespace

bool read_text_line(std::FILE* in, std::string& line, std::size_t room) {
  line.clear();
  int c = std::fgetc(in);
  if (c == EOF) return false;
  bool cr_held = false;  // a CR is kept only when no LF follows it
  for (; c != EOF && c != '\n'; c = std::fgetc(in)) {
    if (cr_held && line.size() < room) line += '\r';
    cr_held = c == '\r';
    if (!cr_held && line.size() < room) line += static_cast<char>(c);
  }
  if (cr_held && c == EOF && line.size() < room) line += '\r';
  return true;
}

int parse_decimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && is_blank(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t LIMIT = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(LIMIT, value * 10 + (text[i] - '0'));
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(std::min(value, LIMIT - 1));
}

void load_parameters(Settings& s, std::FILE* in) {
  std::string line;
  if (!read_text_line(in, line, LINE_ROOM)) return;
  const int entries = parse_decimal(line);
  for (int i = 0; i < entries; ++i) {
    if (!read_text_line(in, line, LINE_ROOM)) return;
    if (i < PARAM_COUNT) s.param[i] = parse_decimal(line);
  }
  if (!read_text_line(in, line, LINE_ROOM)) return;
  const int texts = parse_decimal(line);
  for (int i = 0; i < texts; ++i) {
    if (!read_text_line(in, line, LINE_ROOM)) return;
    if (i >= SLOT_COUNT) continue;
    std::replace(line.begin(), line.end(), LINE_FEED_MARK, '\n');
    set_slot(s, i, line);
  }
}

bool load_parameter_file(Settings& s, const char* path) {
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) return false;
  load_parameters(s, in);
  std::fclose(in);
  if (s.param[PARAM_LAYOUT] == 0) convert_earlier_layout(s);
  return true;
}

void apply_fixups(Settings& s) {
  s.param[PARAM_LAYOUT] = LAYOUT_CURRENT;
  s.param[PARAM_AREA] = current_area(s);
  set_auto_inc(s, s.param[PARAM_AUTO_INC] != 0);
  if (s.param[PARAM_LANGUAGE] != LANGUAGE_ENGLISH) s.param[PARAM_LANGUAGE] = LANGUAGE_JAPANESE;
  // The digit of the option, as one byte; unsigned arithmetic keeps any entry 30 defined.
  const unsigned byte = (static_cast<unsigned>(s.param[PARAM_FORMAT_OPTION]) + '0') & 0xffu;
  const char text[2] = {static_cast<char>(byte), '\0'};
  set_slot(s, SLOT_FORMAT_OPTION_TEXT, text);
}

int format_option_from_text(const char* text) {
  const int value = static_cast<signed char>(text[0]) - '0';
  return value < 0 ? 0 : value;
}

bool save_parameter_file(const Settings& s, const char* path) {
  // Written beside the file first and put in its place only when written whole, so that a
  // failure (a full disk, a crash) leaves the last good file, never a half-written one.
  TextFileWriter out;
  if (!out.create(path)) return false;
  out.print("%d\n", PARAM_COUNT);
  for (int i = 0; i < PARAM_COUNT; ++i)
    out.print("%d\n", s.param[i]);
  out.print("%d\n", SLOT_COUNT);
  std::string line;
  for (int i = 0; i < SLOT_COUNT; ++i) {
    line.assign(s.slot[i], strnlen(s.slot[i], LINE_ROOM));
    std::replace(line.begin(), line.end(), '\n', LINE_FEED_MARK);
    line += '\n';
    out.write(line);
  }
  return out.close();
}

}  // namespace veltrax
