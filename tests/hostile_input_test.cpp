// Hostile input: whatever bytes a netlist holds, every reader and the whole run end cleanly with
// a result or a clear error, keep every text within its room and their memory bounded. (Reads
// and writes outside a buffer are caught by the sanitizer build that runs these same tests.)
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "compare/run.h"
#include "netlist/index.h"
#include "netlist/reader.h"
#include "support.h"

namespace veltrax {
namespace {

// A header that takes each format into its pin list, and a unit that repeats in that list.
struct Grammar {
  int format;
  const char* header;
  const char* unit;
};
const Grammar kGrammars[] = {
    {FORMAT_CADVANCE, "$NET_LIST {\r\n nets {\r\n  N = {", "U1-1, U2-22,\r\n"},
    {FORMAT_MM2, "$PTS\r\nF ! V ; U1\r\n$NET\r\nN; ", "U1-1, U2-22,\r\n"},
    {FORMAT_CADLUS, "N U0 1\r\n", "N U1 1\r\n"},
    {FORMAT_PROTEL, "(\r\nN\r\n", "U1-1\r\n"},
    {FORMAT_TELESIS, "$NETS\r\nN ; ", "U1.1 U2.22 ,\r\n"},
    {FORMAT_CCF, "$CCF {\r\n NET {\r\n  N : ", "U1(1), U2(22),\r\n"},
    {FORMAT_PADS, "*NET*\r\n*SIGNAL* N\r\n", "U1.1 U2.22\r\n"},
};

class HostileInput : public ::testing::Test {
 protected:
  // Reads and indexes; checks the counts and that every kept text is within its room.
  int read(int format, InputFile& in, int option = 0) {
    store = test::new_store();
    int pins = 0;
    const int result = index_netlist(*store, read_netlist(format, in, *store, pins, option), pins);
    EXPECT_LE(result, PART_CAPACITY);
    if (result < 0) return result;
    EXPECT_GE(pins, 1);
    EXPECT_LE(pins, PIN_CAPACITY);
    const auto fits = [](const char* text, int room) {
      return strnlen(text, static_cast<std::size_t>(room) + 1) <= static_cast<std::size_t>(room);
    };
    for (int i = 0; i < result; ++i) {
      const PartRecord& p = store->parts[i];
      EXPECT_TRUE(fits(p.designator, DESIGNATOR_ROOM) && fits(p.value, VALUE_ROOM) &&
                  fits(p.footprint, FOOTPRINT_ROOM))
          << "part " << i;
    }
    for (int i = 0; i < pins; ++i) {
      const PinRecord& p = store->pins[i];
      EXPECT_TRUE(fits(p.designator, DESIGNATOR_ROOM) && fits(p.pin, PIN_ROOM) &&
                  fits(p.net, NET_ROOM))
          << "pin " << i;
    }
    return result;
  }
  int read(int format, const std::string& text, int option = 0) {
    InputFile in(text);
    return read(format, in, option);
  }

