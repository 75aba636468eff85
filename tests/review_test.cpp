// The review of a comparison: the net view, the ignore rules and the exit status they leave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/review.h"
#include "report/views.h"

namespace veltrax {
namespace {

std::string describe(const NetChange& c) {
  std::string s = net_change_word(c.kind);
  const auto list = [&](const char* mark, const std::vector<std::string>& v) {
    s += " ";
    s += mark;
    for (const std::string& x : v)
      s += x + ",";
  };
  list("ref:", c.ref_names);
  list("cmp:", c.cmp_names);
  if (c.program_names) s += " program";
  if (!c.members_added.empty()) list("+", c.members_added);
  if (!c.members_removed.empty()) list("-", c.members_removed);
  return s;
}

// Every kind of net change is the golden case net_view_kinds's; here, the cases between kinds.
TEST(NetView, TellsAChangeFromADeletionAndAnAdditionAndListsNoUnchangedNet) {
  // A net whose members all left while a net of its name gained others is changed, not deleted
  // and added; a net that kept its members and name is not listed at all.
  EXPECT_EQ(describe(net_view({{"Q", {"R1.1"}}}, {{"Q", {"R2.1"}}}).at(0)),
            "changed ref:Q, cmp:Q, +R2.1, -R1.1,");
  const std::vector<Net> nets = {{"A", {"U1.1", "U2.1"}}, {"N$5", {"U1.5"}}};
  EXPECT_TRUE(net_view(nets, nets).empty());
}

TEST(IgnoreRules, ReadFromAFileOneALine) {
  IgnoreRules rules;
  int bad = 0;
  ASSERT_TRUE(
      read_ignore_rules("# test points\r\npart TP*\n\n  net  N$*  \nopen-pins\n", rules, bad));
  EXPECT_EQ(rules.parts, std::vector<std::string>{"TP*"});
  EXPECT_EQ(rules.nets, std::vector<std::string>{"N$*"});
  EXPECT_TRUE(rules.open_pins);
  EXPECT_FALSE(read_ignore_rules("part R*\nnets X\n", rules, bad));
  EXPECT_EQ(bad, 2);
  EXPECT_FALSE(read_ignore_rules("part\n", rules, bad));
}

TEST(Review, IgnoredChangesLeaveTheViewsAndTheExitStatus) {
  ResultModel model;
  model.parts = {{"ADD", "TP1", false, true, "", "", "", ""}};
  model.pins = {{"CHG a lot", "U1", "", "", true, true, "N$1", "N$2", "", ""},
                {"ERR", "U2", "", "", true, true, "", "", "", "", true}};  // an unchanged open pin
  model.ref_nets = {{"N$1", {"U1.1", "U3.1"}}};
  model.cmp_nets = {{"N$2", {"U1.1", "U4.1"}}};
  RunReport report;
  report.differences = true;

  const Review all = make_review(model, report, {}, {}, {});
  EXPECT_EQ(all.exit_status, 1);
  EXPECT_EQ(all.open_unchanged, 1);
  EXPECT_EQ(all.nets.size(), 1u);

  IgnoreRules rules;
  rules.parts = {"TP*"};
  Review some = make_review(model, report, {}, {}, rules);
  EXPECT_EQ(some.exit_status, 1);  // the moved pin still counts
  EXPECT_EQ(some.ignored.parts, 1);
  EXPECT_TRUE(some.parts.empty());

  rules.nets = {"N$?"};
  some = make_review(model, report, {}, {}, rules);
  EXPECT_EQ(some.exit_status, 0);
  EXPECT_EQ(some.ignored.pins, 1);
  EXPECT_EQ(some.ignored.nets, 1);
  EXPECT_EQ(some.pins.size(), 1u);  // the unchanged open pin, which views fold away

  rules.open_pins = true;
  EXPECT_TRUE(make_review(model, report, {}, {}, rules).pins.empty());
  report.incomplete = true;  // a netlist not compared whole is never ignored
  EXPECT_EQ(make_review(model, report, {}, {}, rules).exit_status, 1);
}

}  // namespace
}  // namespace veltrax
