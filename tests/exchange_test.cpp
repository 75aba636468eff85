// The decisions for exchanged and differently named pins.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "case_file.h"
#include "compare/exchange.h"

namespace veltrax {
namespace {

// A case's pattern: "xy" pairs of equal net names, then '|' and the net sizes of both sides.
CrossPattern pattern_of(const test::Case& c) {
  CrossPattern p;
  std::istringstream in(c.text);
  std::string equal, sizes[2];
  std::getline(std::getline(std::getline(in, equal, '|'), sizes[0], '|'), sizes[1]);
  const auto pairs = [](const std::string& text, auto& table) {
    for (std::size_t k = 0; k + 1 < text.size(); k += 3)
      table[text[k] - '0'][text[k + 1] - '0'] = true;
  };
  pairs(equal, p.same_net);
  pairs(c.expected.contains("parts") ? c.expected.at("parts") : "", p.parts_equal);
  for (int side = 0; side < 2; ++side) {
    int* size = side == 0 ? p.ref_size : p.cmp_size;
    std::istringstream given(sizes[side]);
    for (int k = 0, n; k < 3; ++k)
      size[k] = given >> n ? n : 2;
  }
  return p;
}

// The cases of tests/exchange_cases.txt.
TEST(Exchanges, DecideAsTheirRulesSay) {
  for (const test::Case& c : test::read_cases("exchange_cases.txt", [](const std::string& key) {
         return key == "passive" || key == "diode" || key == "transistor";
       })) {
    SCOPED_TRACE(c.where);
    const CrossPattern p = pattern_of(c);
    if (c.kind == "passive") {
      EXPECT_EQ(passive_exchanges(p) ? "yes" : "no", c.expected.at("exchanges"));
    } else if (c.kind == "diode") {
      const char* const names[] = {"none", "straight", "crossed"};
      EXPECT_EQ(names[static_cast<int>(diode_pairing(p))], c.expected.at("pairing"));
    } else {
      std::array<int, 3> partner{-1, -1, -1};
      const bool maps = transistor_assignment(p, partner);
      std::ostringstream got;
      got << partner[0] << " " << partner[1] << " " << partner[2];
      EXPECT_EQ(maps ? got.str() : "none", c.expected.at("partners"));
    }
  }
}

}  // namespace
}  // namespace veltrax
