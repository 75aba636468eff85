// The terminal listing: the review as plain lines, in sections a reviewer reads from the top
// (inputs, warnings, parts, nets, pins), each line one change. Every name and path goes through
// name_for_terminal, so no netlist can send a control sequence; colour, when asked for, is the
// listing's own few SGR codes around its own words and escaped names.
#include <algorithm>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "report/text.h"
#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {

namespace {

constexpr int WIDTH = 100;       // lines of member lists and warnings are wrapped here
constexpr int ALIGN_MOST = 32;   // a column is padded to line up only for texts this wide
constexpr int INDENT_MOST = 48;  // continued lines start under their list when it begins here

enum class Ink { none, added, deleted, changed, heading };

enum Label {
  REFERENCE,
  COMPARE,
  PARTS,
  NETS,
  PINS,
  WARNINGS,
  PART_COUNT,
  PIN_COUNT,
  ADDED,
  DELETED,
  VALUE,
  FOOTPRINT,
  BOTH,
  RENAMED,
  MERGED,
  SPLIT,
  CHANGED,
  UNCHANGED,
  DROPPED,
  NO_CHANGE,
  NONE,
  PROGRAM_NAMES,
  ALONE,
  LISTED_AT,
  OPEN_UNCHANGED,
  OPEN_UNCHANGED_NOTE,
  IGNORED,
  PART_ROWS,
  PIN_ROWS,
  NET_CHANGES,
  NO_DIFFERENCE,
  DIFFERENCES,
  TROUBLE,
  EXIT_STATUS,
  LABEL_COUNT,
};

struct Words {
  const char* english;
  const char* japanese;
};

constexpr Words kLabels[LABEL_COUNT] = {
    {"Reference", "基準"},
    {"Compare", "比較"},
    {"Parts", "部品"},
    {"Nets", "ネット"},
    {"Pins", "ピン"},
    {"Warnings", "警告"},
    {"parts", "部品"},
    {"pins", "ピン"},
    {"added", "追加"},
    {"deleted", "削除"},
    {"value", "値"},
    {"footprint", "フットプリント"},
    {"both", "両方"},
    {"renamed", "名前変更"},
    {"merged", "統合"},
    {"split", "分割"},
    {"changed", "変更"},
    {"unchanged", "変化なし"},
    {"not compared (tables full)", "比較外 (表が満杯)"},
    {"no changes", "変化なし"},
    {"(none)", "(なし)"},
    {"(program-made names)", "(自動生成の名前)"},
    {"alone on its net", "ネットに単独"},
    {"as listed at", "一覧は"},
    {"Unchanged open pins", "変化のない単独ピン"},
    {"alone on their nets on both sides, not listed", "両側ともネットに単独、一覧にはなし"},
    {"Ignored", "無視"},
    {"part rows", "部品の行"},
    {"pin rows", "ピンの行"},
    {"net changes", "ネットの変化"},
    {"No differences", "違いなし"},
    {"Differences found", "違いあり"},
    {"Trouble", "問題あり"},
    {"exit status", "終了コード"},
};

// A category of part or pin rows: the result file's keyword, its label and its ink.
struct Category {
  const char* keyword;
  Words label;
  Ink ink;
};

constexpr Category kPartCategories[] = {
    {"ADD", kLabels[ADDED], Ink::added},     {"DEL", kLabels[DELETED], Ink::deleted},
    {"value", kLabels[VALUE], Ink::changed}, {"pcb", kLabels[FOOTPRINT], Ink::changed},
    {"both", kLabels[BOTH], Ink::changed},
};

constexpr Category kPinCategories[] = {
    {"NET name", {"net name", "ネット名"}, Ink::changed},
    {"pin exchange", {"pin exchange", "ピン交換"}, Ink::changed},
    {"except add/del/xch", {"except add/del/exch", "追加・削除・交換以外"}, Ink::changed},
    {"except 1pin", {"except 1pin", "1ピン以外"}, Ink::changed},
    {"except pin name", {"except pin name", "ピン名以外"}, Ink::changed},
    {"at least 1pin", {"at least 1pin", "1ピン以上"}, Ink::changed},
    {"CHG a lot", {"change a lot", "大きな変更"}, Ink::changed},
    {"pin name add", {"pin name add", "ピン名追加"}, Ink::added},
    {"pin name delete", {"pin name delete", "ピン名削除"}, Ink::deleted},
    {"ADD", kLabels[ADDED], Ink::added},
    {"DEL", kLabels[DELETED], Ink::deleted},
    {"ERR", {"open error", "オープン・エラー"}, Ink::changed},
};

constexpr NetChangeKind kNetKinds[] = {NetChangeKind::added,   NetChangeKind::deleted,
                                       NetChangeKind::renamed, NetChangeKind::merged,
                                       NetChangeKind::split,   NetChangeKind::changed};

// East Asian wide characters take two columns of a terminal.
bool wide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// The columns a UTF-8 text takes on a terminal.
int columns(std::string_view utf8) {
  int n = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += length;
    n += wide(c) ? 2 : 1;
  }
  return n;
}

