#include "report/review.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <numeric>
#include <set>
#include <tuple>
#include <unordered_map>

#include "compare/pins.h"
#include "report/views.h"

namespace veltrax {

namespace {

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// The members of a that b does not have (both sorted).
std::vector<std::string> difference(const std::vector<std::string>& a,
                                    const std::vector<std::string>& b) {
  std::vector<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

std::vector<std::string> names(const std::vector<Net>& nets,
                               const std::vector<std::size_t>& which) {
  std::vector<std::string> out;
  for (const std::size_t k : which)
    out.push_back(nets[k].name);
  return out;
}

NetChange net_change(NetChangeKind kind, std::vector<std::string> ref_names,
                     std::vector<std::string> cmp_names, std::vector<std::string> members = {}) {
  NetChange n;
  n.kind = kind;
  n.ref_names = std::move(ref_names);
  n.cmp_names = std::move(cmp_names);
  n.members = std::move(members);
  return n;
}

}  // namespace

const char* net_change_word(NetChangeKind kind) {
  switch (kind) {
    case NetChangeKind::added:
      return "added";
    case NetChangeKind::deleted:
      return "deleted";
    case NetChangeKind::renamed:
      return "renamed";
    case NetChangeKind::merged:
      return "merged";
    case NetChangeKind::split:
      return "split";
    case NetChangeKind::changed:
      break;
  }
  return "changed";
}

// The entries of a counted member list ("3pin|A.1|B.2|C.3|"). A designator or pin name may hold
// a '|' itself; then the text has more pieces than the count says, and while pieces are left over
// a piece without a '.' is taken for the start of a designator and joins the next piece, or, at
// the end of the list, for the end of a pin name and joins the entry before it.
std::vector<std::string_view> members_of_counted(std::string_view counted) {
  std::size_t count = 0;
  const std::size_t bar = counted.find('|');
  if (bar == std::string_view::npos) return {};
  std::from_chars(counted.data(), counted.data() + bar, count);
  std::vector<std::string_view> pieces;
  for (std::size_t start = bar + 1; start < counted.size();) {
    const std::size_t end = std::min(counted.find('|', start), counted.size());
    pieces.push_back(counted.substr(start, end - start));
    start = end + 1;
  }
  std::size_t extra = pieces.size() > count ? pieces.size() - count : 0;
  std::vector<std::string_view> entries;
  const char* start = nullptr;  // of an entry that pieces before this one began
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const std::string_view piece = pieces[k];
    const char* end = piece.data() + piece.size();
    const bool undotted = extra > 0 && piece.find('.') == std::string_view::npos;
    if (undotted && k + 1 < pieces.size()) {
      if (start == nullptr) start = piece.data();
      --extra;
    } else if (undotted && start == nullptr && !entries.empty()) {
      entries.back() = std::string_view(entries.back().data(), end - entries.back().data());
      --extra;
    } else {
      const char* first = start != nullptr ? start : piece.data();
      entries.emplace_back(first, end - first);
      start = nullptr;
    }
  }
  return entries;
}

namespace {

template <class Counts, std::size_t N>
std::vector<Counter> counters(const Counts& n, const SummaryCounter<Counts> (&table)[N]) {
  std::vector<Counter> out;
  for (const SummaryCounter<Counts>& c : table)
    out.push_back({c.label, n.*c.count});
  return out;
}

}  // namespace

std::vector<Counter> part_counters(const PartCounts& n) {
  return counters(n, PART_COUNTERS);
}

std::vector<Counter> pin_counters(const PinCounts& n) {
  return counters(n, PIN_COUNTERS);
}

std::vector<NetChange> net_view(const std::vector<Net>& ref, const std::vector<Net>& cmp) {
  // Both sides' nets in one numbering (compare net k is ref.size() + k), joined into groups of
  // nets that share members: each group is one change, or, when pins moved between nets that
  // stay, a change of each net.
  const std::size_t cmp_0 = ref.size();
  std::vector<std::size_t> group(ref.size() + cmp.size());
  std::iota(group.begin(), group.end(), std::size_t{0});
  const auto root = [&](std::size_t k) {
    while (group[k] != k)
      k = group[k] = group[group[k]];
    return k;
  };
  std::unordered_map<std::string_view, std::size_t> cmp_net_of;
  for (std::size_t c = 0; c < cmp.size(); ++c) {
    for (const std::string& m : cmp[c].members)
      cmp_net_of.emplace(m, c);
  }
  std::vector<std::map<std::size_t, int>> shared(ref.size());  // compare net: members in common
  std::vector<bool> linked(group.size(), false);
  for (std::size_t r = 0; r < ref.size(); ++r) {
    for (const std::string& m : ref[r].members) {
      const auto it = cmp_net_of.find(m);
      if (it == cmp_net_of.end()) continue;
      ++shared[r][it->second];
      group[root(r)] = root(cmp_0 + it->second);
      linked[r] = linked[cmp_0 + it->second] = true;
    }
  }
  // A net whose members all went, and a net of its name whose members all came: one net changed.
  std::map<std::string_view, std::size_t> lone_cmp;
  for (std::size_t c = 0; c < cmp.size(); ++c) {
    if (!linked[cmp_0 + c]) lone_cmp.emplace(cmp[c].name, c);
  }
  for (std::size_t r = 0; r < ref.size(); ++r) {
    const auto it = linked[r] ? lone_cmp.end() : lone_cmp.find(ref[r].name);
    if (it == lone_cmp.end()) continue;
    group[root(r)] = root(cmp_0 + it->second);
    lone_cmp.erase(it);
  }
  std::map<std::size_t, std::pair<std::vector<std::size_t>, std::vector<std::size_t>>> groups;
  for (std::size_t k = 0; k < group.size(); ++k) {
    auto& [refs, cmps] = groups[root(k)];
    (k < cmp_0 ? refs : cmps).push_back(k < cmp_0 ? k : k - cmp_0);
  }

  std::vector<NetChange> changes;
  const auto changed = [&](std::size_t r, std::size_t c) {
    const std::vector<std::string> a = sorted(ref[r].members);
    const std::vector<std::string> b = sorted(cmp[c].members);
    NetChange n = net_change(NetChangeKind::changed, {ref[r].name}, {cmp[c].name});
    if (a == b) {
      if (ref[r].name == cmp[c].name) return;
      n.kind = NetChangeKind::renamed;
      n.program_names =
          is_auto_net_name(ref[r].name.c_str()) && is_auto_net_name(cmp[c].name.c_str());
      n.members = ref[r].members;
    } else {
      n.members_added = difference(b, a);
      n.members_removed = difference(a, b);
    }
    changes.push_back(std::move(n));
  };
  const auto deleted = [&](std::size_t r) {
    changes.push_back(net_change(NetChangeKind::deleted, {ref[r].name}, {}, ref[r].members));
  };
  const auto added = [&](std::size_t c) {
    changes.push_back(net_change(NetChangeKind::added, {}, {cmp[c].name}, cmp[c].members));
  };
  for (const auto& [key, sides] : groups) {
    const auto& [refs, cmps] = sides;
    if (cmps.empty()) {
      deleted(refs.front());
    } else if (refs.empty()) {
      added(cmps.front());
    } else if (refs.size() == 1 && cmps.size() == 1) {
      changed(refs.front(), cmps.front());
    } else if (refs.size() == 1) {
      changes.push_back(net_change(NetChangeKind::split, {ref[refs[0]].name}, names(cmp, cmps)));
    } else if (cmps.size() == 1) {
      changes.push_back(net_change(NetChangeKind::merged, names(ref, refs), {cmp[cmps[0]].name}));
    } else {
      // Pins moved between nets: each net goes on as the net of its name, else as the one it
      // shares most with; a net that goes on as none is deleted or added.
      std::vector<std::tuple<bool, int, std::size_t, std::size_t>> pairs;
      for (const std::size_t r : refs) {
        for (const auto& [c, n] : shared[r])
          pairs.emplace_back(ref[r].name != cmp[c].name, -n, r, c);
      }
      std::sort(pairs.begin(), pairs.end());
      std::set<std::size_t> paired;
      for (const auto& [other_name, n, r, c] : pairs) {
        if (paired.count(r) > 0 || paired.count(cmp_0 + c) > 0) continue;
        paired.insert({r, cmp_0 + c});
        changed(r, c);
      }
      for (const std::size_t r : refs) {
        if (paired.count(r) == 0) deleted(r);
      }
      for (const std::size_t c : cmps) {
        if (paired.count(cmp_0 + c) == 0) added(c);
      }
    }
  }
  // In order of kind, then of the first name.
  const auto first_name = [](const NetChange& n) -> const std::string& {
    return n.ref_names.empty() ? n.cmp_names.front() : n.ref_names.front();
  };
  std::stable_sort(changes.begin(), changes.end(), [&](const NetChange& a, const NetChange& b) {
    return a.kind != b.kind ? a.kind < b.kind : first_name(a) < first_name(b);
  });
  return changes;
}

bool glob_match(std::string_view pattern, std::string_view name) {
  // Iterative matching with one point to go back to at the last '*'.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::string_view::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
      continue;
    }
    bool one = false;
    std::size_t next = p + 1;
    if (p < pattern.size() && pattern[p] == '?') {
      one = true;
    } else if (p < pattern.size() && pattern[p] == '[') {
      std::size_t q = p + 1;
      const bool negate = q < pattern.size() && pattern[q] == '!';
      if (negate) ++q;
      bool in = false;
      const std::size_t first = q;
      for (; q < pattern.size() && (pattern[q] != ']' || q == first); ++q) {
        if (q + 2 < pattern.size() && pattern[q + 1] == '-' && pattern[q + 2] != ']') {
          const auto lo = static_cast<unsigned char>(pattern[q]);
          const auto hi = static_cast<unsigned char>(pattern[q + 2]);
          const auto c = static_cast<unsigned char>(name[n]);
          in = in || (lo <= c && c <= hi);
          q += 2;
        } else {
          in = in || pattern[q] == name[n];
        }
      }
      if (q < pattern.size()) {
        one = in != negate;
        next = q + 1;
      } else {
        one = pattern[p] == name[n];  // no closing ']': a plain '['
      }
    } else if (p < pattern.size()) {
      one = pattern[p] == name[n];
    }
    if (one) {
      p = next;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

bool read_ignore_rules(std::string_view text, IgnoreRules& rules, int& bad_line) {
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
      line.remove_prefix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t blank = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, blank);
    std::string_view glob =
        blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    while (!glob.empty() && (glob.front() == ' ' || glob.front() == '\t'))
      glob.remove_prefix(1);
    if (word == "part" && !glob.empty()) {
      rules.parts.emplace_back(glob);
    } else if (word == "net" && !glob.empty()) {
      rules.nets.emplace_back(glob);
    } else if (word == "open-pins" && glob.empty()) {
      rules.open_pins = true;
    } else {
      bad_line = number;
      return false;
    }
  }
  return true;
}

