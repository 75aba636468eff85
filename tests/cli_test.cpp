// The command-line program as a user runs it: exit status, standard output and error, files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "case_file.h"
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
    return shell(env + " '" + VELTRAX_CLI + "' " + args);
  }
  // Runs shell commands in the scratch folder.
  Outcome shell(const std::string& commands) {
    const std::string line =
        "cd '" + dir.path().string() + "' && (" + commands + ") >out.txt 2>err.txt";
    const int raw = std::system(line.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::read_file(dir / "out.txt"),
            test::read_file(dir / "err.txt")};
  }
  test::ScratchDir dir;
};

// The cases of tests/cli_cases.txt, then what a run leaves in the folder.
TEST_F(Cli, ExitsWithZeroOneOrTwoAndSaysWhy) {
  const auto matches = [](const std::string& actual, const std::string& expected) {
    return expected.starts_with('*') ? actual.find(expected.substr(1)) != std::string::npos
                                     : actual == expected;
  };
  for (const test::Case& c : test::read_cases("cli_cases.txt", [](const std::string& key) {
         return key == "run" || key.starts_with("file ");
       })) {
    SCOPED_TRACE(c.where);
    if (c.kind != "run") {
      test::write_file(dir / c.kind.substr(5), c.text);
      continue;
    }
    const Outcome o = run(c.text);
    EXPECT_EQ(std::to_string(o.status), c.expected.at("status"));
    if (c.expected.contains("out")) {
      EXPECT_TRUE(matches(o.out, c.expected.at("out"))) << o.out;
    }
    EXPECT_TRUE(matches(o.err, c.expected.at("err"))) << o.err;
  }
  EXPECT_EQ(test::read_file(dir / "cmp.net"), kCmp);  // not replaced by a result
  run("-n ref.net cmp.net");
  EXPECT_NE(run("-n ref.net cmp.net").out.find("Result file: cmp-01.csv"), std::string::npos);
  ASSERT_EQ(run("./ref.net ../" + dir.path().filename().string() + "/cmp.net -o out").status, 1);
  const std::string result = test::read_file(dir / "out");  // the paths as given
  EXPECT_EQ(result.substr(0, result.find("\r\n\r\n")),
            "Ref=./ref.net\r\nCmp=../" + dir.path().filename().string() + "/cmp.net");
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
  EXPECT_EQ(run("-l ja ref.net ref.net", "LC_ALL=C.UTF-8").out,
            "Parts: same=2\nPins : same=2, net name=0\nCompleted\n結果ファイル: ref.csv\n");
}

