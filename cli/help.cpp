#include "cli/help.h"

#include <cstddef>

#include "settings/settings.h"

namespace veltrax {

namespace {

// Where the meanings start: the option column is padded to 24 characters, then two blanks.
constexpr std::size_t OPTION_COLUMN = 24;
constexpr std::size_t MEANING_COLUMN = OPTION_COLUMN + 2;

constexpr OptionHelp kComparison[] = {
    {{"-f", "--format", "FMT"},
     {"both netlists' format: auto (default), cadvance, mm2, cadlus,\n"
      "protel, telesis, ccf, pads, or the index 0-6",
      "両方のネットリストの形式: auto (既定), cadvance, mm2, cadlus,\n"
      "protel, telesis, ccf, pads, または番号 0-6"}},
    {{nullptr, "--ref-format", "FMT"},
     {"the reference netlist's format", "基準ネットリストの形式"}},
    {{nullptr, "--cmp-format", "FMT"}, {"the compare netlist's format", "比較ネットリストの形式"}},
    {{"-o", "--output", "PATH"},
     {"result file (default: CMP with the extension .csv);\n"
      "- writes it to standard output and the summary to standard error",
      "結果ファイル (既定: CMP の拡張子を .csv にしたもの)。\n"
      "- なら結果を標準出力に、集計を標準エラー出力に書きます"}},
    {{"-n", "--auto-inc"},
     {"numbered result files (board-00.csv, board-01.csv, ...)",
      "番号付きの結果ファイル (board-00.csv, board-01.csv, ...)"}},
    {{"-x", "--format-option", "N"}, {"the format option (0-9)", "フォーマット・オプション (0-9)"}},
    {{nullptr, "--no-limits"},
     {"compare netlists of any size whole: no table capacity, no name\n"
      "cut (the defaults are 6000 parts, 20000 pins, names of 20/10/50)",
      "大きさの上限なしに全体を比較します(表の上限も名前の切り詰めも\n"
      "なし。既定は部品6000、ピン20000、名前20/10/50バイト)"}},
    {{"-l", "--lang", "en|ja"}, {"message language (default en)", "メッセージの言語 (既定 en)"}},
    {{"-q", "--quiet"},
     {"no summary on standard output (warnings still on standard error)",
      "標準出力に集計を出さない (警告は標準エラー出力に出ます)"}},
};

constexpr OptionHelp kReview[] = {
    {{nullptr, "--print"},
     {"the changes as a listing on standard output", "変更の一覧を標準出力に出す"}},
    {{nullptr, "--stat"}, {"the counts alone", "件数だけを出す"}},
    {{nullptr, "--color", "WHEN", true},
     {"colour the listing: auto (default), always, never", "一覧の色: auto (既定), always, never"}},
    {{nullptr, "--json", "PATH"}, {"the comparison as JSON", "比較結果を JSON で書く"}},
    {{nullptr, "--html", "PATH"},
     {"a report to open in a browser", "ブラウザで開くレポートを書く"}},
    {{nullptr, "--markdown", "PATH"},
     {"a summary for a pull-request comment", "プルリクエストのコメント用の要約を書く"}},
    {{nullptr, "--ignore-part", "GLOB"},
     {"leave parts (and their pins) out of the views and the exit status",
      "その部品 (とそのピン) を表示と終了コードから外す"}},
    {{nullptr, "--ignore-net", "GLOB"},
     {"leave nets out the same way", "そのネットを同じように外す"}},
    {{nullptr, "--ignore-open-pins"},
     {"leave pins alone on their net out the same way", "単独ピンのネットを同じように外す"}},
    {{nullptr, "--ignore-file", "FILE"},
     {"rules, one a line: part GLOB, net GLOB, open-pins; # comments",
      "一行に一つの規則: part GLOB, net GLOB, open-pins。# はコメント"}},
};

constexpr OptionHelp kProgram[] = {
    {{"-h", "--help"}, {"this text", "この説明"}},
    {{nullptr, "--version"}, {"the program's version", "プログラムの版"}},
};

const OptionGroup kGroups[] = {
    {{nullptr, nullptr}, kComparison},
    {{"Review views (the result file stays as it is; PATH - is standard output):",
      "レビュー用の表示 (結果ファイルはそのまま。PATH が - なら標準出力):"},
     kReview},
    {{nullptr, nullptr}, kProgram},
};

// "  -f, --format FMT", "      --color[=WHEN]".
std::string option_column(const OptionName& o) {
  std::string out = o.short_name != nullptr ? std::string("  ") + o.short_name + ", " : "      ";
  out += o.long_name;
  if (o.argument != nullptr) {
    out += o.optional_argument ? "[=" : " ";
    out += o.argument;
    if (o.optional_argument) out += ']';
  }
  return out;
}

}  // namespace

const char* Bilingual::in(int language) const {
  return language == LANGUAGE_JAPANESE ? japanese : english;
}

const Help HELP = {
    {"Usage", "使い方"},
    {"[options] REF CMP", "[オプション] REF CMP"},
    {"Compares the reference netlist REF with the compare netlist CMP and writes every added,\n"
     "deleted or changed part and every changed pin connection into a CSV result file.\n"
     "REF or CMP may be - (standard input) or a pipe; each is read once.\n",
     "基準ネットリスト REF と比較ネットリスト CMP を比べ、追加・削除・変更された部品と、\n"
     "接続の変わったピンをすべて CSV の結果ファイルに書きます。\n"
     "REF と CMP には - (標準入力) やパイプも使えます。どちらも一度だけ読みます。\n"},
    kGroups,
    {"Exit status", "終了コード"},
    {"0 no difference; 1 differences found (a part row, a pin row other than that\n"
     "of a pin alone on its net on both sides, parts dropped at a full table, or a netlist not\n"
     "read whole); 2 trouble (bad usage, a file that cannot be read or created, a format error).\n",
     "0 違いなし。1 違いあり (部品の行、両側とも単独ピンのネットである行以外の\n"
     "ピンの行、表が満杯で落ちた部品、全部は読めなかったネットリスト)。2 問題あり (使い方の\n"
     "誤り、読めない・作れないファイル、フォーマット・エラー)。\n"},
};

std::string help_text(int language) {
  std::string out = std::string(HELP.usage_label.in(language)) + ": " + PROGRAM + " " +
                    HELP.operands.in(language) + "\n" + HELP.description.in(language);
  for (const OptionGroup& group : HELP.groups) {
    out += '\n';
    if (group.heading.english != nullptr) (out += group.heading.in(language)) += '\n';
    for (const OptionHelp& o : group.options) {
      const std::string column = option_column(o.name);
      out += column;
      out.append(OPTION_COLUMN > column.size() ? OPTION_COLUMN - column.size() : 0, ' ');
      out += "  ";
      for (const char* meaning = o.meaning.in(language); *meaning != '\0'; ++meaning) {
        out += *meaning;
        if (*meaning == '\n') out.append(MEANING_COLUMN, ' ');
      }
      out += '\n';
    }
  }
  return out + "\n" + HELP.exit_status_label.in(language) + ": " + HELP.exit_status.in(language);
}

}  // namespace veltrax
