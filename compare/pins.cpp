#include "compare/pins.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unordered_map>

#include "compare/exchange.h"
#include "compare/member_lists.h"
#include "compare/parts.h"
#include "compare/result_model.h"
#include "netlist/lex.h"

namespace veltrax {

namespace {

constexpr std::size_t ABBREVIATED_ROOM = 70;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The order of the current pair of a merge: negative when the reference pin comes first,
// positive when the compare pin does; a side past its last pin comes last.
int merge_order(bool ref_left, bool cmp_left, const char* ref_designator, const char* ref_pin,
                const char* cmp_designator, const char* cmp_pin) {
  if (ref_left && cmp_left) {
    const int c = std::strcmp(ref_designator, cmp_designator);
    return c != 0 ? c : std::strcmp(ref_pin, cmp_pin);
  }
  return ref_left ? -1 : 1;
}

// The part of a designator: a binary search for the first record of that designator.
const PartRecord* find_part(const PartTable& parts, int count, const char* designator) {
  const PartRecord* begin = parts.record;
  const PartRecord* end = begin + count;
  const PartRecord* found = std::lower_bound(
      begin, end, designator,
      [](const PartRecord& p, const char* d) { return std::strcmp(p.designator, d) < 0; });
  return found != end && std::strcmp(found->designator, designator) == 0 ? found : nullptr;
}

// A pin before the pairing pass has found anything about it.
void start_clean(PinRecord& p) {
  p.state = PinState::ordinary;
  p.change_mark = 0;
}

// A pin that the other netlist lacks under its designator and name. Its entry leaves its net's
// member list when its part is on one side only, or becomes its part's wildcard entry, unless a
// diode or transistor mapping explains it. Returns the positions a mapping consumed on each side
// (2 or 3), or 0 when only the pin itself is done.
int pair_one_sided(PinSides& t, int i, int j, Side side, const PartTable& parts, int part_count) {
  PinRecord& p = side == Side::compare ? t.cmp[j] : t.ref[i];
  const PinState alone_state =
      side == Side::compare ? PinState::part_added : PinState::part_deleted;
  const PartRecord* part = find_part(parts, part_count, p.designator);
  if (part != nullptr && part->state != PartState::paired) p.state = alone_state;
  const EntryRef entry = t.texts.find_entry(p.net_members, p.designator, p.pin);
  if (!entry) return 0;
  if (p.state == alone_state) {
    t.texts.delete_entry(entry);
    return 0;
  }
  if (looks_like_diode(p.designator)) {
    if (try_diode_mapping(t, i, j, side)) return 2;
  } else if (looks_like_transistor(p.designator)) {
    if (try_transistor_mapping(t, i, j, side)) return 3;
  }
  t.texts.make_wildcard(entry, std::strlen(p.designator));
  return 0;
}

// The member list of a pin as the Info columns show it: cut after the last '|' within its first
// 70 characters, then "...", when it is longer.
std::string_view abbreviated(const char* counted, std::string& room) {
  const std::size_t length = strnlen(counted, ABBREVIATED_ROOM + 1);
  if (length <= ABBREVIATED_ROOM) return counted;
  std::size_t cut = ABBREVIATED_ROOM;
  for (std::size_t k = ABBREVIATED_ROOM; k > 0; --k) {
    if (counted[k - 1] == '|') {
      cut = k;
      break;
    }
  }
  room.assign(counted, cut);
  room += "...";
  return room;
}

enum class Category {
  same,
  err,
  pin_exchange,
  net_name,
  except_add_del_xch,
  except_1pin,
  except_pin_name,
  at_least_1pin,
  change_a_lot,
  add,
  pin_name_add,
  del,
  pin_name_delete,
};

// Every category, in the order above: its keyword in the "N." rows and the counter it adds to.
struct CategoryRow {
  const char* keyword;
  int PinCounts::*count;
};
constexpr CategoryRow CATEGORIES[] = {
    {"", &PinCounts::same},
    {"ERR", &PinCounts::error},
    {"pin exchange", &PinCounts::pin_exchange},
    {"NET name", &PinCounts::net_name},
    {"except add/del/xch", &PinCounts::except_add_del_exch},
    {"except 1pin", &PinCounts::except_1pin},
    {"except pin name", &PinCounts::except_pin_name},
    {"at least 1pin", &PinCounts::at_least_1pin},
    {"CHG a lot", &PinCounts::change_a_lot},
    {"ADD", &PinCounts::add},
    {"pin name add", &PinCounts::pin_name},
    {"DEL", &PinCounts::del},
    {"pin name delete", &PinCounts::pin_name},
};

const CategoryRow& row_of(Category c) {
  return CATEGORIES[static_cast<int>(c)];
}

// The pins summary: "label=count" of every counter, or of the first two in the short form.
std::string pins_summary(const PinCounts& n, const char* separator) {
  const std::size_t shown = n.only_same_or_net_name() ? 2 : std::size(PIN_COUNTERS);
  std::string s;
  for (std::size_t k = 0; k < shown; ++k) {
    if (k > 0) s += separator;
    s += format_text("%s=%d", PIN_COUNTERS[k].label, n.*PIN_COUNTERS[k].count);
  }
  return s;
}

// The category of a pin that both netlists have.
Category classify_paired(const PinRecord& r, const PinRecord& c, NetTexts& texts) {
  const bool exchanged = is_exchanged(c.state);
  if (c.alone_on_net()) return Category::err;
  if (std::strcmp(r.net, c.net) == 0) return exchanged ? Category::pin_exchange : Category::same;
  if (c.change_mark == 0) {
    if (!is_auto_net_name(r.net) || !is_auto_net_name(c.net)) return Category::net_name;
    return exchanged ? Category::pin_exchange : Category::same;
  }
  if (exchanged) return Category::pin_exchange;
  if (texts.members_equal(r.net_members, c.net_members)) {
    return has_several_entries(r.net_members) ? Category::except_add_del_xch
                                              : Category::change_a_lot;
  }
  if (texts.differ_in_one_pin_name(r.net_members, c.net_members)) return Category::except_1pin;
  if (texts.parts_equal(r.net_parts, c.net_parts)) return Category::except_pin_name;
  if (texts.share_another_entry(r.net_members, c.net_members, r.designator, r.pin)) {
    return Category::at_least_1pin;
  }
  return Category::change_a_lot;
}

// A net name in a Name column: quoted, or "<NONE>" for a side that does not exist.
void write_name(ResultWriter& out, const char* net) {
  if (net == nullptr) return out.write(NONE_FIELD);
  out.write("\"`");
  out.write(net);
  out.write("\"");
}

Category classify_reference_only(const PinRecord& r) {
  if (r.state == PinState::part_deleted) return Category::del;
  return is_exchanged(r.state) ? Category::pin_exchange : Category::pin_name_delete;
}

Category classify_compare_only(const PinRecord& c) {
  if (c.alone_on_net()) return Category::err;
  if (c.state == PinState::part_added) return Category::add;
  return is_exchanged(c.state) ? Category::pin_exchange : Category::pin_name_add;
}

}  // namespace

bool is_auto_net_name(const char* name) {
  if (starts_with(name, "N$")) return true;
  if (!is_digit(name[0])) {
    const char* p = name;
    while (*p != '\0' && !is_digit(*p))
      ++p;
    int run = 0;
    while (is_digit(p[run]))
      ++run;
    return run >= 5;
  }
  const char* p = name;
  while (is_digit(*p))
    ++p;
  if (*p != 'N') return false;
  ++p;
  while (is_digit(*p))
    ++p;
  return *p == '\0';
}

void pair_pins(NetlistStore& ref, int ref_parts, int ref_pins, NetlistStore& cmp, int cmp_parts,
               int cmp_pins, NetTexts& texts) {
  PinSides t{ref.pins, ref_pins, cmp.pins, cmp_pins, texts};
  // Every run starts clean, the record just after the last one included: records that a
  // mapping passes over are never reached by the merge.
  for (int k = 0; k <= ref_pins; ++k)
    start_clean(ref.pins[k]);
  for (int k = 0; k <= cmp_pins; ++k)
    start_clean(cmp.pins[k]);

  int i = 0;
  int j = 0;
  while (i < ref_pins || j < cmp_pins) {
    PinRecord& r = t.ref[i];
    PinRecord& c = t.cmp[j];
    const int order =
        merge_order(i < ref_pins, j < cmp_pins, r.designator, r.pin, c.designator, c.pin);
    start_clean(r);
    start_clean(c);
    if (order == 0) {
      int step = 1;
      if (!c.alone_on_net() && std::strcmp(r.net, c.net) != 0) {
        c.change_mark = texts.compare_counted(r.net_members_counted, c.net_members_counted);
        if (c.change_mark != 0 && try_passive_exchange(t, i, j)) step = 2;
      }
      i += step;
      j += step;
    } else if (order > 0) {
      const int mapped = pair_one_sided(t, i, j, Side::compare, cmp.parts, cmp_parts);
      i += mapped;
      j += mapped == 0 ? 1 : mapped;
    } else {
      const int mapped = pair_one_sided(t, i, j, Side::reference, ref.parts, ref_parts);
      i += mapped == 0 ? 1 : mapped;
      j += mapped;
    }
  }
  texts.flush();
}

PinCounts classify_pins(const NetlistStore& ref, int ref_pins, const NetlistStore& cmp,
                        int cmp_pins, const std::string& parts_line, NetTexts& texts,
                        ResultWriter& out, ResultModel* model) {
  PinCounts n;
  // A net's member list is kept once, however many rows show it.
  std::unordered_map<const char*, std::string_view> kept;
  const auto keep = [&](const char* list) -> std::string_view {
    auto [at, added] = kept.try_emplace(list);
    if (added) at->second = model->member_lists.emplace_back(list);
    return at->second;
  };
  std::string room;
  int i = 0;
  int j = 0;
  while (i < ref_pins || j < cmp_pins) {
    const bool ref_left = i < ref_pins;
    const bool cmp_left = j < cmp_pins;
    const PinRecord& r = ref.pins[i];
    const PinRecord& c = cmp.pins[j];
    const int order =
        merge_order(ref_left, cmp_left, r.designator, r.pin, c.designator, c.work_pin);
    const Category category = order == 0  ? classify_paired(r, c, texts)
                              : order < 0 ? classify_reference_only(r)
                                          : classify_compare_only(c);
    ++(n.*row_of(category).count);
    const bool open_unchanged = category == Category::err && order == 0 && r.alone_on_net();
    if (open_unchanged) ++n.open_unchanged;
    if (category != Category::same) {
      // Texts of a side past its last pin are empty.
      const bool ref_side = order <= 0;
      const bool cmp_side = order >= 0;
      // Part.Pin names the reference pin in a pin exchange row, even a one-sided one.
      const bool names_ref = ref_side || category == Category::pin_exchange;
      out.write("N.");
      out.write(row_of(category).keyword);
      out.write(",");
      out.write(names_ref ? (ref_left ? r.designator : "") : c.designator);
      out.write(".");
      out.write(names_ref ? (ref_left ? r.pin : "") : c.pin);
      if (category == Category::pin_exchange) {
        out.write(" ->.");
        out.write(cmp_left ? c.pin : "");
      }
      out.write(",");
      write_name(out, ref_side ? r.net : nullptr);
      out.write(",");
      write_name(out, cmp_side ? c.net : nullptr);
      out.write(",");
      out.write(ref_side ? abbreviated(r.net_members_counted, room) : NONE_FIELD);
      out.write(",");
      out.write(cmp_side ? abbreviated(c.net_members_counted, room) : NONE_FIELD);
      out.write("\n");
      if (model != nullptr) {
        PinRow& p = model->pins.emplace_back();
        p.kind = row_of(category).keyword;
        p.designator = names_ref ? (ref_left ? r.designator : "") : c.designator;
        p.pin = names_ref ? (ref_left ? r.pin : "") : c.pin;
        if (category == Category::pin_exchange) p.cmp_pin = cmp_left ? c.pin : "";
        p.in_ref = ref_side;
        p.in_cmp = cmp_side;
        if (ref_side) p.ref_net = r.net, p.ref_members = keep(r.net_members_counted);
        if (cmp_side) p.cmp_net = c.net, p.cmp_members = keep(c.net_members_counted);
        p.open_unchanged = open_unchanged;
      }
    }
    if (order <= 0) ++i;
    if (order >= 0) ++j;
  }

  out.print("%s\nSUM,Pins,%s\n", parts_line.c_str(), pins_summary(n, "; ").c_str());
  return n;
}

std::string pins_summary_message(const PinCounts& n) {
  return "Pins : " + pins_summary(n, ", ") + "\n";
}

int PinCounts::rows() const {
  int total = 0;
  for (const auto& c : PIN_COUNTERS)
    total += this->*c.count;
  return total - same;
}

}  // namespace veltrax
