#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "compare/run.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax {
namespace {

using Names = std::vector<std::string>;

const std::string kRef = test::pads_netlist("R1 10k@R0603\nR2 1k@R0603\nU1 LM358@SO8",
                                            "GND: R1.1 U1.4\nOUT: R1.2 R2.1 U1.1");
const std::string kCmp = test::pads_netlist("R1 10k@R0603\nR2 2k2@R0603\nU1 LM358@SO8",
                                            "GND: R1.1 U1.4\nOUT: R1.2 R2.1 U1.1");
// The summary lines of kRef against kCmp.
const std::string kSums =
    "Parts: same=2, change (value=1, both=0, pcb=0), add=0, delete=0, error=0\n"
    "Pins : same=5, net name=0\n";
const std::string kCantCreate = "Can't create the output file.\n";

class ComparisonRun : public ::testing::Test {
 protected:
  void SetUp() override {
    s->param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
    s->param[PARAM_AREA] = 2;
    s->param[ref_format_param(2)] = FORMAT_PADS;
    s->param[cmp_format_param(2)] = FORMAT_PADS;
    for (int k = 0; k < PARAM_RUN_RESET_COUNT; ++k)
      s->param[PARAM_RUN_RESET_0 + k] = 5;
    set_slot(*s, area_message_slot(2), "earlier");
  }
  // Writes the two netlists and runs area 2 on them.
  RunReport run(const std::string& ref_text, const std::string& cmp_text,
                const RunOptions& options = {}) {
    test::write_file(ref_path, ref_text);
    test::write_file(cmp_path, cmp_text);
    set_slot(*s, ref_path_slot(2), ref_path);
    set_slot(*s, cmp_path_slot(2), cmp_path);
    RunReport report;
    EXPECT_EQ(comparison_run(*s, options, &report), 0);
    return report;
  }
  std::string message() const { return s->slot[SLOT_DISPLAYED_MESSAGE]; }
  std::string slot(int k) const { return s->slot[k]; }
  std::string result() const { return test::read_file(dir / "cmp.csv"); }
  Names files() const { return test::folder_names(dir.path()); }
  // The result file of kRef against kCmp.
  std::string expected_result() const {
    return "Ref=" + ref_path + "\r\nCmp=" + cmp_path + "\r\n\r\n" +
           "Category,Part.Pin,Name(ref),Name(cmp),Info(ref),Info(cmp)\r\n"
           "C.value,R2,\"`1k\",\"`2k2\",\"R0603\",\"R0603\"\r\n"
           "SUM,Parts,same=2; change (value=1; both=0; pcb=0); add=0; delete=0; error=0\r\n"
           "SUM,Pins,same=5; net name=0\r\n";
  }

