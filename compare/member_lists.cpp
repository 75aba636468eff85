#include "compare/member_lists.h"

#include <cstring>
#include <string>

namespace veltrax {

namespace {

constexpr char LIST_START[] = "pin|";
constexpr std::size_t LIST_START_LENGTH = sizeof LIST_START - 1;

// The first occurrence of "|" + text + tail in list, pointing at text; nullptr when none.
const char* find_whole(const char* list, const char* text, std::size_t length, char tail) {
  for (const char* p = std::strchr(list, '|'); p != nullptr; p = std::strchr(p + 1, '|')) {
    if (std::strncmp(p + 1, text, length) == 0 && p[1 + length] == tail) return p + 1;
  }
  return nullptr;
}

// Inserts c at p, moving the rest of the text (and its terminator) one byte on.
void insert_char(char* p, char c) {
  std::memmove(p + 1, p, std::strlen(p) + 1);
  *p = c;
}

}  // namespace

int net_size(const char* counted) {
  int n = 0;
  for (const char* p = counted; *p >= '0' && *p <= '9'; ++p)
    n = n * 10 + (*p - '0');
  return n;
}

char* find_member_entry(char* members, const char* designator, const char* pin) {
  std::string key = designator;
  key += '.';
  key += pin;
  return const_cast<char*>(find_whole(members, key.c_str(), key.size(), '|'));
}

void delete_member_entry(char* entry) {
  const char* next = std::strchr(entry, '|') + 1;
  std::memmove(entry, next, std::strlen(next) + 1);
}

void make_wildcard_entry(char* entry, std::size_t designator_length) {
  char* pin = entry + designator_length + 1;
  char* bar = std::strchr(pin, '|');
  if (bar == pin) {
    insert_char(pin, '*');
    return;
  }
  *pin = '*';
  std::memmove(pin + 1, bar, std::strlen(bar) + 1);
}

void rename_member_entry(char* members, const char* designator, char c) {
  const std::size_t length = std::strlen(designator);
  char* entry = const_cast<char*>(find_whole(members, designator, length, '.'));
  if (entry == nullptr) return;
  char* pin = entry + length + 1;
  if (*pin == '|') {
    insert_char(pin, c);
  } else {
    *pin = c;
  }
}

bool member_lists_equal(const char* ref, const char* cmp) {
  return std::strcmp(ref, cmp) == 0;
}

bool has_several_entries(const char* members) {
  const std::size_t length = std::strlen(members);
  if (length <= LIST_START_LENGTH) return false;
  const char* first = std::strchr(members + LIST_START_LENGTH, '|');
  return first != nullptr && std::strchr(first + 1, '|') != nullptr;
}

bool differ_in_one_pin_name(const char* ref, const char* cmp) {
  std::size_t k = 0;
  while (ref[k] != '\0' && ref[k] == cmp[k])
    ++k;
  if (k == 0) return false;
  const char* a = ref + k;
  const char* b = cmp + k;
  if (ref[k - 1] == '.') {
    while (*a != '\0' && *a != '|')
      ++a;
    while (*b != '\0' && *b != '|')
      ++b;
  }
  return std::strcmp(a, b) == 0;
}

bool share_another_entry(const char* ref, const char* cmp, const char* designator,
                         const char* pin) {
  if (std::strncmp(ref, LIST_START, LIST_START_LENGTH) != 0) return false;
  const std::string own = std::string(designator) + '.' + pin;
  for (const char* entry = ref + LIST_START_LENGTH; *entry != '\0';) {
    const char* bar = std::strchr(entry, '|');
    const std::size_t length =
        bar != nullptr ? static_cast<std::size_t>(bar - entry) : std::strlen(entry);
    const bool is_own = own.compare(0, std::string::npos, entry, length) == 0;
    if (!is_own && find_whole(cmp, entry, length, '|') != nullptr) return true;
    if (bar == nullptr) break;
    entry = bar + 1;
  }
  return false;
}

}  // namespace veltrax
