#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/parts.h"
#include "netlist/lex.h"
#include "support.h"

namespace veltrax {
namespace {

struct Part {
  const char* designator;
  const char* value;
  const char* footprint;
};

int fill(NetlistStore& s, const std::vector<Part>& parts) {
  int i = 0;
  for (const Part& p : parts) {
    test::set_part(s, i, p.designator, p.value, p.footprint);
    s.parts[i].state = static_cast<PartState>(-1);
    ++i;
  }
  return i;
}

class PartComparison : public ::testing::Test {
 protected:
  // Compares two sorted part lists; returns the rows written.
  std::string compare(const std::vector<Part>& ref_parts, const std::vector<Part>& cmp_parts,
                      int dropped = 0) {
    const int nr = fill(*ref, ref_parts);
    const int nc = fill(*cmp, cmp_parts);
    ResultWriter out;
    EXPECT_TRUE(out.create((dir / "rows.csv").c_str()));
    counts = compare_parts(ref->parts, nr, cmp->parts, nc, dropped, out);
    EXPECT_TRUE(out.close());
    return test::read_file(dir / "rows.csv");
  }
  test::ScratchDir dir;
  std::unique_ptr<test::TestStore> ref = test::new_store();
  std::unique_ptr<test::TestStore> cmp = test::new_store();
  PartCounts counts;
};

TEST_F(PartComparison, WritesARowForEveryKindOfChangeInDesignatorOrder) {
  const std::string rows = compare({{"C1", "1u", "C0603"},
                                    {"R10", "1k", "R0402"},
                                    {"R3", "10k", "R0603"},
                                    {"R4", "4k7", "R0603"},
                                    {"R5", "22", "R0603"}},
                                   {{"C1", "1u", "C0603"},
                                    {"R2", "1k", "R0402"},
                                    {"R3", "10K", "R0603"},
                                    {"R4", "4k7", "R0805"},
                                    {"R5", "22 ", "R0805"}});
  EXPECT_EQ(rows,
            "C.DEL,R10,\"`1k\",\"<NONE>\",\"R0402\",\"<NONE>\"\r\n"
            "C.ADD,R2,\"<NONE>\",\"`1k\",\"<NONE>\",\"R0402\"\r\n"
            "C.value,R3,\"`10k\",\"`10K\",\"R0603\",\"R0603\"\r\n"
            "C.pcb,R4,\"`4k7\",\"`4k7\",\"R0603\",\"R0805\"\r\n"
            "C.both,R5,\"`22\",\"`22 \",\"R0603\",\"R0805\"\r\n");
  EXPECT_EQ(counts.same, 1);
  EXPECT_EQ(counts.value, 1);
  EXPECT_EQ(counts.pcb, 1);
  EXPECT_EQ(counts.both, 1);
  EXPECT_EQ(counts.add, 1);
  EXPECT_EQ(counts.del, 1);
  EXPECT_EQ(ref->parts[1].state, PartState::deleted);  // R10
  EXPECT_EQ(cmp->parts[1].state, PartState::added);    // R2
  EXPECT_EQ(ref->parts[0].state, PartState::paired);
  EXPECT_EQ(cmp->parts[4].state, PartState::paired);
  EXPECT_EQ(parts_summary_message(counts),
            "Parts: same=1, change (value=1, both=1, pcb=1), add=1, delete=1, error=0\n");
  EXPECT_EQ(parts_summary_line(counts),
            "SUM,Parts,same=1; change (value=1; both=1; pcb=1); add=1; delete=1; error=0");
}

TEST_F(PartComparison, IdenticalListsGiveTheShortSummaries) {
  EXPECT_EQ(compare({{"C1", "1u", "C"}, {"C2", "1u", "C"}}, {{"C1", "1u", "C"}, {"C2", "1u", "C"}}),
            "");
  EXPECT_EQ(parts_summary_message(counts), "Parts: same=2\n");
  EXPECT_EQ(parts_summary_line(counts), "SUM,Parts,same=2");
  EXPECT_FALSE(counts.any_difference());
}

TEST_F(PartComparison, DroppedPartsForceTheLongSummaries) {
  EXPECT_EQ(compare({{"C1", "1u", "C"}}, {{"C1", "1u", "C"}}, 1), "");
  EXPECT_TRUE(counts.any_difference());
  EXPECT_EQ(parts_summary_line(counts),
            "SUM,Parts,same=1; change (value=0; both=0; pcb=0); add=0; delete=0; error=1");
}

TEST_F(PartComparison, PairsTheFirstOfADoubledDesignatorAndWritesValuesUnescaped) {
  const std::string rows =
      compare({{"C1", "1u", "C"}, {"C1", "2u", "C"}, {"Q1", "a,\"b", "T"}}, {{"C1", "1u", "C"}});
  EXPECT_EQ(rows,
            "C.DEL,C1,\"`2u\",\"<NONE>\",\"C\",\"<NONE>\"\r\n"
            "C.DEL,Q1,\"`a,\"b\",\"<NONE>\",\"T\",\"<NONE>\"\r\n");
  EXPECT_EQ(counts.same, 1);
  EXPECT_EQ(counts.del, 2);
}

TEST_F(PartComparison, EmptyListsMakeEverythingAddedOrDeleted) {
  compare({}, {{"A1", "", "x"}, {"A2", "", "x"}});
  EXPECT_EQ(counts.add, 2);
  compare({{"A1", "", "x"}}, {});
  EXPECT_EQ(counts.del, 1);
  EXPECT_EQ(compare({}, {}), "");
  EXPECT_EQ(parts_summary_message(counts), "Parts: same=0\n");
}

}  // namespace
}  // namespace veltrax