// A name of a netlist as the listing shows it: escaped, and an empty one as "".
std::string shown(std::string_view name) {
  return name.empty() ? std::string("\"\"") : name_for_terminal(name);
}

using Counts = std::vector<std::pair<std::string, int>>;

struct Word {
  std::string text;
  Ink ink = Ink::none;
};

class Listing {
 public:
  explicit Listing(const ListingStyle& style) : style_(style) {}

  const char* operator[](Label label) const { return in_language(kLabels[label]); }
  const char* in_language(const Words& w) const { return style_.japanese ? w.japanese : w.english; }

  void put(std::string_view text, Ink ink = Ink::none) {
    static constexpr const char* kCodes[] = {"", "\x1b[32m", "\x1b[31m", "\x1b[33m", "\x1b[1m"};
    const bool inked = style_.color && ink != Ink::none && !text.empty();
    if (inked) out_ += kCodes[static_cast<int>(ink)];
    out_ += text;
    if (inked) out_ += "\x1b[0m";
    column_ += columns(text);
  }
  // Blanks up to the column, and at least `least` of them.
  void pad_to(int column, int least = 2) {
    put(std::string(static_cast<std::size_t>(std::max(column - column_, least)), ' '));
  }
  void end_line() {
    while (!out_.empty() && out_.back() == ' ')
      out_.pop_back();
    out_ += '\n';
    column_ = 0;
  }
  int column() const { return column_; }

  // Words from here on, each after the separator; a word that would pass the width starts a
  // line at indent.
  void words(const std::vector<Word>& list, int indent, std::string_view separator = " ") {
    bool first = true;
    for (const Word& w : list) {
      const std::string_view gap = first ? "" : separator;
      if (column_ > indent && column_ + columns(gap) + columns(w.text) > WIDTH) {
        put(gap.substr(0, gap.find_last_not_of(' ') + 1));
        end_line();
        put(std::string(static_cast<std::size_t>(indent), ' '));
      } else {
        put(gap);
      }
      put(w.text, w.ink);
      first = false;
    }
  }

  // "Label: word 1, word 2" in the listing's language; the label in bold.
  void counts_line(Label heading, const Counts& counts) {
    put(std::string((*this)[heading]) + ":", Ink::heading);
    put(" ");
    std::vector<Word> list;
    for (const auto& [label, n] : counts)
      list.push_back({label + " " + std::to_string(n)});
    if (counts.empty()) list.push_back({(*this)[NO_CHANGE]});
    words(list, 4, style_.japanese ? "、" : ", ");
    end_line();
  }

  std::string take() { return std::move(out_); }

 private:
  const ListingStyle& style_;
  std::string out_;
  int column_ = 0;
};

int widest(const std::vector<std::string>& texts, int most) {
  int w = 0;
  for (const std::string& t : texts) {
    if (const int c = columns(t); c <= most) w = std::max(w, c);
  }
  return w;
}

// Where a continued line of a list begins: under the list, or a little in when that is far.
int indent_for(int column) {
  return column <= INDENT_MOST ? column : 6;
}

void header(Listing& l, const Review& r) {
  const ReviewInput* inputs[] = {&r.ref, &r.cmp};
  const int label_width = std::max(columns(l[REFERENCE]), columns(l[COMPARE]));
  for (const ReviewInput* in : inputs) {
    l.put(in == &r.ref ? l[REFERENCE] : l[COMPARE], Ink::heading);
    l.pad_to(label_width + 2);
    l.put(name_for_terminal(in->path));
    l.put("  (" + name_for_terminal(in->format) + "; " + l[PART_COUNT] + " " +
          std::to_string(in->parts) + ", " + l[PIN_COUNT] + " " + std::to_string(in->pins) + ")");
    l.end_line();
  }
}

