// The command-line program as a user runs it: exit status, standard output and error, files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

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

  Outcome missing = run("ref.net nothing.net");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "Can't open the input file.\nnothing.net\n");
  EXPECT_EQ(missing.err,
            "veltrax_diffr: nothing.net: cannot read the netlist: No such file or directory\n");
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
  EXPECT_EQ(bad.out, "-2 Format error\nbad.net\n");
  EXPECT_EQ(bad.err,
            "veltrax_diffr: bad.net:3: format error -2: a '*SIGNAL*' line has no net name "
            "(read as PADS)\n");
  test::write_file(dir / "empty.net", "");  // no line read: none named
  EXPECT_EQ(run("-f pads ref.net empty.net").err,
            "veltrax_diffr: empty.net: format error -9: nothing was read, or no pin was found "
            "(read as PADS)\n");

  test::write_file(dir / "plain.txt", "hello\n");
  Outcome unknown = run("ref.net plain.txt");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("cannot tell the netlist format"), std::string::npos);
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

TEST_F(Cli, PrintsJapaneseInTheTerminalsEncoding) {
  const Outcome utf8 = run("-l ja ref.net missing.net", "LC_ALL=C.UTF-8");
  EXPECT_EQ(utf8.out, "入力ファイルが開けません\nmissing.net\n");
  const Outcome c_locale = run("-l ja ref.net missing.net", "LC_ALL=C");
  EXPECT_EQ(c_locale.out,
            "\x93\xfc\x97\xcd\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc"
            "\x82\xb9\x82\xf1\nmissing.net\n");
}

TEST_F(Cli, NumbersResultFiles) {
  run("-n ref.net cmp.net");
  const Outcome second = run("-n ref.net cmp.net");
  EXPECT_NE(second.out.find("Result file: cmp-01.csv"), std::string::npos);
}

}  // namespace
}  // namespace veltrax
