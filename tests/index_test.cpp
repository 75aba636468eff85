#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "netlist/index.h"
#include "netlist/lex.h"
#include "support.h"

namespace veltrax {
namespace {

using test::set_part;
using test::set_pin;

TEST(IndexNetlist, BuildsTheThreeTextsOfEveryNet) {
  auto s = test::new_store();
  set_pin(*s, 0, "R1", "1", "GND");
  set_pin(*s, 1, "U1:A", "P$07", "VCC");
  set_pin(*s, 2, "C1", "2", "GND");
  set_pin(*s, 3, "U1", "14", "VCC");
  set_pin(*s, 4, "U1", "3", "VCC");
  set_pin(*s, 5, "J1", "1", "LONE");
  ASSERT_EQ(index_netlist(*s, 0, 6), 4);  // parts C1, J1, R1, U1 made from the pins

  const PinRecord* p = s->pins.record;
  const char* order[] = {"C1.2", "J1.1", "R1.1", "U1.14", "U1.3", "U1.7"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(std::string(p[i].designator) + "." + p[i].pin, order[i]);
    EXPECT_STREQ(p[i].work_pin, p[i].pin);
  }
  EXPECT_STREQ(p[0].net_members_counted, "2pin|C1.2|R1.1|");
  EXPECT_STREQ(p[0].net_members, "pin|C1.2|R1.1|");
  EXPECT_STREQ(p[0].net_parts, "pin|C1|R1|");
  EXPECT_EQ(p[0].net_members, p[2].net_members);  // one text shared by the net's pins
  EXPECT_STREQ(p[3].net_members_counted, "3pin|U1.14|U1.3|U1.7|");
  EXPECT_STREQ(p[3].net_parts, "pin|U1|U1|U1|");  // a part stands once per pin
  for (const char* text : {p[1].net_members_counted, p[1].net_members, p[1].net_parts})
    EXPECT_STREQ(text, "**OPEN ERROR**");
  EXPECT_STREQ(s->parts[3].designator, "U1");
  EXPECT_STREQ(s->parts[3].value, "");
  EXPECT_STREQ(s->parts[3].footprint, "x");
}

// The order of pins is the generated test's below; here, parts by bytes, and pins of one name
// after the pin names are made alike.
TEST(IndexNetlist, SortsPartsByBytesAndPinsOfOneNameStably) {
  auto s = test::new_store();
  set_pin(*s, 0, "R1", "01", "Z");  // pins 01 and 1 of one part become two pins named 1
  set_pin(*s, 1, "R1", "1", "A");
  const char* given[] = {"r1", "R2", "R10", "U1:A"};  // only pins are cut at ':'
  for (int i = 0; i < 4; ++i)
    set_part(*s, i, given[i]);
  ASSERT_EQ(index_netlist(*s, 4, 2), 4);
  EXPECT_STREQ(s->pins[0].net, "A");
  EXPECT_STREQ(s->pins[1].net, "Z");
  const char* parts[] = {"R10", "R2", "U1:A", "r1"};
  for (int i = 0; i < 4; ++i)
    EXPECT_STREQ(s->parts[i].designator, parts[i]) << i;
}

TEST(IndexNetlist, MakesPartsFromPinsUpToTheCapacityAndPassesAReaderErrorThrough) {
  auto s = test::new_store();
  const int n = PART_CAPACITY + 10;
  char name[16];
  set_pin(*s, n, "", "1", "A");  // no part of the empty designator
  for (int i = 0; i < n; ++i) {
    std::snprintf(name, sizeof name, "P%05d", n - 1 - i);  // reversed: the sort puts them right
    set_pin(*s, i, name, "1", "N");
  }
  EXPECT_EQ(index_netlist(*s, 0, n + 1), PART_CAPACITY);
  EXPECT_STREQ(s->parts[0].designator, "P00000");
  EXPECT_STREQ(s->parts[PART_CAPACITY - 1].designator, "P05999");

  auto failed = test::new_store();
  const std::size_t held = failed->run_memory.held();
  EXPECT_EQ(index_netlist(*failed, -7, 0), -7);
  EXPECT_EQ(failed->run_memory.held(), held);
}

// Texts that differ only late, share long stems, repeat, end at and around every eight-byte
// boundary and use bytes above 0x7F, in groups large and small: the order must be the plain
// stable order by byte comparison, and every net text must list its pins in that order.
TEST(IndexNetlist, OrdersGeneratedTextsAsAPlainStableSortDoes) {
  std::mt19937 random(7);
  auto text = [&](int room) {
    static const char* const stems[] = {"", "W000000000000000", "NET_AAAAAAAAAAAA", "R",
                                        "\xB1\xB2"};
    static const char letters[] = "0\xB1";
    std::string t = std::string(stems[random() % 5]).substr(0, static_cast<std::size_t>(room));
    const std::size_t extra = random() % (static_cast<std::size_t>(room) - t.size() + 1);
    for (std::size_t k = 0; k < extra; ++k)
      t += letters[random() % (sizeof letters - 1)];
    return t;
  };
  for (const int pins : {20, 40, 3000}) {
    auto s = test::new_store();
    struct Pin {
      std::string designator, pin, net;
    };
    std::vector<Pin> given;
    for (int i = 0; i < pins; ++i) {
      // Few distinct texts of each kind, so that groups of equal texts are common.
      const int round = static_cast<int>(random() % 3);
      Pin p{text(DESIGNATOR_ROOM), "A" + text(PIN_ROOM - 1), text(NET_ROOM)};
      if (round == 0 && i > 0) p.net = given[random() % given.size()].net;
      if (round == 1 && i > 0) p.designator = given[random() % given.size()].designator;
      set_pin(*s, i, p.designator.c_str(), p.pin.c_str(), p.net.c_str());
      given.push_back(p);
    }
    std::vector<int> order(given.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      const Pin& x = given[static_cast<std::size_t>(a)];
      const Pin& y = given[static_cast<std::size_t>(b)];
      for (auto field : {&Pin::designator, &Pin::pin, &Pin::net}) {
        if (const int c = std::strcmp((x.*field).c_str(), (y.*field).c_str()); c != 0) return c < 0;
      }
      return false;
    });
    std::map<std::string, std::string> members;
    std::map<std::string, int> sizes;
    for (const int k : order) {
      const Pin& p = given[static_cast<std::size_t>(k)];
      members[p.net] += p.designator + "." + p.pin + "|";
      ++sizes[p.net];
    }
    index_netlist(*s, 0, pins);
    for (std::size_t i = 0; i < order.size(); ++i) {
      const Pin& want = given[static_cast<std::size_t>(order[i])];
      const PinRecord& got = s->pins[static_cast<int>(i)];
      ASSERT_EQ(got.designator, want.designator) << pins << " pins, place " << i;
      ASSERT_EQ(got.pin, want.pin) << pins << " pins, place " << i;
      ASSERT_EQ(got.net, want.net) << pins << " pins, place " << i;
      if (sizes[want.net] > 1) {
        ASSERT_EQ(got.net_members, "pin|" + members[want.net]);
      }
    }
  }
}

}  // namespace
}  // namespace veltrax
