// The terminal listing of a review: its sections, what it folds, its Japanese form, its colour, and
// that no name of a netlist reaches the terminal as a control (how it wraps is the golden case
// long_member_list's).
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

const std::string kHostile = "R\x1b]0;owned\x07\n9\x9b";  // ESC, BEL, a newline, a C1 byte

std::string counted(const std::vector<std::string>& members) {
  std::string text = std::to_string(members.size()) + "pin|";
  for (const std::string& m : members)
    text += m + "|";
  return text;
}

// A member list for a row to point at, kept as long as the test program runs.
std::string_view kept(const std::string& text) {
  static std::deque<std::string> lists;
  return lists.emplace_back(text);
}

PinRow pin_row(const char* kind, std::string designator, bool in_ref, bool in_cmp,
               const std::string& members) {
  PinRow row;
  row.kind = kind;
  row.designator = std::move(designator);
  row.pin = "1";
  row.in_ref = in_ref;
  row.in_cmp = in_cmp;
  row.ref_net = in_ref ? "OUT" : "";
  row.cmp_net = in_cmp ? "OUT" : "";
  row.ref_members = in_ref ? kept(members) : "";
  row.cmp_members = in_cmp ? kept(members) : "";
  return row;
}

Review sample() {
  Review r;
  r.ref = {"old/" + kHostile + ".net", "PADS", 3, 9};
  r.cmp = {"new.net", "PADS", 4, 10};
  r.warnings = {{MSG_NAMES_MAY_BE_CUT, "old.net"}};
  r.part_counts.same = 2;
  r.pin_counts.same = 7;
  r.parts = {{"value", "R1", true, true, "10k", "22k", "R0603", "R0603"},
             {"ADD", kHostile, false, true, "", "1u" + kHostile, "", "C0402"}};
  r.nets = net_view({{"N$5", {"R1.1", "U1.2"}}, {"GND", {"R1.2"}}},
                    {{"N$7", {"R1.1", "U1.2"}}, {"GND", {"R1.2", kHostile + ".1"}}});
  std::vector<std::string> many;
  for (int k = 1; k <= 60; ++k)
    many.push_back("U7." + std::to_string(k));
  r.pins = {pin_row("ADD", kHostile, false, true, counted({kHostile + ".1", "R1.2"})),
            pin_row("DEL", "U7", true, false, counted(many)),
            pin_row("ERR", "U9", true, true, "**OPEN ERROR**"),
            pin_row("ERR", "U9", true, true, "**OPEN ERROR**")};
  r.pins[2].pin = r.pins[3].pin = "3";
  r.pins[2].open_unchanged = r.pins[3].open_unchanged = true;
  r.open_unchanged = 2;
  r.ignored.nets = 1;
  r.exit_status = 1;
  return r;
}

TEST(Listing, GivesTheSectionsInOrderAndFoldsUnchangedOpenPinsIntoOneCountedLine) {
  const std::string text = review_listing(sample(), {});
  std::size_t at = 0;
  for (const char* part :
       {"Reference  old/", "Compare    new.net  (PADS; parts 4, pins 10)", "Warnings",
        "old.net: names that fill their room", "Parts: added 1, value 1, unchanged 2", "  added  ",
        "  value  R1", "10k / R0603 -> 22k / R0603", "Nets: renamed 1, changed 1",
        "renamed  N$5 -> N$7  R1.1 U1.2 (program-made names)", "Pins: added 1, deleted 1",
        "Unchanged open pins: 2", "Ignored: net changes 1", "Differences found (exit status 1)"}) {
    const std::size_t found = text.find(part, at);
    ASSERT_NE(found, std::string::npos) << part << "\n" << text;
    at = found;
  }
  EXPECT_EQ(text.find("U9."), std::string::npos);  // no row of an unchanged open pin
}

// A net of thousands of pins must not fill the listing, or the HTML report, with one copy of its
// members for each of its pins: a long list is shown whole once, the other rows point at it.
TEST(Listing, ShowsALongMemberListOnceAndPointsTheOtherRowsAtIt) {
  std::vector<std::string> many;
  for (int k = 1; k <= 150; ++k)
    many.push_back("U8." + std::to_string(k));
  Review r = sample();
  r.pins = {pin_row("DEL", "U8", true, false, counted(many))};
  r.pins.push_back(r.pins[0]);
  r.pins[1].pin = "2";
  r.open_unchanged = 0;
  const std::string listing = review_listing(r, {});
  EXPECT_NE(listing.find("U8.150"), std::string::npos);
  EXPECT_EQ(listing.find("U8.150"), listing.rfind("U8.150"));
  EXPECT_NE(listing.find("- (150) as listed at U8.1"), std::string::npos);
  const std::string html = review_html(r);
  EXPECT_EQ(html.find("U8.150"), html.rfind("U8.150"));
  EXPECT_NE(html.find("150 pins, as listed at <a href=\"#list-0\">U8.1</a>"), std::string::npos);
}

TEST(Listing, SpeaksJapaneseAndDecodesShiftJisNames) {
  Review r = sample();
  r.parts[0].designator = "\x83\x6c\x83\x62\x83\x67";  // ネット in Shift-JIS
  ListingStyle style;
  style.japanese = true;
  const std::string text = review_listing(r, style);
  for (const char* part : {"基準", "警告", "上限の長さ", "部品: 追加 1、値 1、変化なし 2",
                           "\n  値    ネット  ", "違いあり (終了コード 1)"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  EXPECT_EQ(text.find("Parts"), std::string::npos);
}

TEST(Listing, ColoursItsOwnWordsOnlyAndNoNameSendsAControl) {
  for (const bool color : {false, true}) {
    for (const bool japanese : {false, true}) {
      for (const bool counts_only : {false, true}) {
        const std::string text = review_listing(sample(), {color, counts_only, japanese});
        EXPECT_NE(text.find("R\\x1B]0;owned\\x07\\x0A9\\x9B"), std::string::npos) << text;
        EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos);
        for (std::size_t k = 0; k < text.size(); ++k) {
          const auto c = static_cast<unsigned char>(text[k]);
          if (c >= 0x20 || c == '\n') continue;
          ASSERT_TRUE(color && c == 0x1b) << k << "\n" << text;
          const std::string code = text.substr(k, text.find('m', k) + 1 - k);
          EXPECT_TRUE(code == "\x1b[0m" || code == "\x1b[1m" || code == "\x1b[31m" ||
                      code == "\x1b[32m" || code == "\x1b[33m")
              << code.substr(1);
        }
      }
    }
  }
  const std::string text = review_listing(sample(), {true, false, false});
  for (const char* inked :
       {"\x1b[1mParts:\x1b[0m", "\x1b[32madded\x1b[0m", "\x1b[31mdeleted\x1b[0m",
        "\x1b[33mvalue\x1b[0m", "\x1b[32m+" /* a member added to GND */})
    EXPECT_NE(text.find(inked), std::string::npos) << inked + 1;
}

}  // namespace
}  // namespace veltrax
