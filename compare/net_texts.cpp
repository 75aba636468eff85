#include "compare/net_texts.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <forward_list>

#include "compare/member_lists.h"

namespace veltrax {

namespace {

constexpr char LIST_START[] = "pin|";
constexpr std::size_t LIST_START_LENGTH = sizeof LIST_START - 1;

// Texts shorter than this are compared straight away: the comparison costs less than a lookup,
// and keeping its answer would take memory for every pair of small nets of a large board.
constexpr std::size_t SHORT_TEXT = 256;

bool is_short(const char* text) {
  return strnlen(text, SHORT_TEXT) < SHORT_TEXT;
}

template <typename Map, typename Compute>
auto memo(Map& map, const char* a, const char* b, Compute compute) {
  if (is_short(a) && is_short(b)) return compute();
  auto [it, fresh] = map.try_emplace({a, b});
  if (fresh) it->second = compute();
  return it->second;
}

}  // namespace

// Where a text stands among the entries of a list: for every text, a chain of the entries that
// held it, in list order. An entry that changes leaves a stale node behind (its version moved
// on) and joins the chain of its new text; stale nodes are dropped as lookups meet them.
class ChainIndex {
 public:
  explicit ChainIndex(std::pmr::memory_resource* memory)
      : nodes_(memory), chains_(memory), table_(memory) {}

  void add(std::string_view key, int entry, std::uint32_t version) {
    Chain& c = chain(key);
    const int node = static_cast<int>(nodes_.size());
    nodes_.push_back({entry, version, -1});
    if (c.tail < 0) {
      c.head = c.tail = node;
    } else if (nodes_[c.tail].entry <= entry) {
      nodes_[c.tail].next = node;
      c.tail = node;
    } else if (nodes_[c.head].entry > entry) {
      nodes_[node].next = c.head;
      c.head = node;
    } else {
      int at = c.head;
      while (nodes_[at].next >= 0 && nodes_[nodes_[at].next].entry <= entry)
        at = nodes_[at].next;
      nodes_[node].next = nodes_[at].next;
      nodes_[at].next = node;
    }
  }

  // The first entry of the chain of key that is_current accepts, or -1.
  template <typename Current>
  int first(std::string_view key, Current is_current) {
    const int id = find(key);
    if (id < 0) return -1;
    Chain& c = chains_[id];
    while (c.head >= 0) {
      const Node& n = nodes_[c.head];
      if (is_current(n.entry, n.version)) return n.entry;
      c.head = n.next;
    }
    c.tail = -1;
    return -1;
  }

 private:
  struct Node {
    int entry;
    std::uint32_t version;
    int next;
  };
  struct Chain {
    std::string_view key;
    int head = -1;
    int tail = -1;
  };

  static std::size_t hash(std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char ch : key)
      h = (h ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }
  int find(std::string_view key) const {
    if (table_.empty()) return -1;
    for (std::size_t at = hash(key) & (table_.size() - 1);; at = (at + 1) & (table_.size() - 1)) {
      const int id = table_[at];
      if (id < 0 || chains_[id].key == key) return id;
    }
  }
  Chain& chain(std::string_view key) {
    if ((chains_.size() + 1) * 2 > table_.size()) grow();
    std::size_t at = hash(key) & (table_.size() - 1);
    for (; table_[at] >= 0; at = (at + 1) & (table_.size() - 1)) {
      if (chains_[table_[at]].key == key) return chains_[table_[at]];
    }
    table_[at] = static_cast<int>(chains_.size());
    chains_.push_back({key});
    return chains_.back();
  }
  void grow() {
    table_.assign(std::max<std::size_t>(16, table_.size() * 2), -1);
    for (std::size_t id = 0; id < chains_.size(); ++id) {
      std::size_t at = hash(chains_[id].key) & (table_.size() - 1);
      while (table_[at] >= 0)
        at = (at + 1) & (table_.size() - 1);
      table_[at] = static_cast<int>(id);
    }
  }

  std::pmr::vector<Node> nodes_;
  std::pmr::vector<Chain> chains_;
  std::pmr::vector<int> table_;
};

// A member list as the pairing pass edits it: its entries in order (views of the text until
// an entry changes), which are alive, and, for a list long enough to need them, chain indexes
// by entry text and by designator (every prefix of an entry that ends before a '.').
struct NetTexts::EditedList {
  static constexpr std::size_t SCANNED = 16;  // shorter lists are searched entry by entry

  char* text;
  std::pmr::vector<std::string_view> entries;
  std::pmr::vector<unsigned char> alive;
  std::pmr::vector<std::uint32_t> version;
  std::pmr::forward_list<std::pmr::string> changed;  // no room taken until an entry changes
  ChainIndex by_entry;
  ChainIndex by_designator;
  bool designators_indexed = false;
  bool dirty = false;