void warnings(Listing& l, const Review& r, const ListingStyle& style) {
  if (r.warnings.empty()) return;
  l.end_line();
  l.put(l[WARNINGS], Ink::heading);
  l.end_line();
  for (const ReviewWarning& w : r.warnings) {
    const int language = style.japanese ? LANGUAGE_JAPANESE : LANGUAGE_ENGLISH;
    std::string text = name_to_utf8(message_text_in(language, w.message));
    if (const std::size_t colon = text.find(": "); colon != std::string::npos) {
      text.erase(0, colon + 2);  // the table's own "Warning: "
    }
    while (!text.empty() && text.back() == '\n')
      text.pop_back();
    l.put("  ");
    l.put(name_for_terminal(w.file) + ":", Ink::changed);
    std::vector<Word> list;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t blank = std::min(text.find(' ', at), text.size());
      list.push_back({text.substr(at, blank - at)});
      at = blank + 1;
    }
    l.put(" ");
    l.words(list, 4);
    l.end_line();
  }
}

// The category of a row's keyword.
template <std::size_t N>
const Category& category_of(std::string_view keyword, const Category (&categories)[N]) {
  for (const Category& c : categories) {
    if (keyword == c.keyword) return c;
  }
  return categories[N - 1];
}

// The rows of each category present, leaving out unchanged open pins.
template <typename Row, std::size_t N>
Counts category_counts(const Listing& l, const std::vector<Row>& rows,
                       const Category (&categories)[N]) {
  Counts counts;
  for (const Category& c : categories) {
    int n = 0;
    for (const Row& row : rows) {
      if constexpr (std::is_same_v<Row, PinRow>) {
        if (row.open_unchanged) continue;
      }
      n += row.kind == c.keyword;
    }
    if (n > 0) counts.emplace_back(l.in_language(c.label), n);
  }
  return counts;
}

Counts part_counts(const Listing& l, const Review& r) {
  auto counts = category_counts(l, r.parts, kPartCategories);
  if (r.part_counts.error > 0) counts.emplace_back(l[DROPPED], r.part_counts.error);
  counts.emplace_back(l[UNCHANGED], r.part_counts.same);
  return counts;
}

Label net_label(NetChangeKind kind) {
  switch (kind) {
    case NetChangeKind::added:
      return ADDED;
    case NetChangeKind::deleted:
      return DELETED;
    case NetChangeKind::renamed:
      return RENAMED;
    case NetChangeKind::merged:
      return MERGED;
    case NetChangeKind::split:
      return SPLIT;
    case NetChangeKind::changed:
      break;
  }
  return CHANGED;
}

Counts net_counts(const Listing& l, const Review& r) {
  Counts counts;
  for (const NetChangeKind kind : kNetKinds) {
    const auto n = std::count_if(r.nets.begin(), r.nets.end(),
                                 [&](const NetChange& c) { return c.kind == kind; });
    if (n > 0) counts.emplace_back(l[net_label(kind)], static_cast<int>(n));
  }
  return counts;
}

Counts pin_counts(const Listing& l, const Review& r) {
  auto counts = category_counts(l, r.pins, kPinCategories);
  counts.emplace_back(l[UNCHANGED], r.pin_counts.same);
  return counts;
}

// A part's value and footprint, or "(none)" on a side without the part.
std::string part_side(const Listing& l, bool present, const std::string& value,
                      const std::string& footprint) {
  return present ? shown(value) + " / " + shown(footprint) : l[NONE];
}

void parts(Listing& l, const Review& r) {
  if (r.parts.empty() && r.part_counts.error == 0) return;
  l.end_line();
  l.counts_line(PARTS, part_counts(l, r));
  std::vector<std::string> kinds, designators, ref_sides;
  for (const PartRow& row : r.parts) {
    kinds.push_back(l.in_language(category_of(row.kind, kPartCategories).label));
    designators.push_back(shown(row.designator));
    ref_sides.push_back(part_side(l, row.in_ref, row.ref_value, row.ref_footprint));
  }
  const int kind_end = 2 + widest(kinds, ALIGN_MOST) + 2;
  const int designator_end = kind_end + widest(designators, ALIGN_MOST) + 2;
  const int ref_end = designator_end + widest(ref_sides, ALIGN_MOST) + 1;
  for (const Category& c : kPartCategories) {
    for (std::size_t k = 0; k < r.parts.size(); ++k) {
      const PartRow& row = r.parts[k];
      if (row.kind != c.keyword) continue;
      l.put("  ");
      l.put(l.in_language(c.label), c.ink);
      l.pad_to(kind_end);
      l.put(designators[k]);
      l.pad_to(designator_end);
      l.put(ref_sides[k]);
      l.pad_to(ref_end, 1);
      l.put("-> " + part_side(l, row.in_cmp, row.cmp_value, row.cmp_footprint));
      l.end_line();
    }
  }
}

