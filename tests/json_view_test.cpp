// The JSON view of a review made by hand, for what no golden run has: warnings of every kind,
// ignored rows, a pin alone on its net on one side, names that hold '|'. Real runs and hostile
// names are checked against the schema and the result file by json_view_check.py.
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
  r.pins = {one_sided, bars};
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
  // A pin alone on its net is a net of that pin; a side without a net is null.
  EXPECT_EQ(j["pins"][0]["reference"], (Json{{"net", "A"}, {"members", {"U1.7"}}, {"open", true}}));
  EXPECT_EQ(j["pins"][0]["compare"], nullptr);
  EXPECT_EQ(j["pins"][1]["reference"]["members"], (Json{"R|1.1", "Z1.1", "X|1.a|b"}));
  EXPECT_EQ(j["pins"][1]["compare"]["members"], (Json{"Q1."}));
  EXPECT_EQ(j["nets"][0]["members_added"], (Json{"U2.1"}));
  EXPECT_EQ(j["nets"][0]["members_removed"], (Json{"U3.1"}));
  EXPECT_EQ(j["ignored"], (Json{{"parts", 1}, {"pins", 2}, {"nets", 3}}));
}

}  // namespace
}  // namespace veltrax