// The help made from the option table, byte for byte in both languages.
TEST_F(Cli, PrintsTheHelpInEitherLanguage) {
  const std::filesystem::path help = std::filesystem::path(VELTRAX_SOURCE_DIR) / "tests/cli_help";
  EXPECT_EQ(run("--help").out, test::read_file(help / "en.txt"));
  EXPECT_EQ(run("-l ja -h", "LC_ALL=C.UTF-8").out, test::read_file(help / "ja.txt"));
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

TEST_F(Cli, PrintsTheListingInColourOnlyWhenAskedAndLeavesTheResultFileAsItWas) {
  ASSERT_EQ(run("ref.net cmp.net -o plain.csv").status, 1);
  const Outcome always = run("-q --print --color=always ref.net cmp.net");
  EXPECT_EQ(always.status, 1);
  EXPECT_NE(always.out.find("\x1b[1mParts:\x1b[0m value 1, unchanged 1\n"), std::string::npos);
  EXPECT_NE(always.out.find("R1  10k / R0603 -> 22k / R0603\n"), std::string::npos);
  EXPECT_EQ(test::read_file(dir / "cmp.csv"), test::read_file(dir / "plain.csv"));
  EXPECT_NE(run("--print ref.net cmp.net").out.find("Result file: cmp.csv\n\nReference  ref.net"),
            std::string::npos);  // the summary, then the listing
  for (const char* piped : {"--color=never", "--color=auto", ""})
    EXPECT_EQ(run(std::string("-q --print ref.net cmp.net ") + piped).out.find('\x1b'),
              std::string::npos)
        << piped;
  // On a terminal, auto colours unless NO_COLOR asks for none.
  const auto on_terminal = [&](const std::string& env) {
    return shell("script -qec \"" + env + " '" + VELTRAX_CLI +
                 "' -q --print ref.net cmp.net\" /dev/null")
        .out;
  };
  EXPECT_NE(on_terminal("").find("\x1b[1m"), std::string::npos);
  EXPECT_EQ(on_terminal("NO_COLOR=1").find('\x1b'), std::string::npos);

  const Outcome stat = run("-q --stat ref.net cmp.net");
  EXPECT_EQ(stat.status, 1);
  EXPECT_NE(stat.out.find("\nParts: value 1, unchanged 1\nNets: no changes\nPins: unchanged 2\n"),
            std::string::npos)
      << stat.out;
  EXPECT_EQ(stat.out.find("22k"), std::string::npos);
}

TEST_F(Cli, ServesGitAsItsExternalDiffProgram) {
  const auto git = [&](const std::string& command) {
    return shell("export GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null HOME=. LC_ALL=C; " +
                 command);
  };
  test::write_file(dir / "board.net", kRef);
  const std::string bad = "bad\x1b[2J.net";  // a path of a repository is hostile data too
  test::write_file(dir / bad, kRef);
  test::write_file(dir / ".gitattributes", "*.net diff=netlist\n");
  ASSERT_EQ(git("git init -q && git config user.name T && git config user.email t@example.com && "
                "git config diff.netlist.command \"" VELTRAX_CLI "\" && "
                "git add .gitattributes *.net && git commit -qm one")
                .status,
            0);
  test::write_file(dir / "board.net", kCmp);
  test::write_file(dir / bad, "no netlist\n");
  ASSERT_EQ(git("git commit -qam two").status, 0);
  const Outcome committed = git("git diff HEAD~1 HEAD");
  EXPECT_EQ(committed.status, 0);
  // A netlist that cannot be read is told on standard error, and git goes on to the next.
  EXPECT_EQ(
      committed.err,
      "veltrax_diffr: b/bad\\x1B[2J.net: cannot tell the netlist format from its first line \"no "
      "netlist\"; name it with --format\n");
  EXPECT_NE(committed.out.find("Reference  a/board.net  (PADS; parts 2, pins 2)\n"
                               "Compare    b/board.net  (PADS; parts 2, pins 2)\n"),
            std::string::npos)
      << committed.out;
  EXPECT_NE(committed.out.find("  value  R1  10k / R0603 -> 22k / R0603\n"), std::string::npos);

  test::write_file(dir / "board.net",
                   test::pads_netlist("R1 22k@R0603\nU1 LM358@SO8", "AGND: R1.1 U1.4"));
  const Outcome worktree = git("git diff board.net");
  EXPECT_EQ(worktree.status, 0);
  EXPECT_NE(worktree.out.find("  renamed  GND -> AGND  R1.1 U1.4\n"), std::string::npos)
      << worktree.out;
  const Outcome renamed = git("git mv -f board.net main.net && git diff -M --cached HEAD");
  EXPECT_EQ(renamed.status, 0);
  EXPECT_NE(renamed.out.find("a/board.net"), std::string::npos) << renamed.out;
  EXPECT_NE(renamed.out.find("b/main.net"), std::string::npos);
  EXPECT_EQ(test::folder_names(dir.path()),
            (std::vector<std::string>{".git", ".gitattributes", bad, "cmp.net", "err.txt",
                                      "main.net", "out.txt", "ref.net"}));  // no result file

  // An unmerged path alone, and git's pager, which takes colour as git's own diff does.
  EXPECT_EQ(run("main.net", "GIT_DIFF_PATH_TOTAL=1").out, "main.net: unmerged\n");
  const std::string operands = "main.net ref.net 0 100644 cmp.net 0 100644";
  EXPECT_NE(run(operands, "GIT_PAGER_IN_USE=true").out.find("\x1b[33mvalue"), std::string::npos);
  EXPECT_EQ(run(operands, "GIT_PAGER_IN_USE=true NO_COLOR=1").out.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace veltrax