Ink net_ink(NetChangeKind kind) {
  return kind == NetChangeKind::added     ? Ink::added
         : kind == NetChangeKind::deleted ? Ink::deleted
                                          : Ink::changed;
}

std::string joined(const std::vector<std::string>& names, std::string_view separator) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += separator;
    out += shown(name);
  }
  return out;
}

// The names of a net change: "OUT", "GND -> VSS", "A + B -> AB", "VCC -> VCC_A + VCC_B".
std::string net_names(const NetChange& c) {
  const std::string from = joined(c.ref_names, " + ");
  const std::string to = joined(c.cmp_names, " + ");
  return from.empty() ? to : to.empty() || to == from ? from : from + " -> " + to;
}

// A member with its mark in front ("+R6.2"), the name appended to the mark: GCC 12 at -O3 warns
// falsely of an overlapping copy (-Wrestrict) where "+" + name inserts the mark before it.
std::string marked(char mark, const std::string& member) {
  std::string out(1, mark);
  out += shown(member);
  return out;
}

void nets(Listing& l, const Review& r) {
  if (r.nets.empty()) return;
  l.end_line();
  l.counts_line(NETS, net_counts(l, r));
  std::vector<std::string> kinds, names;
  for (const NetChange& c : r.nets) {
    kinds.push_back(l[net_label(c.kind)]);
    names.push_back(net_names(c));
  }
  const int kind_end = 2 + widest(kinds, ALIGN_MOST) + 2;
  const int names_end = kind_end + widest(names, ALIGN_MOST) + 2;
  for (std::size_t k = 0; k < r.nets.size(); ++k) {
    const NetChange& c = r.nets[k];
    l.put("  ");
    l.put(kinds[k], net_ink(c.kind));
    l.pad_to(kind_end);
    l.put(names[k]);
    std::vector<Word> members;
    for (const std::string& m : c.members)
      members.push_back({shown(m)});
    for (const std::string& m : c.members_added)
      members.push_back({marked('+', m), Ink::added});
    for (const std::string& m : c.members_removed)
      members.push_back({marked('-', m), Ink::deleted});
    if (c.program_names) members.push_back({l[PROGRAM_NAMES]});
    if (!members.empty()) {
      l.pad_to(names_end);
      l.words(members, indent_for(l.column()));
    }
    l.end_line();
  }
}

// The members of a pin row's net on one side ('-' reference, '+' compare, '=' both alike):
// "- (3) R1.2 R10.1 U1.1", or "- alone on its net".
void pin_members(Listing& l, int indent, char side, std::string_view counted) {
  l.put(std::string(static_cast<std::size_t>(indent), ' '));
  l.put(std::string(1, side), side == '-' ? Ink::deleted : side == '+' ? Ink::added : Ink::none);
  l.put(" ");
  if (counted.empty() || counted.front() == '*') {
    l.put(l[ALONE]);
    l.end_line();
    return;
  }
  std::vector<Word> members;
  const std::string count(counted.substr(0, counted.find_first_not_of("0123456789")));
  for (const std::string_view m : members_of_counted(counted))
    members.push_back({shown(m)});
  l.put("(" + count + ") ");
  l.words(members, indent_for(l.column()));
  l.end_line();
}

// Member lists longer than this are shown whole at their first row only.
constexpr int LONG_LIST = 100;

// The count of a counted member list ("18000pin|..."), 1 for "**OPEN ERROR**".
int count_of(std::string_view counted) {
  int n = 0;
  for (std::size_t i = 0; i < counted.size() && counted[i] >= '0' && counted[i] <= '9'; ++i)
    n = n * 10 + (counted[i] - '0');
  return n > 0 ? n : 1;
}

