// The HTML report: one UTF-8 file with its style and script inline, for a reviewer's browser. The
// data stays in the markup (every row a table row, every count an element with an id); the script
// only filters, hides categories and sorts. Every name and path passes through escaped(), and no
// name ever goes into the script or the style: those are constants, so neither "</script>" nor a
// line separator (U+2028) in a name can end a script string or the script.
#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "report/text.h"
#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {

namespace {

// Text for the content of an element or a double-quoted attribute value.
std::string escaped(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&#39;";
    } else {
      out += c;
    }
  }
  return out;
}

// A name or path of a netlist: decoded, control bytes shown as \xNN, escaped.
std::string name(std::string_view bytes) {
  return escaped(name_for_terminal(bytes));
}

// The part of a path after its last folder separator.
std::string_view file_name(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The members of a counted member list ("3pin|R1.2|R10.1|U1.1|"); false when it is no such list
// (the "**OPEN ERROR**" of a pin alone) or a name with a '|' makes the count disagree.
bool members_of(std::string_view list, std::vector<std::string_view>& members) {
  members.clear();
  const std::size_t bar = list.find('|');
  if (bar == std::string_view::npos || bar < 4 || list.substr(bar - 3, 3) != "pin") return false;
  std::size_t count = 0;
  for (const char c : list.substr(0, bar - 3)) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + static_cast<std::size_t>(c - '0');
  }
  members = members_of_counted(list);
  return members.size() == count;
}

// Member lists longer than this are shown whole at their first row only.
constexpr std::size_t LONG_LIST = 100;

// How a summary counter looks: unchanged plain, the rest as the rows they count.
const char* counter_tone(std::string_view name) {
  if (name == "same") return "";
  if (name == "net name") return "ren";
  if (name == "add") return "add";
  if (name == "delete") return "del";
  if (name == "error") return "err";
  return "chg";
}

// How a category looks: "add", "del", "chg", "ren" or "err".
const char* tone(std::string_view kind) {
  if (kind == "ADD" || kind == "pin name add" || kind == "added") return "add";
  if (kind == "DEL" || kind == "pin name delete" || kind == "deleted") return "del";
  if (kind == "NET name" || kind.substr(0, 7) == "renamed") return "ren";
  if (kind == "ERR") return "err";
  return "chg";
}

struct Category {
  std::string key;    // data-category of the rows
  std::string label;  // what the toggle says
  int rows = 0;
};

// The categories of a section in the given order, with their row counts; those without rows are
// left out, kinds outside the order come last.
class Categories {
 public:
  Categories(std::string_view prefix, std::initializer_list<const char*> order) : prefix_(prefix) {
    for (const char* kind : order)
      list_.push_back({prefix_ + kind, kind, 0});
  }
  // Counts a row of the kind; returns its data-category.
  std::string count(std::string_view kind, std::string_view label = {}) {
    const std::string key = prefix_ + std::string(kind);
    auto it =
        std::find_if(list_.begin(), list_.end(), [&](const Category& c) { return c.key == key; });
    if (it == list_.end()) it = list_.insert(list_.end(), {key, std::string(kind), 0});
    if (!label.empty()) it->label = label;
    ++it->rows;
    return it->key;
  }
  std::vector<Category> present() const {
    std::vector<Category> out;
    std::copy_if(list_.begin(), list_.end(), std::back_inserter(out),
                 [](const Category& c) { return c.rows > 0; });
    return out;
  }

 private:
  std::string prefix_;
  std::vector<Category> list_;
};

