#include "compare/net_texts.h"

#include <cassert>
#include <cstring>

#include "compare/member_lists.h"

namespace veltrax {

namespace {

constexpr char LIST_START[] = "pin|";
constexpr std::size_t LIST_START_LENGTH = sizeof LIST_START - 1;

template <typename Map, typename Compute>
auto& memo(Map& map, const void* a, const void* b, Compute compute) {
  auto [it, fresh] = map.try_emplace({a, b});
  if (fresh) it->second = compute();
  return it->second;
}

}  // namespace

// A member list as the pairing pass edits it: its entries in order, and where each entry text
// and each designator (every prefix of an entry that ends before a '.') first stands.
struct NetTexts::EditedList {
  char* text;
  std::vector<std::string> entries;
  std::vector<bool> alive;
  std::unordered_map<std::string, std::set<int>> by_entry;
  std::unordered_map<std::string, std::set<int>> by_designator;
  bool dirty = false;

  explicit EditedList(char* list) : text(list) {
    if (std::strncmp(list, LIST_START, LIST_START_LENGTH) != 0) return;
    for (const char* p = list + LIST_START_LENGTH; *p != '\0';) {
      const char* bar = std::strchr(p, '|');
      assert(bar != nullptr);
      entries.emplace_back(p, static_cast<std::size_t>(bar - p));
      p = bar + 1;
    }
    alive.assign(entries.size(), true);
    for (int k = 0; k < static_cast<int>(entries.size()); ++k)
      add_to_index(k);
  }

  void add_to_index(int k) {
    const std::string& e = entries[k];
    by_entry[e].insert(k);
    for (std::size_t dot = e.find('.'); dot != std::string::npos; dot = e.find('.', dot + 1)) {
      by_designator[e.substr(0, dot)].insert(k);
    }
  }
  void remove_from_index(int k) {
    const std::string& e = entries[k];
    by_entry[e].erase(k);
    for (std::size_t dot = e.find('.'); dot != std::string::npos; dot = e.find('.', dot + 1)) {
      by_designator[e.substr(0, dot)].erase(k);
    }
  }
  static int first(const std::unordered_map<std::string, std::set<int>>& index,
                   const std::string& key) {
    const auto it = index.find(key);
    return it == index.end() || it->second.empty() ? -1 : *it->second.begin();
  }
  void replace(int k, std::string entry) {
    remove_from_index(k);
    entries[k] = std::move(entry);
    add_to_index(k);
    dirty = true;
  }

  // Writes the list back: "pin|" and the living entries, each with its '|'. It is never longer
  // than the plain edits would have made it, so it fits where indexing left room for it.
  void write_back() const {
    std::string out = LIST_START;
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (!alive[k]) continue;
      out += entries[k];
      out += '|';
    }
    std::memcpy(text, out.c_str(), out.size() + 1);
  }
};

// The entries of a reference list that are whole entries of a compare list: none, one (kept),
// or two or more different ones.
struct NetTexts::Shared {
  int count = 0;
  std::string only;
};

NetTexts::NetTexts(bool indexed) : indexed_(indexed) {}
NetTexts::~NetTexts() = default;

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
  auto& slot = edited_[list];
  if (!slot) slot = std::make_unique<EditedList>(list);
  return *slot;
}

EntryRef NetTexts::find_entry(char* list, const char* designator, const char* pin) {
  if (!indexed_) {
    char* entry = find_member_entry(list, designator, pin);
    return entry != nullptr ? EntryRef{list, -1, entry} : EntryRef{};
  }
  EditedList& l = edited(list);
  const int k = EditedList::first(l.by_entry, std::string(designator) + '.' + pin);
  return k >= 0 ? EntryRef{list, k, nullptr} : EntryRef{};
}

void NetTexts::delete_entry(const EntryRef& e) {
  if (!indexed_) return delete_member_entry(e.entry);
  EditedList& l = edited(e.list);
  l.remove_from_index(e.index);
  l.alive[e.index] = false;
  l.dirty = true;
}

void NetTexts::make_wildcard(const EntryRef& e, std::size_t designator_length) {
  if (!indexed_) return make_wildcard_entry(e.entry, designator_length);
  EditedList& l = edited(e.list);
  l.replace(e.index, l.entries[e.index].substr(0, designator_length + 1) + '*');
}

void NetTexts::rename_entry(char* list, const char* designator, char c) {
  if (!indexed_) return rename_member_entry(list, designator, c);
  EditedList& l = edited(list);
  const int k = EditedList::first(l.by_designator, designator);
  if (k < 0) return;
  std::string entry = l.entries[k];
  const std::size_t pin = std::strlen(designator) + 1;
  if (pin == entry.size()) {
    entry += c;
  } else {
    entry[pin] = c;
  }
  l.replace(k, std::move(entry));
}

void NetTexts::flush() {
  for (const auto& [text, list] : edited_) {
    if (list->dirty) list->write_back();
  }
  edited_.clear();
}

bool NetTexts::members_equal(const char* ref, const char* cmp) {
  return memo(members_equal_, ref, cmp, [&] { return member_lists_equal(ref, cmp); });
}

bool NetTexts::differ_in_one_pin_name(const char* ref, const char* cmp) {
  return memo(one_pin_, ref, cmp, [&] { return veltrax::differ_in_one_pin_name(ref, cmp); });
}

// The entries of a list that stand between two '|': for the lists of a run whose entries are
// separable, exactly its member entries.
const std::unordered_set<std::string_view>& NetTexts::inner_entries(const char* list) {
  auto [it, fresh] = entry_sets_.try_emplace(list);
  if (fresh) {
    const char* bar = std::strchr(list, '|');
    while (bar != nullptr) {
      const char* next = std::strchr(bar + 1, '|');
      if (next == nullptr) break;
      it->second.emplace(bar + 1, static_cast<std::size_t>(next - bar - 1));
      bar = next;
    }
  }
  return it->second;
}

const NetTexts::Shared& NetTexts::shared_entries(const char* ref, const char* cmp) {
  auto& slot = shared_[{ref, cmp}];
  if (slot) return *slot;
  slot = std::make_unique<Shared>();
  if (std::strncmp(ref, LIST_START, LIST_START_LENGTH) != 0) return *slot;
  const auto& ref_set = inner_entries(ref);
  const auto& cmp_set = inner_entries(cmp);
  const auto& small = ref_set.size() <= cmp_set.size() ? ref_set : cmp_set;
  const auto& large = ref_set.size() <= cmp_set.size() ? cmp_set : ref_set;
  for (const std::string_view e : small) {
    if (large.count(e) == 0) continue;
    if (++slot->count == 1) slot->only = e;
    if (slot->count == 2) break;
  }
  return *slot;
}

bool NetTexts::share_another_entry(const char* ref, const char* cmp, const char* designator,
                                   const char* pin) {
  if (!indexed_) return veltrax::share_another_entry(ref, cmp, designator, pin);
  const Shared& s = shared_entries(ref, cmp);
  if (s.count != 1) return s.count > 1;
  return s.only != std::string(designator) + '.' + pin;
}

}  // namespace veltrax
