// The HTML, Markdown and JSON views of reviews made by hand: names that are markup, break a
// table or a string stay text, and what no golden run has (warnings of every kind, ignored rows,
// folded and cut groups, member lists that rows share). Real runs are checked against the schema
// and the result file by json_view_check.py, the HTML report in a browser by browser/.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

Review hostile_review() {
  Review r;
  r.ref = {"in/<b>ref</b>.net", "PADS", 3, 9};
  r.cmp = {"in/\"q'&.net", "PADS", 4, 11};
  r.warnings.push_back({MSG_NAMES_MAY_BE_CUT, "</script>.net"});
  r.part_counts.value = 2;
  r.pin_counts.except_add_del_exch = 7;
  PartRow& part = r.parts.emplace_back();
  part.kind = "value";
  part.designator = "<script>alert(1)</script>";
  part.in_ref = part.in_cmp = true;
  part.ref_value = "\"><img src=x onerror=alert(2)>";
  PinRow pin;
  pin.kind = "ERR";
  pin.designator = "U1";
  pin.pin = "'1";
  pin.in_ref = pin.in_cmp = true;
  pin.ref_net = "</script><!--";
  pin.cmp_net = "&amp;";
  pin.ref_members = "2pin|U1.'1|<i>R1.1|";
  pin.cmp_members = "**OPEN ERROR**";
  r.pins = {pin, pin};
  r.pins[1].open_unchanged = true;
  r.open_unchanged = 1;
  NetChange& net = r.nets.emplace_back();
  net.kind = NetChangeKind::renamed;
  net.cmp_names = {"N$2<svg onload=alert(4)>"};
  net.program_names = true;
  net.members = {"\x93\xfa\x96\x7b.1", "C\x01.2"};  // Shift-JIS, a control byte
  r.exit_status = 1;
  return r;
}

TEST(Html, NamesStayText) {
  const std::string html = review_html(hostile_review());
  for (const char* raw : {"<b>ref", "\"q", "<img", "<svg", "<i>", "<!--", "alert(1)</script>",
                          "<script>alert", "'1", "&amp;\""}) {
    EXPECT_EQ(html.find(raw), std::string::npos) << raw;
  }
  for (const char* text :
       {"in/&lt;b&gt;ref&lt;/b&gt;.net", "in/&quot;q&#39;&amp;.net",
        "&lt;script&gt;alert(1)&lt;/script&gt;", "&quot;&gt;&lt;img src=x onerror=alert(2)&gt;",
        "&lt;/script&gt;&lt;!--", "&amp;amp;", "U1.&#39;1", "&lt;i&gt;R1.1",
        "N$2&lt;svg onload=alert(4)&gt;", "\u65e5\u672c.1", "C\\x01.2", "&lt;/script&gt;.net"}) {
    EXPECT_NE(html.find(text), std::string::npos) << text;
  }
  // The title names the files without their folders (here after the '/' of "</b>").
  EXPECT_NE(html.find("<title>Netlist comparison: b&gt;.net \u2192 &quot;q&#39;&amp;.net</title>"),
            std::string::npos);
  // One script, the program's own, and nothing fetched.
  EXPECT_EQ(occurrences(html, "<script"), 1u);
  EXPECT_EQ(occurrences(html, "</script>"), 1u);
  EXPECT_EQ(html.find("://"), std::string::npos);
  EXPECT_EQ(html.find("url("), std::string::npos);
}

TEST(Html, ShowsCountsInputsAndWhatIsFolded) {
  Review r = hostile_review();
  std::string html = review_html(r);
  for (const char* element :
       {"id=\"count-parts-value\">2<", "id=\"count-parts-add\">0<",
        "id=\"count-pins-except-add-del-exch\">7<", "id=\"ref-parts\">3<", "id=\"cmp-pins\">11<",
        "id=\"ref-format\">PADS<", "data-status=\"1\">Differences found (exit status 1)<",
        "id=\"open-unchanged-count\">1<", "<tr class=\"chg\" data-category=\"C.value\"",
        "<tr class=\"err\" data-category=\"N.ERR\"",
        "<tr class=\"ren\" data-category=\"net.renamed-program\"", "id=\"filter\"",
        "<del>&lt;i&gt;R1.1</del>", ">alone on its net<"}) {
    EXPECT_NE(html.find(element), std::string::npos) << element;
  }
  // The warning in English without its prefix and line end, then its file.
  const std::string warning = message_text_in(LANGUAGE_ENGLISH, MSG_NAMES_MAY_BE_CUT);
  ASSERT_EQ(warning.rfind("Warning: ", 0), 0u);
  EXPECT_NE(html.find("<li class=\"warning\">" + warning.substr(9, warning.find('\n') - 9) +
                      "<br><span class=\"file\">&lt;/script&gt;.net</span></li>"),
            std::string::npos);
  // The open pin shows once, folded; the changed one once in the pins table.
  EXPECT_EQ(occurrences(html, "data-category=\"N.ERR-open\""), 1u);
  EXPECT_EQ(occurrences(html, "U1.&#39;1</td>"), 2u);
  EXPECT_EQ(html.find("id=\"ignored\""), std::string::npos);
  // A changed net's name is marked where it changed too.
  r.nets.push_back({NetChangeKind::changed, {"OLD"}, {"NEW"}, false, {}, {"U2.1"}, {}});
  r.nets.push_back({NetChangeKind::changed, {"SAME"}, {"SAME"}, false, {}, {"U3.1"}, {}});
  html = review_html(r);
  EXPECT_NE(html.find("<span class=\"diff\">NEW</span>"), std::string::npos);
  EXPECT_EQ(html.find("<span class=\"diff\">SAME</span>"), std::string::npos);

  r.ignored.pins = 4;
  r.warnings.clear();
  r.exit_status = 0;
  html = review_html(r);
  EXPECT_NE(html.find("id=\"ignored-pins\">4<"), std::string::npos);
  EXPECT_NE(html.find(">No differences (exit status 0)<"), std::string::npos);
  EXPECT_EQ(html.find("id=\"warnings\""), std::string::npos);
}

