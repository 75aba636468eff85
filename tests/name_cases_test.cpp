// Runs the cases of tests/name_cases.txt: what is decided from a name alone.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "case_file.h"
#include "compare/exchange.h"
#include "compare/member_lists.h"
#include "compare/pins.h"
#include "compare/result_file.h"
#include "netlist/index.h"
#include "report/review.h"

namespace veltrax {
namespace {

using Names = const std::string&;

bool passive(Names d) {
  return has_prefix(d.c_str(), {"FB", "R", "C", "L"});
}
bool diode_prefix(Names d) {
  return has_prefix(d.c_str(), {"LED", "ZD", "D", "Z"});
}

TEST(NameCases, HoldForEveryCase) {
  const std::map<std::string, std::function<bool(Names, Names)>> checks = {
      {"matches", [](Names a, Names b) { return glob_match(a, b); }},
      {"does not match", [](Names a, Names b) { return !glob_match(a, b); }},
      {"program-made", [](Names a, Names) { return is_auto_net_name(a.c_str()); }},
      {"a person's", [](Names a, Names) { return !is_auto_net_name(a.c_str()); }},
      {"pin", [](Names a, Names b) { return normalised_pin(a.c_str()) == b; }},
      {"passive", [](Names a, Names) { return passive(a); }},
      {"not passive", [](Names a, Names) { return !passive(a); }},
      {"diode prefix", [](Names a, Names) { return diode_prefix(a); }},
      {"no diode prefix", [](Names a, Names) { return !diode_prefix(a); }},
      {"diode", [](Names a, Names) { return looks_like_diode(a.c_str()); }},
      {"not a diode", [](Names a, Names) { return !looks_like_diode(a.c_str()); }},
      {"transistor", [](Names a, Names) { return looks_like_transistor(a.c_str()); }},
      {"not a transistor", [](Names a, Names) { return !looks_like_transistor(a.c_str()); }},
      {"one pin name apart",
       [](Names a, Names b) { return differ_in_one_pin_name(a.c_str(), b.c_str()); }},
      {"not one pin name apart",
       [](Names a, Names b) { return !differ_in_one_pin_name(a.c_str(), b.c_str()); }},
      {"result name",
       [](Names a, Names b) {
         std::string name;
         return result_file_name(a, false, name) == ResultNaming::chosen && name == b;
       }},
  };
  for (const test::Case& c : test::read_cases(
           "name_cases.txt", [&](const std::string& key) { return checks.contains(key); })) {
    const std::size_t tilde = c.text.find('~');
    const std::string second = tilde == std::string::npos ? "" : c.text.substr(tilde + 1);
    EXPECT_TRUE(checks.at(c.kind)(c.text.substr(0, tilde), second)) << c.where << ": " << c.text;
  }
}

}  // namespace
}  // namespace veltrax
