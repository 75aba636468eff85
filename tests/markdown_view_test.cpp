// The Markdown view: names that try to inject markup or break a table, and the limits of a
// comment (the golden cases hold whole views of real runs).
#include <gtest/gtest.h>

#include <sstream>

#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

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

}  // namespace
}  // namespace veltrax
