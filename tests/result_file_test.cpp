#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "compare/result_file.h"
#include "support.h"

namespace veltrax {
namespace {

// How the name is made is the name cases'; here, the room it needs.
TEST(ResultFileName, NeedsRoom) {
  std::string name;
  EXPECT_EQ(result_file_name(std::string(515, 'a'), false, name), ResultNaming::chosen);
  EXPECT_EQ(name.size(), 519u);
  EXPECT_EQ(result_file_name(std::string(516, 'a'), false, name), ResultNaming::too_long);
  EXPECT_EQ(result_file_name(std::string(513, 'a') + ".net", true, name), ResultNaming::too_long);
}

// Numbered names match "NET-??.csv", each '?' one character, and count two digits only.
TEST(ResultFileName, NumbersFromZeroPastTheGreatestPairUpTo99) {
  test::ScratchDir dir;
  const auto next = [&] {
    std::string name;
    EXPECT_EQ(result_file_name(dir / "NET.net", true, name), ResultNaming::chosen);
    return name.substr(dir.path().string().size() + 1);
  };
  const auto add = [&](std::initializer_list<const char*> names) {
    for (const char* name : names)
      test::write_file(dir.path() / name, "x");
  };
  add({"NET-1.csv", "NET-123.csv", "NET-55.txt", "OTHER-50.csv", "NET-ab.csv", "NET-7x.csv",
       "NET-\xe9\xe9.csv"});
  EXPECT_EQ(next(), "NET-00.csv");
  add({"NET-00.csv", "NET-07.csv"});
  EXPECT_EQ(next(), "NET-08.csv");
  add({"NET-09.csv"});
  EXPECT_EQ(next(), "NET-10.csv");
  add({"NET-99.csv"});
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
