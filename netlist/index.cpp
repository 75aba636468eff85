#include "netlist/index.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>

#include "netlist/lex.h"

namespace veltrax {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Byte order: strcmp compares bytes as unsigned values, a prefix first.
bool less_text(const char* a, const char* b) {
  return std::strcmp(a, b) < 0;
}

bool less_by_net(const PinRecord& a, const PinRecord& b) {
  if (const int c = std::strcmp(a.net, b.net); c != 0) return c < 0;
  if (const int c = std::strcmp(a.designator, b.designator); c != 0) return c < 0;
  return less_text(a.pin, b.pin);
}

bool less_by_designator_and_pin(const PinRecord& a, const PinRecord& b) {
  if (const int c = std::strcmp(a.designator, b.designator); c != 0) return c < 0;
  return less_text(a.pin, b.pin);
}

void normalise_pins(PinTable& pins, int pin_count) {
  for (int i = 0; i < pin_count; ++i) {
    PinRecord& r = pins[i];
    const char* start = normalised_pin(r.pin);
    if (start != r.pin) std::memmove(r.pin, start, std::strlen(start) + 1);
    if (char* colon = std::strchr(r.designator, ':')) *colon = '\0';
  }
}

// Appends bytes to a pool text under construction.
class PoolText {
 public:
  explicit PoolText(TextPool& pool) : pool_(pool), start_(pool.cursor()), p_(start_) {}

  void add(const char* text) {
    const std::size_t n = std::strlen(text);
    assert(p_ + n < pool_.bytes + pool_.size);
    std::memcpy(p_, text, n);
    p_ += n;
  }
  // Terminates the text and moves the pool's cursor past it and spare zero bytes after it.
  void finish(std::size_t spare = 0) {
    assert(p_ + spare < pool_.bytes + pool_.size);
    std::memset(p_, 0, 1 + spare);
    p_ += 1 + spare;
    pool_.used = static_cast<std::size_t>(p_ - pool_.bytes);
  }
  char* start() const { return start_; }

 private:
  TextPool& pool_;
  char* start_;
  char* p_;
};

// Writes the three texts of the net group pins[first, last) and points its pins at them.
void write_net_texts(PinTable& pins, int first, int last, NetTextPools& pools) {
  PoolText counted(pools.counted);
  PoolText members(pools.members);
  PoolText parts(pools.parts);
  const int k = last - first;
  std::size_t empty_pins = 0;  // their entries may grow by one byte in the pin comparison
  if (k == 1) {
    counted.add(OPEN_ERROR_TEXT);
    members.add(OPEN_ERROR_TEXT);
    parts.add(OPEN_ERROR_TEXT);
  } else {
    char count[16];
    std::snprintf(count, sizeof count, "%upin|", static_cast<unsigned>(k));
    counted.add(count);
    members.add("pin|");
    parts.add("pin|");
    for (int i = first; i < last; ++i) {
      const PinRecord& r = pins[i];
      for (PoolText* list : {&counted, &members}) {
        list->add(r.designator);
        list->add(".");
        list->add(r.pin);
        list->add("|");
      }
      parts.add(r.designator);
      parts.add("|");
      if (r.pin[0] == '\0') ++empty_pins;
    }
  }
  for (int i = first; i < last; ++i) {
    PinRecord& r = pins[i];
    std::memcpy(r.work_designator, r.designator, std::strlen(r.designator) + 1);
    std::memcpy(r.work_pin, r.pin, std::strlen(r.pin) + 1);
    r.net_members_counted = counted.start();
    r.net_members = members.start();
    r.net_parts = parts.start();
  }
  counted.finish();
  members.finish(empty_pins);
  parts.finish();
}

// One part per distinct pin designator, in the pins' order, with an empty value and the
// footprint "x". The empty designator makes no part: it equals the text remembered at the start.
int make_parts(NetlistStore& store, int pin_count) {
  int made = 0;
  const char* last = "";
  for (int i = 0; i < pin_count && made < PART_CAPACITY; ++i) {
    const PinRecord& pin = store.pins[i];
    if (std::strcmp(pin.designator, last) == 0) continue;
    last = pin.designator;
    PartRecord& part = store.parts[made++];
    copy_bounded(part.designator, DESIGNATOR_ROOM, pin.designator);
    part.value[0] = '\0';
    std::strcpy(part.footprint, "x");
  }
  return made;
}

}  // namespace

const char* normalised_pin(const char* pin) {
  const char* start = starts_with(pin, "P$") ? pin + 2 : pin;
  if (*start == '0') {
    const char* p = start;
    while (*p == '0')
      ++p;
    const char* q = p;
    while (is_digit(*q))
      ++q;
    if (*q == '\0') start = p;
  }
  return start;
}

int index_netlist(NetlistStore& store, int reader_result, int pin_count, NetTextPools& pools) {
  if (reader_result < 0) return reader_result;
  PinRecord* const pins = store.pins.record;
  normalise_pins(store.pins, pin_count);
  std::stable_sort(pins, pins + pin_count, less_by_net);
  for (int first = 0; first < pin_count;) {
    int last = first + 1;
    while (last < pin_count && std::strcmp(pins[last].net, pins[first].net) == 0)
      ++last;
    write_net_texts(store.pins, first, last, pools);
    first = last;
  }
  std::stable_sort(pins, pins + pin_count, less_by_designator_and_pin);
  if (reader_result > 0) {
    PartRecord* const parts = store.parts.record;
    std::stable_sort(parts, parts + reader_result, [](const PartRecord& a, const PartRecord& b) {
      return less_text(a.designator, b.designator);
    });
    return reader_result;
  }
  return make_parts(store, pin_count);
}

}  // namespace veltrax