namespace {

bool any_match(const std::vector<std::string>& patterns, std::string_view name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const std::string& p) { return glob_match(p, name); });
}

bool ignored(const IgnoreRules& rules, const PinRow& row) {
  if (rules.open_pins && row.kind == "ERR") return true;
  if (any_match(rules.parts, row.designator)) return true;
  return (row.in_ref && any_match(rules.nets, row.ref_net)) ||
         (row.in_cmp && any_match(rules.nets, row.cmp_net));
}

bool ignored(const IgnoreRules& rules, const NetChange& change) {
  for (const auto* side : {&change.ref_names, &change.cmp_names}) {
    for (const std::string& name : *side) {
      if (any_match(rules.nets, name)) return true;
    }
  }
  if (rules.open_pins) {
    const bool one_pin =
        (change.kind == NetChangeKind::added || change.kind == NetChangeKind::deleted) &&
        change.members.size() == 1;
    if (one_pin) return true;
  }
  return false;
}

}  // namespace

Review make_review(const ResultModel& model, const RunReport& report, ReviewInput ref,
                   ReviewInput cmp, const IgnoreRules& rules) {
  Review r;
  r.ref = std::move(ref);
  r.cmp = std::move(cmp);
  for (const RunWarning& w : report.warnings)
    r.warnings.push_back({w.message, w.file});
  r.part_counts = model.part_counts;
  r.pin_counts = model.pin_counts;
  for (const PartRow& row : model.parts) {
    if (any_match(rules.parts, row.designator)) {
      ++r.ignored.parts;
    } else {
      r.parts.push_back(row);
    }
  }
  bool pin_change = false;
  for (const PinRow& row : model.pins) {
    if (ignored(rules, row)) {
      ++r.ignored.pins;
      continue;
    }
    r.pins.push_back(row);
    if (row.open_unchanged) {
      ++r.open_unchanged;
    } else {
      pin_change = true;
    }
  }
  for (NetChange& change : net_view(model.ref_nets, model.cmp_nets)) {
    if (ignored(rules, change)) {
      ++r.ignored.nets;
    } else {
      r.nets.push_back(std::move(change));
    }
  }
  // The run's own exit status stands unless an ignored row was all that made it 1.
  r.exit_status = exit_status(report);
  if (r.exit_status == 1 && !rules.empty()) {
    const bool differences =
        !r.parts.empty() || pin_change || model.part_counts.error > 0 || report.incomplete;
    r.exit_status = differences ? 1 : 0;
  }
  return r;
}

}  // namespace veltrax
