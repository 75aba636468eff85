// The tests and edits of the per-net member lists that the pin comparison makes.
//
// A member list is "pin|" followed by one entry per pin of the net, each a designator, '.', a pin
// name and '|' ("pin|C1.2|R1.1|"), or "**OPEN ERROR**" for a net of one pin. Entries are matched
// only as whole entries, that is right after a '|': "D1.1|" is not an entry of "pin|LED1.1|".
// Every test here is exact on bytes; each is one function, so that it can be made faster without
// changing its answer.
#pragma once

#include <cstddef>

namespace veltrax {

// The net size: the number that the leading digits of a counted member list form; 0 for a net of
// one pin ("**OPEN ERROR**").
int net_size(const char* counted);

// The first whole entry designator.pin| of a member list, or nullptr.
char* find_member_entry(char* members, const char* designator, const char* pin);

// Removes the entry at entry (as find_member_entry found it); the rest of the text moves up.
void delete_member_entry(char* entry);

// Turns the entry at entry into the wildcard entry designator.*| of its part. An entry whose pin
// name is empty grows by one byte: indexing leaves that byte free after the text.
void make_wildcard_entry(char* entry, std::size_t designator_length);

// Gives the first entry of the part in a member list the pin name that begins with c: only the
// first character after the '.' is written. An entry with an empty pin name gets the character
// inserted (it grows by one byte, as a wildcard would) rather than written over its '|'. A list
// without an entry of the part is left alone.
void rename_member_entry(char* members, const char* designator, char c);

// The classification's tests of a reference and a compare member list.
bool member_lists_equal(const char* ref, const char* cmp);
// True when the list holds two or more entries.
bool has_several_entries(const char* members);
// True when the lists differ in one pin name only.
bool differ_in_one_pin_name(const char* ref, const char* cmp);
// True when an entry of the reference list other than designator.pin is a whole entry of the
// compare list.
bool share_another_entry(const char* ref, const char* cmp, const char* designator, const char* pin);

}  // namespace veltrax