  std::unique_ptr<test::TestStore> store;
};

TEST_F(HostileInput, AnyBytesAnywhereAndLinesOfAMegabyte) {
  std::mt19937 rng(20261206);
  // Bytes weighted towards the ones the grammars care about.
  const std::string interesting = std::string("\0\r\n\t \"'!;,.-*$[](){}=@:|/", 26) + "\x80\xff";
  const std::string megabyte(1 << 20, 'A');
  for (const Grammar& g : kGrammars) {
    for (int round = 0; round < 300; ++round) {
      std::string text = round % 2 == 0 ? g.header : "";
      const int length = static_cast<int>(rng() % 3000);
      for (int k = 0; k < length; ++k) {
        const unsigned r = rng();
        text += r % 3 == 0 ? interesting[r / 3 % interesting.size()]
                           : static_cast<char>(r % 4 == 1 ? 'A' + r / 4 % 26 : r / 4 % 256);
      }
      read(g.format, text, static_cast<int>(rng() % 10));
    }
    read(g.format, megabyte);
    read(g.format, std::string(g.header) + megabyte + "\r\n" + g.unit);
    read(g.format, std::string(g.header) + g.unit + megabyte);
  }
}

// A file of hundreds of megabytes, made as it is read: the header, then the unit over and over.
struct Generated {
  std::string header;
  std::string unit;
  std::size_t left;
  std::size_t at = 0;
  static ssize_t read(void* cookie, char* buf, std::size_t size) {
    auto& g = *static_cast<Generated*>(cookie);
    std::size_t n = 0;
    while (n < size && g.left > 0) {
      const std::string& piece = g.at < g.header.size() ? g.header : g.unit;
      const std::size_t offset =
          g.at < g.header.size() ? g.at : (g.at - g.header.size()) % g.unit.size();
      const std::size_t take = std::min({size - n, piece.size() - offset, g.left});
      std::memcpy(buf + n, piece.data() + offset, take);
      n += take;
      g.at += take;
      g.left -= take;
    }
    return static_cast<ssize_t>(n);
  }
};

long peak_kilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST_F(HostileInput, FilesOfHundredsOfMegabytesKeepMemoryBounded) {
  constexpr std::size_t SIZE = std::size_t{200} << 20;
  read(FORMAT_PADS, "*NET*\r\n*SIGNAL* N\r\nU1.1\r\n");  // the tables are touched already
  const long before = peak_kilobytes();
  for (const Grammar& g : kGrammars) {
    Generated source{g.header, g.unit, SIZE};
    std::FILE* f = fopencookie(&source, "rb", {Generated::read, nullptr, nullptr, nullptr});
    ASSERT_NE(f, nullptr);
    InputFile in(f);
    const int result = read(g.format, in);
    std::fclose(f);
    // The line readers read it all; the condensing readers stop silently at their buffer, which
    // may leave the text cut inside an entry: a format error, but never more memory.
    const bool line_reader =
        g.format == FORMAT_PADS || g.format == FORMAT_PROTEL || g.format == FORMAT_CCF;
    if (line_reader) {
      EXPECT_GE(result, 0) << format_at(g.format).name;
      // Pins past the table are counted by these readers only.
      EXPECT_EQ(store->part_overflow > 0, g.format != FORMAT_PROTEL) << format_at(g.format).name;
    }
  }
  EXPECT_LT(peak_kilobytes() - before, 64 * 1024);
}

// Whole runs on files that cannot be read, are one file twice, or come from a pipe.
TEST(HostileRun, EndsWithAResultOrAClearError) {
  test::ScratchDir dir;
  const auto s = test::new_settings();
  s->param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
  s->param[ref_format_param(0)] = s->param[cmp_format_param(0)] = FORMAT_PADS;
  const std::string result = dir / "result.csv";
  RunOptions options;
  options.result_name = result.c_str();
  const auto run = [&](const std::string& ref, const std::string& cmp) {
    set_slot(*s, ref_path_slot(0), ref);
    set_slot(*s, cmp_path_slot(0), cmp);
    RunReport report;
    comparison_run(*s, options, &report);
    return report;
  };
  const std::string small = dir / "small.net";
  test::write_file(small, "*PART*\r\nU1 X\r\n*NET*\r\n*SIGNAL* N\r\nU1.1 U1.2\r\n");

  // Opening /proc/self/mem succeeds; reading it from its start fails.
  RunReport report = run("/proc/self/mem", small);
  EXPECT_EQ(report.outcome, RunOutcome::reference_unopened);
  EXPECT_NE(report.sys_error, 0);
  EXPECT_STREQ(s->slot[SLOT_DISPLAYED_MESSAGE], "Can't open the input file.\n/proc/self/mem");

  report = run(small, small);
  EXPECT_EQ(report.outcome, RunOutcome::completed);
  EXPECT_FALSE(report.differences);

  // A netlist of hundreds of megabytes from a pipe.
  const std::string fifo = dir / "huge.net";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] {
    std::FILE* f = std::fopen(fifo.c_str(), "wb");
    if (f == nullptr) return;
    std::fputs("*NET*\r\n*SIGNAL* N\r\n", f);
    std::string line;
    for (int k = 0; k < 1000; ++k)
      line += "U" + std::to_string(k) + ".1 ";
    line += "\r\n";
    for (std::size_t n = 0; n < (std::size_t{300} << 20) && std::fputs(line.c_str(), f) != EOF;)
      n += line.size();
    std::fclose(f);
  });
  report = run(small, fifo);
  writer.join();
  EXPECT_EQ(report.outcome, RunOutcome::completed);
  EXPECT_NE(std::string(s->slot[SLOT_DISPLAYED_MESSAGE]).find("error="), std::string::npos);
}

// Every prefix of every golden netlist, read by its format's reader: a file cut anywhere.
TEST_F(HostileInput, TruncatedAtEveryPosition) {
  for (const auto& entry : std::filesystem::directory_iterator(VELTRAX_GOLDEN_DIR)) {
    const std::string settings = test::read_file(entry.path() / "case.txt");
    const auto digit = [&](const std::string& key, int otherwise) {
      const auto at = settings.find(key + "=");
      return at == std::string::npos ? otherwise : settings[at + key.size() + 1] - '0';
    };
    const std::string text = test::read_file(entry.path() / "ref.net");
    for (std::size_t length = 0; length <= text.size(); ++length)
      read(digit("ref_format", FORMAT_PADS), text.substr(0, length), digit("format_option", 0));
  }
}

}  // namespace
}  // namespace veltrax
