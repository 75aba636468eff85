// Runs the reader cases of tests/reader_cases/ (its README.md tells how a case is written): the
// file of each format on its reader, marks.txt on every format's marker and on detection.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "read_text.h"

namespace veltrax {
namespace {

struct Case {
  std::string where;  // file:line of the case's text
  std::string kind;   // read, fail, condense or detect
  int option;
  bool no_limits;  // read with the tables and names growing as needed
  std::string text;
  std::map<std::string, std::string> expected;
};

// The expectations of each kind of case, every one required.
const std::map<std::string, std::set<std::string>> kExpectations = {{"read", {"parts", "pins"}},
                                                                    {"fail", {"error"}},
                                                                    {"condense", {"condensed"}},
                                                                    {"detect", {"format"}}};

// Every error code by its name in netlist/reader_errors.h.
const std::map<std::string, int> kCodes = [] {
#define NAMED(...) std::make_pair(std::vector<int>{__VA_ARGS__}, std::string(#__VA_ARGS__))
  const auto [codes, list] = NAMED(
      READ_NOTHING, CADVANCE_NO_NETLIST, CADVANCE_NO_NETLIST_BRACE, CADVANCE_NO_BLOCK_BRACE,
      CADVANCE_NO_FOOTPRINT_BRACE, CADVANCE_PART_NOT_CLOSED, CADVANCE_NO_PIN_LIST,
      CADVANCE_PIN_WITHOUT_DASH, CADVANCE_NET_NOT_CLOSED, MM2_VALUE_NOT_ENDED,
      MM2_DESIGNATOR_NOT_ENDED, MM2_NET_NAME_NOT_ENDED, MM2_PIN_NOT_ENDED,
      CADLUS_NO_BLANK_AFTER_NET, CADLUS_NO_BLANK_AFTER_DESIGNATOR, CADLUS_NO_MARK_AFTER_PIN,
      CADLUS_NO_LINE_MARK, CADLUS_NO_LEADING_BLANK, CADLUS_NO_BLANK_AFTER_TABLE_NET,
      CADLUS_NO_DASH_IN_PIN, CADLUS_NO_BLANK_AFTER_TABLE_PIN, TELESIS_NO_SECTION, PADS_NO_NET_NAME);
#undef NAMED
  std::map<std::string, int> by_name;
  std::istringstream names(list);
  for (std::string name; const int code : codes) {
    std::getline(names >> std::ws, name, ',');
    by_name[name] = code;
  }
  return by_name;
}();

[[noreturn]] void bad(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

int number(std::string_view text, int base, const std::string& where) {
  int n = -1;
  const char* last = text.data() + text.size();
  if (std::from_chars(text.data(), last, n, base).ptr != last || n < 0)
    bad(where, "not a number: " + std::string(text));
  return n;
}

std::string_view trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  return first == s.npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string unescape(std::string_view raw, const std::string& where) {
  static const std::string from = "rnt0\\", to = {'\r', '\n', '\t', '\0', '\\'};
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i] != '\\' ? '\0' : ++i < raw.size() ? raw[i] : '?';
    if (c == '\0') {
      out += raw[i];
    } else if (c == 'x') {
      const std::string_view hex = raw.substr(i + 1, 2);
      out += static_cast<char>(number(hex.size() == 2 ? hex : "", 16, where));
      i += 2;
    } else if (c == '{') {  // \{N*T}
      const std::size_t star = raw.find('*', i), end = raw.find('}', i);
      if (end == raw.npos || star > end) bad(where, "\\{ without *}");
      const std::string text = unescape(raw.substr(star + 1, end - star - 1), where);
      for (int n = number(raw.substr(i + 1, star - i - 1), 10, where); n > 0; --n)
        out += text;
      i = end;
    } else if (from.find(c) != from.npos) {
      out += to[from.find(c)];
    } else {
      bad(where, std::string("unknown escape \\") + c);
    }
  }
  return out;
}

std::vector<Case> load_cases(const std::string& name) {
  std::ifstream in(std::string(VELTRAX_SOURCE_DIR) + "/tests/reader_cases/" + name);
  if (!in) bad(name, "cannot be read");
  std::vector<Case> cases;
  int at = 0;
  for (std::string line; std::getline(in, line);) {
    const std::string where = name + ":" + std::to_string(++at);
    if (trim(line).empty() || line[0] == '#') continue;
    const std::size_t colon = line.find(':');
    if (colon == line.npos) bad(where, "no key");
    std::string key(trim(std::string_view(line).substr(0, colon))), raw = line.substr(colon + 1);
    // An odd run of backslashes at the end: the last one goes on with the next line.
    for (std::string more; (raw.size() - raw.find_last_not_of('\\') - 1) % 2 == 1; ++at) {
      if (!std::getline(in, more)) bad(where, "the file ends after a '\\'");
      raw.pop_back();
      raw += more.erase(0, more.find_first_not_of(" \t"));
    }
    int option = 0, used = 0;  // "read (option N)": a reading with format option N
    std::sscanf(key.c_str(), "read (option %d)%n", &option, &used);
    const bool no_limits = key == "read (no limits)";
    if (no_limits || (used > 0 && used == static_cast<int>(key.size()))) key = "read";
    const std::string value = unescape(trim(raw), where);
    if (kExpectations.contains(key)) {
      cases.push_back({where, key, option, no_limits, value, {}});
    } else if (cases.empty() || !kExpectations.at(cases.back().kind).contains(key)) {
      bad(where, "unknown key " + key);
    } else if (!cases.back().expected.emplace(key, value).second) {
      bad(where, "a second " + key);
    }
  }
  for (const Case& c : cases) {
    for (const std::string& key : kExpectations.at(c.kind)) {
      if (!c.expected.contains(key)) bad(c.where, "no " + key);
    }
  }
  if (cases.empty()) bad(name, "no case");
  return cases;
}

void check(const Case& c, int format) {
  SCOPED_TRACE(c.where);
  if (c.kind == "detect") {
    std::string claimed;  // the formats whose markers claim the text
    for (int f = 0; f < FORMAT_COUNT; ++f) {
      ASSERT_NE(format_at(f).looks_like, nullptr) << format_at(f).name;
      if (format_at(f).looks_like(c.text))
        claimed += (claimed.empty() ? "" : " ") + std::string(format_at(f).name);
    }
    const int detected = detect_format(c.text);
    EXPECT_EQ(claimed.empty() ? "none" : claimed, c.expected.at("format"));
    EXPECT_EQ(detected < 0 ? "none" : format_at(detected).name, c.expected.at("format"));
    return;
  }
  if (format < 0) bad(c.where, "a reading outside a format's file");
  const test::ReadText r(format, c.text, c.option, c.no_limits ? NO_LIMITS : DEFAULT_LIMITS);
  if (c.kind == "condense") {
    EXPECT_EQ(test::last_condensed(), c.expected.at("condensed"));
  } else if (c.kind == "read") {
    EXPECT_GE(r.result, 0);
    EXPECT_EQ(r.parts(), c.expected.at("parts"));
    EXPECT_EQ(r.pin_list(), c.expected.at("pins"));
    if (c.no_limits) {
      EXPECT_EQ(read_warnings(*r.store, 0, r.pins), 0u);
    }
  } else {
    const std::string& error = c.expected.at("error");
    char name[64], more;
    int line = -1;
    const bool read = std::sscanf(error.c_str(), "%63s line %d %c", name, &line, &more) == 2;
    const auto code = kCodes.find(read ? name : "");
    if (code == kCodes.end()) bad(c.where, "not an error name and line: " + error);
    EXPECT_EQ(r.result, code->second);
    EXPECT_EQ(r.failure_line(), line);
    EXPECT_EQ(r.pins, -1);
    EXPECT_NE(failure_meaning(format, code->second, false), nullptr);
  }
}

class CaseFile : public ::testing::TestWithParam<int> {};

TEST_P(CaseFile, HoldsForEveryCase) {
  for (const Case& c : load_cases(std::string(format_at(GetParam()).name) + ".txt"))
    check(c, GetParam());
}
INSTANTIATE_TEST_SUITE_P(Readers, CaseFile, ::testing::Range<int>(0, FORMAT_COUNT),
                         [](const auto& info) { return std::string(format_at(info.param).name); });

TEST(FormatMarks, EachMarkerClaimsItsOwnFormatOnlyAndDetectionFindsIt) {
  for (const Case& c : load_cases("marks.txt"))
    check(c, -1);
}

}  // namespace
}  // namespace veltrax
