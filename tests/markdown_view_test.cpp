// The Markdown view: names that try to inject markup or break a table, and the limits of a
// comment (the golden cases hold whole views of real runs).
#include <gtest/gtest.h>

#include <sstream>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The cell separators of a table row as GitHub splits it: '|' not escaped by a backslash.
int separators(const std::string& row) {
  int n = 0;
  for (std::size_t k = 0; k < row.size(); ++k)
    n += row[k] == '|' && (k == 0 || row[k - 1] != '\\');
  return n;
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
  PinRow p;
  p.kind = "NET name";
  p.designator = std::move(designator);
  p.pin = "1";
  p.in_ref = p.in_cmp = true;
  p.ref_net = std::move(ref_net);
  p.cmp_net = std::move(cmp_net);
  return p;
}

TEST(MarkdownView, KeepsEveryNameInsideItsCodeSpan) {
  Review r;
  r.ref.path = "a|b\n# heading.net";
  r.cmp.path = "`start";
  r.parts = {part("R|1", "*b* [x](https://e.example)", "<img src=x onerror=alert(1)>"),
             part("a``b", "x\\", "\\|"), part("C1", "", "@user #12")};
  r.pins = {pin("U1", "www.example.com", "&amp;"), pin("U2", "ok ", " `")};
  r.nets.push_back({NetChangeKind::renamed, {"| --- |"}, {"\r\x85"}, false, {}, {}, {}});
  r.exit_status = 1;
  const std::string md = review_markdown(r);

  EXPECT_NE(md.find("| Netlist | `a\\|b\\x0A# heading.net` | `` `start `` |"), std::string::npos);
  EXPECT_NE(md.find("| `R\\|1` | value | `*b* [x](https://e.example)` \xe2\x86\x92 "
                    "`<img src=x onerror=alert(1)>` |"),
            std::string::npos);
  EXPECT_NE(md.find("| ```a``b``` | value | `x\\` \xe2\x86\x92 `\\\\|` |"), std::string::npos);
  EXPECT_NE(md.find("| `C1` | value | *(empty)* \xe2\x86\x92 `@user #12` |"), std::string::npos);
  EXPECT_NE(md.find("| `U1.1` | NET name | `www.example.com` | `&amp;` |"), std::string::npos);
  EXPECT_NE(md.find("| `U2.1` | NET name | ` ok  ` | ``  ` `` |"), std::string::npos);
  EXPECT_NE(md.find("- renamed `| --- |` \xe2\x86\x92 `\\x0D\\x85`\n"), std::string::npos);
  // Every row of a table has its header's cells, and only our own headings start a line.
  int header = 0;
  std::string previous;
  for (const std::string& line : lines_of(md)) {
    if (line.starts_with("|")) {
      if (!previous.starts_with("|")) header = separators(line);
      EXPECT_EQ(separators(line), header) << line;
    }
    EXPECT_FALSE(line.starts_with("#") && !line.starts_with("## Netlist") &&
                 !line.starts_with("### "))
        << line;
    previous = line;
  }
}

TEST(MarkdownView, ShowsTheFirstChangesOfEachGroupWarningsFirstAndIgnoredCounts) {
  Review r;
  r.ref = {"ref.net", "PADS", 20, 40};
  r.cmp = {"cmp.net", "PADS", 21, 41};
  r.warnings = {{MSG_TABLES_FULL, "cmp.net"}};
  for (int k = 0; k < 12; ++k) {
    r.parts.push_back(part("R" + std::to_string(k + 10), "1k", "2k"));
    r.pins.push_back(pin("U" + std::to_string(k + 10), "A", "B"));
  }
  for (int k = 0; k < 2; ++k) {
    r.pins.push_back(pin("X" + std::to_string(k), "NC", "NC"));
    r.pins.back().open_unchanged = true;
  }
  r.open_unchanged = 2;
  r.nets.assign(11, {NetChangeKind::added, {}, {"N"}, false, {"U1.1"}, {}, {}});
  r.ignored = {1, 2, 0};
  r.exit_status = 1;
  const std::string md = review_markdown(r);

  EXPECT_TRUE(
      md.starts_with("## Netlist comparison: differences found\n\n> [!WARNING]\n> - "
                     "`cmp.net`: the tables are full"));
  EXPECT_LT(md.find("> [!WARNING]"), md.find("| Netlist |"));
  EXPECT_NE(md.find("| Parts | 20 | 21 |"), std::string::npos);
  EXPECT_NE(md.find("`R19`"), std::string::npos);  // the tenth row
  EXPECT_EQ(md.find("`R20`"), std::string::npos);
  EXPECT_NE(md.find("### Part changes: 12\n"), std::string::npos);
  EXPECT_NE(md.find("- added `N` (1 pin)\n"), std::string::npos);
  EXPECT_NE(md.find("### Pin changes: 12\n"), std::string::npos);
  EXPECT_EQ(md.find("`X0.1`"), std::string::npos);
  EXPECT_NE(md.find("\nand 2 more\n\n### Net changes: 11\n"), std::string::npos);
  EXPECT_NE(md.find("\nand 1 more\n\n### Pin changes"), std::string::npos);
  EXPECT_NE(md.find("\nand 2 more\n\n2 pins are alone on their nets"), std::string::npos);
  EXPECT_TRUE(
      md.ends_with("**Exit status 1**: differences found.\n\nIgnored by the rules: 1 part "
                   "row, 2 pin rows, 0 net changes.\n"));
}

}  // namespace
}  // namespace veltrax
