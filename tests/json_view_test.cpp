// The JSON view of a review made by hand, for what no golden run has: warnings of every kind,
// ignored rows, a pin alone on its net on one side, names that hold '|', member lists that rows
// share. Real runs and hostile names are checked against the schema and the result file by
// json_view_check.py.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

using Json = nlohmann::json;

TEST(JsonView, WritesWhatNoGoldenRunHas) {
  Review r;
  r.ref = {"\x83\x5c\x83\x8a.net", "PADS", 3, 9};  // Shift-JIS
  r.cmp = {"caf\xe9.net", "PADS", 4, 10};          // Latin-1
  r.warnings = {
      {MSG_NAMES_MAY_BE_CUT, "a.net"}, {MSG_TABLES_FULL, "b.net"}, {MSG_READER_TEXT_FULL, "b.net"}};
  PinRow one_sided{"pin name delete", "U1", "7", "", true, false, "A", "", "**OPEN ERROR**", ""};
  PinRow bars{"except 1pin", "X|1", "b", "", true, true, "A", "B", "3pin|R|1.1|Z1.1|X|1.a|b|",
              "1pin|Q1.|"};
  // The same list at another address, and the pin alone on its net again.
  const std::string again = "1pin|Q1.|";
  PinRow renamed{"NET name", "Q1", "", "", true, true, "B", "C", again, "1pin|Q1.|"};
  PinRow open_both{"ERR", "U1", "7", "", true, true, "N", "N", "**OPEN ERROR**", "**OPEN ERROR**"};
  r.pins = {one_sided, bars, renamed, open_both};
  r.nets.push_back({NetChangeKind::changed, {"A"}, {"B"}, false, {}, {"U2.1"}, {"U3.1"}});
  r.ignored = {1, 2, 3};
  const Json j = Json::parse(review_json(r));

  EXPECT_EQ(j["inputs"]["reference"]["path"], "ソリ.net");
  EXPECT_EQ(j["inputs"]["compare"]["path"], "café.net");
  EXPECT_EQ(j["warnings"][0]["kind"], "names-may-be-cut");
  EXPECT_EQ(j["warnings"][1]["kind"], "tables-full");
  EXPECT_EQ(j["warnings"][2], (Json{{"kind", "text-full"},
                                    {"netlist", "b.net"},
                                    {"text",
                                     "the text read is full (2,100,000 bytes); the rest "
                                     "of the file was not compared."}}));
  // A side names its list by index: each list once, in the order of first use; a pin alone on
  // its net is a net of that pin. A side without a net is null.
  EXPECT_EQ(j["member_lists"], (Json{{"U1.7"}, {"R|1.1", "Z1.1", "X|1.a|b"}, {"Q1."}}));
  EXPECT_EQ(j["pins"][0]["reference"], (Json{{"net", "A"}, {"members", 0}, {"open", true}}));
  const auto index = [](const Json& side) { return side.is_null() ? Json() : side["members"]; };
  const Json sides[][2] = {{0, nullptr}, {1, 2}, {2, 2}, {0, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(index(j["pins"][k]["reference"]), sides[k][0]) << k;
    EXPECT_EQ(index(j["pins"][k]["compare"]), sides[k][1]) << k;
  }
  EXPECT_EQ(j["nets"][0]["members_added"], (Json{"U2.1"}));
  EXPECT_EQ(j["nets"][0]["members_removed"], (Json{"U3.1"}));
  EXPECT_EQ(j["ignored"], (Json{{"parts", 1}, {"pins", 2}, {"nets", 3}}));
}

}  // namespace
}  // namespace veltrax
