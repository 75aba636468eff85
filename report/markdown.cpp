// The Markdown view: a summary short enough for a pull-request comment. Every name and path is
// written as a code span, in which Markdown reads no emphasis, link, autolink, HTML or mention;
// control characters are written as \xNN (so that no name ends a line or a table row), the span's
// fence is longer than any run of backquotes in the name, and in a table '|' is escaped.
#include <algorithm>

#include "report/text.h"
#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {

namespace {

constexpr std::size_t SHOWN_ROWS = 10;      // of each group of changes
constexpr std::size_t SHOWN_NAMES = 5;      // of the nets or members in one net change
constexpr char ARROW[] = " \xe2\x86\x92 ";  // " → "
constexpr char NO_SIDE[] = "\xe2\x80\x94";  // "—"

enum class Place { text, table };

std::string code(std::string_view bytes, Place place) {
  const std::string name = name_for_terminal(bytes);
  if (name.empty()) return "*(empty)*";
  std::size_t run = 0;
  std::size_t longest = 0;
  for (const char c : name) {
    run = c == '`' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  const std::string fence(longest + 1, '`');
  // A space on both sides is taken off again; it keeps a backquote or a space at either end.
  const bool pad =
      name.front() == '`' || name.back() == '`' || name.front() == ' ' || name.back() == ' ';
  std::string out = fence + (pad ? " " : "");
  for (const char c : name) {
    if (c == '|' && place == Place::table) out += '\\';
    out += c;
  }
  return out + (pad ? " " : "") + fence;
}

std::string code_list(const std::vector<std::string>& names) {
  std::string out;
  const std::size_t shown = std::min(names.size(), SHOWN_NAMES);
  for (std::size_t k = 0; k < shown; ++k)
    out += (k > 0 ? ", " : "") + code(names[k], Place::text);
  if (names.size() > shown) out += " and " + std::to_string(names.size() - shown) + " more";
  return out;
}

template <typename Number>
std::string counted(Number n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void inputs(std::string& out, const Review& r) {
  out += "| | Reference | Compare |\n| --- | --- | --- |\n";
  out += "| Netlist | " + code(r.ref.path, Place::table) + " | " + code(r.cmp.path, Place::table) +
         " |\n";
  out += "| Format | " + r.ref.format + " | " + r.cmp.format + " |\n";
  out += "| Parts | " + std::to_string(r.ref.parts) + " | " + std::to_string(r.cmp.parts) + " |\n";
  out += "| Pins | " + std::to_string(r.ref.pins) + " | " + std::to_string(r.cmp.pins) + " |\n\n";
}

using Counters = std::vector<Counter>;

// The result file's summary counters side by side, those that are 0 left out (but "same").
void counts(std::string& out, const Review& r) {
  Counters all_pins = pin_counters(r.pin_counts);
  all_pins.push_back({"unchanged open pins", r.pin_counts.open_unchanged});
  const auto shown = [](const Counters& all) {
    Counters out;
    for (std::size_t k = 0; k < all.size(); ++k) {
      if (k == 0 || all[k].value != 0) out.push_back(all[k]);
    }
    return out;
  };
  const Counters parts = shown(part_counters(r.part_counts));
  const Counters pins = shown(all_pins);
  out += "| Parts | Count | Pins | Count |\n| --- | ---: | --- | ---: |\n";
  for (std::size_t k = 0; k < std::max(parts.size(), pins.size()); ++k) {
    for (const Counters* side : {&parts, &pins}) {
      out += k < side->size() ? "| " + std::string((*side)[k].name) + " | " +
                                    std::to_string((*side)[k].value) + " "
                              : std::string("| | ");
    }
    out += "|\n";
  }
  out += "\n";
}

void warnings(std::string& out, const Review& r) {
  if (r.warnings.empty()) return;
  out += "> [!WARNING]\n";
  for (const ReviewWarning& w : r.warnings) {
    std::string said = message_text_in(LANGUAGE_ENGLISH, w.message);
    if (const std::size_t colon = said.find(": "); colon != std::string::npos) {
      said.erase(0, colon + 2);
    }
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
      said.pop_back();
    out += "> - " + code(w.file, Place::text) + ": " + said + "\n";
  }
  out += "\n";
}

void more(std::string& out, std::size_t total) {
  if (total > SHOWN_ROWS) out += "\nand " + std::to_string(total - SHOWN_ROWS) + " more\n";
  out += "\n";
}

const char* part_change(const std::string& kind) {
  if (kind == "value") return "value";
  if (kind == "pcb") return "footprint";
  if (kind == "both") return "value and footprint";
  if (kind == "ADD") return "added";
  if (kind == "DEL") return "deleted";
  return kind.c_str();
}

// One side, or both as "a → b" when they differ.
std::string sides(bool in_ref, const std::string& ref, bool in_cmp, const std::string& cmp) {
  if (!in_cmp || (in_ref && ref == cmp)) return code(ref, Place::table);
  if (!in_ref) return code(cmp, Place::table);
  return code(ref, Place::table) + ARROW + code(cmp, Place::table);
}

void parts(std::string& out, const Review& r) {
  if (r.parts.empty()) return;
  out += "### Part changes: " + std::to_string(r.parts.size()) + "\n\n";
  out += "| Part | Change | Value | Footprint |\n| --- | --- | --- | --- |\n";
  for (std::size_t k = 0; k < std::min(r.parts.size(), SHOWN_ROWS); ++k) {
    const PartRow& p = r.parts[k];
    out += "| " + code(p.designator, Place::table) + " | " + part_change(p.kind) + " | " +
           sides(p.in_ref, p.ref_value, p.in_cmp, p.cmp_value) + " | " +
           sides(p.in_ref, p.ref_footprint, p.in_cmp, p.cmp_footprint) + " |\n";
  }
  more(out, r.parts.size());
}

std::string net_line(const NetChange& n) {
  std::string line = std::string("- ") + net_change_word(n.kind) + " ";
  switch (n.kind) {
    case NetChangeKind::added:
    case NetChangeKind::deleted: {
      const auto& names = n.kind == NetChangeKind::added ? n.cmp_names : n.ref_names;
      return line + code_list(names) + " (" + counted(n.members.size(), "pin", "pins") + ")";
    }
    case NetChangeKind::renamed:
      line += code_list(n.ref_names) + ARROW + code_list(n.cmp_names);
      return line + (n.program_names ? " (names made by a program)" : "");
    case NetChangeKind::merged:
    case NetChangeKind::split:
      return line + code_list(n.ref_names) + ARROW + code_list(n.cmp_names);
    case NetChangeKind::changed:
      break;
  }
  line += code_list(n.ref_names);
  if (n.ref_names != n.cmp_names) line += ARROW + code_list(n.cmp_names);
  const char* between = ": ";
  if (!n.members_added.empty()) {
    line += between + std::string("added ") + code_list(n.members_added);
    between = "; ";
  }
  if (!n.members_removed.empty())
    line += between + std::string("removed ") + code_list(n.members_removed);
  return line;
}

void nets(std::string& out, const Review& r) {
  if (r.nets.empty()) return;
  out += "### Net changes: " + std::to_string(r.nets.size()) + "\n\n";
  for (std::size_t k = 0; k < std::min(r.nets.size(), SHOWN_ROWS); ++k)
    out += net_line(r.nets[k]) + "\n";
  more(out, r.nets.size());
}

// The pin rows but those of pins alone on their net on both sides, which are no change.
void pins(std::string& out, const Review& r) {
  const std::size_t changed = r.pins.size() - static_cast<std::size_t>(r.open_unchanged);
  if (changed > 0) {
    out += "### Pin changes: " + std::to_string(changed) + "\n\n";
    out += "| Pin | Category | Reference net | Compare net |\n| --- | --- | --- | --- |\n";
    std::size_t shown = 0;
    for (const PinRow& p : r.pins) {
      if (p.open_unchanged) continue;
      if (shown++ == SHOWN_ROWS) break;
      std::string pin = code(p.designator + "." + p.pin, Place::table);
      if (p.kind == "pin exchange")
        pin += ARROW + code(p.designator + "." + p.cmp_pin, Place::table);
      out += "| " + pin + " | " + p.kind + " | " +
             (p.in_ref ? code(p.ref_net, Place::table) : NO_SIDE) + " | " +
             (p.in_cmp ? code(p.cmp_net, Place::table) : NO_SIDE) + " |\n";
    }
    more(out, changed);
  }
  if (r.open_unchanged > 0) {
    out += r.open_unchanged == 1
               ? std::string(
                     "1 pin is alone on its net on both sides (such as an unconnected "
                     "pin): no change, not listed.\n\n")
               : std::to_string(r.open_unchanged) +
                     " pins are alone on their nets on both sides (such as unconnected pins): no "
                     "change, not listed.\n\n";
  }
}

}  // namespace

std::string review_markdown(const Review& review) {
  const bool differences = review.exit_status != 0;
  std::string out = "## Netlist comparison: ";
  out += differences ? "differences found\n\n" : "no differences\n\n";
  warnings(out, review);
  inputs(out, review);
  counts(out, review);
  parts(out, review);
  nets(out, review);
  pins(out, review);
  out += "**Exit status " + std::to_string(review.exit_status) + "**: ";
  out += differences ? "differences found.\n" : "no differences.\n";
  const auto& i = review.ignored;
  if (i.parts + i.pins + i.nets > 0) {
    out += "\nIgnored by the rules: " + counted(i.parts, "part row", "part rows") + ", " +
           counted(i.pins, "pin row", "pin rows") + ", " +
           counted(i.nets, "net change", "net changes") + ".\n";
  }
  return out;
}

}  // namespace veltrax
