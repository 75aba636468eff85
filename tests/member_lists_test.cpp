#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "compare/member_lists.h"
#include "compare/pins.h"

namespace veltrax {
namespace {

// A member list in a buffer with one spare zero byte after it, as the pools leave a list with
// an empty pin name, and a guard byte after that.
struct List {
  char bytes[64];
  std::size_t guard;
  explicit List(const char* text) : guard(std::strlen(text) + 2) {
    std::memset(bytes, '#', sizeof bytes);
    std::strcpy(bytes, text);
    bytes[guard - 1] = '\0';
  }
  std::string text() const { return bytes; }
};

TEST(MemberLists, FindsOnlyWholeEntries) {
  List l("pin|AD1.1|LED1.1|D1.1|D1.10|");
  EXPECT_EQ(find_member_entry(l.bytes, "D1", "1"), l.bytes + 17);
  EXPECT_EQ(find_member_entry(l.bytes, "D1", "10"), l.bytes + 22);
  EXPECT_EQ(find_member_entry(l.bytes, "D1", "0"), nullptr);
  EXPECT_EQ(find_member_entry(l.bytes, "1", "1"), nullptr);
  char open[] = "**OPEN ERROR**";
  EXPECT_EQ(find_member_entry(open, "U1", "1"), nullptr);
  List empty_pin("pin|U1.|U1.1|");
  EXPECT_EQ(find_member_entry(empty_pin.bytes, "U1", ""), empty_pin.bytes + 4);
}

TEST(MemberLists, DeletesWildcardsAndRenamesEntriesInPlace) {
  List a("pin|AD1.1|B5.1|D1.1|R1.2|");
  delete_member_entry(find_member_entry(a.bytes, "D1", "1"));
  EXPECT_EQ(a.text(), "pin|AD1.1|B5.1|R1.2|");

  List b("pin|U1.10|U2.3|");
  make_wildcard_entry(find_member_entry(b.bytes, "U1", "10"), 2);
  EXPECT_EQ(b.text(), "pin|U1.*|U2.3|");

  // An empty pin name grows by one byte into the room after the text, and no further.
  List c("pin|R1.1|U1.|");
  make_wildcard_entry(find_member_entry(c.bytes, "U1", ""), 2);
  EXPECT_EQ(c.text(), "pin|R1.1|U1.*|");
  EXPECT_EQ(c.bytes[c.guard], '#');

  // A rename takes the part's first entry; an empty pin name gets the character, its '|' stays.
  const char* const renames[][4] = {{"pin|LED1.2|D1.2|D1.3|", "D1", "K", "pin|LED1.2|D1.K|D1.3|"},
                                    {"pin|Q1.*|", "Q1", "B", "pin|Q1.B|"},
                                    {"pin|Q1.|R1.1|", "Q1", "E", "pin|Q1.E|R1.1|"},
                                    {"pin|R1.1|", "Q1", "E", "pin|R1.1|"}};
  for (const auto& r : renames) {
    List l(r[0]);
    rename_member_entry(l.bytes, r[1], r[2][0]);
    EXPECT_EQ(l.text(), r[3]) << r[0];
  }
}

TEST(MemberLists, SizesAndCountsEntries) {
  EXPECT_EQ(net_size("12pin|A.1|"), 12);
  EXPECT_EQ(net_size("**OPEN ERROR**"), 0);
  EXPECT_EQ(net_size(""), 0);
  EXPECT_TRUE(has_several_entries("pin|A.1|B.1|"));
  for (const char* text : {"pin|A.1|", "pin|", "**OPEN ERROR**", ""})
    EXPECT_FALSE(has_several_entries(text)) << text;
}

TEST(MemberLists, ShareAnotherWholeEntry) {
  EXPECT_TRUE(share_another_entry("pin|J2.1|U2.1|U2.2|", "pin|J2.1|R7.1|U2.1|", "U2", "2"));
  // The pin's own entry does not count, and "U1.1" is not an entry of "U1.10|".
  EXPECT_FALSE(share_another_entry("pin|J1.1|U1.1|", "pin|J1.1|U1.10|", "J1", "1"));
  EXPECT_FALSE(share_another_entry("pin|J1.1|U1.1|", "pin|XJ1.1|U1.10|", "U1", "1"));
  EXPECT_TRUE(share_another_entry("pin|Q2.*|R5.1|", "pin|Q2.*|R6.1|", "R5", "1"));  // wildcards
  EXPECT_FALSE(share_another_entry("**OPEN ERROR**", "pin|A.1|", "A", "1"));
  EXPECT_FALSE(share_another_entry("pin|", "pin|A.1|", "A", "1"));
}

}  // namespace
}  // namespace veltrax
