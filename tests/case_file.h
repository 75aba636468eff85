// Case files: tables of cases kept as text for the table-driven tests. A case is a line
// `kind: text` followed by lines `key: expected`; tests/reader_cases/README.md tells the escapes,
// comments and continued lines.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veltrax::test {

struct Case {
  std::string where;  // file:line of the case's first line
  std::string kind;   // the key of its first line, as written
  std::string text;
  std::map<std::string, std::string> expected;
};

// Stops the test with the place and what is wrong there.
[[noreturn]] void bad_case(const std::string& where, const std::string& what);

// A whole number in the given base, or bad_case.
int case_number(std::string_view text, int base, const std::string& where);

// The cases of tests/<name>; a line whose key `begins` tells begins a case, any other key is one of
// the case's expectations. A malformed file, a repeated key and a file without cases stop the
// test.
std::vector<Case> read_cases(const std::string& name,
                             const std::function<bool(const std::string&)>& begins);

}  // namespace veltrax::test
