// The decisions for exchanged and differently named pins, as tables of cases.
#include <gtest/gtest.h>

#include <string>

#include "compare/exchange.h"

namespace veltrax {
namespace {

// A pattern from the equal net names, written as "xy" pairs (R[i+x] and C[j+y] share a net), and
// the net sizes of both sides.
CrossPattern pattern(const std::string& equal, std::array<int, 3> ref_size = {2, 2, 2},
                     std::array<int, 3> cmp_size = {2, 2, 2}) {
  CrossPattern p;
  for (std::size_t k = 0; k + 2 <= equal.size(); k += 3) {
    p.same_net[equal[k] - '0'][equal[k + 1] - '0'] = true;
  }
  for (int k = 0; k < 3; ++k) {
    p.ref_size[k] = ref_size[k];
    p.cmp_size[k] = cmp_size[k];
  }
  return p;
}

TEST(PassiveExchange, DecidesByNamesThenSizesThenPartLists) {
  EXPECT_TRUE(passive_exchanges(pattern("01")));                // rule 1
  EXPECT_TRUE(passive_exchanges(pattern("10 11")));             // rule 2 before 11
  EXPECT_TRUE(passive_exchanges(pattern("", {2, 5}, {5, 2})));  // rule 3
  EXPECT_TRUE(passive_exchanges(pattern("", {5, 2}, {2, 5})));
  EXPECT_FALSE(passive_exchanges(pattern("11", {2, 5}, {5, 2})));  // 11 blocks rule 3
  EXPECT_FALSE(passive_exchanges(pattern("", {2, 5}, {2, 5})));
  CrossPattern parts = pattern("");
  parts.parts_equal[0][1] = true;
  EXPECT_TRUE(passive_exchanges(parts));  // rule 6
  parts.parts_equal[0][0] = true;
  EXPECT_FALSE(passive_exchanges(parts));  // rule 4 first
  parts = pattern("");
  parts.parts_equal[1][0] = true;
  parts.parts_equal[1][1] = true;
  EXPECT_FALSE(passive_exchanges(parts));          // rule 5 first
  EXPECT_FALSE(passive_exchanges(pattern("00")));  // rule 7
}

TEST(DiodeMapping, DecidesByNamesThenSizes) {
  EXPECT_EQ(diode_pairing(pattern("00")), Pairing::straight);
  EXPECT_EQ(diode_pairing(pattern("11 01")), Pairing::straight);  // rule 1 before rule 2
  EXPECT_EQ(diode_pairing(pattern("10")), Pairing::crossed);
  EXPECT_EQ(diode_pairing(pattern("", {2, 3}, {4, 9})), Pairing::straight);
  EXPECT_EQ(diode_pairing(pattern("", {3, 2}, {4, 9})), Pairing::crossed);
  EXPECT_EQ(diode_pairing(pattern("", {2, 2}, {4, 9})), Pairing::none);
  EXPECT_EQ(diode_pairing(pattern("", {2, 3}, {4, 4})), Pairing::none);
}

TEST(TransistorMapping, ChoosesThePartnerOfTheFirstPinAndThenTheOthers) {
  const struct {
    const char* equal;
    std::array<int, 3> ref_size;
    std::array<int, 3> cmp_size;
    bool maps;
    std::array<int, 3> partner;
  } cases[] = {
      {"00 11 22", {2, 2, 2}, {2, 2, 2}, true, {0, 1, 2}},  // all names kept
      {"00 12", {2, 2, 2}, {2, 2, 2}, true, {0, 2, 1}},
      {"12 21", {2, 2, 2}, {2, 2, 2}, true, {0, 2, 1}},  // partner rule 3
      {"21", {2, 3, 4}, {2, 4, 3}, true, {0, 2, 1}},     // one net kept, sizes for the rest
      {"01 10", {2, 2, 2}, {2, 2, 2}, true, {1, 0, 2}},
      {"01", {2, 3, 4}, {4, 2, 3}, true, {1, 2, 0}},     // rule 5, then size orders
      {"12 20", {2, 2, 2}, {2, 2, 2}, true, {1, 2, 0}},  // partner rule 6
      {"10 22", {2, 2, 2}, {2, 2, 2}, true, {1, 0, 2}},  // partner rule 7
      {"", {2, 3, 4}, {3, 2, 4}, true, {1, 0, 2}},       // sizes alone: rule 8
      {"02 10", {2, 2, 2}, {2, 2, 2}, true, {2, 0, 1}},  // rule 10, then straight
      {"02 11", {2, 2, 2}, {2, 2, 2}, true, {2, 1, 0}},  // rule 10, then crossed
      {"", {2, 3, 4}, {3, 4, 2}, true, {2, 0, 1}},       // sizes alone: rule 10
      {"", {2, 2, 2}, {2, 2, 2}, false, {}},             // equal sizes, no names: rule 9
      {"", {2, 2, 3}, {2, 3, 4}, false, {}},             // two sizes equal: orders 0
      {"00", {2, 2, 2}, {2, 2, 2}, false, {}},           // partner 0, nothing for the rest
  };
  for (const auto& c : cases) {
    std::array<int, 3> partner{-1, -1, -1};
    const bool maps = transistor_assignment(pattern(c.equal, c.ref_size, c.cmp_size), partner);
    EXPECT_EQ(maps, c.maps) << c.equal;
    if (c.maps && maps) {
      EXPECT_EQ(partner, c.partner) << c.equal;
    }
  }
}

TEST(ExchangeDesignators, QualifyWhenNoLetterFollowsTheirPrefix) {
  const struct {
    const char* designator;
    bool passive;
  } cases[] = {{"R1", true},   {"R", true},     {"R-2", true}, {"R\xb1", true},
               {"RN1", false}, {"R_1", false},  {"FB3", true}, {"FBX", false},
               {"L1", true},   {"LED1", false}, {"C10", true}, {"CN1", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(has_prefix(c.designator, {"FB", "R", "C", "L"}), c.passive) << c.designator;
  }
  // The longer prefix is tried first: LED2 is a diode, LEDA none.
  EXPECT_TRUE(has_prefix("LED2", {"LED", "ZD", "D", "Z"}));
  EXPECT_FALSE(has_prefix("LEDA", {"LED", "ZD", "D", "Z"}));
  EXPECT_FALSE(has_prefix("DA1", {"LED", "ZD", "D", "Z"}));
}

TEST(ExchangeDesignators, DiodesAndTransistorsAreToldByTheirFirstLetters) {
  for (const char* d : {"D1", "ZD3", "LED2", "DA1"})
    EXPECT_TRUE(looks_like_diode(d)) << d;
  EXPECT_FALSE(looks_like_diode("L1"));
  for (const char* q : {"Q1", "TR2", "FET3"})
    EXPECT_TRUE(looks_like_transistor(q)) << q;
  EXPECT_FALSE(looks_like_transistor("T1"));
}

}  // namespace
}  // namespace veltrax
