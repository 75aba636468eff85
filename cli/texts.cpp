#include "cli/texts.h"

#include <array>
#include <cstdarg>
#include <cstdio>

#include "cli/help.h"
#include "cli/terminal.h"
#include "settings/settings.h"

namespace veltrax {

namespace {

struct Texts {
  const char* english;
  const char* japanese;
};

constexpr std::array<Texts, static_cast<std::size_t>(Say::count)> kTexts = {{
    // try_help
    {"Try 'veltrax_diffr --help' for more information.\n",
     "詳しくは 'veltrax_diffr --help' を見てください。\n"},
    // unknown_format
    {"unknown format '%s'", "知らない形式です: '%s'"},
    // too_many_netlists
    {"too many netlists: '%s'", "ネットリストが多すぎます: '%s'"},
    // option_needs_value
    {"option '%s' needs a value", "オプション '%s' には値が要ります"},
    // option_takes_no_value
    {"option '%s' takes no value", "オプション '%s' は値を取りません"},
    // empty_result_name
    {"the result file name is empty", "結果ファイルの名前が空です"},
    // bad_format_option
    {"the format option is 0 to 9", "フォーマット・オプションは 0 から 9 です"},
    // bad_language
    {"the language is en or ja", "言語は en か ja です"},
    // unknown_option
    {"unknown option '%s'", "知らないオプションです: '%s'"},
    // two_netlists_needed
    {"two netlists are needed: REF and CMP", "ネットリストが二つ要ります: REF と CMP"},
    // output_and_auto_inc
    {"-o and -n cannot be used together", "-o と -n は一緒に使えません"},
    // one_standard_input
    {"only one netlist can be read from standard input",
     "標準入力から読めるネットリストは一つだけです"},
    // name_result_of_standard_input
    {"the compare netlist is read from standard input: name the result file with -o",
     "比較ネットリストを標準入力から読むときは -o で結果ファイルを指定してください"},
    // cannot_read_netlist
    {"%s: cannot read the netlist: %s", "%s: ネットリストが読めません: %s"},
    // is_a_directory
    {"%s: is a directory", "%s: フォルダです"},
    // is_empty
    {"%s: is empty", "%s: 空のファイルです"},
    // format_not_told
    {"%s: cannot tell the netlist format from its first line \"%s\"; name it with --format",
     "%s: 最初の行 \"%s\" からはネットリストの形式が分かりません。--format で指定してください"},
    // path_too_long
    {"%s...: path longer than %d bytes", "%s...: パスが %d バイトを超えています"},
    // out_of_memory
    {"out of memory", "メモリが足りません"},
    // cannot_create_result
    {"%s: cannot create the result file: %s", "%s: 結果ファイルが作れません: %s"},
    // result_name_too_long
    {"%s: result file name longer than %d characters",
     "%s: 結果ファイルの名前が %d 文字を超えています"},
    // result_is_input
    {"%s: the result file would replace a netlist; name another",
     "%s: 結果ファイルがネットリストを上書きしてしまいます。別の名前にしてください"},
    // cannot_write_result
    {"%s: cannot write the result file: %s", "%s: 結果ファイルが書けません: %s"},
    // numbered_names_used_up
    {"%s: numbered result files run to -99; remove some or name the result with -o",
     "%s: 番号付きの結果ファイルが -99 まで使われています。いくつか消すか、-o で名前を指定して"
     "ください"},
    // format_error: path (and line), code, ": " and the meaning or nothing, format
    {"%s: format error %d%s (read as %s)", "%s: フォーマット・エラー %d%s (%s として読みました)"},
    // unknown_failure
    {"%s: the run failed", "%s: 実行に失敗しました"},
    // warning: path, text
    {"warning: %s: %s", "警告: %s: %s"},
    // result_file
    {"Result file: %s\n", "結果ファイル: %s\n"},
    // result_on_standard_output
    {"Result file: standard output\n", "結果ファイル: 標準出力\n"},
    // bad_color
    {"the colour is auto, always or never", "色は auto, always, never のどれかです"},
    // one_standard_output
    {"only one of the result file, --json, --markdown and --print can go to standard output",
     "標準出力に書けるのは結果ファイル、--json、--markdown、--print のどれか一つだけです"},
    // html_needs_a_file
    {"--html needs a file name", "--html にはファイル名が要ります"},
    // cannot_read_ignore_file: path, cause
    {"%s: cannot read the ignore file: %s", "%s: 無視ファイルが読めません: %s"},
    // bad_ignore_rule: path, line
    {"%s:%d: not a rule: use 'part GLOB', 'net GLOB' or 'open-pins'",
     "%s:%d: 規則ではありません。'part GLOB'、'net GLOB'、'open-pins' のどれかにしてください"},
    // cannot_write_view: path, cause
    {"%s: cannot write: %s", "%s: 書けません: %s"},
    // git_added
    {"%s: new netlist\n", "%s: 新しいネットリスト\n"},
    // git_deleted
    {"%s: netlist deleted\n", "%s: 削除されたネットリスト\n"},
    // git_unmerged
    {"%s: unmerged\n", "%s: マージされていません\n"},
}};

int g_language = LANGUAGE_ENGLISH;

}  // namespace

void set_language(int language) {
  g_language = language;
}

int language() {
  return g_language;
}

std::string usage() {
  return utf8_for_terminal(help_text(g_language));
}

std::string say(Say text, ...) {
  const Texts& t = kTexts[static_cast<std::size_t>(text)];
  // The format is converted, not the text made of it: paths and names are bytes of their own.
  const std::string format =
      utf8_for_terminal(g_language == LANGUAGE_JAPANESE ? t.japanese : t.english);
  std::va_list args;
  va_start(args, text);
  std::va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format.c_str(), copy);
  va_end(copy);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format.c_str(), args);
  va_end(args);
  return out;
}

}  // namespace veltrax
