// What the seven netlist readers share: their shape, the format list that selects one, and the
// way a reader fills the tables of a store up to the run's capacities.
//
// A reader fills the PartTable and PinTable of one store from an input positioned at its start.
// It returns the number of parts written (0 when the format has no part list) and sets
// pin_count, always at least 1; on failure it returns a negative code and leaves pin_count
// alone. -9 is common to all: nothing was read, or no pin was found. The reader neither opens
// nor closes the file and writes no message. A reader that fails past the line it was reading
// (a condensing reader, whose second pass works on the whole text) sets the store's
// failure_line to the input line of the offending text; read_netlist places any other failure
// at the line where reading stopped.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "netlist/input.h"
#include "netlist/lex.h"
#include "netlist/reader_errors.h"
#include "netlist/store.h"

namespace veltrax {

// The number of a format: the order of the format list.
enum FormatIndex : int {
  FORMAT_CADVANCE = 0,
  FORMAT_MM2 = 1,
  FORMAT_CADLUS = 2,
  FORMAT_PROTEL = 3,
  FORMAT_TELESIS = 4,
  FORMAT_CCF = 5,
  FORMAT_PADS = 6,
  FORMAT_COUNT = 7,
};

using Reader = int (*)(InputFile& in, NetlistStore& store, int& pin_count, int format_option);

struct Format {
  const char* label;  // the entry of the format list, as the window shows it
  const char* name;   // the command line's name of the format
  Reader read;
  // True when the first bytes of a file carry this format's marks; nullptr for a format that
  // has no mark of its own.
  bool (*looks_like)(std::string_view head);
  // The meanings of the reader's own error codes (-9 aside); empty for a reader that has none.
  std::span<const FailureMeaning> failures;
};

// The format list, in format-index order.
const Format& format_at(int index);

// Calls the reader of a format index; an index outside the list gives -1 without reading. On
// failure the store's failure_line is the input line where the reader stopped: the line it was
// reading, or the one the offending text of a condensing reader came from, or the last line
// read (for -9); 0 when no line was read.
int read_netlist(int format_index, InputFile& in, NetlistStore& store, int& pin_count,
                 int format_option);

// What an error code of read_netlist means for a format index: the reader's own codes, -9 for
// every format, -1 for an index outside the list. nullptr for any other code.
const char* failure_meaning(int format_index, int code, bool japanese);

// The format whose marks the first bytes of a file carry, in detection order (formats with
// strong marks first, a format without marks of its own last), or -1 when none does.
int detect_format(std::string_view head);

// What a read that succeeded may have lost, judged on the records as the reader stored them.
enum ReadWarning : unsigned {
  WARN_NAMES_MAY_BE_CUT = 1u << 0,  // a designator, pin or net name fills its room
  WARN_TABLES_FULL = 1u << 1,       // a table is full, or a part or pin was dropped
  WARN_READER_TEXT_FULL = 1u << 2,  // the condensed text filled the reader text buffer
};
unsigned read_warnings(const NetlistStore& store, int part_count, int pin_count);

// Fills the tables of a store in file order, keeping the run's capacities: the part or pin after
// the last usable record goes to a scratch record, so that a reader can parse it as usual, and
// is not kept. Dropped parts are counted in the store's part_overflow; dropped pins too when the
// reader asks for it.
//
// The names go into the run's memory, each cut to its room of the run's limits; those of a
// scratch record go into a scratch area of their own, written over by the next scratch record,
// so that a file of any size beyond the capacities takes no more memory.
class StoreWriter {
 public:
  explicit StoreWriter(NetlistStore& store);

  bool parts_full() const { return parts_ == store_.limits.parts; }
  bool pins_full() const { return pins_ == store_.limits.pins; }

  // The record to fill with the next part or pin: every text of a fresh one is empty.
  PartRecord& part() {
    if (!part_ready_) ready(store_.parts, parts_, part_ready_);
    return store_.parts[parts_];
  }
  PinRecord& pin() {
    if (!pin_ready_) ready(store_.pins, pins_, pin_ready_);
    return store_.pins[pins_];
  }

