// The JSON view of a review made by hand: every part of the document where the golden runs have
// none (warnings, ignored rows, one-sided and open pins), and names that try to break the text.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

using Json = nlohmann::json;

PinRow pin_row(std::string kind, std::string designator, std::string pin, std::string ref_members,
               std::string cmp_members) {
  PinRow r;
  r.kind = std::move(kind);
  r.designator = std::move(designator);
  r.pin = std::move(pin);
  r.in_ref = !ref_members.empty();
  r.in_cmp = !cmp_members.empty();
  r.ref_net = r.in_ref ? "A" : "";
  r.cmp_net = r.in_cmp ? "B" : "";
  r.ref_members = std::move(ref_members);
  r.cmp_members = std::move(cmp_members);
  return r;
}

TEST(JsonView, WritesEveryPartOfTheReview) {
  Review r;
  r.ref = {"old/\x83\x5c\x83\x8a.net", "PADS", 3, 9};  // Shift-JIS
  r.cmp = {"new/caf\xe9.net", "CADVANCE", 4, 10};      // Latin-1
  r.warnings = {{MSG_NAMES_MAY_BE_CUT, "old.net"},
                {MSG_TABLES_FULL, "new.net"},
                {MSG_READER_TEXT_FULL, "new.net"}};
  r.part_counts.add = 1;
  r.pin_counts.except_add_del_exch = 2;
  r.pin_counts.open_unchanged = 1;
  r.parts.push_back({"ADD", "C9", false, true, "", "1n", "", "C0402"});
  r.pins.push_back(pin_row("pin exchange", "D1", "A", "2pin|D1.A|R1.1|", "2pin|D1.1|R1.1|"));
  r.pins.back().cmp_pin = "1";
  r.pins.push_back(pin_row("pin name delete", "U1", "7", "**OPEN ERROR**", ""));
  r.pins.push_back(pin_row("ERR", "U1", "8", "**OPEN ERROR**", "**OPEN ERROR**"));
  r.pins.back().open_unchanged = true;
  r.pins.push_back(pin_row("except 1pin", "X|1", "a|b", "3pin|R|1.1|Z1.1|X|1.a|b|", "1pin|Q1.|"));
  r.nets.push_back({NetChangeKind::changed, {"A"}, {"B"}, false, {}, {"U2.1"}, {"U3.1"}});
  r.ignored = {1, 2, 3};
  r.exit_status = 1;
  const std::string text = review_json(r);
  const Json j = Json::parse(text);

  EXPECT_EQ(j["format"], "veltrax-diffr-review");
  EXPECT_EQ(j["version"], 1);
  EXPECT_EQ(j["inputs"]["reference"],
            (Json{{"path", "old/ソリ.net"}, {"format", "PADS"}, {"parts", 3}, {"pins", 9}}));
  EXPECT_EQ(j["inputs"]["compare"]["path"], "new/café.net");
  ASSERT_EQ(j["warnings"].size(), 3u);
  EXPECT_EQ(j["warnings"][0]["kind"], "names-may-be-cut");
  EXPECT_EQ(j["warnings"][1]["kind"], "tables-full");
  EXPECT_EQ(j["warnings"][2], (Json{{"kind", "text-full"},
                                    {"netlist", "new.net"},
                                    {"text",
                                     "the text read is full (2,100,000 bytes); the rest "
                                     "of the file was not compared."}}));
  EXPECT_EQ(j["summary"]["parts"]["add"], 1);
  EXPECT_EQ(j["summary"]["pins"]["except_add_del_exch"], 2);
  EXPECT_EQ(j["summary"]["pins"]["open_unchanged"], 1);
  EXPECT_EQ(j["parts"][0], (Json{{"kind", "ADD"},
                                 {"designator", "C9"},
                                 {"reference", nullptr},
                                 {"compare", {{"value", "1n"}, {"footprint", "C0402"}}}}));

  const Json& pins = j["pins"];
  EXPECT_EQ(pins[0]["compare_pin"], "1");
  EXPECT_EQ(pins[0]["compare"]["members"], (Json{"D1.1", "R1.1"}));
  // A pin alone on its net is a net of that pin; a side without a net is null.
  EXPECT_EQ(pins[1]["compare_pin"], nullptr);
  EXPECT_EQ(pins[1]["reference"], (Json{{"net", "A"}, {"members", {"U1.7"}}, {"open", true}}));
  EXPECT_EQ(pins[1]["compare"], nullptr);
  EXPECT_EQ(pins[2]["open_unchanged"], true);
  EXPECT_EQ(pins[2]["compare"]["members"], (Json{"U1.8"}));
  // Names that hold '|' are put together again.
  EXPECT_EQ(pins[3]["reference"]["members"], (Json{"R|1.1", "Z1.1", "X|1.a|b"}));
  EXPECT_EQ(pins[3]["compare"]["members"], (Json{"Q1."}));

  EXPECT_EQ(j["nets"][0], (Json{{"kind", "changed"},
                                {"reference", {"A"}},
                                {"compare", {"B"}},
                                {"program_names", false},
                                {"members", Json::array()},
                                {"members_added", {"U2.1"}},
                                {"members_removed", {"U3.1"}}}));
  EXPECT_EQ(j["ignored"], (Json{{"parts", 1}, {"pins", 2}, {"nets", 3}}));
  EXPECT_EQ(j["exit_status"], 1);
  // One row a line.
  EXPECT_NE(text.find("\n    {\"category\":\"ERR\",\"designator\":\"U1\",\"pin\":\"8\""),
            std::string::npos);
}

TEST(JsonView, KeepsHostileNamesInsideTheirStrings) {
  Review r;
  const std::string hostile = "\"},\n\x1b[2J\\u0000\x7f\x85</script>\xff";
  r.parts.push_back({"value", hostile, true, true, hostile, "x", "", ""});
  r.nets.push_back({NetChangeKind::renamed, {hostile}, {"B"}, false, {hostile + ".1"}, {}, {}});
  const std::string text = review_json(r);
  for (const char c : text)
    EXPECT_FALSE(c != '\n' && static_cast<unsigned char>(c) < 0x20) << text;
  const Json j = Json::parse(text);
  const std::string decoded = "\"},\n\x1b[2J\\u0000\x7f\xc2\x85</script>\xc3\xbf";  // Latin-1
  EXPECT_EQ(j["parts"][0]["designator"], decoded);
  EXPECT_EQ(j["parts"][0]["reference"]["value"], decoded);
  EXPECT_EQ(j["nets"][0]["members"][0], decoded + ".1");
}

}  // namespace
}  // namespace veltrax
