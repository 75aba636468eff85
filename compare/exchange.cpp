#include "compare/exchange.h"

#include <cstring>
#include <utility>

#include "compare/member_lists.h"
#include "netlist/lex.h"

namespace veltrax {

namespace {

bool begins_with_one_of(const char* text, const char* firsts) {
  return text[0] != '\0' && std::strchr(firsts, text[0]) != nullptr;
}

bool same_text(const char* a, const char* b) {
  return std::strcmp(a, b) == 0;
}

// The size orders of three net sizes: 1 smallest, 2 middle, 3 largest; all 0 when two are equal.
std::array<int, 3> size_orders(const int (&size)[3]) {
  if (size[0] == size[1] || size[1] == size[2] || size[0] == size[2]) return {0, 0, 0};
  std::array<int, 3> order{};
  for (int k = 0; k < 3; ++k) {
    order[k] = 1 + (size[k] > size[(k + 1) % 3]) + (size[k] > size[(k + 2) % 3]);
  }
  return order;
}

CrossPattern pattern_at(const PinSides& t, int i, int j, int n) {
  CrossPattern p;
  for (int x = 0; x < n; ++x) {
    p.ref_size[x] = net_size(t.ref[i + x].net_members_counted);
    p.cmp_size[x] = net_size(t.cmp[j + x].net_members_counted);
    for (int y = 0; y < n; ++y) {
      p.same_net[x][y] = same_text(t.ref[i + x].net, t.cmp[j + y].net);
    }
  }
  return p;
}

// The part lists that the passive decision compares, for the two pins at i and j.
void add_part_lists(const PinSides& t, int i, int j, CrossPattern& p) {
  for (int x = 0; x < 2; ++x) {
    for (int y = 0; y < 2; ++y) {
      p.parts_equal[x][y] = t.texts.parts_equal(t.ref[i + x].net_parts, t.cmp[j + y].net_parts);
    }
  }
}

// The fields that move with a compare pin when records are permuted.
struct MovingFields {
  char* pin;
  char* net;
  char* net_members_counted;
  char* net_members;
};

// Puts into C[j+k] the fields of C[j+partner[k]], for k < n.
void permute_compare(PinTable& cmp, int j, const std::array<int, 3>& partner, int n) {
  MovingFields old[3];
  for (int k = 0; k < n; ++k) {
    const PinRecord& r = cmp[j + k];
    old[k] = {r.pin, r.net, r.net_members_counted, r.net_members};
  }
  for (int k = 0; k < n; ++k) {
    PinRecord& r = cmp[j + k];
    const MovingFields& f = old[partner[k]];
    r.pin = f.pin;
    r.net = f.net;
    r.net_members_counted = f.net_members_counted;
    r.net_members = f.net_members;
  }
}

// Pins numbered on one side and lettered on the other: true when the numbered side's pins begin
// with the digits of numbered[k] and the lettered side's with the letters of lettered[k].
bool pin_names_fit(const PinSides& t, int i, int j, Side numbered, int n,
                   const char* const* numbers, const char* const* letters) {
  for (int k = 0; k < n; ++k) {
    const char* ref_pin = t.ref[i + k].pin;
    const char* cmp_pin = t.cmp[j + k].pin;
    const char* numbered_pin = numbered == Side::compare ? cmp_pin : ref_pin;
    const char* lettered_pin = numbered == Side::compare ? ref_pin : cmp_pin;
    if (!begins_with_one_of(numbered_pin, numbers[k]) ||
        !begins_with_one_of(lettered_pin, letters[k])) {
      return false;
    }
  }
  return true;
}

bool one_part(const PinSides& t, int i, int j, int n) {
  const char* designator = t.cmp[j].designator;
  for (int k = 0; k < n; ++k) {
    if (!same_text(t.cmp[j + k].designator, designator) ||
        !same_text(t.ref[i + k].designator, designator)) {
      return false;
    }
  }
  return true;
}

// Carries out a diode (exchanged) or transistor mapping of n pins.
void carry_out_mapping(PinSides& t, int i, int j, Side numbered, int n, PinState state,
                       const std::array<int, 3>& partner) {
  permute_compare(t.cmp, j, partner, n);
  const char* designator = t.cmp[j].designator;
  for (int k = 0; k < n; ++k) {
    PinRecord& r = t.ref[i + k];
    PinRecord& c = t.cmp[j + k];
    r.state = c.state = state;
    r.change_mark = c.change_mark = 1;
    c.work_pin = t.texts.relabeled(c.work_pin, r.pin[0]);
    if (state == PinState::transistor && numbered == Side::reference) {
      t.texts.rename_entry(r.net_members, designator, c.pin[0]);
    } else {
      t.texts.rename_entry(c.net_members, designator, r.pin[0]);
    }
  }
}

}  // namespace

bool passive_exchanges(const CrossPattern& p) {
  const auto& e = p.same_net;
  const int a = p.ref_size[0], b = p.ref_size[1], c = p.cmp_size[0], d = p.cmp_size[1];
  if (e[0][1] || e[1][0]) return true;
  if (!e[1][1] && ((a < b && d < c) || (b < a && c < d))) return true;
  if (p.parts_equal[0][0] || p.parts_equal[1][1]) return false;
  return p.parts_equal[0][1] || p.parts_equal[1][0];
}

Pairing diode_pairing(const CrossPattern& p) {
  const auto& e = p.same_net;
  const int a = p.ref_size[0], b = p.ref_size[1], c = p.cmp_size[0], d = p.cmp_size[1];
  if (e[0][0] || e[1][1]) return Pairing::straight;
  if (e[0][1] || e[1][0]) return Pairing::crossed;
  if ((a < b && c < d) || (b < a && d < c)) return Pairing::straight;
  if ((a < b && d < c) || (b < a && c < d)) return Pairing::crossed;
  return Pairing::none;
}

bool transistor_assignment(const CrossPattern& p, std::array<int, 3>& partner) {
  const auto& e = p.same_net;
  const std::array<int, 3> r = size_orders(p.ref_size);
  const std::array<int, 3> c = size_orders(p.cmp_size);
  // oR x = oC y holds only for a size order that is not 0.
  auto order = [&](int x, int y) { return r[x] != 0 && r[x] == c[y]; };

  int first;
  if (e[0][0] || (e[1][1] && e[2][2]) || (e[1][2] && e[2][1]) ||
      (!e[0][1] && !e[0][2] && !e[1][0] && !e[2][0] && order(0, 0))) {
    first = 0;
  } else if (e[0][1] || (e[1][2] && e[2][0]) || (e[1][0] && e[2][2]) ||
             (!e[0][2] && !e[1][1] && !e[2][1] && order(0, 1))) {
    first = 1;
  } else if (!e[0][2] && !e[1][0] && !e[2][1] && !e[1][1] && !e[2][0] && !order(0, 2)) {
    return false;
  } else {
    first = 2;
  }

  // The two other compare positions q < s; straight pairs R[i+1] with q and R[i+2] with s.
  const int q = first == 0 ? 1 : 0;
  const int s = first == 2 ? 1 : 2;
  Pairing pairing = Pairing::none;
  switch (first) {
    case 0:
      if (e[1][1] || e[2][2]) {
        pairing = Pairing::straight;
      } else if (e[1][2] || e[2][1]) {
        pairing = Pairing::crossed;
      } else if (order(1, 1) || order(2, 2)) {
        pairing = Pairing::straight;
      } else if (order(1, 2) || order(2, 1)) {
        pairing = Pairing::crossed;
      }
      break;
    case 1:
      if (e[1][2] || e[2][0]) {
        pairing = Pairing::crossed;
      } else if (!e[1][0] && !e[2][2] && (order(1, 2) || order(2, 0))) {
        pairing = Pairing::crossed;
      } else if (e[1][0] || e[2][2]) {
        pairing = Pairing::straight;
      } else if (order(1, 0) || order(2, 2)) {
        pairing = Pairing::straight;
      }
      break;
    default:
      if (e[1][0] || e[2][1]) {
        pairing = Pairing::straight;
      } else if (!e[1][1] && !e[2][0] && (order(1, 0) || order(2, 1))) {
        pairing = Pairing::straight;
      } else if (e[1][1] || e[2][0]) {
        pairing = Pairing::crossed;
      } else if (order(1, 1) || order(2, 0)) {
        pairing = Pairing::crossed;
      }
      break;
  }
  if (pairing == Pairing::none) return false;
  partner = pairing == Pairing::straight ? std::array<int, 3>{first, q, s}
                                         : std::array<int, 3>{first, s, q};
  return true;
}

bool has_prefix(const char* designator, std::initializer_list<const char*> prefixes) {
  for (const char* prefix : prefixes) {
    if (starts_with(designator, prefix)) {
      return static_cast<signed char>(designator[std::strlen(prefix)]) <= '9';
    }
  }
  return false;
}

bool looks_like_diode(const char* designator) {
  return designator[0] == 'D' || designator[0] == 'Z' || starts_with(designator, "LED");
}

bool looks_like_transistor(const char* designator) {
  return designator[0] == 'Q' || starts_with(designator, "TR") || starts_with(designator, "FET");
}

bool try_passive_exchange(PinSides& t, int i, int j) {
  PinRecord& c0 = t.cmp[j];
  if (!has_prefix(c0.designator, {"FB", "R", "C", "L"}) || c0.pin[0] != '1' ||
      j >= t.cmp_count - 1 || i >= t.ref_count - 1) {
    return false;
  }
  PinRecord& c1 = t.cmp[j + 1];
  const PinRecord& r0 = t.ref[i];
  const PinRecord& r1 = t.ref[i + 1];
  if (c1.pin[0] != '2' || !same_text(c1.designator, c0.designator) || r1.pin[0] != '2' ||
      !same_text(r1.designator, r0.designator)) {
    return false;
  }
  CrossPattern pattern = pattern_at(t, i, j, 2);
  add_part_lists(t, i, j, pattern);
  if (!passive_exchanges(pattern)) return false;

  permute_compare(t.cmp, j, {1, 0, 2}, 2);
  c0.state = c1.state = PinState::exchanged;
  c1.change_mark = c0.change_mark;
  t.texts.rename_entry(c0.net_members, c0.designator, '1');
  t.texts.rename_entry(c1.net_members, c1.designator, '2');
  return true;
}

bool try_diode_mapping(PinSides& t, int i, int j, Side numbered) {
  const char* designator = numbered == Side::compare ? t.cmp[j].designator : t.ref[i].designator;
  if (!has_prefix(designator, {"LED", "ZD", "D", "Z"}) || i >= t.ref_count - 1 ||
      j >= t.cmp_count - 1) {
    return false;
  }
  static const char* const numbers[] = {"12", "23"};
  static const char* const letters[] = {"A", "KC"};
  if (!pin_names_fit(t, i, j, numbered, 2, numbers, letters) || !one_part(t, i, j, 2)) {
    return false;
  }
  const Pairing pairing = diode_pairing(pattern_at(t, i, j, 2));
  if (pairing == Pairing::none) return false;
  carry_out_mapping(
      t, i, j, numbered, 2, PinState::exchanged,
      pairing == Pairing::straight ? std::array<int, 3>{0, 1, 2} : std::array<int, 3>{1, 0, 2});
  return true;
}

bool try_transistor_mapping(PinSides& t, int i, int j, Side numbered) {
  const char* designator = numbered == Side::compare ? t.cmp[j].designator : t.ref[i].designator;
  if (!has_prefix(designator, {"FET", "TR", "Q"}) || i >= t.ref_count - 2 || j >= t.cmp_count - 2) {
    return false;
  }
  static const char* const numbers[] = {"1", "2", "3"};
  static const char* const letters[] = {"BD", "CG", "ES"};
  if (!pin_names_fit(t, i, j, numbered, 3, numbers, letters) || !one_part(t, i, j, 3)) {
    return false;
  }
  std::array<int, 3> partner{};
  if (!transistor_assignment(pattern_at(t, i, j, 3), partner)) return false;
  carry_out_mapping(t, i, j, numbered, 3, PinState::transistor, partner);
  return true;
}

}  // namespace veltrax
