// The JSON view: one document whose shape docs/review.schema.json gives. Every name and path is
// decoded to UTF-8 (text.h) before the library escapes it. Rows are written one a line, so that
// a large run stays readable and a diff of two documents shows whole rows.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <unordered_map>

#include "report/text.h"
#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {

namespace {

using Json = nlohmann::ordered_json;

Json text(std::string_view bytes) {
  return name_to_utf8(bytes);
}

Json texts(const std::vector<std::string>& names) {
  Json out = Json::array();
  for (const std::string& name : names)
    out.push_back(text(name));
  return out;
}

std::string dump(const Json& value) {
  // Every text is UTF-8 already; replacing keeps the document valid whatever comes.
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The member lists that pin rows refer to, each once, in the order of first use. Every pin of a
// net that changed has a row, so a large net's list would otherwise come again in every row. The
// model holds each list once, so its address names it; lists alike in text (a net renamed with
// its members) are one too. A pin alone on its net ("**OPEN ERROR**") has a list of that pin,
// one for every such pin however many sides show it.
class MemberLists {
 public:
  explicit MemberLists(const std::vector<PinRow>& rows) {
    for (const PinRow& row : rows) {
      if (row.in_ref) at(row.ref_members, ref_pin(row));
      if (row.in_cmp) at(row.cmp_members, cmp_pin(row));
    }
  }

  // The index of a side's list; counted is the side's member list, own the row's pin there.
  std::size_t at(std::string_view counted, const std::string& own) {
    if (counted == OPEN_ERROR_TEXT) {
      auto [found, added] = by_pin_.try_emplace(own, lists_.size());
      if (added) lists_.push_back({{}, &found->first});
      return found->second;
    }
    auto [found, added] = by_address_.try_emplace(counted.data());
    if (added) {
      auto [alike, fresh] = by_text_.try_emplace(counted, lists_.size());
      if (fresh) lists_.push_back({counted, nullptr});
      found->second = alike->second;
    }
    return found->second;
  }

  static std::string ref_pin(const PinRow& row) { return row.designator + "." + row.pin; }
  static std::string cmp_pin(const PinRow& row) {
    return row.designator + "." + (row.kind == "pin exchange" ? row.cmp_pin : row.pin);
  }

  struct List {
    std::string_view counted;  // a net's member list
    const std::string* pin;    // else the pin alone on its net
  };
  const std::vector<List>& lists() const { return lists_; }

  static Json members(const List& list) {
    if (list.pin != nullptr) return Json::array({text(*list.pin)});
    Json out = Json::array();
    for (const std::string_view m : members_of_counted(list.counted))
      out.push_back(text(m));
    return out;
  }

 private:
  std::vector<List> lists_;
  std::unordered_map<const char*, std::size_t> by_address_;
  std::unordered_map<std::string_view, std::size_t> by_text_;
  std::unordered_map<std::string, std::size_t> by_pin_;  // nodes stay put: lists point at keys
};

// Pin rows as text; a side names its members by their index in the member lists.
class PinRows {
 public:
  explicit PinRows(MemberLists& lists) : lists_(lists) {}

  std::string operator()(const PinRow& row) {
    const bool exchange = row.kind == "pin exchange";
    std::string out = "{\"category\":" + dump(row.kind);
    out += ",\"designator\":" + dump(text(row.designator));
    out += ",\"pin\":" + dump(text(row.pin));
    out += ",\"compare_pin\":" + (exchange ? dump(text(row.cmp_pin)) : "null");
    out += ",\"reference\":";
    side(out, row.in_ref, row.ref_net, row.ref_members, MemberLists::ref_pin(row));
    out += ",\"compare\":";
    side(out, row.in_cmp, row.cmp_net, row.cmp_members, MemberLists::cmp_pin(row));
    out += ",\"open_unchanged\":";
    out += row.open_unchanged ? "true}" : "false}";
    return out;
  }

 private:
  // One side: its net and its members; a pin alone on its net is a net of that pin, marked
  // open. null where the row has no net on that side.
  void side(std::string& out, bool present, const std::string& net, std::string_view counted,
            const std::string& own) {
    if (!present) {
      out += "null";
      return;
    }
    out += "{\"net\":" + dump(text(net));
    out += ",\"members\":" + std::to_string(lists_.at(counted, own));
    out += counted == OPEN_ERROR_TEXT ? ",\"open\":true}" : ",\"open\":false}";
  }

  MemberLists& lists_;
};

Json part_row(const PartRow& row) {
  const auto side = [](bool present, const std::string& value, const std::string& footprint) {
    return present ? Json{{"value", text(value)}, {"footprint", text(footprint)}} : Json();
  };
  Json out;
  out["kind"] = row.kind;
  out["designator"] = text(row.designator);
  out["reference"] = side(row.in_ref, row.ref_value, row.ref_footprint);
  out["compare"] = side(row.in_cmp, row.cmp_value, row.cmp_footprint);
  return out;
}

Json net_change(const NetChange& n) {
  Json out;
  out["kind"] = net_change_word(n.kind);
  out["reference"] = texts(n.ref_names);
  out["compare"] = texts(n.cmp_names);
  out["program_names"] = n.program_names;
  out["members"] = texts(n.members);
  out["members_added"] = texts(n.members_added);
  out["members_removed"] = texts(n.members_removed);
  return out;
}

const char* warning_kind(int message) {
  switch (message) {
    case MSG_NAMES_MAY_BE_CUT:
      return "names-may-be-cut";
    case MSG_TABLES_FULL:
      return "tables-full";
    default:
      return "text-full";
  }
}

Json warning(const ReviewWarning& w) {
  std::string said = message_text_in(LANGUAGE_ENGLISH, w.message);
  if (const std::size_t colon = said.find(": "); colon != std::string::npos)
    said.erase(0, colon + 2);
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
    said.pop_back();
  return Json{{"kind", warning_kind(w.message)}, {"netlist", text(w.file)}, {"text", said}};
}

Json input(const ReviewInput& in) {
  return Json{
      {"path", text(in.path)}, {"format", in.format}, {"parts", in.parts}, {"pins", in.pins}};
}

// The counters under the names of the result file's summary keys ("except add/del/exch" is
// except_add_del_exch).
Json counts(const std::vector<Counter>& counters) {
  Json out = Json::object();
  for (const Counter& c : counters) {
    std::string key = c.name;
    std::replace(key.begin(), key.end(), ' ', '_');
    std::replace(key.begin(), key.end(), '/', '_');
    out[key] = c.value;
  }
  return out;
}

Json part_counts(const PartCounts& n) {
  return counts(part_counters(n));
}

Json pin_counts(const PinCounts& n) {
  Json out = counts(pin_counters(n));
  out["open_unchanged"] = n.open_unchanged;
  return out;
}

// The document's members, each on its own line; an array of rows puts each row on its own line.
class Document {
 public:
  void member(const char* key, const Json& value) {
    open(key);
    out_ += dump(value);
  }
  template <typename Row, typename Convert>
  void rows(const char* key, const std::vector<Row>& rows, Convert convert) {
    open(key);
    if (rows.empty()) {
      out_ += "[]";
      return;
    }
    out_ += "[";
    for (std::size_t k = 0; k < rows.size(); ++k) {
      out_ += k == 0 ? "\n    " : ",\n    ";
      out_ += text_of(convert(rows[k]));
    }
    out_ += "\n  ]";
  }
  void reserve(std::size_t bytes) { out_.reserve(bytes); }
  std::string finish() { return std::move(out_) + "\n}\n"; }

 private:
  static std::string text_of(const Json& row) { return dump(row); }
  static std::string text_of(std::string row) { return row; }
  void open(const char* key) {
    out_ += out_.empty() ? "{\n  " : ",\n  ";
    out_ += dump(Json(key));
    out_ += ": ";
  }
  std::string out_;
};

// Room for the document, so that a large one is not copied as it grows: a member list takes
// about one and a half times its counted text, a row about 256 bytes. Room reserved but
// never written is never touched.
std::size_t estimated_size(const Review& review, const MemberLists& lists) {
  std::size_t bytes = 4096 + review.pins.size() * 256;
  for (const MemberLists::List& list : lists.lists())
    bytes += 8 + (list.pin != nullptr ? list.pin->size() * 2 : list.counted.size() * 3 / 2);
  for (const NetChange& n : review.nets) {
    bytes += 256;
    for (const auto* v :
         {&n.ref_names, &n.cmp_names, &n.members, &n.members_added, &n.members_removed}) {
      for (const std::string& name : *v)
        bytes += 8 + name.size() * 2;
    }
  }
  return bytes + review.parts.size() * 512 + review.warnings.size() * 512;
}

}  // namespace

std::string review_json(const Review& review) {
  MemberLists lists(review.pins);
  Document d;
  d.reserve(estimated_size(review, lists));
  d.member("format", "veltrax-diffr-review");
  d.member("version", 2);
  d.member("inputs", Json{{"reference", input(review.ref)}, {"compare", input(review.cmp)}});
  d.rows("warnings", review.warnings, warning);
  d.member("summary", Json{{"parts", part_counts(review.part_counts)},
                           {"pins", pin_counts(review.pin_counts)}});
  d.rows("parts", review.parts, part_row);
  d.rows("member_lists", lists.lists(), MemberLists::members);
  d.rows("pins", review.pins, PinRows(lists));
  d.rows("nets", review.nets, net_change);
  d.member("ignored", Json{{"parts", review.ignored.parts},
                           {"pins", review.ignored.pins},
                           {"nets", review.ignored.nets}});
  d.member("exit_status", review.exit_status);
  return d.finish();
}

}  // namespace veltrax
