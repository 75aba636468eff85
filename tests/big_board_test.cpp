#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compare/run.h"
#include "netlist/reader.h"
#include "netlist/run_memory.h"
#include "support.h"

namespace veltrax {
namespace {

// A board past every default capacity: 6010 parts, 24040 pins in nets of four, and two nets whose
// names are alike in their first 50 bytes. The compare board changes a part past the 6000th, a
// pin past the 20000th and moves pins between the two long nets.
std::string big_board(bool revised) {
  constexpr int PARTS = 6010;
  std::string parts;
  std::string signals;
  for (int k = 0; k < PARTS; ++k) {
    parts += "P" + std::to_string(k) + (revised && k == 6005 ? " 2k@R0603\n" : " 1k@R0603\n");
  }
  parts += "X1 CONN@HDR2\nX2 CONN@HDR2";
  const auto pin = [](int k, int n) {
    return " P" + std::to_string(k % PARTS) + "." + std::to_string(n);
  };
  const std::string stem(50, 'L');
  signals += stem + "A: X1.1 " + (revised ? "X2.2\n" : "X2.1\n");
  signals += stem + "B: X1.2 " + (revised ? "X2.1\n" : "X2.2\n");
  for (int k = 0; k < PARTS; ++k) {
    signals += "S" + std::to_string(k) + ":" + pin(k, 1) + pin(k, 2) + pin(k, 3) + pin(k + 1, 4);
    if (revised && k == PARTS - 2) signals += pin(PARTS - 1, 1);  // moved here from its own net
    signals += "\n";
  }
  // P6009.1 stands first in the last net of the reference only.
  if (revised) {
    const std::string last = "S6009: P6009.1";
    signals.replace(signals.find(last), last.size(), "S6009:");
  }
  return test::pads_netlist(parts, signals);
}

class BigBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    s->param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
    s->param[ref_format_param(0)] = FORMAT_PADS;
    s->param[cmp_format_param(0)] = FORMAT_PADS;
    set_slot(*s, ref_path_slot(0), ref_path);
    set_slot(*s, cmp_path_slot(0), cmp_path);
  }
  RunReport run(const RunOptions& options = {}) {
    RunReport report;
    comparison_run(*s, options, &report);
    return report;
  }
  std::string message() const { return s->slot[SLOT_DISPLAYED_MESSAGE]; }

  test::ScratchDir dir;
  std::unique_ptr<Settings> s = test::new_settings();
  std::string ref_path = dir / "ref.net";
  std::string cmp_path = dir / "cmp.net";
};

TEST_F(BigBoard, WithoutLimitsEveryChangePastTheDefaultCapacitiesIsReported) {
  test::write_file(ref_path, big_board(false));
  test::write_file(cmp_path, big_board(true));
  const char* const past_the_defaults[] = {"C.value,P6005,", "N.CHG a lot,P6009.1,",
                                           "N.except 1pin,X2.1,", "N.except 1pin,X2.2,"};

  ASSERT_EQ(run().outcome, RunOutcome::completed);
  EXPECT_NE(message().find("Warning: names that fill their room"), std::string::npos);
  EXPECT_NE(message().find("Warning: the tables are full"), std::string::npos);
  std::string rows = test::read_file(dir / "cmp.csv");
  for (const char* row : past_the_defaults)
    EXPECT_EQ(rows.find(row), std::string::npos) << row;

  RunOptions whole;
  whole.limits = NO_LIMITS;
  const RunReport report = run(whole);
  ASSERT_EQ(report.outcome, RunOutcome::completed);
  EXPECT_TRUE(report.warnings.empty());
  EXPECT_EQ(message().find("Warning"), std::string::npos);
  EXPECT_NE(message().find("Parts: same=6011, change (value=1"), std::string::npos) << message();
  rows = test::read_file(dir / "cmp.csv");
  for (const char* row : past_the_defaults)
    EXPECT_NE(rows.find(row), std::string::npos) << row;
  EXPECT_EQ(RunMemory::held_by_all(), 0u);
}

// Every request for memory of a run fails in turn, in both modes and for a line reader and a
// condensing one: each run ends with the message, holds nothing afterwards and leaves the earlier
// result file as it was, until the requests suffice and the run completes.
TEST_F(BigBoard, AnyMemoryRequestThatFailsEndsTheRunWithItsMessage) {
  struct Pair {
    int format;
    std::string ref, cmp;
  };
  const Pair pairs[] = {
      {FORMAT_PADS,
       test::pads_netlist("R1 10k@R0603\nR2 1k@R0603\nD1 LED@0603\nU1 LM358@SO8",
                          "GND: R1.1 U1.4 D1.2\nOUT: R1.2 R2.1 U1.1\nLED: R2.2 D1.1"),
       test::pads_netlist("R1 10k@R0603\nR2 2k2@R0603\nD1 LED@0603\nU2 LM358@SO8",
                          "GND: R1.2 U2.4 D1.K\nOUT: R1.1 R2.1 U2.1\nLED: R2.2 D1.A")},
      {FORMAT_CADLUS, "GND R1 1\r\nGND U1 4\r\nOUT R1 2\r\nOUT R2 1\r\n",
       "GND R1 2\r\nGND U1 4\r\nOUT R1 1\r\nOUT R3 1\r\n"},
  };
  for (const Pair& p : pairs) {
    for (const Limits& limits : {DEFAULT_LIMITS, NO_LIMITS}) {
      s->param[ref_format_param(0)] = s->param[cmp_format_param(0)] = p.format;
      test::write_file(ref_path, p.ref);
      test::write_file(cmp_path, p.cmp);
      test::write_file(dir / "cmp.csv", "earlier");
      RunOptions options;
      options.limits = limits;
      long failing = 0;
      for (;; ++failing) {
        RunMemory::fail_after(failing);
        const RunReport report = run(options);
        RunMemory::fail_after(-1);
        ASSERT_EQ(RunMemory::held_by_all(), 0u);
        if (report.outcome == RunOutcome::completed) break;
        ASSERT_EQ(report.outcome, RunOutcome::out_of_memory) << failing;
        ASSERT_EQ(message(), "Not enough memory for this comparison.\n");
        ASSERT_EQ(test::read_file(dir / "cmp.csv"), "earlier");
        ASSERT_EQ(test::folder_names(dir.path()),
                  (std::vector<std::string>{"cmp.csv", "cmp.net", "ref.net"}));
      }
      // Tables, names, net texts, work arrays and the pin comparison's work all ask.
      EXPECT_GT(failing, 20) << format_at(p.format).name;
      EXPECT_NE(test::read_file(dir / "cmp.csv"), "earlier");
    }
  }
}

// A run's chunks grow four times at a step, so that a run takes few of them whatever its size.
TEST(RunMemoryChunks, GrowFourTimesAtAStep) {
  RunMemory memory;
  memory.allocate(1);
  std::vector<std::size_t> chunks;
  for (std::size_t held = memory.held(); chunks.size() < 3; held = memory.held()) {
    while (memory.held() == held)
      memory.allocate(1024);
    chunks.push_back(memory.held() - held);
  }
  EXPECT_EQ(chunks[1], 4 * chunks[0]);
  EXPECT_EQ(chunks[2], 4 * chunks[1]);
  // Every request aligned, also when each goes through the tests' count of requests.
  RunMemory::fail_after(1000);
  memory.allocate(3, 1);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.allocate(8, 8)) % 8, 0u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.allocate(16)) % alignof(std::max_align_t), 0u);
  RunMemory::fail_after(-1);
}

}  // namespace
}  // namespace veltrax