  test::ScratchDir dir;
  std::unique_ptr<Settings> s = test::new_settings();
  std::string ref_path = dir / "ref.net";
  std::string cmp_path = dir / "cmp.net";
};

TEST_F(ComparisonRun, CompletesAndLeavesItsOutputsInTheSettings) {
  const RunReport report = run(kRef, kCmp);
  EXPECT_EQ(report.outcome, RunOutcome::completed);
  EXPECT_TRUE(report.differences);
  EXPECT_EQ(message(), kSums + "Completed\n");
  EXPECT_EQ(slot(area_message_slot(2)), message());
  EXPECT_EQ(slot(result_path_slot(2)), dir / "cmp.csv");
  for (int k = 0; k < PARAM_RUN_RESET_COUNT; ++k)
    EXPECT_EQ(s->param[PARAM_RUN_RESET_0 + k], 0);
  EXPECT_EQ(result(), expected_result());
}

TEST_F(ComparisonRun, ReportsAnInputThatCannotBeOpenedInBothLanguages) {
  RunReport report = run(kRef, kCmp);
  set_slot(*s, ref_path_slot(2), "");
  comparison_run(*s, {}, &report);
  EXPECT_EQ(report.outcome, RunOutcome::reference_unopened);
  EXPECT_EQ(message(), "Can't open the input file.\n");

  set_slot(*s, ref_path_slot(2), ref_path);
  set_slot(*s, cmp_path_slot(2), dir.path().string());  // a folder is no netlist
  s->param[PARAM_LANGUAGE] = LANGUAGE_JAPANESE;
  comparison_run(*s, {}, &report);
  EXPECT_EQ(report.outcome, RunOutcome::compare_unopened);
  EXPECT_EQ(message(),
            message_text_in(LANGUAGE_JAPANESE, MSG_CANT_OPEN_INPUT) + dir.path().string());
  // A failed run leaves the area message of the last completed one.
  EXPECT_EQ(slot(area_message_slot(2)).substr(0, 6), "Parts:");
}

TEST_F(ComparisonRun, ReportsFormatErrorsWithTheCodeAndLeavesAnEarlierResultAsItWas) {
  test::write_file(dir / "cmp.csv", "earlier result");
  RunReport report = run(kRef, "*PART*\r\nR1 1k\r\n");
  EXPECT_EQ(report.outcome, RunOutcome::compare_format);
  EXPECT_EQ(report.code, READ_NOTHING);
  EXPECT_EQ(report.line, 2);
  EXPECT_EQ(message(), "-9 Format error\n" + cmp_path);
  EXPECT_EQ(result(), "earlier result");
  EXPECT_EQ(files(), (Names{"cmp.csv", "cmp.net", "ref.net"}));
  EXPECT_EQ(slot(area_message_slot(2)), "earlier");
  report = run("*NET*\r\n*SIGNAL*\r\n", kCmp);
  EXPECT_EQ(report.outcome, RunOutcome::reference_format);
  EXPECT_EQ(report.line, 2);

  // A format index outside the list is a format error of no line.
  for (const int format : {-1, 7, 1 << 30}) {
    s->param[cmp_format_param(2)] = format;
    EXPECT_EQ(run(kRef, kCmp).line, 0) << format;
    EXPECT_EQ(message(), "-1 Format error\n" + cmp_path) << format;
  }
}

// Past the first chunk of a file the line is still right: a line reader's by the line marks
// counted chunk by chunk, a condensing reader's through its condensed text.
TEST_F(ComparisonRun, ReportsTheLineOfAFormatErrorPastTheFirstChunk) {
  constexpr int FILLER = 5000;  // lines of about 20 bytes: beyond 64 KB
  const struct {
    int format;
    const char* head;
    const char* filler;
    const char* tail;  // the offending line first
    int code;
  } cases[] = {
      {FORMAT_PADS, "*NET*\r\n*SIGNAL* A\r\n", "U1.1 U2.2 U3.3\r\n", "*SIGNAL*\r\n", -2},
      {FORMAT_MM2, "$NET\r\nA; U1-1,\r\n", "U2-2, U3-3, U4-4,\r\n", "U5\r\n$END\r\n", -7},
      {FORMAT_CADVANCE, "$NET_LIST {\n nets {\n  A = {U1-1,\n", "   U2-2, U3-3, /* */\n",
       "   U4};\n }\n}\n", -7},
      {FORMAT_CADLUS, "GND U1 1\r\n", "GND U2 2\r\n", "GND U3\r\n", -7},
  };
  for (const auto& c : cases) {
    s->param[cmp_format_param(2)] = c.format;
    std::string text = c.head;
    for (int i = 0; i < FILLER; ++i)
      text += c.filler;
    const RunReport report = run(kRef, text + c.tail);
    EXPECT_EQ(report.code, c.code) << c.format;
    EXPECT_EQ(report.line, std::count(text.begin(), text.end(), '\n') + 1) << c.format;
  }
}

// The numbers themselves are ResultFileName's; here, that a run takes them and never replaces
// a file.
TEST_F(ComparisonRun, NumbersResultFilesWhenAutoIncIsOnAndNeverReplacesOne) {
  set_auto_inc(*s, true);
  run(kRef, kCmp);
  EXPECT_EQ(slot(result_path_slot(2)), dir / "cmp-00.csv");
  EXPECT_EQ(test::read_file(dir / "cmp-00.csv"), expected_result());

  test::write_file(dir / "cmp-99.csv", "last");
  const Names before = files();
  EXPECT_EQ(run(kRef, kCmp).outcome, RunOutcome::result_numbers_used_up);
  EXPECT_EQ(message(), kCantCreate + dir / "cmp-99.csv");
  EXPECT_EQ(slot(result_path_slot(2)), dir / "cmp-99.csv");
  EXPECT_EQ(test::read_file(dir / "cmp-99.csv"), "last");
  EXPECT_EQ(files(), before);
}

TEST_F(ComparisonRun, RefusesAResultNameThatIsAnInput) {
  cmp_path = dir / "board.csv";  // the result would be board.csv itself
  EXPECT_EQ(run(kRef, kCmp).outcome, RunOutcome::result_is_input);
  EXPECT_EQ(message(), kCantCreate + cmp_path);
  EXPECT_EQ(test::read_file(cmp_path), kCmp);

  RunOptions onto_ref;
  onto_ref.result_name = ref_path.c_str();
  cmp_path = dir / "cmp.net";
  EXPECT_EQ(run(kRef, kCmp, onto_ref).outcome, RunOutcome::result_is_input);
  EXPECT_EQ(test::read_file(ref_path), kRef);
}

TEST_F(ComparisonRun, ReportsAResultFileThatCannotBeCreatedOrWritten) {
  RunOptions options;
  const std::string missing = dir / "no-such-folder/r.csv";
  options.result_name = missing.c_str();
  RunReport report = run(kRef, kCmp, options);
  EXPECT_EQ(report.outcome, RunOutcome::result_uncreated);
  EXPECT_EQ(message(), kCantCreate + missing);
  EXPECT_EQ(slot(result_path_slot(2)), missing);  // kept as chosen

  // A full disk: the write fails at the close, the summaries stand, the earlier file stays.
  const std::string earlier = dir / "r.csv";
  test::write_file(earlier, "earlier result");
  options.result_name = earlier.c_str();
  {
    const test::FileSizeLimit full(64);
    comparison_run(*s, options, &report);  // on the netlists written above
  }
  EXPECT_EQ(report.outcome, RunOutcome::result_unwritten);
  EXPECT_EQ(report.sys_error, EFBIG);
  EXPECT_EQ(message(), kSums + kCantCreate + earlier);
  EXPECT_EQ(slot(area_message_slot(2)), "earlier");
  EXPECT_EQ(test::read_file(earlier), "earlier result");

  // A folder of the result's name: written whole, it cannot be put in place.
  const std::string folder = dir / "folder.csv";
  std::filesystem::create_directory(folder);
  test::write_file(dir / "folder.csv/inside", "x");
  options.result_name = folder.c_str();
  EXPECT_EQ(run(kRef, kCmp, options).outcome, RunOutcome::result_uncreated);
  EXPECT_EQ(message(), kCantCreate + folder);
  EXPECT_EQ(files(), (Names{"cmp.net", "folder.csv", "r.csv", "ref.net"}));
}

TEST_F(ComparisonRun, WritesTheResultToAStreamOnlyWhenTheRunCompletes) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  RunOptions options;
  options.result_stream = stream;
  options.result_name = "ignored.csv";
  EXPECT_EQ(run(kRef, "*PART*\r\n", options).outcome, RunOutcome::compare_format);
  EXPECT_EQ(std::ftell(stream), 0);
  EXPECT_EQ(run(kRef, kCmp, options).outcome, RunOutcome::completed);
  EXPECT_EQ(slot(result_path_slot(2)), "-");
  EXPECT_EQ(files(), (Names{"cmp.net", "ref.net"}));
  std::string written(1000, '\0');
  std::rewind(stream);
  written.resize(std::fread(written.data(), 1, written.size(), stream));
  std::fclose(stream);
  EXPECT_EQ(written, expected_result());

