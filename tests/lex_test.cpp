#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netlist/input.h"
#include "netlist/lex.h"
#include "netlist/limits.h"

namespace veltrax {
namespace {

std::string taken(InputFile& in) {
  std::string out;
  for (int c; (c = in.get()) != END_OF_INPUT;)
    out += static_cast<char>(c);
  return out;
}

std::string taken_in(std::string_view bytes) {
  InputFile in(bytes);
  return taken(in);
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

std::vector<std::string> cr_lines(std::string_view bytes, int size) {
  InputFile in(bytes);
  std::vector<std::string> lines;
  std::vector<char> buf(static_cast<std::size_t>(size));
  while (read_cr_line(in, buf.data(), size) != END_OF_INPUT)
    lines.emplace_back(buf.data());
  return lines;
}

TEST(TakingIn, DropsNulAndReadsLoneLineFeedsAsCrLf) {
  EXPECT_EQ(taken_in(std::string("a\0b", 3)), "ab");
  EXPECT_EQ(taken_in("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(taken_in("a\r\nb"), "a\r\nb");
  EXPECT_EQ(taken_in(std::string("a\r\0\nb", 5)), "a\r\nb");  // CR NUL LF is one line end
  EXPECT_EQ(taken_in("\n\n"), "\r\n\r\n");
  EXPECT_EQ(taken_in("a\r\r\n"), "a\r\r\n");
  EXPECT_EQ(taken_in(""), "");
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

// The line of the last byte read: a line's CR and the LF after it belong to it.
TEST(TakingIn, CountsLinesByTheirMarks) {
  const struct {
    std::string bytes;
    std::vector<int> lines;
  } cases[] = {
      {"", {0}},
      {"ab\r\ncd", {1, 2, 2}},
      {"ab\ncd\n", {1, 2, 2}},
      {"ab\rcd\r\r", {1, 2, 3, 3}},
      {"\r\n\t\r\n", {1, 2, 2}},
  };
  for (const auto& c : cases) {
    InputFile in(c.bytes);
    EXPECT_EQ(lines_read(in), c.lines) << c.bytes;
  }
  // Across chunks, with a line mark on the last byte of the first and lines cut at the buffer.
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

TEST(ReadCrLine, EndsAtCrDropsControlsAndReportsTheEnd) {
  EXPECT_EQ(cr_lines("ab\r\ncd\r\n", 520), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(cr_lines("a\tb\x01"
                     "c\r",
                     520),
            (std::vector<std::string>{"abc"}));
  EXPECT_EQ(cr_lines("\r\n\r\nx", 520), (std::vector<std::string>{"", "", "x"}));
  EXPECT_EQ(cr_lines("\t", 520), std::vector<std::string>{});  // nothing stored, then the end
  EXPECT_EQ(cr_lines("", 520), std::vector<std::string>{});
  EXPECT_EQ(cr_lines("\xff\x80 \x7f\r", 520), (std::vector<std::string>{"\xff\x80 \x7f"}));
}

TEST(ReadCrLine, CutsAtTheBufferAndGoesOnWithTheRest) {
  const std::string room_less_one(4, 'a');  // buffer of 6 holds 5 characters
  const std::string room(5, 'b');
  const std::string room_more_one(6, 'c');
  EXPECT_EQ(cr_lines(room_less_one + "\r\n", 6), (std::vector<std::string>{"aaaa"}));
  // A line of exactly the room stops before its CR, which then ends an empty line.
  EXPECT_EQ(cr_lines(room + "\r\n", 6), (std::vector<std::string>{"bbbbb", ""}));
  EXPECT_EQ(cr_lines(room_more_one + "\r\n", 6), (std::vector<std::string>{"ccccc", "c"}));
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

TEST(TrimTrailingBlanks, RemovesOnlyTrailingSpaces) {
  char a[] = "10 k  ";
  trim_trailing_blanks(a);
  EXPECT_STREQ(a, "10 k");
  char b[] = "   ";
  trim_trailing_blanks(b);
  EXPECT_STREQ(b, "");
}

}  // namespace
}  // namespace veltrax
