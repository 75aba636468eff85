// The HTML report as text: names that are markup stay text, the counts and inputs are there with
// the ids the browser test reads, and what is folded or left out says so.
#include <gtest/gtest.h>

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
        "id=\"open-unchanged-count\">1<", "data-category=\"C.value\"", "data-category=\"N.ERR\"",
        "data-category=\"net.renamed-program\"", "id=\"filter\"", "<del>&lt;i&gt;R1.1</del>",
        ">alone on its net<"}) {
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

  r.ignored.pins = 4;
  r.warnings.clear();
  r.exit_status = 0;
  html = review_html(r);
  EXPECT_NE(html.find("id=\"ignored-pins\">4<"), std::string::npos);
  EXPECT_NE(html.find(">No differences (exit status 0)<"), std::string::npos);
  EXPECT_EQ(html.find("id=\"warnings\""), std::string::npos);
}

}  // namespace
}  // namespace veltrax
