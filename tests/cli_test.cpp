// The command-line program as a user runs it: exit status, standard output and error, files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "netlist/limits.h"
#include "support.h"

namespace veltrax {
namespace {

const std::string kRef = test::pads_netlist("R1 10k@R0603\nU1 LM358@SO8", "GND: R1.1 U1.4");
const std::string kCmp = test::pads_netlist("R1 22k@R0603\nU1 LM358@SO8", "GND: R1.1 U1.4");

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    test::write_file(dir / "ref.net", kRef);
    test::write_file(dir / "cmp.net", kCmp);
  }
  // Runs the program in the scratch folder with the given arguments (shell words).
  Outcome run(const std::string& args, const std::string& env = "LC_ALL=C") {
    const std::string command = "cd '" + dir.path().string() + "' && " + env + " '" + VELTRAX_CLI +
                                "' " + args + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::read_file(dir / "out.txt"),
            test::read_file(dir / "err.txt")};
  }
  test::ScratchDir dir;
};

TEST_F(Cli, ExitsWithZeroOneOrTwo) {
  Outcome same = run("ref.net ref.net");
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out,
            "Parts: same=2\nPins : same=2, net name=0\nCompleted\nResult file: ref.csv\n");
  EXPECT_EQ(same.err, "");

  Outcome changed = run("-q ref.net cmp.net");
  EXPECT_EQ(changed.status, 1);
  EXPECT_EQ(changed.out, "");

  // A failure says nothing on standard output, and one line on standard error per problem.
  test::write_file(dir / "empty.net", "");
  std::filesystem::create_directory(dir / "folder");
  Outcome missing = run("nothing.net folder");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "veltrax_diffr: nothing.net: cannot read the netlist: No such file or directory\n"
            "veltrax_diffr: folder: is a directory\n");
  EXPECT_EQ(run("ref.net empty.net").err, "veltrax_diffr: empty.net: is empty\n");
}

TEST_F(Cli, WarnsOnStandardErrorEvenWhenQuiet) {
  const std::string net(NET_ROOM, 'N');
  test::write_file(dir / "long.net", test::pads_netlist("R1 1k", net + ": R1.1 R1.2"));
  const Outcome o = run("-q long.net long.net");
  EXPECT_EQ(o.status, 0);  // names that may have been cut are no difference by themselves
  EXPECT_EQ(o.out, "");
  const std::string warning =
      "veltrax_diffr: warning: long.net: names that fill their room (designator 20, pin 10, net 50 "
      "bytes) may have been cut; names alike up to there are compared as one.\n";
  EXPECT_EQ(o.err, warning + warning);
}

TEST_F(Cli, ReadsNetlistsFromPipesOnceAndWritesTheResultToStandardOutput) {
  // Standard input and a pipe by its path (as a process substitution gives), told by their
  // first bytes.
  const auto rows = [&](const char* file) {
    const std::string text = test::read_file(dir / file);
    return text.substr(text.find("Category"));
  };
  ASSERT_EQ(run("ref.net cmp.net -o files.csv").status, 1);
  EXPECT_EQ(run("/dev/stdin cmp.net", "cat ref.net | LC_ALL=C").status, 1);
  EXPECT_EQ(rows("cmp.csv"), rows("files.csv"));
  EXPECT_EQ(run("-q ref.net - -o piped.csv < cmp.net").status, 1);
  EXPECT_EQ(rows("piped.csv"), rows("files.csv"));
  EXPECT_EQ(test::read_file(dir / "piped.csv").substr(0, 20), "Ref=ref.net\r\nCmp=-\r\n");
  EXPECT_EQ(run("- - -o both.csv < ref.net").status, 2);  // one standard input for two
  EXPECT_EQ(run("ref.net -").status, 2);  // a result cannot be named from standard input

  const Outcome out = run("ref.net cmp.net -o -");
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.out, test::read_file(dir / "files.csv"));
  EXPECT_NE(out.err.find("Completed\nResult file: standard output\n"), std::string::npos);
  const Outcome failed = run("ref.net cmp.net -f ccf -o -");
  EXPECT_EQ(failed.status, 2);
  EXPECT_EQ(failed.out, "");
}

TEST_F(Cli, ExitsWithOneForPinRowsAlone) {
  test::write_file(dir / "renamed.net",
                   test::pads_netlist("R1 10k@R0603\nU1 LM358@SO8", "VSS: R1.1 U1.4"));
  const Outcome o = run("ref.net renamed.net");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out,
            "Parts: same=2\nPins : same=0, net name=2\nCompleted\nResult file: renamed.csv\n");
}

TEST_F(Cli, WritesThePathsAsGivenAndTheResultWhereToldExactly) {
  ASSERT_EQ(run("./ref.net ../" + dir.path().filename().string() + "/cmp.net -o out").status, 1);
  const std::string result = test::read_file(dir / "out");
  EXPECT_EQ(result.substr(0, result.find("\r\n\r\n")),
            "Ref=./ref.net\r\nCmp=../" + dir.path().filename().string() + "/cmp.net");
}