  std::FILE* full = std::fopen("/dev/full", "wb");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full here";
  options.result_stream = full;
  const RunReport report = run(kRef, kCmp, options);
  std::fclose(full);
  EXPECT_EQ(report.outcome, RunOutcome::result_unwritten);
  EXPECT_EQ(message(), kSums + kCantCreate + "-");
}

TEST_F(ComparisonRun, CutsAnOverlongMessageAndRefusesAnOverlongResultName) {
  set_slot(*s, ref_path_slot(2), std::string(SLOT_SIZE - 1, 'p'));  // cannot be opened
  set_slot(*s, cmp_path_slot(2), cmp_path);
  comparison_run(*s);
  EXPECT_EQ(message().size(), std::size_t{SLOT_SIZE - 1});
  EXPECT_EQ(message().substr(0, 27), "Can't open the input file.\n");

  RunOptions options;
  const std::string long_name = dir / (std::string(600, 'n') + ".net");
  options.result_name = long_name.c_str();
  EXPECT_EQ(run(kRef, kCmp, options).outcome, RunOutcome::result_too_long);
  EXPECT_EQ(slot(result_path_slot(2)), "");
  std::error_code too_long;
  EXPECT_FALSE(std::filesystem::exists(long_name, too_long));
}

// What did not fit is warned of, with its file: the whole message for full tables, whose
// dropped parts count as errors; the warnings' texts are the golden cases' and the views'.
TEST_F(ComparisonRun, WarnsOfWhatDidNotFitAndOfNothingThatFits) {
  std::string parts;
  for (int i = 0; i <= PART_CAPACITY; ++i)
    parts += "R" + std::to_string(i) + " 1k\n";
  const std::string full = test::pads_netlist(parts, "A: R1.1 R2.1");
  EXPECT_EQ(exit_status(run(full, full)), 1);
  const std::string warning =
      "Warning: the tables are full (6000 parts or 20000 pins); what did not fit was not "
      "compared.\n";
  EXPECT_EQ(message(), warning + ref_path + "\n" + warning + cmp_path + "\n" +
                           "Parts: same=6000, change (value=0, both=0, pcb=0), add=0, delete=0, "
                           "error=2\nPins : same=2, net name=0\nCompleted\n");

  // A CADLUS netlist whose condensed text fills the reader's buffer, and a net of 50 bytes.
  s->param[ref_format_param(2)] = FORMAT_CADLUS;
  std::string big;
  while (big.size() <= static_cast<std::size_t>(READER_BUFFER_ROOM) * 2)
    big += "GND U1 17\r\n";  // ten characters condensed: ends at the buffer end
  const RunReport report =
      run(big, test::pads_netlist("U1 X", std::string(NET_ROOM, 'N') + ": U1.7 U1.8"));
  std::vector<std::pair<int, std::string>> warned;
  for (const RunWarning& w : report.warnings)
    warned.emplace_back(w.message, w.file);
  EXPECT_EQ(warned, (std::vector<std::pair<int, std::string>>{{MSG_TABLES_FULL, ref_path},
                                                              {MSG_READER_TEXT_FULL, ref_path},
                                                              {MSG_NAMES_MAY_BE_CUT, cmp_path}}));
  EXPECT_EQ(exit_status(report), 1);

  // Names one byte short of their room, and a table one short of full, warn of nothing.
  s->param[ref_format_param(2)] = FORMAT_PADS;
  std::string nets;
  for (int i = 0; i < PIN_CAPACITY / 2 - 1; ++i)
    nets += "S" + std::to_string(i) + ": U1." + std::to_string(2 * i) + " U1." +
            std::to_string(2 * i + 1) + "\n";
  const std::string designator(DESIGNATOR_ROOM - 1, 'U');
  const std::string short_names = test::pads_netlist(
      designator + " X\nU1 X", nets + std::string(NET_ROOM - 1, 'N') + ": " + designator + "." +
                                   std::string(PIN_ROOM - 1, 'P'));
  const RunReport quiet = run(short_names, short_names);
  EXPECT_TRUE(quiet.warnings.empty());
  EXPECT_EQ(exit_status(quiet), 0);
  EXPECT_EQ(message().substr(0, 6), "Parts:");
}

}  // namespace
}  // namespace veltrax
