// Runs every golden case: tests/golden/<case>/ holds the two netlists (ref.net and cmp.net), an
// optional case.txt with key=value lines (ref_format, cmp_format, language, format_option), and
// the expected result file and displayed message, compared byte for byte, and the exit status
// that the command line gives for the run (expected.status); a case without expected.csv is a
// failed run, which leaves no result file. The run works in a
// scratch folder with the paths "ref.net" and "cmp.net", so the "Ref=" and "Cmp=" lines are the
// same everywhere. Setting VELTRAX_UPDATE_GOLDEN=1 rewrites the expected files instead: a
// deliberate step whose diff is reviewed like code. A case may also hold the expected views of
// its run: expected.listing (the terminal listing without colour), expected.md (Markdown) and
// expected.json.
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

  // The views, for the cases that hold an expected file of one.
  std::map<std::string, std::string> views;
  if (report.outcome == RunOutcome::completed) {
    const Review review = make_review(
        model, report, {"ref.net", format_label(kv["ref_format"]), model.ref_parts, model.ref_pins},
        {"cmp.net", format_label(kv["cmp_format"]), model.cmp_parts, model.cmp_pins}, {});
    views["expected.listing"] = review_listing(review, {});
    views["expected.md"] = review_markdown(review);
    views["expected.json"] = review_json(review);
  }
  const bool update = std::getenv("VELTRAX_UPDATE_GOLDEN") != nullptr;
  for (const auto& [file, text] : views) {
    if (!fs::exists(folder / file)) continue;
    if (update) {
      test::write_file(folder / file, text);
    } else {
      EXPECT_EQ(text, test::read_file(folder / file)) << file;
    }
  }

  if (update) {
    if (has_result) {
      test::write_file(folder / "expected.csv", result);
    } else {
      fs::remove(folder / "expected.csv");
    }
    test::write_file(folder / "expected.msg", message);
    test::write_file(folder / "expected.status", status);
    return;
  }
  EXPECT_EQ(status, test::read_file(folder / "expected.status"));
  std::vector<std::string> files{"cmp.net", "ref.net"};
  if (fs::exists(folder / "expected.csv")) {
    EXPECT_EQ(result, test::read_file(folder / "expected.csv"));
    files.insert(files.begin(), "cmp.csv");
  }
  EXPECT_EQ(test::folder_names(work.path()), files);  // nothing else, no temporary left
  EXPECT_EQ(message, test::read_file(folder / "expected.msg"));
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
