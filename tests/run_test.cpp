#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "compare/run.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax {
namespace {

const std::string kRef = test::pads_netlist("R1 10k@R0603\nR2 1k@R0603\nU1 LM358@SO8",
                                            "GND: R1.1 U1.4\nOUT: R1.2 R2.1 U1.1");
const std::string kCmp = test::pads_netlist("R1 10k@R0603\nR2 2k2@R0603\nU1 LM358@SO8",
                                            "GND: R1.1 U1.4\nOUT: R1.2 R2.1 U1.1");

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
  std::string result() const { return test::read_file(dir / "cmp.csv"); }
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
  EXPECT_EQ(message(),
            "Parts: same=2, change (value=1, both=0, pcb=0), add=0, delete=0, error=0\n"
            "Pins : same=5, net name=0\n"
            "Completed\n");
  EXPECT_EQ(std::string(s->slot[area_message_slot(2)]), message());
  EXPECT_EQ(std::string(s->slot[result_path_slot(2)]), dir / "cmp.csv");
  for (int k = 0; k < PARAM_RUN_RESET_COUNT; ++k)
    EXPECT_EQ(s->param[PARAM_RUN_RESET_0 + k], 0);
  EXPECT_EQ(result(), expected_result());
}

TEST_F(ComparisonRun, EndsInEnglishCompletedInJapaneseToo) {
  s->param[PARAM_LANGUAGE] = LANGUAGE_JAPANESE;
  run(kRef, kRef);
  EXPECT_EQ(message(), "Parts: same=3\nPins : same=5, net name=0\nCompleted\n");
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
  EXPECT_EQ(message(), std::string(message_text_in(LANGUAGE_JAPANESE, MSG_CANT_OPEN_INPUT)) +
                           dir.path().string());
  // A failed run leaves the area message of the last completed one.
  EXPECT_EQ(std::string(s->slot[area_message_slot(2)]).substr(0, 6), "Parts:");
}

TEST_F(ComparisonRun, ReportsFormatErrorsWithTheCodeAndLeavesTheHeaderLines) {
  RunReport report = run(kRef, "*PART*\r\nR1 1k\r\n");
  EXPECT_EQ(report.outcome, RunOutcome::compare_format);
  EXPECT_EQ(report.code, -9);
  EXPECT_EQ(report.line, 2);
  EXPECT_EQ(message(), "-9 Format error\n" + cmp_path);
  EXPECT_EQ(result(), "Ref=" + ref_path + "\r\nCmp=" + cmp_path + "\r\n\r\n");
  EXPECT_EQ(std::string(s->slot[area_message_slot(2)]), "earlier");

  s->param[PARAM_LANGUAGE] = LANGUAGE_JAPANESE;
  report = run("*NET*\r\n*SIGNAL*\r\n", kCmp);
  EXPECT_EQ(report.outcome, RunOutcome::reference_format);
  EXPECT_EQ(report.line, 2);
  EXPECT_EQ(message(),
            "-2 " + std::string(message_text_in(LANGUAGE_JAPANESE, MSG_FORMAT_ERROR)) + ref_path);
}

TEST_F(ComparisonRun, TakesAFormatIndexOutsideTheListAsAFormatError) {
  for (const int format : {-1, 7, 1 << 30}) {
    s->param[cmp_format_param(2)] = format;
    EXPECT_EQ(run(kRef, kCmp).line, 0) << format;
    EXPECT_EQ(message(), "-1 Format error\n" + cmp_path) << format;
  }
  s->param[cmp_format_param(2)] = FORMAT_CADVANCE;  // no reader yet: a format error
  EXPECT_EQ(run(kRef, kCmp).outcome, RunOutcome::compare_format);
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

TEST_F(ComparisonRun, NumbersResultFilesWhenAutoIncIsOn) {
  set_auto_inc(*s, true);
  run(kRef, kCmp);
  EXPECT_EQ(std::string(s->slot[result_path_slot(2)]), dir / "cmp-00.csv");
  run(kRef, kCmp);
  EXPECT_EQ(std::string(s->slot[result_path_slot(2)]), dir / "cmp-01.csv");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "cmp-00.csv"));
}

TEST_F(ComparisonRun, RefusesAResultNameThatIsAnInput) {
  cmp_path = dir / "board.csv";  // the result would be board.csv itself
  const RunReport report = run(kRef, kCmp);
  EXPECT_EQ(report.outcome, RunOutcome::result_is_input);
  EXPECT_EQ(message(), "Can't create the output file.\n" + cmp_path);
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
  EXPECT_EQ(message(), "Can't create the output file.\n" + missing);
  EXPECT_EQ(std::string(s->slot[result_path_slot(2)]), missing);  // kept as chosen

  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  options.result_name = "/dev/full";
  report = run(kRef, kCmp, options);
  EXPECT_EQ(report.outcome, RunOutcome::result_unwritten);
  EXPECT_EQ(message(),
            "Parts: same=2, change (value=1, both=0, pcb=0), add=0, delete=0, error=0\n"
            "Pins : same=5, net name=0\n"
            "Can't create the output file.\n/dev/full");
  EXPECT_EQ(std::string(s->slot[area_message_slot(2)]), "earlier");
}

TEST_F(ComparisonRun, CutsAnOverlongMessageAndRefusesAnOverlongResultName) {
  const std::string long_name = dir / (std::string(600, 'n') + ".net");
  set_slot(*s, ref_path_slot(2), std::string(SLOT_SIZE - 1, 'p'));  // cannot be opened
  set_slot(*s, cmp_path_slot(2), cmp_path);
  comparison_run(*s);
  EXPECT_EQ(message().size(), std::size_t{SLOT_SIZE - 1});
  EXPECT_EQ(message().substr(0, 27), "Can't open the input file.\n");

  RunOptions options;
  options.result_name = long_name.c_str();
  const RunReport report = run(kRef, kCmp, options);
  EXPECT_EQ(report.outcome, RunOutcome::result_too_long);
  EXPECT_STREQ(s->slot[result_path_slot(2)], "");
  std::error_code too_long;
  EXPECT_FALSE(std::filesystem::exists(long_name, too_long));
}

TEST_F(ComparisonRun, CountsThePartsBothReadersDroppedAsErrors) {
  std::string parts;
  for (int i = 0; i <= PART_CAPACITY; ++i)
    parts += "R" + std::to_string(i) + " 1k\n";
  const std::string full = test::pads_netlist(parts, "A: R1.1 R2.1");
  run(full, full);
  EXPECT_EQ(message(),
            "Parts: same=6000, change (value=0, both=0, pcb=0), add=0, delete=0, error=2\n"
            "Pins : same=2, net name=0\n"
            "Completed\n");
}

TEST_F(ComparisonRun, ASecondRunAfterALargerOneSeesOnlyItsOwnRecords) {
  std::string big_parts;
  std::string big_pins;
  for (int i = 0; i < 300; ++i) {
    big_parts += "C" + std::to_string(i) + " 1u@C0402\n";
    big_pins +=
        "N" + std::to_string(i) + ": C" + std::to_string(i) + ".1 C" + std::to_string(i) + ".2\n";
  }
  run(test::pads_netlist(big_parts, big_pins), test::pads_netlist(big_parts, big_pins));
  run(kRef, kCmp);
  EXPECT_EQ(result(), expected_result());
  EXPECT_EQ(message(),
            "Parts: same=2, change (value=1, both=0, pcb=0), add=0, delete=0, error=0\n"
            "Pins : same=5, net name=0\n"
            "Completed\n");
}

}  // namespace
}  // namespace veltrax