TEST_F(Cli, RefusesToWriteTheResultOverANetlist) {
  const Outcome o = run("ref.net cmp.net --output=cmp.net");
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find("would replace a netlist"), std::string::npos);
  EXPECT_EQ(test::read_file(dir / "cmp.net"), kCmp);
}

TEST_F(Cli, ReportsFormatErrorsAndUnknownFormats) {
  test::write_file(dir / "bad.net", "*PADS*\r\n*NET*\r\n*SIGNAL*\r\n");
  Outcome bad = run("ref.net bad.net");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "veltrax_diffr: bad.net:3: format error -2: a '*SIGNAL*' line has no net name "
            "(read as PADS)\n");
  test::write_file(dir / "nul.net", std::string(1, '\0'));  // no line read: none named
  EXPECT_EQ(run("-f pads ref.net nul.net").err,
            "veltrax_diffr: nul.net: format error -9: nothing was read, or no pin was found "
            "(read as PADS)\n");

  // The first line is shown with every byte a terminal could take as a command escaped.
  test::write_file(dir / "plain.txt", "hello \x1b]0;owned\x07\x9b\\ \r\nsecond line\n");
  Outcome unknown = run("ref.net plain.txt");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err,
            "veltrax_diffr: plain.txt: cannot tell the netlist format from its first line "
            "\"hello \\x1B]0;owned\\x07\\x9B\\x5C \"; name it with --format\n");
  EXPECT_EQ(run("-f pads ref.net plain.txt").status, 2);  // then a format error, -9
}

TEST_F(Cli, RejectsBadUsage) {
  for (const char* args : {"", "ref.net", "a b c", "-f nope a b", "-x 12 a b", "-l fr a b",
                           "--bogus a b", "-n -o x a b", "-o"}) {
    const Outcome o = run(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_NE(o.err.find("Try 'veltrax_diffr --help'"), std::string::npos) << args;
  }
  EXPECT_EQ(run("--help").status, 0);
}

TEST_F(Cli, SaysEverythingInJapaneseInTheTerminalsEncoding) {
  const std::string missing = "veltrax_diffr: missing.net: ネットリストが読めません: ";
  EXPECT_EQ(run("-l ja ref.net missing.net", "LC_ALL=C.UTF-8").err.substr(0, missing.size()),
            missing);
  const std::string sjis = test::shift_jis(missing);
  EXPECT_EQ(run("ref.net missing.net --lang=ja", "LC_ALL=C").err.substr(0, sjis.size()), sjis);
  // A mistake in the options is told in the language asked for after it too.
  EXPECT_EQ(run("--bogus -l ja a b", "LC_ALL=C.UTF-8").err,
            "veltrax_diffr: 知らないオプションです: '--bogus'\n"
            "詳しくは 'veltrax_diffr --help' を見てください。\n");
  EXPECT_EQ(run("-l ja -h", "LC_ALL=C.UTF-8").out.substr(0, 10), "使い方:");
  EXPECT_EQ(run("-l ja ref.net ref.net", "LC_ALL=C.UTF-8").out,
            "Parts: same=2\nPins : same=2, net name=0\nCompleted\n結果ファイル: ref.csv\n");
}

TEST_F(Cli, IgnoresWhatTheRulesNameButKeepsTheResultFileWhole) {
  // The compare netlist changes R1's value, moves U1.4 onto a net of its own and leaves U1.1 open.
  test::write_file(dir / "moved.net", test::pads_netlist("R1 22k@R0603\nU1 LM358@SO8",
                                                         "GND: R1.1 R1.2\nTP: U1.4\nX: U1.1"));
  ASSERT_EQ(run("-q ref.net moved.net -o all.csv").status, 1);
  const std::string all = test::read_file(dir / "all.csv");
  test::write_file(dir / "rules.txt", "# ours\npart R*\nnet GND\n");
  const struct {
    const char* options;
    int status;
  } cases[] = {
      {"--ignore-part R1", 1},
      {"--ignore-part 'R*' --ignore-net GND", 1},  // U1.4 and U1.1 still changed
      {"--ignore-file rules.txt --ignore-open-pins", 0},
      {"--ignore-part '[RU]1'", 0},
  };
  for (const auto& c : cases) {
    const Outcome o = run(std::string("-q ref.net moved.net -o kept.csv ") + c.options);
    EXPECT_EQ(o.status, c.status) << c.options;
    EXPECT_EQ(test::read_file(dir / "kept.csv"), all) << c.options;
  }
  test::write_file(dir / "bad.txt", "part R1\nparts R2\n");
  const Outcome bad = run("ref.net moved.net --ignore-file bad.txt");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err,
            "veltrax_diffr: bad.txt:2: not a rule: use 'part GLOB', 'net GLOB' or 'open-pins'\n");
}

TEST_F(Cli, NumbersResultFiles) {
  run("-n ref.net cmp.net");
  const Outcome second = run("-n ref.net cmp.net");
  EXPECT_NE(second.out.find("Result file: cmp-01.csv"), std::string::npos);
}

}  // namespace
}  // namespace veltrax
