// The net-text work of the pin comparison, shared per net and per pair of nets.
//
// The plain tests and edits of member_lists.h cost time in proportion to a net's text for every
// pin of the net, which makes a net of thousands of pins cost millions. Here the answers are
// kept per pair of texts (every pin of a pair of nets gets the same answer), the at-least-one
// test looks entries up in a hash index, and the pairing pass edits a list of entries with an
// index per entry and per designator instead of searching and moving the text. The answers are
// exactly those of the plain forms; a run where a designator or pin name holds a '|' (so that
// entries cannot be told apart) uses the plain forms throughout.
#pragma once

#include <cstddef>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "netlist/run_memory.h"
#include "netlist/store.h"

namespace veltrax {

// A member entry that the pairing pass found: its list and its place in it.
struct EntryRef {
  char* list = nullptr;
  int index = -1;         // indexed form: the entry's position among the list's entries
  char* entry = nullptr;  // plain form: the entry in the text
  explicit operator bool() const { return list != nullptr; }
};

class NetTexts {
 public:
  // indexed selects the fast forms; use entries_are_separable to decide. The work is kept in the
  // run's work arrays, which nothing else takes while the pins are compared.
  NetTexts(bool indexed, RunMemory& memory);
  ~NetTexts();
  NetTexts(const NetTexts&) = delete;
  NetTexts& operator=(const NetTexts&) = delete;

  // True when no designator or pin name of the valid pins holds a '|'.
  static bool entries_are_separable(const PinTable& pins, int pin_count);

  // Texts that never change during a run: the counted member lists and the part lists.
  int compare_counted(const char* ref, const char* cmp);  // strcmp
  bool parts_equal(const char* ref, const char* cmp);

  // The pairing pass's edits of member lists. After the last edit, flush() writes the edited
  // lists back into their texts; the classification reads the texts.
  EntryRef find_entry(char* list, const char* designator, const char* pin);
  void delete_entry(const EntryRef& e);
  void make_wildcard(const EntryRef& e, std::size_t designator_length);
  void rename_entry(char* list, const char* designator, char c);
  // A copy of a pin name whose first character is first (a mapping's relabelled name).
  char* relabeled(const char* pin, char first);
  void flush();

  // The classification's tests of final member lists (after flush).
  bool members_equal(const char* ref, const char* cmp);
  bool differ_in_one_pin_name(const char* ref, const char* cmp);
  bool share_another_entry(const char* ref, const char* cmp, const char* designator,
                           const char* pin);

 private:
  struct EditedList;
  // The entries of a reference list that are whole entries of a compare list: none, one (kept),
  // or two or more different ones.
  struct Shared {
    int count = 0;
    std::string_view only;
  };
  using Key = std::pair<const void*, const void*>;
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>()(k.first) * 31 + std::hash<const void*>()(k.second);
    }
  };

  template <typename Value>
  using Memo = std::pmr::unordered_map<Key, Value, KeyHash>;
  using EntrySet = std::pmr::vector<std::string_view>;  // sorted, each entry once

  EditedList& edited(char* list);
  const EntrySet& inner_entries(const char* list);
  const Shared& shared_entries(const char* ref, const char* cmp);

  bool indexed_;
  // Everything below lives in the run's work memory, which gives it all back at the run's end.
  std::pmr::memory_resource* memory_;
  Memo<int> counted_{memory_};
  Memo<bool> parts_{memory_};
  Memo<bool> members_equal_{memory_};
  Memo<bool> one_pin_{memory_};
  Memo<Shared> shared_{memory_};
  std::pmr::unordered_map<const char*, EntrySet> entry_sets_{memory_};
  std::pmr::unordered_map<char*, EditedList*> edited_{memory_};
};

}  // namespace veltrax
