#include "netlist/reader.h"

#include <array>
#include <memory>

#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

const std::array<Format, FORMAT_COUNT> kFormats = {{
    {"CADVANCE", "cadvance", read_cadvance, looks_like_cadvance},
    {"MM-2/Colmo", "mm2", read_mm2, looks_like_mm2},
    {"CADLUS", "cadlus", read_cadlus, looks_like_cadlus},
    {"Protel", "protel", read_protel, looks_like_protel},
    {"TELESIS", "telesis", read_telesis, looks_like_telesis},
    {"CCF(zuken)", "ccf", read_ccf, looks_like_ccf},
    {"PADS", "pads", read_pads, looks_like_pads},
}};

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
  if (format_index < 0 || format_index >= FORMAT_COUNT) return READ_NO_FORMAT;
  return kFormats[format_index].read(in, store, pin_count, format_option);
}

int detect_format(std::string_view head) {
  for (const int index : kDetectionOrder) {
    const Format& f = kFormats[index];
    if (f.looks_like != nullptr && f.looks_like(head)) return index;
  }
  return -1;
}

char* reader_text_buffer() {
  static const std::unique_ptr<char[]> buffer(new char[READER_BUFFER_ROOM + 1]);
  return buffer.get();
}

}  // namespace veltrax
