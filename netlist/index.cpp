#include "netlist/index.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory_resource>
#include <span>
#include <type_traits>

#include "netlist/lex.h"
#include "platform/memory.h"

namespace veltrax {

namespace {

// The work arrays of indexing come from one block that lives as long as the process, so that a
// run does not fault fresh pages in for them; a run that needs more falls back on the heap. The
// arrays are left uninitialised: every element is written before it is read.
using Memory = std::pmr::memory_resource;

struct Scratch {
  static constexpr std::size_t SIZE = std::size_t{8} << 20;
  std::pmr::monotonic_buffer_resource memory{block(), SIZE, std::pmr::new_delete_resource()};
  static void* block() {
    static void* const b = allocate_lasting(SIZE);
    return b;
  }
};

template <typename T>
std::span<T> work_array(std::size_t n, Memory* memory) {
  static_assert(std::is_trivially_copyable_v<T>);
  return {static_cast<T*>(memory->allocate(n * sizeof(T), alignof(T))), n};
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The first eight bytes of a text as a number that orders as the bytes do (zeros after its end).
// Its lowest byte is zero exactly when the text is shorter than eight bytes, so that the number
// is the whole text.
std::uint64_t order_prefix(const char* text) {
  std::uint64_t v = 0;
  int k = 0;
  for (; k < 8 && text[k] != '\0'; ++k)
    v = v << 8 | static_cast<unsigned char>(text[k]);
  return k == 0 ? 0 : v << (8 * (8 - k));
}

struct Keyed {
  std::uint64_t prefix;
  std::uint32_t index;
};

// Gives ranks from r on to texts that share their first `offset` bytes, in the byte order of the
// rest: equal texts get equal ranks, a smaller text a smaller rank. Returns the next free rank.
//
// A group of a few texts is sorted by comparing them, once it is seen not to be one text
// repeated, as the pins of one net are. A larger group is radix sorted by the next eight bytes
// (one byte a pass, passes where every text has the same byte left out; the counts of all eight
// passes taken in one sweep, where counters of different passes do not wait on one another).
// Texts that end within those bytes and share them are the same text; longer ones that share them
// are ranked by the bytes after, in turn. So long texts that differ only late, such as
// designators of one long stem, cost a few sweeps instead of a comparison sort.
//
// keyed holds the texts' indexes; next is work room of the same size.
std::uint32_t rank_group(std::span<const char* const> texts, std::span<Keyed> keyed,
                         std::span<Keyed> next, std::size_t offset, std::uint32_t r,
                         std::span<std::uint32_t> rank) {
  auto rest = [&](const Keyed& e) { return texts[e.index] + offset; };
  constexpr std::size_t FEW = 32;
  if (keyed.size() <= FEW) {
    auto less = [&](const Keyed& a, const Keyed& b) { return std::strcmp(rest(a), rest(b)) < 0; };
    if (std::any_of(keyed.begin() + 1, keyed.end(),
                    [&](const Keyed& e) { return std::strcmp(rest(e), rest(keyed[0])) != 0; })) {
      std::sort(keyed.begin(), keyed.end(), less);
    }
    for (std::size_t k = 0; k < keyed.size(); ++k) {
      if (k > 0 && less(keyed[k - 1], keyed[k])) ++r;
      rank[keyed[k].index] = r;
    }
    return r + 1;
  }

  const std::size_t n = keyed.size();
  std::uint32_t count[8][257] = {};
  for (Keyed& e : keyed) {
    e.prefix = order_prefix(rest(e));
    for (int pass = 0; pass < 8; ++pass)
      ++count[pass][((e.prefix >> (8 * pass)) & 0xFF) + 1];
  }
  for (int pass = 0; pass < 8; ++pass) {
    std::uint32_t* const start = count[pass];
    if (std::find(start, start + 257, n) != start + 257) continue;
    for (int b = 1; b <= 256; ++b)
      start[b] += start[b - 1];
    for (const Keyed& e : keyed)
      next[start[(e.prefix >> (8 * pass)) & 0xFF]++] = e;
    std::swap(keyed, next);
  }
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && keyed[last].prefix == keyed[first].prefix)
      ++last;
    const bool whole = (keyed[first].prefix & 0xFF) == 0;
    if (whole || last - first == 1) {
      for (std::size_t k = first; k < last; ++k)
        rank[keyed[k].index] = r;
      ++r;
    } else {
      r = rank_group(texts, keyed.subspan(first, last - first), next.subspan(first, last - first),
                     offset + 8, r, rank);
    }
    first = last;
  }
  return r;
}

// Ranks of texts in byte order. The keyed arrays are work room of at least texts.size()
// elements, shared by the rankings of one indexing.
std::span<std::uint32_t> rank_texts(std::span<const char* const> texts, std::span<Keyed> keyed,
                                    std::span<Keyed> next, Memory* memory) {
  const std::size_t n = texts.size();
  std::span<std::uint32_t> rank = work_array<std::uint32_t>(n, memory);
  if (n == 0) return rank;
  for (std::size_t k = 0; k < n; ++k)
    keyed[k].index = static_cast<std::uint32_t>(k);
  rank_group(texts, keyed.first(n), next.first(n), 0, 0, rank);
  return rank;
}

// The positions 0 to n-1 in the order of their ranks, the first rank list deciding first and
// equal positions keeping their order (a stable sort): one counting sort per list, the least
// significant first. Every rank is below n.
std::span<std::uint32_t> sorted_order(
    std::size_t n, std::initializer_list<std::span<const std::uint32_t>> most_significant_first,
    Memory* memory) {
  std::span<std::uint32_t> order = work_array<std::uint32_t>(n, memory);
  std::span<std::uint32_t> next = work_array<std::uint32_t>(n, memory);
  std::span<std::uint32_t> start = work_array<std::uint32_t>(n + 1, memory);
  for (std::size_t k = 0; k < n; ++k)
    order[k] = static_cast<std::uint32_t>(k);
  for (auto it = std::rbegin(most_significant_first); it != std::rend(most_significant_first);
       ++it) {
    const std::span<const std::uint32_t> rank = *it;
    std::fill(start.begin(), start.end(), 0);
    for (std::size_t k = 0; k < n; ++k)
      ++start[rank[k] + 1];
    for (std::size_t r = 1; r <= n; ++r)
      start[r] += start[r - 1];
    for (const std::uint32_t k : order)
      next[start[rank[k]]++] = k;
    std::swap(order, next);
  }
  return order;
}

// Puts the records of a table into the given order, their texts with them: record k and its
// texts end in place k, so that the passes that walk the table in order read memory in order.
// The moves follow the cycles of the order, so that nothing is copied twice and no second table
// is needed. At indexing every record still refers to its own slot.
template <typename Table>
void put_in_order(Table& table, std::span<const std::uint32_t> order, Memory* memory) {
  const std::size_t n = order.size();
  std::span<unsigned char> placed = work_array<unsigned char>(n, memory);
  std::fill(placed.begin(), placed.end(), 0);
  for (std::size_t start = 0; start < n; ++start) {
    if (placed[start] != 0 || order[start] == start) continue;
    // Place k takes what stands in place order[k]; the first record of the cycle goes last.
    const auto record = table.record[start];
    const auto slot = table.slot[start];
    std::size_t k = start;
    for (std::size_t from = order[k]; from != start; k = from, from = order[k]) {
      table.record[k] = table.record[from];
      table.slot[k] = table.slot[from];
      placed[k] = 1;
    }
    table.record[k] = record;
    table.slot[k] = slot;
    placed[k] = 1;
  }
  for (std::size_t k = 0; k < n; ++k)
    table.bind_record(static_cast<int>(k));
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

  void add(const char* text, std::size_t n) {
    assert(p_ + n < pool_.bytes + pool_.size);
    std::memcpy(p_, text, n);
    p_ += n;
  }
  void add(const char* text) { add(text, std::strlen(text)); }
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
void write_net_texts(PinTable& pins, std::span<const std::uint32_t> group, std::size_t first,
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
    char* end = std::to_chars(count, count + sizeof count, k).ptr;
    counted.add(count, static_cast<std::size_t>(end - count));
    counted.add("pin|", 4);
    members.add("pin|", 4);
    parts.add("pin|", 4);
  }
  for (std::size_t i = first; i < last; ++i) {
    PinRecord& r = pins[group[i]];
    const std::size_t designator_length = std::strlen(r.designator);
    const std::size_t pin_length = std::strlen(r.pin);
    std::memcpy(r.work_designator, r.designator, designator_length + 1);
    std::memcpy(r.work_pin, r.pin, pin_length + 1);
    r.net_members_counted = counted.start();
    r.net_members = members.start();
    r.net_parts = parts.start();
    if (k == 1) continue;
    // The member entry designator.pin| and the part entry designator|.
    char entry[MEMBER_ENTRY_MAX];
    std::memcpy(entry, r.designator, designator_length);
    entry[designator_length] = '.';
    std::memcpy(entry + designator_length + 1, r.pin, pin_length);
    entry[designator_length + 1 + pin_length] = '|';
    const std::size_t entry_length = designator_length + pin_length + 2;
    counted.add(entry, entry_length);
    members.add(entry, entry_length);
    parts.add(r.designator, designator_length);
    parts.add("|", 1);
    if (pin_length == 0) ++empty_pins;
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
  Scratch scratch;
  Memory* const memory = &scratch.memory;
  const std::size_t m = reader_result > 0 ? static_cast<std::size_t>(reader_result) : 0;
  std::span<const char*> texts = work_array<const char*>(std::max(n, m), memory);
  const std::span<Keyed> keyed = work_array<Keyed>(std::max(n, m), memory);
  const std::span<Keyed> keyed_next = work_array<Keyed>(std::max(n, m), memory);
  auto ranks = [&](auto* records, std::size_t count,
                   char* std::remove_pointer_t<decltype(records)>::*field) {
    for (std::size_t k = 0; k < count; ++k)
      texts[k] = records[k].*field;
    return rank_texts(texts.first(count), keyed, keyed_next, memory);
  };
  const std::span<const std::uint32_t> net = ranks(pins, n, &PinRecord::net);
  const std::span<const std::uint32_t> designator = ranks(pins, n, &PinRecord::designator);
  const std::span<const std::uint32_t> pin = ranks(pins, n, &PinRecord::pin);
  const std::span<const std::uint32_t> by_net = sorted_order(n, {net, designator, pin}, memory);
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && net[by_net[last]] == net[by_net[first]])
      ++last;
    write_net_texts(store.pins, by_net, first, last, pools);
    first = last;
  }
  put_in_order(store.pins, sorted_order(n, {designator, pin, net}, memory), memory);

  if (reader_result > 0) {
    const std::span<const std::uint32_t> rank =
        ranks(store.parts.record, m, &PartRecord::designator);
    put_in_order(store.parts, sorted_order(m, {rank}, memory), memory);
    return reader_result;
  }
  return make_parts(store, pin_count);
}

}  // namespace veltrax
