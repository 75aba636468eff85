#include "netlist/index.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>
#include <type_traits>

#include "netlist/lex.h"

namespace veltrax {

namespace {

// The work arrays of indexing come from the run's memory, taken after a mark and given back
// when indexing ends; they are left uninitialised: every element is written before it is read.
template <typename T>
std::span<T> work_array(std::size_t n, RunMemory* memory) {
  static_assert(std::is_trivially_copyable_v<T>);
  return {memory->work_array<T>(n), n};
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
                                    std::span<Keyed> next, RunMemory* memory) {
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
    RunMemory* memory) {
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

// Puts the records of a table into the given order. The moves follow the cycles of the order, so
// that nothing is copied twice and no second table is needed.
template <typename Record>
void put_in_order(Table<Record>& table, std::span<const std::uint32_t> order, RunMemory* memory) {
  const std::size_t n = order.size();
  std::span<unsigned char> placed = work_array<unsigned char>(n, memory);
  std::fill(placed.begin(), placed.end(), 0);
  for (std::size_t start = 0; start < n; ++start) {
    if (placed[start] != 0 || order[start] == start) continue;
    // Place k takes what stands in place order[k]; the first record of the cycle goes last.
    const Record first = table.record[start];
    std::size_t k = start;
    for (std::size_t from = order[k]; from != start; k = from, from = order[k]) {
      table.record[k] = table.record[from];
      placed[k] = 1;
    }
    table.record[k] = first;
    placed[k] = 1;
  }
}

void normalise_pins(PinTable& pins, int pin_count) {
  for (int i = 0; i < pin_count; ++i) {
    PinRecord& r = pins[i];
    r.pin += normalised_pin(r.pin) - r.pin;
    if (char* colon = std::strchr(r.designator, ':')) *colon = '\0';
  }
}

// Writes a text of known length into the run's memory.
class TextWriter {
 public:
  TextWriter(RunMemory& memory, std::size_t length)
      : start_(static_cast<char*>(memory.allocate(length, 1))), p_(start_), end_(start_ + length) {}

  void add(const char* text, std::size_t n) {
    assert(n <= static_cast<std::size_t>(end_ - p_));
    std::memcpy(p_, text, n);
    p_ += n;
  }
  void add(const char* text) { add(text, std::strlen(text)); }
  // Fills the rest with zeros: the terminator and any spare bytes.
  char* finish() {
    assert(p_ < end_);
    std::memset(p_, 0, static_cast<std::size_t>(end_ - p_));
    return start_;
  }

 private:
  char* start_;
  char* p_;
  char* end_;
};

// Writes the three texts of the net group of the pins at positions group[first, last) and points
// those pins at them.
void write_net_texts(PinTable& pins, std::span<const std::uint32_t> group, std::size_t first,
                     std::size_t last, RunMemory& memory) {
  const std::size_t k = last - first;
  char count[16];
  const std::size_t count_length =
      static_cast<std::size_t>(std::to_chars(count, count + sizeof count, k).ptr - count);
  // The lengths first, so that each text takes exactly its room.
  std::size_t entries = 0;     // the member entries designator.pin|
  std::size_t parts = 0;       // the part entries designator|
  std::size_t empty_pins = 0;  // their entries may grow by one byte in the pin comparison
  if (k > 1) {
    for (std::size_t i = first; i < last; ++i) {
      const PinRecord& r = pins[group[i]];
      const std::size_t designator_length = std::strlen(r.designator);
      const std::size_t pin_length = std::strlen(r.pin);
      entries += designator_length + pin_length + 2;
      parts += designator_length + 1;
      if (pin_length == 0) ++empty_pins;
    }
  }
  constexpr std::size_t OPEN = sizeof OPEN_ERROR_TEXT;
  TextWriter counted(memory, k == 1 ? OPEN : count_length + 4 + entries + 1);
  TextWriter members(memory, k == 1 ? OPEN : 4 + entries + 1 + empty_pins);
  TextWriter part_list(memory, k == 1 ? OPEN : 4 + parts + 1);
  if (k == 1) {
    counted.add(OPEN_ERROR_TEXT);
    members.add(OPEN_ERROR_TEXT);
    part_list.add(OPEN_ERROR_TEXT);
  } else {
    counted.add(count, count_length);
    counted.add("pin|", 4);
    members.add("pin|", 4);
    part_list.add("pin|", 4);
    for (std::size_t i = first; i < last; ++i) {
      const PinRecord& r = pins[group[i]];
      const std::size_t designator_length = std::strlen(r.designator);
      const std::size_t pin_length = std::strlen(r.pin);
      // The member entry designator.pin| and the part entry designator|.
      for (TextWriter* t : {&counted, &members}) {
        t->add(r.designator, designator_length);
        t->add(".", 1);
        t->add(r.pin, pin_length);
        t->add("|", 1);
      }
      part_list.add(r.designator, designator_length);
      part_list.add("|", 1);
    }
  }
  char* const counted_text = counted.finish();
  char* const members_text = members.finish();
  char* const parts_text = part_list.finish();
  for (std::size_t i = first; i < last; ++i) {
    PinRecord& r = pins[group[i]];
    r.net_members_counted = counted_text;
    r.net_members = members_text;
    r.net_parts = parts_text;
  }
}

// The pin matching orders by the pin names as it relabels them (into copies of their own).
void make_work_names(PinTable& pins, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    PinRecord& r = pins[static_cast<int>(i)];
    r.work_pin = r.pin;
  }
}

// One part per distinct pin designator, in the pins' order, with an empty value and the
// footprint "x". The empty designator makes no part: it equals the text remembered at the start.
int make_parts(NetlistStore& store, int pin_count) {
  const int most = std::min(pin_count, store.limits.parts);
  store.parts.record = static_cast<PartRecord*>(store.memory->resize(
      store.parts.record, static_cast<std::size_t>(std::max(most, 1)) * sizeof(PartRecord)));
  store.parts.room = std::max(most, 1);
  char* const footprint = store.memory->copy_text("x", 1);
  int made = 0;
  const char* last = "";
  for (int i = 0; i < pin_count && made < most; ++i) {
    const PinRecord& pin = store.pins[i];
    if (std::strcmp(pin.designator, last) == 0) continue;
    last = pin.designator;
    store.parts[made++] = {PartState::paired,
                           store.memory->copy_text(pin.designator, std::strlen(pin.designator)),
                           store.empty_text, footprint};
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

int index_netlist(NetlistStore& store, int reader_result, int pin_count) {
  if (reader_result < 0) return reader_result;
  PinRecord* const pins = store.pins.record;
  normalise_pins(store.pins, pin_count);

  // Both sorts are stable: the net texts are built in the order (net, designator, pin), and the
  // pins end in the order (designator, pin) with equal ones in the order of the first sort, that
  // is by net. Sorting ranks of the three texts gives both orders at once.
  const std::size_t n = static_cast<std::size_t>(pin_count);
  RunMemory* const memory = store.memory;
  const RunMemory::Mark work = memory->mark();
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
    write_net_texts(store.pins, by_net, first, last, *memory);
    first = last;
  }
  put_in_order(store.pins, sorted_order(n, {designator, pin, net}, memory), memory);
  make_work_names(store.pins, n);

  int result = reader_result;
  if (reader_result > 0) {
    const std::span<const std::uint32_t> rank =
        ranks(store.parts.record, m, &PartRecord::designator);
    put_in_order(store.parts, sorted_order(m, {rank}, memory), memory);
  } else {
    result = make_parts(store, pin_count);
  }
  memory->release(work);
  return result;
}

}  // namespace veltrax
