#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_file.h"
#include "netlist/input.h"
#include "netlist/limits.h"

namespace veltrax {
namespace {

std::string taken(InputFile& in) {
  std::string out;
  for (int c; (c = in.get()) != END_OF_INPUT;)
    out += static_cast<char>(c);
  return out;
}

// A temporary file holding the bytes, positioned at its start.
std::FILE* file_of(std::string_view bytes) {
  std::FILE* f = std::tmpfile();
  if (f == nullptr) return nullptr;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

// The line after each CR line read, and then at the end.
std::vector<int> lines_read(InputFile& in) {
  std::vector<int> lines;
  char buf[CR_LINE_SIZE];
  while (read_cr_line(in, buf, sizeof buf) != END_OF_INPUT)
    lines.push_back(in.line());
  lines.push_back(in.line());
  return lines;
}

// The cases of tests/input_cases.txt.
TEST(TakingIn, HoldsForEveryCase) {
  for (const test::Case& c : test::read_cases("input_cases.txt", [](const std::string& key) {
         return key == "take" || key == "count" || key.starts_with("cr lines ");
       })) {
    SCOPED_TRACE(c.where);
    InputFile in(c.text);
    if (c.kind == "take") {
      EXPECT_EQ(taken(in), c.expected.at("bytes"));
    } else if (c.kind == "count") {
      std::string lines;
      for (const int line : lines_read(in))
        lines += (lines.empty() ? "" : " ") + std::to_string(line);
      EXPECT_EQ(lines, c.expected.at("lines"));
    } else {
      std::string lines;
      std::vector<char> buf(std::stoul(c.kind.substr(9)));
      while (read_cr_line(in, buf.data(), static_cast<int>(buf.size())) != END_OF_INPUT)
        lines += std::string(buf.data()) + "\n";
      EXPECT_EQ(lines, c.expected.at("give"));
    }
  }
}

TEST(TakingIn, ReadsAFileBeyondOneBuffer) {
  std::string big(200000, 'x');
  big[100000] = '\n';
  std::FILE* f = file_of(big);
  ASSERT_NE(f, nullptr);
  InputFile in(f);
  std::size_t n = 0;
  for (int c; (c = in.get()) != END_OF_INPUT;)
    ++n;
  EXPECT_EQ(n, big.size() + 1);  // the lone LF became CR LF
  EXPECT_FALSE(in.failed());
  std::fclose(f);
}

// Head and rest read as the whole: the repairs go on across the seam.
TEST(TakingIn, ReadsTheHeadThenTheRestOfTheFile) {
  const std::string whole("a\0b\r\nc\r\0\nd\ne", 12);
  for (const std::size_t seam : {0, 2, 4, 7, 8, 12}) {
    std::FILE* rest = file_of(whole.substr(seam));
    ASSERT_NE(rest, nullptr);
    InputFile in(std::string_view(whole).substr(0, seam), rest);
    EXPECT_EQ(taken(in), "ab\r\nc\r\nd\r\ne") << seam;
    EXPECT_EQ(in.line(), 4) << seam;
    std::fclose(rest);
  }
}

// The line of the last byte read, across chunks.
TEST(TakingIn, CountsLinesByTheirMarksAcrossChunks) {
  // A line mark on the last byte of the first chunk, and lines cut at the buffer.
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    std::string text = std::string(65535, 'x') + end;
    std::vector<int> lines((65535 + CR_LINE_SIZE - 2) / (CR_LINE_SIZE - 1), 1);
    for (int line = 2; line <= 30000; ++line) {
      text += "y" + end;
      lines.push_back(line);
    }
    lines.push_back(30000);
    std::FILE* f = file_of(text);
    ASSERT_NE(f, nullptr);
    InputFile in(f);
    EXPECT_EQ(lines_read(in), lines) << end.size();
    std::fclose(f);
  }
}

TEST(ReadStdLine, KeepsTheLineFeedAndCutsAtTheBuffer) {
  InputFile in("ab\r\ncdefgh");
  char buf[5];
  ASSERT_EQ(read_std_line(in, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "ab\r\n");
  ASSERT_EQ(read_std_line(in, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "cdef");
  ASSERT_EQ(read_std_line(in, buf, sizeof buf), 2);
  EXPECT_STREQ(buf, "gh");
  EXPECT_EQ(read_std_line(in, buf, sizeof buf), END_OF_INPUT);
}

}  // namespace
}  // namespace veltrax
