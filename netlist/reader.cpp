#include "netlist/reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>

#include "netlist/lex.h"
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {

const std::array<Format, FORMAT_COUNT> kFormats = {{
    {"CADVANCE", "cadvance", read_cadvance, looks_like_cadvance, CADVANCE_FAILURES},
    {"MM-2/Colmo", "mm2", read_mm2, looks_like_mm2, MM2_FAILURES},
    {"CADLUS", "cadlus", read_cadlus, looks_like_cadlus, CADLUS_FAILURES},
    {"Protel", "protel", read_protel, looks_like_protel, {}},
    {"TELESIS", "telesis", read_telesis, looks_like_telesis, TELESIS_FAILURES},
    {"CCF(zuken)", "ccf", read_ccf, looks_like_ccf, {}},
    {"PADS", "pads", read_pads, looks_like_pads, PADS_FAILURES},
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
    if (code == READ_NO_FORMAT) found = &READ_NO_FORMAT_MEANING;
  } else if (code == READ_NOTHING) {
    found = &READ_NOTHING_MEANING;
  } else {
    for (const FailureMeaning& f : kFormats[format_index].failures) {
      if (f.code == code) found = &f;
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
  const Limits& room = store.limits;
  const auto fills = [](const char* text, int room) {
    return strnlen(text, static_cast<std::size_t>(room)) == static_cast<std::size_t>(room);
  };
  unsigned warnings = 0;
  for (int i = 0; i < part_count && warnings == 0; ++i) {
    if (fills(store.parts[i].designator, room.designator)) warnings = WARN_NAMES_MAY_BE_CUT;
  }
  for (int i = 0; i < pin_count && warnings == 0; ++i) {
    const PinRecord& r = store.pins[i];
    if (fills(r.designator, room.designator) || fills(r.pin, room.pin) || fills(r.net, room.net)) {
      warnings = WARN_NAMES_MAY_BE_CUT;
    }
  }
  if (part_count >= room.parts || pin_count >= room.pins || store.part_overflow > 0) {
    warnings |= WARN_TABLES_FULL;
  }
  if (store.reader_text_full) warnings |= WARN_READER_TEXT_FULL;
  return warnings;
}

namespace {

void make_empty(PartRecord& r, char* empty) {
  r = {PartState::paired, empty, empty, empty};
}
void make_empty(PinRecord& r, char* empty) {
  r = {PinState::ordinary, 0, empty, empty, empty, empty, empty, empty, empty};
}

constexpr int FIRST_ROOM = 256;

}  // namespace

StoreWriter::StoreWriter(NetlistStore& store) : store_(store) {
  store_.part_overflow = 0;
  store_.failure_line = 0;
}

template <typename Record>
void StoreWriter::ready(Table<Record>& table, int count, bool& is_ready) {
  const int limit = std::is_same_v<Record, PartRecord> ? store_.limits.parts : store_.limits.pins;
  if (count == table.room) {
    // Four times the room, and room for the scratch record behind the last usable one.
    const long long wanted = std::min<long long>(std::max<long long>(FIRST_ROOM, 4LL * table.room),
                                                 static_cast<long long>(limit) + 1);
    table.record = static_cast<Record*>(
        store_.memory->resize(table.record, static_cast<std::size_t>(wanted) * sizeof(Record)));
    table.room = static_cast<int>(wanted);
  }
  make_empty(table[count], store_.empty_text);
  if (count == limit) (std::is_same_v<Record, PartRecord> ? part_scratch_ : pin_scratch_).used = 0;
  is_ready = true;
}

template void StoreWriter::ready(PartTable&, int, bool&);
template void StoreWriter::ready(PinTable&, int, bool&);

char* StoreWriter::scratch_room(Scratch& scratch, std::size_t n) {
  // Room for every field of a record twice over: the rooms are those of a table with a capacity.
  if (scratch.bytes == nullptr) {
    const Limits& r = store_.limits;
    scratch.size =
        2 * (static_cast<std::size_t>(r.designator) + r.value + r.footprint + r.pin + r.net + 8);
    scratch.bytes = static_cast<char*>(store_.memory->allocate(scratch.size, 1));
  }
  if (n + 1 > scratch.size - scratch.used) scratch.used = 0;
  if (n + 1 > scratch.size) return static_cast<char*>(store_.memory->allocate(n + 1, 1));
  char* t = scratch.bytes + scratch.used;
  scratch.used += n + 1;
  return t;
}

void StoreWriter::span_without(char*& dst, int room, const char* p, const char* end,
                               const char* dropped) {
  const std::size_t most =
      std::min(static_cast<std::size_t>(end - p), static_cast<std::size_t>(room));
  char* t = text_room(&dst, most);
  std::size_t n = 0;
  for (; p != end; ++p) {
    if (n < most && std::strchr(dropped, *p) == nullptr) t[n++] = *p;
  }
  t[n] = '\0';
  dst = t;
}

const char* StoreWriter::field_without(char*& dst, int room, const char* p, const char* stops,
                                       const char* dropped) {
  const char* end = p;
  while (*end != '\0' && std::strchr(stops, *end) == nullptr)
    ++end;
  span_without(dst, room, p, end, dropped);
  return end;
}

}  // namespace veltrax