constexpr char STYLE[] = R"(
:root{--ink:#1d2430;--muted:#5f6b7a;--line:#d8dee6;--bg:#f4f6f9;--card:#fff;--accent:#1f5fbf;
--add:#1a7f37;--add-bg:#dcf5e3;--del:#b42318;--del-bg:#fde4e1;--chg:#8a5a00;--chg-bg:#fdf0cf;
--ren:#1f5fbf;--ren-bg:#e0ebfb;--err:#7a2da8;--err-bg:#f0e3fa;
--sans:system-ui,-apple-system,"Segoe UI","Noto Sans","Noto Sans CJK JP","Hiragino Sans",
"Yu Gothic UI",Meiryo,"IPAGothic","IPAPGothic","DejaVu Sans",sans-serif;
--mono:ui-monospace,"SF Mono",Consolas,"DejaVu Sans Mono","Noto Sans Mono CJK JP",
"Noto Sans CJK JP","MS Gothic","IPAGothic",monospace}
*{box-sizing:border-box}
body{margin:0;background:var(--bg);color:var(--ink);font:14px/1.45 var(--sans)}
main{max-width:1400px;margin:0 auto;padding:0 20px 40px}
h1{font-size:22px;margin:0 0 6px;overflow-wrap:anywhere}
.kicker{margin:18px 0 0;color:var(--muted);font-size:12px;text-transform:uppercase;
letter-spacing:.06em}
h2{font-size:17px;margin:0}
.sub{color:var(--muted);margin:0 0 12px}
.card{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:14px 16px;
margin:12px 0}
#warnings{background:#fff4e5;border:2px solid #e8590c;color:#6b2c00;border-radius:8px;
padding:10px 16px;margin:16px 0 0}
#warnings h2{color:#b23c00}
#warnings ul{margin:6px 0 0;padding-left:20px}
#warnings .file{font-family:var(--mono);font-size:12px;color:#8a4b1f}
.status{display:inline-block;border-radius:14px;padding:3px 12px;font-weight:600}
.status-0{background:var(--add-bg);color:var(--add)}
.status-1{background:var(--chg-bg);color:var(--chg)}
.status-2{background:var(--del-bg);color:var(--del)}
table{border-collapse:collapse;width:100%}
tbody{font-size:13px}
#parts-table,#nets-table,#pins-table{table-layout:fixed}
#parts-table th:first-child{width:88px}
#parts-table th:nth-child(2){width:110px}
#nets-table th:first-child{width:210px}
#nets-table th:nth-child(2),#nets-table th:nth-child(3){width:24%}
#pins-table th:first-child{width:150px}
#pins-table th:nth-child(2){width:140px}
#pins-table th:nth-child(3),#pins-table th:nth-child(4){width:16%}
th,td{text-align:left;vertical-align:top;padding:5px 8px;border-bottom:1px solid var(--line)}
th{background:#eef1f5;font-weight:600;white-space:nowrap;position:sticky;top:49px;z-index:1}
th[data-sort]{cursor:pointer;user-select:none}
th[data-sort]:hover{background:#e2e7ee}
th[aria-sort=ascending]::after{content:" \25B2";font-size:10px}
th[aria-sort=descending]::after{content:" \25BC";font-size:10px}
tbody tr:hover{background:#f7f9fc}
.inputs{width:auto}
.inputs .num{white-space:nowrap}
.inputs th{position:static;background:none}
.inputs td,.inputs th{border:0;padding:3px 28px 3px 0}
.n{font-family:var(--mono);font-size:12.5px;overflow-wrap:anywhere}
.pp{white-space:nowrap}
.num{text-align:right;font-variant-numeric:tabular-nums}
.none{color:#9aa5b1}
.counts{display:grid;grid-template-columns:56px repeat(12,minmax(0,1fr));gap:8px;margin:0 0 8px}
.counts h2{align-self:center}
@media (max-width:1100px){.counts{grid-template-columns:56px repeat(6,minmax(0,1fr))}
.counts h2{grid-row:span 2}}
@media (max-width:700px){.counts{grid-template-columns:repeat(3,minmax(0,1fr))}
.counts h2{grid-column:1/-1;grid-row:auto}}
.count{border:1px solid var(--line);border-radius:6px;padding:6px 10px;background:#fafbfc}
.count b{display:block;font-size:20px;line-height:1.2;font-variant-numeric:tabular-nums}
.count span{display:block;color:var(--muted);font-size:12px;line-height:1.3;overflow-wrap:break-word}
.count.zero{opacity:.45}
.count.add b{color:var(--add)}.count.del b{color:var(--del)}.count.chg b{color:var(--chg)}
.count.ren b{color:var(--ren)}.count.err b{color:var(--err)}
.tag{display:inline-block;border-radius:4px;padding:0 6px;font-size:12px;font-weight:600;
white-space:nowrap}
.add .tag,.tag.add{background:var(--add-bg);color:var(--add)}
.del .tag,.tag.del{background:var(--del-bg);color:var(--del)}
.chg .tag,.tag.chg{background:var(--chg-bg);color:var(--chg)}
.ren .tag,.tag.ren{background:var(--ren-bg);color:var(--ren)}
.err .tag,.tag.err{background:var(--err-bg);color:var(--err)}
.tag.auto{background:#eceff3;color:var(--muted);font-weight:400}
.diff{background:var(--chg-bg);border-radius:3px;padding:0 3px}
.list{max-height:7.4em;overflow:auto}
ins,del{text-decoration:none;border-radius:3px;padding:0 2px}
ins{background:var(--add-bg);color:var(--add)}
del{background:var(--del-bg);color:var(--del);text-decoration:line-through}
.count-of{color:var(--muted);font-size:12px;font-weight:400}
#bar{position:sticky;top:0;z-index:2;background:var(--bg);display:flex;flex-wrap:wrap;
align-items:center;gap:6px 16px;padding:8px 0;border-bottom:1px solid var(--line)}
#filter{font:inherit;padding:5px 10px;width:320px;border:1px solid #b8c2cf;border-radius:6px}
#bar a{color:var(--accent);text-decoration:none}
.section-head{display:flex;flex-wrap:wrap;align-items:baseline;gap:6px 14px;margin-bottom:8px}
.toggles{display:flex;flex-wrap:wrap;gap:4px 12px}
.toggles label{cursor:pointer;white-space:nowrap}
.empty{color:var(--muted);margin:4px 0}
details{margin-top:10px}
summary{cursor:pointer;color:var(--muted)}
#ignored{color:var(--muted)}
@media print{#bar{display:none}th{position:static}}
)";

// Filters on every word typed (all must occur in a row's text), hides the categories whose box is
// not ticked, and sorts a table by the header clicked (again: the other way).
constexpr char SCRIPT[] = R"(
(function () {
  'use strict';
  var filter = document.getElementById('filter');
  var boxes = Array.prototype.slice.call(document.querySelectorAll('input[data-category]'));
  var rows = Array.prototype.slice.call(document.querySelectorAll('tr[data-category]'));
  var texts = rows.map(function (r) { return r.textContent.toLowerCase(); });
  var order = new Intl.Collator(undefined, {numeric: true});
  function update() {
    var words = filter.value.toLowerCase().split(/\s+/).filter(Boolean);
    var off = {};
    boxes.forEach(function (b) { off[b.getAttribute('data-category')] = !b.checked; });
    rows.forEach(function (r, i) {
      r.hidden = off[r.getAttribute('data-category')] === true ||
          !words.every(function (w) { return texts[i].indexOf(w) >= 0; });
    });
    Array.prototype.forEach.call(document.querySelectorAll('[data-shown]'), function (s) {
      var table = document.getElementById(s.getAttribute('data-shown'));
      if (table) s.textContent = table.querySelectorAll('tbody tr:not([hidden])').length;
    });
  }
  filter.addEventListener('input', update);
  boxes.forEach(function (b) { b.addEventListener('change', update); });
  document.addEventListener('click', function (e) {
    var th = e.target.closest('th[data-sort]');
    if (!th) return;
    var table = th.closest('table');
    var column = th.cellIndex;
    var up = th.getAttribute('aria-sort') !== 'ascending';
    Array.prototype.forEach.call(table.querySelectorAll('th'), function (h) {
      h.removeAttribute('aria-sort');
    });
    th.setAttribute('aria-sort', up ? 'ascending' : 'descending');
    var body = table.tBodies[0];
    var keyed = Array.prototype.map.call(body.rows, function (r) {
      return [r.cells[column].textContent, r];
    });
    keyed.sort(function (a, b) { return (up ? 1 : -1) * order.compare(a[0], b[0]); });
    keyed.forEach(function (k) { body.appendChild(k[1]); });
  });
  update();
})();
)";

class Page {
 public:
  explicit Page(const Review& r) : r_(r) {}

  std::string write() {
    head();
    out_ += "<body>\n<main>\n";
    warnings();
    header();
    bar();
    parts();
    nets();
    pins();
    out_ += "</main>\n<script>";
    out_ += SCRIPT;
    out_ += "</script>\n</body>\n</html>\n";
    return std::move(out_);
  }

 private:
  void head() {
    out_ +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'; script-src 'unsafe-inline'; base-uri 'none'; "
        "form-action 'none'\">\n<title>Netlist comparison: ";
    out_ += name(file_name(r_.ref.path)) + " \u2192 " + name(file_name(r_.cmp.path));
    out_ += "</title>\n<style>";
    out_ += STYLE;
    out_ += "</style>\n</head>\n";
  }

  void warnings() {
    if (r_.warnings.empty()) return;
    out_ += "<section id=\"warnings\" role=\"alert\">\n<h2>\u26A0 Warnings</h2>\n<ul>\n";
    for (const ReviewWarning& w : r_.warnings) {
      std::string_view text = message_text_in(LANGUAGE_ENGLISH, w.message);
      if (text.substr(0, 9) == "Warning: ") text.remove_prefix(9);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
      out_ += "<li class=\"warning\">" + escaped(text) + "<br><span class=\"file\">" +
              name(w.file) + "</span></li>\n";
    }
    out_ += "</ul>\n</section>\n";
  }

  void header() {
    static constexpr const char* words[] = {"No differences", "Differences found",
                                            "The comparison failed"};
    const int status = std::clamp(r_.exit_status, 0, 2);
    out_ += "<header>\n<p class=\"kicker\">Netlist comparison</p>\n<h1>" +
            name(file_name(r_.ref.path)) + " \u2192 " + name(file_name(r_.cmp.path)) +
            "</h1>\n<p class=\"sub\"><span id=\"exit-status\" class=\"status status-" +
            std::to_string(status) + "\" data-status=\"" + std::to_string(r_.exit_status) + "\">" +
            words[status] + " (exit status " + std::to_string(r_.exit_status) + ")</span>";
    if (r_.open_unchanged > 0) {
      out_ += " Pins alone on their net on both sides do not count as differences.";
    }
    out_ += "</p>\n<div class=\"card\">\n<table class=\"inputs\">\n";
    input("ref", "Reference", r_.ref);
    input("cmp", "Compare", r_.cmp);
    out_ += "</table>\n</div>\n<div class=\"card\" id=\"counts\">\n";
    counts("parts", "Parts", part_counters(r_.part_counts));
    counts("pins", "Pins", pin_counters(r_.pin_counts));
    if (r_.ignored.parts + r_.ignored.pins + r_.ignored.nets > 0) {
      out_ += "<p id=\"ignored\">Left out by the ignore rules: <b id=\"ignored-parts\">" +
              std::to_string(r_.ignored.parts) + "</b> part rows, <b id=\"ignored-pins\">" +
              std::to_string(r_.ignored.pins) + "</b> pin rows, <b id=\"ignored-nets\">" +
              std::to_string(r_.ignored.nets) +
              "</b> net changes. The counts are the result file&#39;s, before the rules.</p>\n";
    }
    out_ += "</div>\n</header>\n";
  }

  void input(const char* id, const char* label, const ReviewInput& in) {
    const std::string prefix = std::string(" id=\"") + id;
    out_ += "<tr><th>" + std::string(label) + "</th><td class=\"n\"" + prefix + "-path\">" +
            name(in.path) + "</td><td" + prefix + "-format\">" + escaped(in.format) +
            "</td><td class=\"num\"><b" + prefix + "-parts\">" + std::to_string(in.parts) +
            "</b> parts</td><td class=\"num\"><b" + prefix + "-pins\">" + std::to_string(in.pins) +
            "</b> pins</td></tr>\n";
  }

  // A summary as the SUM line has it. Each number's id is "count-" side "-" and its key with '-'
  // for every character but letters and digits ("count-pins-except-add-del-exch").
  void counts(const char* side, const char* title, const std::vector<Counter>& counters) {
    out_ += "<div class=\"counts\"><h2>" + std::string(title) + "</h2>\n";
    for (const Counter& t : counters) {
      std::string id = std::string("count-") + side + "-";
      for (const char* c = t.name; *c != '\0'; ++c)
        id += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '-';
      out_ += "<div class=\"count " + std::string(counter_tone(t.name)) +
              (t.value == 0 ? " zero" : "") + "\"><b id=\"" + id + "\">" + std::to_string(t.value) +
              "</b><span>";
      for (const char* c = t.name; *c != '\0'; ++c)
        out_ += *c == '/' ? "/<wbr>" : std::string(1, *c);
      out_ += "</span></div>\n";
    }
    out_ += "</div>\n";
  }

  void bar() {
    out_ +=
        "<nav id=\"bar\">\n<input id=\"filter\" type=\"search\" placeholder=\"Filter all rows\" "
        "aria-label=\"Filter rows\" autocomplete=\"off\">\n";
    out_ += "<a href=\"#parts\">Parts (" + std::to_string(r_.parts.size()) + ")</a>";
    out_ += "<a href=\"#nets\">Nets (" + std::to_string(r_.nets.size()) + ")</a>";
    out_ += "<a href=\"#pins\">Pins (" +
            std::to_string(static_cast<int>(r_.pins.size()) - r_.open_unchanged) + ")</a>\n";
    out_ += "</nav>\n";
  }

  // The head of a section: its title, how many rows show, and a box per category.
  void section_head(const char* id, const char* title, const Categories& categories, int rows) {
    out_ += "<section class=\"card\" id=\"" + std::string(id) + "\">\n<div class=\"section-head\">";
    out_ += "<h2>" + std::string(title) + " <span class=\"count-of\"><span data-shown=\"" +
            std::string(id) + "-table\">" + std::to_string(rows) + "</span> of " +
            std::to_string(rows) + " shown</span></h2>\n<div class=\"toggles\">";
    for (const Category& c : categories.present()) {
      out_ += "<label><input type=\"checkbox\" checked data-category=\"" + escaped(c.key) +
              "\"> <span class=\"tag " + tone(c.label) + "\">" + escaped(c.label) + "</span> " +
              std::to_string(c.rows) + "</label>";
    }
    out_ += "</div></div>\n";
  }

  void table_head(const char* id, std::initializer_list<const char*> columns) {
    out_ += "<table id=\"" + std::string(id) + "\">\n<thead><tr>";
    for (const char* c : columns)
      out_ += std::string("<th data-sort>") + c + "</th>";
    out_ += "</tr></thead>\n<tbody>\n";
  }

  // A name cell; a side without the thing shows a dash.
  static std::string cell(bool present, std::string_view bytes, bool differs = false) {
    if (!present) return "<td class=\"none\">\u2014</td>";
    return differs ? "<td class=\"n\"><span class=\"diff\">" + name(bytes) + "</span></td>"
                   : "<td class=\"n\">" + name(bytes) + "</td>";
  }

  static std::string row_start(const std::string& category, const char* tone,
                               std::string_view kind) {
    return "<tr class=\"" + std::string(tone) + "\" data-category=\"" + escaped(category) +
           "\"><td><span class=\"tag\">" + escaped(kind) + "</span></td>";
  }

  void parts() {
    Categories categories("C.", {"value", "pcb", "both", "ADD", "DEL"});
    std::string rows;
    for (const PartRow& p : r_.parts) {
      const std::string category = categories.count(p.kind);
      const bool both = p.in_ref && p.in_cmp;
      rows += row_start(category, tone(p.kind), p.kind) + "<td class=\"n\">" + name(p.designator) +
              "</td>" + cell(p.in_ref, p.ref_value) +
              cell(p.in_cmp, p.cmp_value, both && p.ref_value != p.cmp_value) +
              cell(p.in_ref, p.ref_footprint) +
              cell(p.in_cmp, p.cmp_footprint, both && p.ref_footprint != p.cmp_footprint) +
              "</tr>\n";
    }
    section_head("parts", "Parts", categories, static_cast<int>(r_.parts.size()));
    if (r_.parts.empty()) {
      out_ += "<p class=\"empty\">No part differences.</p>\n</section>\n";
      return;
    }
    table_head("parts-table", {"Category", "Part", "Value (ref)", "Value (cmp)", "Footprint (ref)",
                               "Footprint (cmp)"});
    out_ += rows + "</tbody>\n</table>\n</section>\n";
  }

  static std::string names_cell(const std::vector<std::string>& names, bool differs = false) {
    if (names.empty()) return "<td class=\"none\">\u2014</td>";
    std::string out = differs ? "<td class=\"n\"><span class=\"diff\">" : "<td class=\"n\"><span>";
    for (std::size_t k = 0; k < names.size(); ++k)
      out += (k > 0 ? "<br>" : "") + name(names[k]);
    return out + "</span></td>";
  }

  static void member_list(std::string& out, const std::vector<std::string>& members,
                          const char* tag) {
    for (const std::string& m : members) {
      out += std::string("<") + tag + ">" + name(m) + "</" + tag + "> ";
    }
  }

  void nets() {
    Categories categories(
        "net.", {"added", "deleted", "renamed", "renamed-program", "merged", "split", "changed"});
    std::string rows;
    for (const NetChange& c : r_.nets) {
      const char* word = net_change_word(c.kind);
      const std::string category =
          c.program_names ? categories.count("renamed-program", "renamed (program-made names)")
                          : categories.count(word);
      rows += row_start(category, tone(word), word);
      const bool name_changed = c.kind == NetChangeKind::changed && c.ref_names != c.cmp_names;
      rows += names_cell(c.ref_names) + names_cell(c.cmp_names, name_changed) +
              "<td class=\"n\"><div class=\"list\">";
      if (c.program_names) {
        rows +=
            "<span class=\"tag auto\" title=\"Both names look made by a CAD program\">"
            "program-made names</span> ";
      }
      if (c.kind == NetChangeKind::changed) {
        member_list(rows, c.members_added, "ins");
        member_list(rows, c.members_removed, "del");
      } else if (c.kind == NetChangeKind::merged) {
        rows +=
            "<span class=\"none\">" + std::to_string(c.ref_names.size()) + " nets, now one</span>";
      } else if (c.kind == NetChangeKind::split) {
        rows +=
            "<span class=\"none\">one net, now " + std::to_string(c.cmp_names.size()) + "</span>";
      } else {
        member_list(rows, c.members, "span");
      }
      rows += "</div></td></tr>\n";
    }
    section_head("nets", "Nets", categories, static_cast<int>(r_.nets.size()));
    if (r_.nets.empty()) {
      out_ += "<p class=\"empty\">No net changes.</p>\n</section>\n";
      return;
    }
    table_head("nets-table", {"Change", "Net (ref)", "Net (cmp)", "Members"});
    out_ += rows + "</tbody>\n</table>\n</section>\n";
  }

  // A side's member list, whole; members the other side lacks are marked (ins on the compare
  // side, del on the reference side).
  // A long member list is shown whole at its first row; the other rows of its net link to that
  // one, so that a net of thousands of pins does not fill the page with copies of itself.
  std::string members_cell(bool present, std::string_view list, std::string_view other,
                           const char* mark, const std::string& part_pin) {
    if (!present) return "<td class=\"none\">\u2014</td>";
    std::vector<std::string_view> mine;
    if (list == "**OPEN ERROR**") return "<td class=\"none\">alone on its net</td>";
    if (const auto seen = long_lists_.find(list.data()); seen != long_lists_.end()) {
      const auto& [number, count, at] = seen->second;
      return "<td class=\"n\"><span class=\"none\">" + count +
             " pins, as listed at <a href=\"#list-" + number + "\">" + at + "</a></span></td>";
    }
    if (!members_of(list, mine)) return "<td class=\"n\">" + name(list) + "</td>";
    std::string anchor;
    if (mine.size() > LONG_LIST) {
      const std::string number = std::to_string(long_lists_.size());
      long_lists_.emplace(list.data(), LongList{number, std::to_string(mine.size()), part_pin});
      anchor = " id=\"list-" + number + "\"";
    }
    // The other side's members, sorted once per list.
    auto [sorted, fresh] = sorted_members_.try_emplace(other.data());
    std::vector<std::string_view>& theirs = sorted->second;
    if (fresh) {
      members_of(other, theirs);
      std::sort(theirs.begin(), theirs.end());
    }
    std::string out = "<td class=\"n\"" + anchor + "><div class=\"list\"><span class=\"none\">" +
                      std::to_string(mine.size()) + " pins:</span> ";
    for (const std::string_view m : mine) {
      if (std::binary_search(theirs.begin(), theirs.end(), m)) {
        out += name(m) + " ";
      } else {
        out += std::string("<") + mark + ">" + name(m) + "</" + mark + "> ";
      }
    }
    return out + "</div></td>";
  }

  std::string pin_row(const PinRow& p, const std::string& category) {
    std::string part_pin = name(p.designator) + "." + name(p.pin);
    if (p.kind == "pin exchange")
      part_pin += " \u2192 " + name(p.designator) + "." + name(p.cmp_pin);
    return row_start(category, tone(p.kind), p.kind) + "<td class=\"n pp\">" + part_pin + "</td>" +
           cell(p.in_ref, p.ref_net) +
           cell(p.in_cmp, p.cmp_net, p.in_ref && p.ref_net != p.cmp_net) +
           members_cell(p.in_ref, p.ref_members, p.cmp_members, "del", part_pin) +
           members_cell(p.in_cmp, p.cmp_members, p.ref_members, "ins", part_pin) + "</tr>\n";
  }

  void pins() {
    Categories categories("N.", {"NET name", "pin exchange", "except add/del/xch", "except 1pin",
                                 "except pin name", "at least 1pin", "CHG a lot", "pin name add",
                                 "pin name delete", "ADD", "DEL", "ERR"});
    std::string rows;
    std::string open;
    for (const PinRow& p : r_.pins) {
      if (p.open_unchanged) {
        open += "<tr data-category=\"N.ERR-open\"><td class=\"n\">" + name(p.designator) + "." +
                name(p.pin) + "</td>" + cell(true, p.ref_net) + cell(true, p.cmp_net) + "</tr>\n";
      } else {
        rows += pin_row(p, categories.count(p.kind));
      }
    }
    const int shown = static_cast<int>(r_.pins.size()) - r_.open_unchanged;
    section_head("pins", "Pins", categories, shown);
    if (shown == 0) {
      out_ += "<p class=\"empty\">No pin differences.</p>\n";
    } else {
      table_head("pins-table", {"Category", "Part.Pin", "Net (ref)", "Net (cmp)", "Members (ref)",
                                "Members (cmp)"});
      out_ += rows + "</tbody>\n</table>\n";
    }
    if (r_.open_unchanged > 0) {
      out_ += "<details id=\"open-unchanged\">\n<summary><b id=\"open-unchanged-count\">" +
              std::to_string(r_.open_unchanged) +
              "</b> unchanged open pins (alone on their net on both sides, as unconnected pins "
              "are written by some CAD systems; not counted as differences)</summary>\n";
      table_head("open-table", {"Part.Pin", "Net (ref)", "Net (cmp)"});
      out_ += open + "</tbody>\n</table>\n</details>\n";
    }
    out_ += "</section>\n";
  }

  const Review& r_;
  std::string out_;
  // Long member lists already shown.
  struct LongList {
    std::string number;  // of its anchor
    std::string count;
    std::string at;  // the Part.Pin of the row that shows it
  };
  std::unordered_map<const char*, LongList> long_lists_;
  std::unordered_map<const char*, std::vector<std::string_view>> sorted_members_;
};

}  // namespace

std::string review_html(const Review& review) {
  return Page(review).write();
}

}  // namespace veltrax
