#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Controls but CR are dropped; a line of exactly the room stops before its CR, which then ends
// an empty line; a longer one goes on as the next line.
TEST(ReadCrLine, EndsAtCrDropsControlsAndCutsAtTheBuffer) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string bytes;
    int size;
    Lines lines;
  } cases[] = {
      {"ab\r\ncd\r\n", 520, {"ab", "cd"}},
      {"a\tb\x01"
       "c\r",
       520,
       {"abc"}},
      {"\r\n\r\nx", 520, {"", "", "x"}},
      {"\t", 520, {}},  // nothing stored, then the end
      {"", 520, {}},
      {"\xff\x80 \x7f\r", 520, {"\xff\x80 \x7f"}},
      {"aaaa\r\n", 6, {"aaaa"}},  // a buffer of 6 holds 5 characters
      {"bbbbb\r\n", 6, {"bbbbb", ""}},
      {"cccccc\r\n", 6, {"ccccc", "c"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cr_lines(c.bytes, c.size), c.lines) << c.bytes;
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
