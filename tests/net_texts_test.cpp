// The fast forms of the net-text work must give exactly the answers of the plain forms: tested
// on generated member lists and edits, and on whole comparisons of generated netlists.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compare/member_lists.h"
#include "compare/net_texts.h"
#include "compare/parts.h"
#include "compare/pins.h"
#include "netlist/index.h"
#include "support.h"

namespace veltrax {
namespace {

// Designators and pins from a small alphabet, so that entries repeat, share prefixes ("U1" and
// "U1.1" against "U1.10"), contain dots, and pins are empty now and then.
struct Generator {
  std::mt19937 rng;
  explicit Generator(unsigned seed) : rng(seed) {}
  int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  std::string designator() {
    static const char* const names[] = {"U1", "U10", "D1", "AD1", "Q1", "R1", "R1.2", "", "C"};
    return names[below(9)];
  }
  std::string pin() {
    static const char* const names[] = {"1", "10", "2", "", "A", "K", "*", "1.1"};
    return names[below(8)];
  }
  std::string list(int max_entries) {
    const int n = below(max_entries + 1);
    if (n == 1 && below(2) == 0) return "**OPEN ERROR**";
    std::string text = "pin|";
    for (int k = 0; k < n; ++k)
      text += designator() + "." + pin() + "|";
    return text;
  }
};

TEST(NetTexts, ClassificationTestsAnswerAsThePlainForms) {
  Generator g(7);
  RunMemory memory;
  NetTexts fast(true, memory);
  std::vector<std::string> keep;  // the texts must outlive the memo keys
  keep.reserve(40000);
  for (int round = 0; round < 20000; ++round) {
    keep.push_back(g.list(5));
    keep.push_back(round % 3 == 0 ? keep.back() : g.list(5));
    const char* ref = keep[keep.size() - 2].c_str();
    const char* cmp = keep.back().c_str();
    const std::string d = g.designator();
    const std::string p = g.pin();
    ASSERT_EQ(fast.members_equal(ref, cmp), member_lists_equal(ref, cmp)) << ref << " " << cmp;
    ASSERT_EQ(fast.differ_in_one_pin_name(ref, cmp), differ_in_one_pin_name(ref, cmp));
    ASSERT_EQ(fast.share_another_entry(ref, cmp, d.c_str(), p.c_str()),
              share_another_entry(ref, cmp, d.c_str(), p.c_str()))
        << ref << " " << cmp << " own " << d << "." << p;
  }
}

TEST(NetTexts, EditsLeaveTheTextsThePlainEditsLeave) {
  Generator g(11);
  for (int round = 0; round < 3000; ++round) {
    // Short lists are searched entry by entry, long ones through their indexes.
    const std::string original = g.list(round % 2 == 0 ? 8 : 60);
    std::vector<char> plain(original.begin(), original.end());
    plain.resize(original.size() + 16, '\0');  // room for grown empty pins
    std::vector<char> fast_text = plain;
    RunMemory memory;
    NetTexts fast(true, memory);
    for (int step = 0; step < 40; ++step) {
      const std::string d = g.designator();
      const std::string p = g.pin();
      switch (g.below(3)) {
        case 0: {  // a rename of the part's first entry
          const char c = "12AK*"[g.below(5)];
          rename_member_entry(plain.data(), d.c_str(), c);
          fast.rename_entry(fast_text.data(), d.c_str(), c);
          break;
        }
        default: {  // a lookup, then a deletion or a wildcard
          char* entry = find_member_entry(plain.data(), d.c_str(), p.c_str());
          const EntryRef ref = fast.find_entry(fast_text.data(), d.c_str(), p.c_str());
          ASSERT_EQ(entry != nullptr, static_cast<bool>(ref))
              << plain.data() << " " << d << "." << p;
          if (entry == nullptr) break;
          if (g.below(2) == 0) {
            delete_member_entry(entry);
            fast.delete_entry(ref);
          } else {
            make_wildcard_entry(entry, d.size());
            fast.make_wildcard(ref, d.size());
          }
        }
      }
    }
    fast.flush();
    ASSERT_STREQ(fast_text.data(), plain.data()) << "from " << original;
  }
}

// A generated pair of netlists in PADS form: parts of two or three pins on up to 40 nets, and a
// compare revision with parts added and deleted, pins renamed, moved and exchanged.
std::pair<std::string, std::string> generated_pair(unsigned seed) {
  std::mt19937 rng(seed);
  auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const char* const prefixes[] = {"R", "C", "D", "Q", "U", "LED", "FB", "AD"};
  static const char* const pins[] = {"1", "2", "3", "A", "K", "B", "C", "E"};
  const int nets = 3 + below(40);
  std::vector<std::string> ref_nets(nets);
  std::vector<std::string> cmp_nets(nets);
  std::string ref_parts;
  std::string cmp_parts;
  for (int k = 0; k < 40; ++k) {
    const std::string d = std::string(prefixes[below(8)]) + std::to_string(1 + below(12));
    const int sides = below(10);  // 0: reference only, 1: compare only, else both
    if (sides != 1) ref_parts += d + " v" + std::to_string(below(3)) + "\n";
    if (sides != 0) cmp_parts += d + " v" + std::to_string(below(3)) + "\n";
    for (int p = 0; p < 2 + below(2); ++p) {
      const std::string pin = pins[below(8)];
      const int n = below(nets);
      if (sides != 1) ref_nets[n] += " " + d + "." + pin;
      const int m = below(5) == 0 ? below(nets) : n;
      if (sides != 0) cmp_nets[m] += " " + d + "." + (below(8) == 0 ? pins[below(8)] : pin);
    }
  }
  std::string ref_signals;
  std::string cmp_signals;
  for (int n = 0; n < nets; ++n) {
    if (!ref_nets[n].empty()) ref_signals += "N" + std::to_string(n) + ":" + ref_nets[n] + "\n";
    if (!cmp_nets[n].empty()) {
      cmp_signals += (below(3) == 0 ? "M" : "N") + std::to_string(n) + ":" + cmp_nets[n] + "\n";
    }
  }
  return {test::pads_netlist(ref_parts, ref_signals), test::pads_netlist(cmp_parts, cmp_signals)};
}

// The result rows of a comparison with the given form of the net-text work.
std::string compare_with(const std::string& ref_text, const std::string& cmp_text, bool indexed,
                         const test::ScratchDir& dir) {
  const auto ref = test::new_store();
  const auto cmp = test::new_store();
  int ref_pins = 0;
  int cmp_pins = 0;
  const int ref_read = test::read_pads_text(ref_text, *ref, ref_pins);
  const int ref_parts = index_netlist(*ref, ref_read, ref_pins);
  const int cmp_read = test::read_pads_text(cmp_text, *cmp, cmp_pins);
  const int cmp_parts = index_netlist(*cmp, cmp_read, cmp_pins);
  if (ref_parts < 0 || cmp_parts < 0) return "format error";
  ResultWriter out;
  const std::string path = dir / (indexed ? "fast.csv" : "plain.csv");
  EXPECT_TRUE(out.create(path.c_str()));
  const PartCounts parts = compare_parts(ref->parts, ref_parts, cmp->parts, cmp_parts, 0, out);
  NetTexts texts(indexed, ref->run_memory);
  pair_pins(*ref, ref_parts, ref_pins, *cmp, cmp_parts, cmp_pins, texts);
  classify_pins(*ref, ref_pins, *cmp, cmp_pins, parts_summary_line(parts), texts, out);
  EXPECT_TRUE(out.close());
  return test::read_file(path);
}

TEST(NetTexts, WholeComparisonsMatchThePlainForms) {
  test::ScratchDir dir;
  int with_rows = 0;
  int with_wildcards = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    const auto [ref, cmp] = generated_pair(seed);
    const std::string plain = compare_with(ref, cmp, false, dir);
    ASSERT_EQ(compare_with(ref, cmp, true, dir), plain) << "seed " << seed;
    with_rows += plain.find("N.") != std::string::npos;
    with_wildcards += plain.find("N.pin name") != std::string::npos;
  }
  EXPECT_GT(with_rows, 250);  // the pairs do exercise the pin comparison
  EXPECT_GT(with_wildcards, 200);
}

}  // namespace
}  // namespace veltrax