std::string pin_name(const PinRow& row) {
  std::string name = shown(row.designator) + "." + shown(row.pin);
  if (!row.cmp_pin.empty()) name += " -> " + shown(row.designator) + "." + shown(row.cmp_pin);
  return name;
}

void pins(Listing& l, const Review& r) {
  if (r.pins.size() == static_cast<std::size_t>(r.open_unchanged)) return;
  l.end_line();
  l.counts_line(PINS, pin_counts(l, r));
  std::vector<std::string> kinds, names;
  for (const PinRow& row : r.pins) {
    kinds.push_back(
        row.open_unchanged ? "" : l.in_language(category_of(row.kind, kPinCategories).label));
    names.push_back(row.open_unchanged ? std::string() : pin_name(row));
  }
  const int kind_end = 2 + widest(kinds, ALIGN_MOST) + 2;
  const int name_end = kind_end + widest(names, ALIGN_MOST) + 2;
  const int members_at = indent_for(name_end);
  // A long member list is shown whole once; the other rows of its net name that row, so that a
  // net of thousands of pins does not fill the listing with copies of itself.
  std::unordered_map<const char*, std::string> shown_at;
  const auto members = [&](char side, std::string_view list, const std::string& name) {
    if (count_of(list) > LONG_LIST) {
      const auto [at, first] = shown_at.try_emplace(list.data(), name);
      if (!first) {
        l.put(std::string(static_cast<std::size_t>(members_at), ' '));
        l.put(std::string(1, side) + " (" + std::to_string(count_of(list)) + ") " + l[LISTED_AT] +
              " " + at->second);
        l.end_line();
        return;
      }
    }
    pin_members(l, members_at, side, list);
  };
  for (const Category& c : kPinCategories) {
    for (std::size_t k = 0; k < r.pins.size(); ++k) {
      const PinRow& row = r.pins[k];
      if (row.kind != c.keyword || row.open_unchanged) continue;
      l.put("  ");
      l.put(l.in_language(c.label), c.ink);
      l.pad_to(kind_end);
      l.put(names[k]);
      l.pad_to(name_end);
      l.put(row.in_ref ? shown(row.ref_net) : l[NONE]);
      l.put(" -> ");
      l.put(row.in_cmp ? shown(row.cmp_net) : l[NONE]);
      l.end_line();
      if (row.in_ref && row.in_cmp && row.ref_members == row.cmp_members) {
        members('=', row.ref_members, names[k]);
        continue;
      }
      if (row.in_ref) members('-', row.ref_members, names[k]);
      if (row.in_cmp) members('+', row.cmp_members, names[k]);
    }
  }
}

// The lines after the changes: unchanged open pins, counted, and what was ignored.
void closing(Listing& l, const Review& r) {
  if (r.open_unchanged > 0) {
    l.put(std::string(l[OPEN_UNCHANGED]) + ": " + std::to_string(r.open_unchanged) + " (" +
          l[OPEN_UNCHANGED_NOTE] + ")");
    l.end_line();
  }
  Counts ignored;
  for (const auto& [label, n] :
       {std::pair{PART_ROWS, r.ignored.parts}, std::pair{PIN_ROWS, r.ignored.pins},
        std::pair{NET_CHANGES, r.ignored.nets}}) {
    if (n > 0) ignored.emplace_back(l[label], n);
  }
  if (!ignored.empty()) l.counts_line(IGNORED, ignored);
}

}  // namespace

std::string review_listing(const Review& review, const ListingStyle& style) {
  Listing l(style);
  header(l, review);
  if (style.counts_only) {
    l.counts_line(PARTS, part_counts(l, review));
    l.counts_line(NETS, net_counts(l, review));
    l.counts_line(PINS, pin_counts(l, review));
    closing(l, review);
    return l.take();
  }
  warnings(l, review, style);
  parts(l, review);
  nets(l, review);
  pins(l, review);
  l.end_line();
  closing(l, review);
  const Label verdict = review.exit_status == 0   ? NO_DIFFERENCE
                        : review.exit_status == 1 ? DIFFERENCES
                                                  : TROUBLE;
  l.put(l[verdict], Ink::heading);
  l.put(std::string(" (") + l[EXIT_STATUS] + " " + std::to_string(review.exit_status) + ")");
  l.end_line();
  return l.take();
}

}  // namespace veltrax
