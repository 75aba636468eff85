// Runs the reader cases of tests/reader_cases/ (its README.md tells how a case is written): the
// file of each format on its reader, marks.txt on every format's marker and on detection.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "case_file.h"
#include "read_text.h"

namespace veltrax {
namespace {

using test::Case;

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

// The case kinds of a reader case file; a reading's options are in its kind.
std::string kind_of(const std::string& key) {
  int option = 0, used = 0;
  std::sscanf(key.c_str(), "read (option %d)%n", &option, &used);
  return key == "read (no limits)" || (used > 0 && used == static_cast<int>(key.size())) ? "read"
                                                                                         : key;
}

std::vector<Case> load_cases(const std::string& name) {
  std::vector<Case> cases = test::read_cases("reader_cases/" + name, [](const std::string& key) {
    return kExpectations.contains(kind_of(key));
  });
  for (const Case& c : cases) {
    const std::set<std::string>& wanted = kExpectations.at(kind_of(c.kind));
    for (const auto& [key, value] : c.expected) {
      if (!wanted.contains(key)) test::bad_case(c.where, "unknown key " + key);
    }
    for (const std::string& key : wanted) {
      if (!c.expected.contains(key)) test::bad_case(c.where, "no " + key);
    }
  }
  return cases;
}

void check(const Case& c, int format) {
  SCOPED_TRACE(c.where);
  const std::string kind = kind_of(c.kind);
  if (kind == "detect") {
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
  if (format < 0) test::bad_case(c.where, "a reading outside a format's file");
  int option = 0;
  std::sscanf(c.kind.c_str(), "read (option %d)", &option);
  const bool no_limits = c.kind == "read (no limits)";
  const test::ReadText r(format, c.text, option, no_limits ? NO_LIMITS : DEFAULT_LIMITS);
  if (kind == "condense") {
    EXPECT_EQ(test::last_condensed(), c.expected.at("condensed"));
  } else if (kind == "read") {
    EXPECT_GE(r.result, 0);
    EXPECT_EQ(r.parts(), c.expected.at("parts"));
    EXPECT_EQ(r.pin_list(), c.expected.at("pins"));
    if (no_limits) {
      EXPECT_EQ(read_warnings(*r.store, 0, r.pins), 0u);
    }
  } else {
    const std::string& error = c.expected.at("error");
    char name[64], more;
    int line = -1;
    const bool read = std::sscanf(error.c_str(), "%63s line %d %c", name, &line, &more) == 2;
    const auto code = kCodes.find(read ? name : "");
    if (code == kCodes.end()) test::bad_case(c.where, "not an error name and line: " + error);
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