  EditedList(char* list, std::pmr::memory_resource* memory)
      : text(list),
        entries(memory),
        alive(memory),
        version(memory),
        changed(memory),
        by_entry(memory),
        by_designator(memory) {
    if (std::strncmp(list, LIST_START, LIST_START_LENGTH) != 0) return;
    entries.reserve(static_cast<std::size_t>(
        std::count(list + LIST_START_LENGTH, list + std::strlen(list), '|')));
    for (const char* p = list + LIST_START_LENGTH; *p != '\0';) {
      const char* bar = std::strchr(p, '|');
      assert(bar != nullptr);
      entries.emplace_back(p, static_cast<std::size_t>(bar - p));
      p = bar + 1;
    }
    alive.assign(entries.size(), 1);
    version.assign(entries.size(), 0);
    if (indexed()) {
      for (int k = 0; k < size(); ++k)
        by_entry.add(entries[k], k, 0);
    }
  }

  int size() const { return static_cast<int>(entries.size()); }
  bool indexed() const { return entries.size() > SCANNED; }
  bool current(int k, std::uint32_t v) const { return alive[k] && version[k] == v; }

  static bool has_designator(std::string_view entry, std::string_view designator) {
    return entry.size() > designator.size() && entry[designator.size()] == '.' &&
           entry.substr(0, designator.size()) == designator;
  }
  template <typename Visit>
  static void for_each_designator(std::string_view entry, Visit visit) {
    for (std::size_t dot = entry.find('.'); dot != std::string_view::npos;
         dot = entry.find('.', dot + 1)) {
      visit(entry.substr(0, dot));
    }
  }

  int find(std::string_view key) {
    if (indexed()) {
      return by_entry.first(key, [&](int k, std::uint32_t v) { return current(k, v); });
    }
    for (int k = 0; k < size(); ++k) {
      if (alive[k] && entries[k] == key) return k;
    }
    return -1;
  }

  int find_designator(std::string_view designator) {
    if (!indexed()) {
      for (int k = 0; k < size(); ++k) {
        if (alive[k] && has_designator(entries[k], designator)) return k;
      }
      return -1;
    }
    if (!designators_indexed) {
      designators_indexed = true;
      for (int k = 0; k < size(); ++k) {
        if (!alive[k]) continue;
        for_each_designator(entries[k],
                            [&](std::string_view d) { by_designator.add(d, k, version[k]); });
      }
    }
    return by_designator.first(designator, [&](int k, std::uint32_t v) { return current(k, v); });
  }

  void remove(int k) {
    alive[k] = 0;
    dirty = true;
  }

  void replace(int k, std::string_view entry) {
    changed.emplace_front(entry);
    entries[k] = changed.front();
    const std::uint32_t v = ++version[k];
    if (indexed()) {
      by_entry.add(entries[k], k, v);
      if (designators_indexed) {
        for_each_designator(entries[k], [&](std::string_view d) { by_designator.add(d, k, v); });
      }
    }
    dirty = true;
  }

