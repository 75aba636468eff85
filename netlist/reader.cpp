#include "netlist/reader.h"

#include <array>
#include <cstring>
#include <memory>

#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

const std::array<Format, FORMAT_COUNT> kFormats = {{
    {"CADVANCE", "cadvance", read_cadvance, looks_like_cadvance, CADVANCE_FAILURES},
    {"MM-2/Colmo", "mm2", read_mm2, looks_like_mm2, MM2_FAILURES},
    {"CADLUS", "cadlus", read_cadlus, looks_like_cadlus, CADLUS_FAILURES},
    {"Protel", "protel", read_protel, looks_like_protel, nullptr},
    {"TELESIS", "telesis", read_telesis, looks_like_telesis, TELESIS_FAILURES},
    {"CCF(zuken)", "ccf", read_ccf, looks_like_ccf, nullptr},
    {"PADS", "pads", read_pads, looks_like_pads, PADS_FAILURES},
}};

constexpr FailureMeaning kReadNothing = {READ_NOTHING, "nothing was read, or no pin was found",
                                         "何も読めなかったか、ピンが見つかりません"};
constexpr FailureMeaning kNoFormat = {READ_NO_FORMAT, "the format is not in the format list",
                                      "フォーマットの一覧にないフォーマットです"};

// Formats with marks of their own come first; a format without marks comes last.
constexpr std::array<int, FORMAT_COUNT> kDetectionOrder = {
    FORMAT_PADS, FORMAT_CCF,      FORMAT_PROTEL, FORMAT_TELESIS,
    FORMAT_MM2,  FORMAT_CADVANCE, FORMAT_CADLUS,
};

}  // namespace

const Format& format_at(int index) {
  return kFormats.at(static_cast<std::size_t>(index));
}

int read_netlist(int format_index, InputFile& in, NetlistStore& store, int& pin_count,
                 int format_option) {
  store.failure_line = 0;
  if (format_index < 0 || format_index >= FORMAT_COUNT) return READ_NO_FORMAT;
  store.reader_text_full = false;
  const int result = kFormats[format_index].read(in, store, pin_count, format_option);
  if (result < 0 && store.failure_line == 0) store.failure_line = in.line();
  return result;
}

const char* failure_meaning(int format_index, int code, bool japanese) {
  const FailureMeaning* found = nullptr;
  if (format_index < 0 || format_index >= FORMAT_COUNT) {
    if (code == READ_NO_FORMAT) found = &kNoFormat;
  } else if (code == READ_NOTHING) {
    found = &kReadNothing;
  } else {
    for (const FailureMeaning* f = kFormats[format_index].failures; f != nullptr && f->code != 0;
         ++f) {
      if (f->code == code) found = f;
    }
  }
  if (found == nullptr) return nullptr;
  return japanese ? found->japanese : found->english;
}

int detect_format(std::string_view head) {
  for (const int index : kDetectionOrder) {
    const Format& f = kFormats[index];
    if (f.looks_like != nullptr && f.looks_like(head)) return index;
  }
  return -1;
}

unsigned read_warnings(const NetlistStore& store, int part_count, int pin_count) {
  const auto fills = [](const char* text, int room) {
    return strnlen(text, static_cast<std::size_t>(room)) == static_cast<std::size_t>(room);
  };
  unsigned warnings = 0;
  for (int i = 0; i < part_count && warnings == 0; ++i) {
    if (fills(store.parts[i].designator, DESIGNATOR_ROOM)) warnings = WARN_NAMES_MAY_BE_CUT;
  }
  for (int i = 0; i < pin_count && warnings == 0; ++i) {
    const PinRecord& r = store.pins[i];
    if (fills(r.designator, DESIGNATOR_ROOM) || fills(r.pin, PIN_ROOM) || fills(r.net, NET_ROOM)) {
      warnings = WARN_NAMES_MAY_BE_CUT;
    }
  }
  if (part_count >= PART_CAPACITY || pin_count >= PIN_CAPACITY || store.part_overflow > 0) {
    warnings |= WARN_TABLES_FULL;
  }
  if (store.reader_text_full) warnings |= WARN_READER_TEXT_FULL;
  return warnings;
}

char* reader_text_buffer() {
  static const std::unique_ptr<char[]> buffer(new char[READER_BUFFER_ROOM + 1]);
  return buffer.get();
}

}  // namespace veltrax