  // Keeps the part or pin just filled, or drops it when the table is full.
  void count_part() {
    if (parts_full()) {
      ++store_.part_overflow;
    } else {
      ++parts_;
    }
    part_ready_ = false;
  }
  void count_pin(bool overflow_counted) {
    if (!pins_full()) {
      ++pins_;
    } else if (overflow_counted) {
      ++store_.part_overflow;
    }
    pin_ready_ = false;
  }
  // Counts a part or pin that the reader drops without parsing it.
  void drop() { ++store_.part_overflow; }

  int part_count() const { return parts_; }
  int pin_count() const { return pins_; }

  // The reader's result: the part count with pin_count set, or -9 when no pin was kept.
  int finish(int& pin_count) const {
    if (pins_ == 0) return READ_NOTHING;
    pin_count = pins_;
    return parts_;
  }

  // The rooms of the run's text fields.
  const Limits& rooms() const { return store_.limits; }
  // The empty text, for a field with nothing written to it yet.
  char* empty() const { return store_.empty_text; }

  // Copies, as the new text of dst, the field that starts at p: at most room characters, the
  // rest of the field skipped. The field ends at the end of the text or at any character of
  // stops. Returns the position where the field ended.
  const char* field(char*& dst, int room, const char* p, const char* stops) {
    const char* end = field_end(p, stops);
    span(dst, room, p, static_cast<std::size_t>(end - p));
    return end;
  }
  // Like field, but the characters of dropped are left out of the copy and take no room.
  const char* field_without(char*& dst, int room, const char* p, const char* stops,
                            const char* dropped);
  // A field that is either double-quoted (the text between the quotes, which are not stored) or
  // plain (the text up to any character of stops), at most room characters; the rest is skipped
  // up to any character of stops. Returns the position of that stop, or of the end.
  const char* quotable_field(char*& dst, int room, const char* p, const char* stops) {
    if (*p != '"') return field(dst, room, p, stops);
    p = field(dst, room, p + 1, "\"");
    if (*p == '"') ++p;
    return p + std::strcspn(p, stops);
  }
  // At most room characters of text, as the new text of dst.
  void bounded(char*& dst, int room, const char* text) {
    span(dst, room, text, strnlen(text, static_cast<std::size_t>(room)));
  }
  // The n characters at text, at most room of them, as the new text of dst.
  void span(char*& dst, int room, const char* text, std::size_t n) {
    n = std::min(n, static_cast<std::size_t>(room));
    char* t = text_room(&dst, n);
    std::memcpy(t, text, n);
    t[n] = '\0';
    dst = t;
  }
  // The characters from p up to end, without those of dropped, at most room of them.
  void span_without(char*& dst, int room, const char* p, const char* end, const char* dropped);

 private:
  template <typename Record>
  void ready(Table<Record>& table, int count, bool& is_ready);
  // Room for a text of n characters and its terminator, as the new text of dst.
  char* text_room(char* const* dst, std::size_t n) {
    if (parts_full() && is_field_of(dst, store_.parts.record + parts_)) {
      return scratch_room(part_scratch_, n);
    }
    if (pins_full() && is_field_of(dst, store_.pins.record + pins_)) {
      return scratch_room(pin_scratch_, n);
    }
    return static_cast<char*>(store_.memory->allocate(n + 1, 1));
  }
  template <typename Record>
  static bool is_field_of(char* const* dst, const Record* record) {
    const auto at = reinterpret_cast<std::uintptr_t>(dst);
    const auto start = reinterpret_cast<std::uintptr_t>(record);
    return at >= start && at - start < sizeof(Record);
  }
  // The texts of a table's scratch record.
  struct Scratch {
    char* bytes = nullptr;
    std::size_t size = 0;
    std::size_t used = 0;
  };
  char* scratch_room(Scratch& scratch, std::size_t n);

  NetlistStore& store_;
  int parts_ = 0;
  int pins_ = 0;
  bool part_ready_ = false;
  bool pin_ready_ = false;
  Scratch part_scratch_;
  Scratch pin_scratch_;
};

}  // namespace veltrax