  // Writes the list back: "pin|" and the living entries, each with its '|'. It is never longer
  // than the plain edits would have made it, so it fits where indexing left room for it.
  void write_back(std::string& out) const {
    out = LIST_START;
    for (int k = 0; k < size(); ++k) {
      if (!alive[k]) continue;
      out += entries[k];
      out += '|';
    }
    std::memcpy(text, out.c_str(), out.size() + 1);
  }
};

NetTexts::NetTexts(bool indexed, RunMemory& memory)
    : indexed_(indexed), memory_(memory.work_resource()) {}

NetTexts::~NetTexts() {
  // Lists not flushed (a run that ends early) are dropped as they are.
  for (const auto& [text, list] : edited_) {
    if (list != nullptr) std::destroy_at(list);
  }
}

bool NetTexts::entries_are_separable(const PinTable& pins, int pin_count) {
  for (int i = 0; i < pin_count; ++i) {
    if (std::strchr(pins[i].designator, '|') != nullptr || std::strchr(pins[i].pin, '|')) {
      return false;
    }
  }
  return true;
}

int NetTexts::compare_counted(const char* ref, const char* cmp) {
  return memo(counted_, ref, cmp, [&] { return std::strcmp(ref, cmp); });
}

bool NetTexts::parts_equal(const char* ref, const char* cmp) {
  return memo(parts_, ref, cmp, [&] { return std::strcmp(ref, cmp) == 0; });
}

NetTexts::EditedList& NetTexts::edited(char* list) {
  EditedList*& slot = edited_[list];
  if (slot == nullptr) {
    // Entered only once made whole: a list whose making fails stays out.
    EditedList* made = std::pmr::polymorphic_allocator<EditedList>(memory_).allocate(1);
    new (made) EditedList(list, memory_);
    slot = made;
  }
  return *slot;
}

EntryRef NetTexts::find_entry(char* list, const char* designator, const char* pin) {
  if (!indexed_) {
    char* entry = find_member_entry(list, designator, pin);
    return entry != nullptr ? EntryRef{list, -1, entry} : EntryRef{};
  }
  std::string key = designator;
  key += '.';
  key += pin;
  const int k = edited(list).find(key);
  return k >= 0 ? EntryRef{list, k, nullptr} : EntryRef{};
}

void NetTexts::delete_entry(const EntryRef& e) {
  if (!indexed_) return delete_member_entry(e.entry);
  edited(e.list).remove(e.index);
}

void NetTexts::make_wildcard(const EntryRef& e, std::size_t designator_length) {
  if (!indexed_) return make_wildcard_entry(e.entry, designator_length);
  EditedList& l = edited(e.list);
  std::string entry(l.entries[e.index].substr(0, designator_length + 1));
  entry += '*';
  l.replace(e.index, entry);
}

void NetTexts::rename_entry(char* list, const char* designator, char c) {
  if (!indexed_) return rename_member_entry(list, designator, c);
  EditedList& l = edited(list);
  const int k = l.find_designator(designator);
  if (k < 0) return;
  std::string entry(l.entries[k]);
  const std::size_t pin = std::strlen(designator) + 1;
  if (pin == entry.size()) {
    entry += c;
  } else {
    entry[pin] = c;
  }
  l.replace(k, entry);
}

char* NetTexts::relabeled(const char* pin, char first) {
  const std::size_t n = std::strlen(pin);
  char* copy = static_cast<char*>(memory_->allocate(n + 1, 1));
  std::memcpy(copy, pin, n + 1);
  if (n > 0) copy[0] = first;
  return copy;
}

void NetTexts::flush() {
  std::string room;
  for (const auto& [text, list] : edited_) {
    if (list == nullptr) continue;
    if (list->dirty) list->write_back(room);
    std::destroy_at(list);
  }
  edited_.clear();
}

bool NetTexts::members_equal(const char* ref, const char* cmp) {
  return memo(members_equal_, ref, cmp, [&] { return member_lists_equal(ref, cmp); });
}

bool NetTexts::differ_in_one_pin_name(const char* ref, const char* cmp) {
  return memo(one_pin_, ref, cmp, [&] { return veltrax::differ_in_one_pin_name(ref, cmp); });
}

// The different entries of a list that stand between two '|', sorted: for the lists of a run
// whose entries are separable, exactly its member entries.
const NetTexts::EntrySet& NetTexts::inner_entries(const char* list) {
  auto [it, fresh] = entry_sets_.try_emplace(list);
  if (fresh) {
    EntrySet& set = it->second;
    set.reserve(static_cast<std::size_t>(std::count(list, list + std::strlen(list), '|')));
    const char* bar = std::strchr(list, '|');
    while (bar != nullptr) {
      const char* next = std::strchr(bar + 1, '|');
      if (next == nullptr) break;
      set.emplace_back(bar + 1, static_cast<std::size_t>(next - bar - 1));
      bar = next;
    }
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
  }
  return it->second;
}

const NetTexts::Shared& NetTexts::shared_entries(const char* ref, const char* cmp) {
  const auto [it, fresh] = shared_.try_emplace({ref, cmp});
  Shared& slot = it->second;
  if (!fresh || std::strncmp(ref, LIST_START, LIST_START_LENGTH) != 0) return slot;
  const auto& ref_set = inner_entries(ref);
  const auto& cmp_set = inner_entries(cmp);
  const auto& small = ref_set.size() <= cmp_set.size() ? ref_set : cmp_set;
  const auto& large = ref_set.size() <= cmp_set.size() ? cmp_set : ref_set;
  for (const std::string_view e : small) {
    if (!std::binary_search(large.begin(), large.end(), e)) continue;
    if (++slot.count == 1) slot.only = e;
    if (slot.count == 2) break;
  }
  return slot;
}

bool NetTexts::share_another_entry(const char* ref, const char* cmp, const char* designator,
                                   const char* pin) {
  if (!indexed_ || (is_short(ref) && is_short(cmp))) {
    return veltrax::share_another_entry(ref, cmp, designator, pin);
  }
  const Shared& s = shared_entries(ref, cmp);
  if (s.count != 1) return s.count > 1;
  const std::size_t d = std::strlen(designator);
  return !(s.only.size() == d + 1 + std::strlen(pin) && s.only.compare(0, d, designator) == 0 &&
           s.only[d] == '.' && s.only.substr(d + 1) == pin);
}

}  // namespace veltrax
