#include "report/review.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "compare/pins.h"
#include "report/views.h"

namespace veltrax {

namespace {

// For every net of one side, the nets of the other side that hold any of its members.
std::vector<std::set<std::size_t>> partners(const std::vector<Net>& from,
                                            const std::vector<Net>& to) {
  std::unordered_map<std::string_view, std::size_t> net_of;
  for (std::size_t k = 0; k < to.size(); ++k) {
    for (const std::string& m : to[k].members)
      net_of.emplace(m, k);
  }
  std::vector<std::set<std::size_t>> result(from.size());
  for (std::size_t k = 0; k < from.size(); ++k) {
    for (const std::string& m : from[k].members) {
      if (const auto it = net_of.find(m); it != net_of.end()) result[k].insert(it->second);
    }
  }
  return result;
}

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

std::vector<std::string> names(const std::vector<Net>& nets, const std::set<std::size_t>& which) {
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

std::vector<NetChange> net_view(const std::vector<Net>& ref, const std::vector<Net>& cmp) {
  const auto ref_partners = partners(ref, cmp);
  const auto cmp_partners = partners(cmp, ref);
  std::map<std::string_view, std::size_t> cmp_by_name;
  for (std::size_t k = 0; k < cmp.size(); ++k)
    cmp_by_name.emplace(cmp[k].name, k);
  std::vector<bool> cmp_done(cmp.size(), false);

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

  for (std::size_t r = 0; r < ref.size(); ++r) {
    const std::set<std::size_t>& to = ref_partners[r];
    if (to.size() >= 2) {
      changes.push_back(net_change(NetChangeKind::split, {ref[r].name}, names(cmp, to)));
    } else if (to.empty()) {
      // A net whose members all went, and a net of its name whose members all came: changed.
      const auto same_name = cmp_by_name.find(ref[r].name);
      if (same_name != cmp_by_name.end() && cmp_partners[same_name->second].empty()) {
        cmp_done[same_name->second] = true;
        changed(r, same_name->second);
      } else {
        changes.push_back(net_change(NetChangeKind::deleted, {ref[r].name}, {}, ref[r].members));
      }
    } else if (const std::size_t c = *to.begin(); cmp_partners[c].size() == 1) {
      cmp_done[c] = true;
      changed(r, c);
    }
  }
  for (std::size_t c = 0; c < cmp.size(); ++c) {
    const std::set<std::size_t>& from = cmp_partners[c];
    if (from.size() >= 2) {
      changes.push_back(net_change(NetChangeKind::merged, names(ref, from), {cmp[c].name}));
    } else if (from.empty() && !cmp_done[c]) {
      changes.push_back(net_change(NetChangeKind::added, {}, {cmp[c].name}, cmp[c].members));
    }
  }
  std::stable_sort(changes.begin(), changes.end(),
                   [](const NetChange& a, const NetChange& b) { return a.kind < b.kind; });
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
