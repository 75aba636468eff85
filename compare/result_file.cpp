#include "compare/result_file.h"

#include "netlist/limits.h"

namespace veltrax {

namespace {

constexpr int LAST_NUMBER = 99;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The greatest number among the files named prefix + "-NN.csv" with two digits for NN; -1 when
// there is none. Other names the pattern lists ("-ab.csv", "-7x.csv") are no numbered results.
int greatest_listed_number(const std::string& prefix) {
  int greatest = -1;
  for (const std::string& name : file_names_matching(prefix + "-??.csv")) {
    if (name.size() < 6) continue;
    const char tens = name[name.size() - 6];
    const char units = name[name.size() - 5];
    if (is_digit(tens) && is_digit(units)) {
      const int number = (tens - '0') * 10 + (units - '0');
      if (number > greatest) greatest = number;
    }
  }
  return greatest;
}

}  // namespace

ResultNaming result_file_name(std::string_view compare_path, bool numbered, std::string& name) {
  std::string_view cut = compare_path;
  for (std::size_t k = 1; k <= 4 && k <= cut.size(); ++k) {
    if (cut[cut.size() - k] == '.') {
      cut.remove_suffix(k);
      break;
    }
  }
  name.assign(cut);
  bool used_up = false;
  if (!numbered) {
    name += ".csv";
  } else {
    const int greatest = greatest_listed_number(name);
    used_up = greatest == LAST_NUMBER;
    const int number = used_up ? LAST_NUMBER : greatest + 1;
    name += '-';
    name += static_cast<char>('0' + number / 10);
    name += static_cast<char>('0' + number % 10);
    name += ".csv";
  }
  if (name.size() > RESULT_NAME_ROOM) return ResultNaming::too_long;
  return used_up ? ResultNaming::numbers_used_up : ResultNaming::chosen;
}

}  // namespace veltrax