PartRow part(std::string designator, std::string ref_value, std::string cmp_value) {
  return {"value",
          std::move(designator),
          true,
          true,
          std::move(ref_value),
          std::move(cmp_value),
          "R0603",
          "R0603"};
}

PinRow pin(std::string designator, std::string ref_net, std::string cmp_net) {
  return {"NET name",         std::move(designator), "1", "", true, true,
          std::move(ref_net), std::move(cmp_net),    "",  ""};
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(MarkdownView, KeepsEveryNameInsideItsCodeSpan) {
  Review r;
  r.ref.path = "a|b\n# heading.net";
  r.parts = {part("R|1", "*b* [x](https://e.example)", "<img src=x onerror=alert(1)>"),
             part("a``b", "x\\", "\\|"), part("`C1 ", "", "@user #12")};
  r.pins = {pin("U1", "www.example.com", "&amp;")};
  r.nets.push_back({NetChangeKind::renamed, {"| --- |"}, {"\r\x85"}, false, {}, {}, {}});
  const std::string md = review_markdown(r);

  EXPECT_TRUE(has(md, "| Netlist | `a\\|b\\x0A# heading.net` |"));
  EXPECT_TRUE(has(md,
                  "| `R\\|1` | value | `*b* [x](https://e.example)` \xe2\x86\x92 "
                  "`<img src=x onerror=alert(1)>` |"));
  EXPECT_TRUE(has(md, "| ```a``b``` | value | `x\\` \xe2\x86\x92 `\\\\|` |"));
  EXPECT_TRUE(has(md, "| `` `C1  `` | value | *(empty)* \xe2\x86\x92 `@user #12` |"));
  EXPECT_TRUE(has(md, "| `U1.1` | NET name | `www.example.com` | `&amp;` |"));
  EXPECT_TRUE(has(md, "- renamed `| --- |` \xe2\x86\x92 `\\x0D\\x85`\n"));
  // Every row of a table has its header's cells (GitHub splits at every '|' without a '\').
  std::istringstream lines(md);
  int header = 0;
  bool in_table = false;
  for (std::string line; std::getline(lines, line);) {
    int cells = 0;
    for (std::size_t k = 0; k < line.size(); ++k)
      cells += line[k] == '|' && (k == 0 || line[k - 1] != '\\');
    if (line.starts_with("|") && !in_table) header = cells;
    in_table = line.starts_with("|");
    EXPECT_TRUE(!in_table || cells == header) << line;
  }
}

TEST(MarkdownView, ShowsTheFirstTenChangesOfEachGroupWarningsFirstAndIgnoredCounts) {
  Review r;
  r.warnings = {{MSG_TABLES_FULL, "cmp.net"}};
  for (int k = 10; k < 22; ++k) {
    r.parts.push_back(part("R" + std::to_string(k), "1k", "2k"));
    r.pins.push_back(pin("U" + std::to_string(k), "A", "B"));
  }
  r.pins.push_back(pin("X1", "NC", "NC"));
  r.pins.back().open_unchanged = true;
  r.open_unchanged = 1;
  r.nets.assign(11, {NetChangeKind::added, {}, {"N"}, false, {"U1.1"}, {}, {}});
  r.ignored = {1, 2, 0};
  r.exit_status = 1;
  const std::string md = review_markdown(r);

  EXPECT_TRUE(
      md.starts_with("## Netlist comparison: differences found\n\n> [!WARNING]\n> - "
                     "`cmp.net`: the tables are full"));
  EXPECT_TRUE(has(md, "`R19`") && !has(md, "`R20`") && !has(md, "`X1.1`"));
  EXPECT_TRUE(has(md, "\nand 2 more\n\n### Net changes: 11\n\n- added `N` (1 pin)\n"));
  EXPECT_TRUE(has(md, "\nand 1 more\n\n### Pin changes: 12\n"));
  EXPECT_TRUE(has(md, "\nand 2 more\n\n1 pin is alone on its net on both sides"));
  EXPECT_TRUE(
      md.ends_with("**Exit status 1**: differences found.\n\nIgnored by the rules: 1 part "
                   "row, 2 pin rows, 0 net changes.\n"));
}

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
