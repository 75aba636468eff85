#include "compare/parts.h"

#include <cstring>

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
      r.state = 0;
      k.state = 0;
    } else if (c > 0) {
      PartRecord& k = cmp[j++];
      out.print("C.ADD,%s,%s,%s,%s,\"%s\"\n", k.designator, NONE_FIELD,
                quoted_name(k.value).c_str(), NONE_FIELD, k.footprint);
      keep("C.ADD", nullptr, &k);
      ++n.add;
      k.state = 1;
    } else {
      PartRecord& r = ref[i++];
      out.print("C.DEL,%s,%s,%s,\"%s\",%s\n", r.designator, quoted_name(r.value).c_str(),
                NONE_FIELD, r.footprint, NONE_FIELD);
      keep("C.DEL", &r, nullptr);
      ++n.del;
      r.state = 2;
    }
  }
  return n;
}

std::string parts_summary_message(const PartCounts& n) {
  if (!n.any_difference()) return format_text("Parts: same=%d\n", n.same);
  return format_text(
      "Parts: same=%d, change (value=%d, both=%d, pcb=%d), add=%d, delete=%d, error=%d\n", n.same,
      n.value, n.both, n.pcb, n.add, n.del, n.error);
}

std::string parts_summary_line(const PartCounts& n) {
  if (!n.any_difference()) return format_text("SUM,Parts,same=%d", n.same);
  return format_text(
      "SUM,Parts,same=%d; change (value=%d; both=%d; pcb=%d); add=%d; delete=%d; error=%d", n.same,
      n.value, n.both, n.pcb, n.add, n.del, n.error);
}

}  // namespace veltrax
