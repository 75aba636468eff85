// Runs every golden case of tests/golden/<case>/: ref.net and cmp.net, an optional case.txt of
// key=value lines (ref_format, cmp_format, language, format_option), and the expected result file,
// displayed message and exit status (expected.csv, .msg, .status), byte for byte; a case without
// expected.csv is a failed run, which leaves no result file. Where a case holds one, the views too:
// expected.listing (without colour), expected.md and expected.json. The run works in a scratch
// folder on "ref.net" and "cmp.net", so the "Ref=" and "Cmp=" lines are alike everywhere.
// VELTRAX_UPDATE_GOLDEN=1 rewrites the expected files instead, a diff to review like code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "compare/run.h"
#include "netlist/reader.h"
#include "report/review.h"
#include "report/views.h"
#include "support.h"

namespace veltrax {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(VELTRAX_GOLDEN_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> case_settings(const fs::path& folder) {
  std::map<std::string, std::string> kv{{"ref_format", std::to_string(FORMAT_PADS)},
                                        {"cmp_format", std::to_string(FORMAT_PADS)},
                                        {"language", "en"},
                                        {"format_option", "0"}};
  std::ifstream in(folder / "case.txt");
  for (std::string line; std::getline(in, line);) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) kv[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return kv;
}

std::string format_label(const std::string& index) {
  return format_at(std::stoi(index)).label;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesTheExpectedFilesByteForByte) {
  const fs::path folder = fs::path(VELTRAX_GOLDEN_DIR) / GetParam();
  auto kv = case_settings(folder);
  test::ScratchDir work;
  fs::copy_file(folder / "ref.net", work.path() / "ref.net");
  fs::copy_file(folder / "cmp.net", work.path() / "cmp.net");
  const fs::path previous = fs::current_path();
  fs::current_path(work.path());

  auto s = test::new_settings();
  s->param[PARAM_LANGUAGE] = kv["language"] == "ja" ? LANGUAGE_JAPANESE : LANGUAGE_ENGLISH;
  s->param[ref_format_param(0)] = std::stoi(kv["ref_format"]);
  s->param[cmp_format_param(0)] = std::stoi(kv["cmp_format"]);
  s->param[PARAM_FORMAT_OPTION] = std::stoi(kv["format_option"]);
  set_slot(*s, ref_path_slot(0), "ref.net");
  set_slot(*s, cmp_path_slot(0), "cmp.net");
  RunReport report;
  ResultModel model;
  RunOptions options;
  options.model = &model;  // the views' model must leave the result file as it is
  comparison_run(*s, options, &report);
  const std::string status = std::to_string(exit_status(report)) + "\n";
  const bool has_result = fs::exists("cmp.csv");
  const std::string result = test::read_file("cmp.csv");
  const std::string message = s->slot[SLOT_DISPLAYED_MESSAGE];
  fs::current_path(previous);

  std::map<std::string, std::string> actual{{"expected.msg", message}, {"expected.status", status}};
  if (has_result) actual["expected.csv"] = result;
  if (report.outcome == RunOutcome::completed) {
    const Review review = make_review(
        model, report, {"ref.net", format_label(kv["ref_format"]), model.ref_parts, model.ref_pins},
        {"cmp.net", format_label(kv["cmp_format"]), model.cmp_parts, model.cmp_pins}, {});
    // The views are checked in the cases that hold an expected file of one.
    for (const auto& [file, text] : {std::pair{"expected.listing", review_listing(review, {})},
                                     {"expected.md", review_markdown(review)},
                                     {"expected.json", review_json(review)}}) {
      if (fs::exists(folder / file)) actual[file] = text;
    }
  }
  if (std::getenv("VELTRAX_UPDATE_GOLDEN") != nullptr) {
    fs::remove(folder / "expected.csv");
    for (const auto& [file, text] : actual)
      test::write_file(folder / file, text);
    return;
  }
  for (const auto& [file, text] : actual)
    EXPECT_EQ(text, test::read_file(folder / file)) << file;
  EXPECT_EQ(has_result, fs::exists(folder / "expected.csv"));
  std::vector<std::string> files{"cmp.net", "ref.net"};
  if (has_result) files.insert(files.begin(), "cmp.csv");
  EXPECT_EQ(test::folder_names(work.path()), files);  // nothing else, no temporary left
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(case_names()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
});

}  // namespace
}  // namespace veltrax
