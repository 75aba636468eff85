#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "compare/result_file.h"
#include "support.h"

namespace veltrax {
namespace {

std::string plain_name(std::string_view compare_path) {
  std::string name;
  EXPECT_EQ(result_file_name(compare_path, false, name), ResultNaming::chosen);
  return name;
}

TEST(ResultFileName, CutsTheExtensionFoundAmongTheLastFourCharacters) {
  EXPECT_EQ(plain_name("C:\\work\\board.net"), "C:\\work\\board.csv");
  EXPECT_EQ(plain_name("board.data"), "board.data.csv");
  EXPECT_EQ(plain_name("D:\\r.1\\x"), "D:\\r.csv");
  EXPECT_EQ(plain_name("board.ne"), "board.csv");
  EXPECT_EQ(plain_name("board."), "board.csv");
  EXPECT_EQ(plain_name("a.b.c"), "a.b.csv");  // the last '.' is met first
  EXPECT_EQ(plain_name(".x"), ".csv");
  EXPECT_EQ(plain_name("ab"), "ab.csv");
  EXPECT_EQ(plain_name(""), ".csv");
}

TEST(ResultFileName, RefusesANameWithoutRoom) {
  std::string name;
  EXPECT_EQ(result_file_name(std::string(515, 'a'), false, name), ResultNaming::chosen);
  EXPECT_EQ(name.size(), 519u);
  EXPECT_EQ(result_file_name(std::string(516, 'a'), false, name), ResultNaming::too_long);
  EXPECT_EQ(result_file_name(std::string(513, 'a') + ".net", true, name), ResultNaming::too_long);
}

class Numbering : public ::testing::Test {
 protected:
  std::string next() {
    std::string name;
    EXPECT_EQ(result_file_name(dir / "NET.net", true, name), ResultNaming::chosen);
    return name.substr(dir.path().string().size() + 1);
  }
  void add(const char* name) { test::write_file(dir.path() / name, "x"); }
  test::ScratchDir dir;
};

TEST_F(Numbering, StartsAtZeroAndStepsTheGreatestPair) {
  EXPECT_EQ(next(), "NET-00.csv");
  add("NET-00.csv");
  add("NET-07.csv");
  EXPECT_EQ(next(), "NET-08.csv");
  add("NET-09.csv");
  EXPECT_EQ(next(), "NET-10.csv");
}

TEST_F(Numbering, MatchesEachQuestionMarkToExactlyOneCharacter) {
  add("NET-1.csv");
  add("NET-123.csv");
  add("NET-55.txt");
  add("OTHER-50.csv");
  EXPECT_EQ(next(), "NET-00.csv");
}

TEST_F(Numbering, CountsOnlyTwoDigitNumbersAndEndsAt99) {
  add("NET-ab.csv");
  add("NET-7x.csv");
  add("NET-\xe9\xe9.csv");
  add("NET-05.csv");
  EXPECT_EQ(next(), "NET-06.csv");
  add("NET-99.csv");
  std::string name;
  EXPECT_EQ(result_file_name(dir / "NET.net", true, name), ResultNaming::numbers_used_up);
  EXPECT_EQ(name, dir / "NET-99.csv");
}

TEST(ResultWriter, WritesLineFeedsAsCrLfAndPutsTheFileInPlaceAtClose) {
  test::ScratchDir dir;
  test::write_file(dir / "r.csv", "earlier");
  ResultWriter out;
  ASSERT_TRUE(out.create((dir / "r.csv").c_str()));
  out.print("Ref=%s\n", "a.net");
  out.write("x\n\ny");
  EXPECT_EQ(test::read_file(dir / "r.csv"), "earlier");
  ASSERT_TRUE(out.close());
  EXPECT_EQ(test::read_file(dir / "r.csv"), "Ref=a.net\r\nx\r\n\r\ny");
  EXPECT_EQ(test::folder_names(dir.path()), std::vector<std::string>{"r.csv"});
}

TEST(ResultWriter, AFailedWriteOrADroppedTextLeavesTheEarlierFileAndNoTemporary) {
  test::ScratchDir dir;
  const std::string path = dir / "r.csv";
  test::write_file(path, "earlier");
  ResultWriter out;
  ASSERT_TRUE(out.create(path.c_str()));
  ResultWriter dropped;  // a second writer of the same file takes another temporary
  ASSERT_TRUE(dropped.create(path.c_str()));
  dropped.write("dropped");
  dropped.discard();
  {
    const test::FileSizeLimit full(100);
    out.write(std::string(1000, 'x'));
    EXPECT_FALSE(out.close());
  }
  EXPECT_EQ(out.error(), EFBIG);
  EXPECT_FALSE(out.placing_failed());
  EXPECT_EQ(test::read_file(path), "earlier");
  EXPECT_EQ(test::folder_names(dir.path()), std::vector<std::string>{"r.csv"});
}

}  // namespace
}  // namespace veltrax
