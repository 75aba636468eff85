#include "netlist/index.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "netlist/lex.h"

namespace veltrax {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The first eight bytes of a text as a number that orders as the bytes do (zeros after its end).
std::uint64_t order_prefix(const char* text) {
  std::uint64_t v = 0;
  int k = 0;
  for (; k < 8 && text[k] != '\0'; ++k)
    v = v << 8 | static_cast<unsigned char>(text[k]);
  return v << (8 * (8 - k));
}

// Ranks of texts in byte order: equal texts get equal ranks, a smaller text a smaller rank. The
// distinct texts are found first (an open-addressing table of the texts themselves), so that a
// text shared by thousands of pins, a power net or a large part, is sorted once.
std::vector<std::uint32_t> rank_texts(const std::vector<const char*>& texts) {
  const std::size_t n = texts.size();
  std::size_t size = 16;
  while (size < 2 * n)
    size *= 2;
  std::vector<std::int32_t> table(size, -1);
  std::vector<const char*> distinct;
  std::vector<std::uint32_t> id(n);
  for (std::size_t k = 0; k < n; ++k) {
    const char* text = texts[k];
    std::uint32_t h = 2166136261u;
    for (const char* p = text; *p != '\0'; ++p)
      h = (h ^ static_cast<unsigned char>(*p)) * 16777619u;
    std::size_t at = h & (size - 1);
    while (table[at] >= 0 && std::strcmp(distinct[table[at]], text) != 0)
      at = (at + 1) & (size - 1);
    if (table[at] < 0) {
      table[at] = static_cast<std::int32_t>(distinct.size());
      distinct.push_back(text);
    }
    id[k] = static_cast<std::uint32_t>(table[at]);
  }
  // Sort the distinct texts by their first eight bytes (a stable radix sort, one byte a pass,
  // passes where every text has the same byte left out), then texts that share those bytes by
  // the rest of their bytes.
  const std::size_t m = distinct.size();
  std::vector<std::uint64_t> prefix(m);
  std::vector<std::uint32_t> order(m);
  std::vector<std::uint32_t> next(m);
  for (std::size_t d = 0; d < m; ++d) {
    prefix[d] = order_prefix(distinct[d]);
    order[d] = static_cast<std::uint32_t>(d);
  }
  for (int shift = 0; shift < 64; shift += 8) {
    std::size_t count[257] = {};
    for (std::size_t d = 0; d < m; ++d)
      ++count[((prefix[d] >> shift) & 0xFF) + 1];
    if (std::find(count, count + 257, m) != count + 257) continue;
    for (int b = 1; b <= 256; ++b)
      count[b] += count[b - 1];
    for (const std::uint32_t d : order)
      next[count[(prefix[d] >> shift) & 0xFF]++] = d;
    order.swap(next);
  }
  for (std::size_t first = 0; first < m;) {
    std::size_t last = first + 1;
    while (last < m && prefix[order[last]] == prefix[order[first]])
      ++last;
    if (last - first > 1) {
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                order.begin() + static_cast<std::ptrdiff_t>(last),
                [&](std::uint32_t a, std::uint32_t b) {
                  return std::strcmp(distinct[a], distinct[b]) < 0;
                });
    }
    first = last;
  }
  std::vector<std::uint32_t> rank_of(distinct.size());
  for (std::size_t r = 0; r < order.size(); ++r)
    rank_of[order[r]] = static_cast<std::uint32_t>(r);
  for (std::size_t k = 0; k < n; ++k)
    id[k] = rank_of[id[k]];
  return id;
}

// The positions 0 to n-1 in the order of their ranks, the first rank list deciding first and
// equal positions keeping their order (a stable sort): one counting sort per list, the least
// significant first. Every rank is below n.
std::vector<std::uint32_t> sorted_order(
    std::size_t n,
    std::initializer_list<const std::vector<std::uint32_t>*> most_significant_first) {
  std::vector<std::uint32_t> order(n);
  std::vector<std::uint32_t> next(n);
  std::vector<std::uint32_t> start(n + 1);
  for (std::size_t k = 0; k < n; ++k)
    order[k] = static_cast<std::uint32_t>(k);
  for (auto it = std::rbegin(most_significant_first); it != std::rend(most_significant_first);
       ++it) {
    const std::vector<std::uint32_t>& rank = **it;
    std::fill(start.begin(), start.end(), 0);
    for (std::size_t k = 0; k < n; ++k)
      ++start[rank[k] + 1];
    for (std::size_t r = 1; r <= n; ++r)
      start[r] += start[r - 1];
    for (const std::uint32_t k : order)
      next[start[rank[k]]++] = k;
    order.swap(next);
  }
  return order;
}

// Puts the records into the given order.
template <typename Record>
void permute(Record* records, const std::vector<std::uint32_t>& order) {
  std::vector<Record> sorted(order.size());
  for (std::size_t k = 0; k < order.size(); ++k)
    sorted[k] = records[order[k]];
  std::copy(sorted.begin(), sorted.end(), records);
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

// Writes the three texts of the net group of the pins at positions group[first, last) and points
// those pins at them.
void write_net_texts(PinTable& pins, const std::vector<std::uint32_t>& group, std::size_t first,
                     std::size_t last, NetTextPools& pools) {
  PoolText counted(pools.counted);
  PoolText members(pools.members);
  PoolText parts(pools.parts);
  const std::size_t k = last - first;
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
    for (std::size_t i = first; i < last; ++i) {
      const PinRecord& r = pins[group[i]];
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
  for (std::size_t i = first; i < last; ++i) {
    PinRecord& r = pins[group[i]];
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

  // Both sorts are stable: the net texts are built in the order (net, designator, pin), and the
  // pins end in the order (designator, pin) with equal ones in the order of the first sort, that
  // is by net. Sorting ranks of the three texts gives both orders at once.
  const std::size_t n = static_cast<std::size_t>(pin_count);
  std::vector<const char*> texts(n);
  auto ranks = [&](char* PinRecord::*field) {
    for (std::size_t k = 0; k < n; ++k)
      texts[k] = pins[k].*field;
    return rank_texts(texts);
  };
  const std::vector<std::uint32_t> net = ranks(&PinRecord::net);
  const std::vector<std::uint32_t> designator = ranks(&PinRecord::designator);
  const std::vector<std::uint32_t> pin = ranks(&PinRecord::pin);
  const std::vector<std::uint32_t> by_net = sorted_order(n, {&net, &designator, &pin});
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && net[by_net[last]] == net[by_net[first]])
      ++last;
    write_net_texts(store.pins, by_net, first, last, pools);
    first = last;
  }
  permute(pins, sorted_order(n, {&designator, &pin, &net}));

  if (reader_result > 0) {
    PartRecord* const parts = store.parts.record;
    const std::size_t m = static_cast<std::size_t>(reader_result);
    std::vector<const char*> part_designators(m);
    for (std::size_t k = 0; k < m; ++k)
      part_designators[k] = parts[k].designator;
    const std::vector<std::uint32_t> rank = rank_texts(part_designators);
    permute(parts, sorted_order(m, {&rank}));
    return reader_result;
  }
  return make_parts(store, pin_count);
}

}  // namespace veltrax
