#include "compare/parts.h"

#include <cstring>
#include <iterator>

#include "compare/result_model.h"

namespace veltrax {

std::string quoted_name(const char* text) {
  return format_text("\"`%s\"", text);
}

PartCounts compare_parts(PartTable& ref, int ref_count, PartTable& cmp, int cmp_count, int dropped,
                         ResultWriter& out, std::vector<PartRow>* rows) {
  const auto keep = [rows](const char* row, const PartRecord* r, const PartRecord* k) {
    if (rows == nullptr) return;
    PartRow& p = rows->emplace_back();
    p.kind = row + 2;
    p.designator = (r != nullptr ? r : k)->designator;
    p.in_ref = r != nullptr;
    p.in_cmp = k != nullptr;
    if (r != nullptr) p.ref_value = r->value, p.ref_footprint = r->footprint;
    if (k != nullptr) p.cmp_value = k->value, p.cmp_footprint = k->footprint;
  };
  PartCounts n;
  n.error = dropped;
  int i = 0;
  int j = 0;
  while (i < ref_count || j < cmp_count) {
    int c;
    if (i < ref_count && j < cmp_count) {
      c = std::strcmp(ref[i].designator, cmp[j].designator);
    } else {
      c = i < ref_count ? -1 : 1;
    }
    if (c == 0) {
      PartRecord& r = ref[i++];
      PartRecord& k = cmp[j++];
      const bool value_same = std::strcmp(r.value, k.value) == 0;
      const bool footprint_same = std::strcmp(r.footprint, k.footprint) == 0;
      const char* row = nullptr;
      if (value_same && footprint_same) {
        ++n.same;
      } else if (value_same) {
        row = "C.pcb";
        ++n.pcb;
      } else if (footprint_same) {
        row = "C.value";
        ++n.value;
      } else {
        row = "C.both";
        ++n.both;
      }
      if (row != nullptr) {
        out.print("%s,%s,%s,%s,\"%s\",\"%s\"\n", row, r.designator, quoted_name(r.value).c_str(),
                  quoted_name(k.value).c_str(), r.footprint, k.footprint);
        keep(row, &r, &k);
      }
      r.state = k.state = PartState::paired;
    } else if (c > 0) {
      PartRecord& k = cmp[j++];
      out.print("C.ADD,%s,%s,%s,%s,\"%s\"\n", k.designator, NONE_FIELD,
                quoted_name(k.value).c_str(), NONE_FIELD, k.footprint);
      keep("C.ADD", nullptr, &k);
      ++n.add;
      k.state = PartState::added;
    } else {
      PartRecord& r = ref[i++];
      out.print("C.DEL,%s,%s,%s,\"%s\",%s\n", r.designator, quoted_name(r.value).c_str(),
                NONE_FIELD, r.footprint, NONE_FIELD);
      keep("C.DEL", &r, nullptr);
      ++n.del;
      r.state = PartState::deleted;
    }
  }
  return n;
}

namespace {

// The parts summary: "same=N" alone, or every counter with the changes in parentheses.
std::string parts_summary(const PartCounts& n, const char* separator) {
  if (!n.any_difference()) return format_text("same=%d", n.same);
  std::string s;
  for (std::size_t k = 0; k < std::size(PART_COUNTERS); ++k) {
    if (k > 0) s += separator;
    if (k == 1) s += "change (";
    s += format_text("%s=%d", PART_COUNTERS[k].label, n.*PART_COUNTERS[k].count);
    if (k == 3) s += ")";
  }
  return s;
}

}  // namespace

std::string parts_summary_message(const PartCounts& n) {
  return "Parts: " + parts_summary(n, ", ") + "\n";
}

std::string parts_summary_line(const PartCounts& n) {
  return "SUM,Parts," + parts_summary(n, "; ");
}

}  // namespace veltrax
