// The readers' error codes by name, and what each means: the phrases that the command line
// prints after a failed read, in English and in Japanese (UTF-8).
//
// Every code is negative. READ_NOTHING is common to all readers; each format's own codes are an
// enumeration of their own, since the same number means different things in different formats.
// Protel and CCF have no codes of their own.
#pragma once

namespace veltrax {

// What one of a reader's error codes means: a short phrase in lower case, without a final
// period.
struct FailureMeaning {
  int code;
  const char* english;
  const char* japanese;
};

inline constexpr int READ_NOTHING = -9;    // common to all readers
inline constexpr int READ_NO_FORMAT = -1;  // a format index outside the list

inline constexpr FailureMeaning READ_NOTHING_MEANING = {READ_NOTHING,
                                                        "nothing was read, or no pin was found",
                                                        "何も読めなかったか、ピンが見つかりません"};
inline constexpr FailureMeaning READ_NO_FORMAT_MEANING = {
    READ_NO_FORMAT, "the format is not in the format list",
    "フォーマットの一覧にないフォーマットです"};

enum CadvanceError : int {
  CADVANCE_NO_NETLIST = -1,
  CADVANCE_NO_NETLIST_BRACE = -2,
  CADVANCE_NO_BLOCK_BRACE = -3,
  CADVANCE_NO_FOOTPRINT_BRACE = -4,
  CADVANCE_PART_NOT_CLOSED = -5,
  CADVANCE_NO_PIN_LIST = -6,
  CADVANCE_PIN_WITHOUT_DASH = -7,
  CADVANCE_NET_NOT_CLOSED = -8,
};

inline constexpr FailureMeaning CADVANCE_FAILURES[] = {
    {CADVANCE_NO_NETLIST, "no '$NET_LIST' in the file", "'$NET_LIST' がありません"},
    {CADVANCE_NO_NETLIST_BRACE, "no '{' after '$NET_LIST'", "'$NET_LIST' の後に '{' がありません"},
    {CADVANCE_NO_BLOCK_BRACE, "no '{' after 'comp' or 'nets'",
     "'comp' か 'nets' の後に '{' がありません"},
    {CADVANCE_NO_FOOTPRINT_BRACE, "no '{' after a part's value", "部品の値の後に '{' がありません"},
    {CADVANCE_PART_NOT_CLOSED, "a part does not end with '};'", "部品が '};' で終わっていません"},
    {CADVANCE_NO_PIN_LIST, "no '{' after a net's '='", "ネットの '=' の後に '{' がありません"},
    {CADVANCE_PIN_WITHOUT_DASH, "a pin has no '-' before the next ',' or '}'",
     "ピンに、次の ',' か '}' までに '-' がありません"},
    {CADVANCE_NET_NOT_CLOSED, "a net does not end with '};'", "ネットが '};' で終わっていません"},
};

enum Mm2Error : int {
  MM2_VALUE_NOT_ENDED = -2,
  MM2_DESIGNATOR_NOT_ENDED = -3,
  MM2_NET_NAME_NOT_ENDED = -4,
  MM2_PIN_NOT_ENDED = -7,
};

inline constexpr FailureMeaning MM2_FAILURES[] = {
    {MM2_VALUE_NOT_ENDED, "a part's value has no ';' after it", "部品の値の後に ';' がありません"},
    {MM2_DESIGNATOR_NOT_ENDED, "a part's designator has no line end after it",
     "部品番号の後に改行がありません"},
    {MM2_NET_NAME_NOT_ENDED, "a net name has no ';' after it", "ネット名の後に ';' がありません"},
    {MM2_PIN_NOT_ENDED, "a pin has no '-', or its pin name has no end",
     "ピンに '-' がないか、ピン名が終わっていません"},
};

enum CadlusError : int {
  CADLUS_NO_BLANK_AFTER_NET = -4,
  CADLUS_NO_BLANK_AFTER_DESIGNATOR = -7,
  CADLUS_NO_MARK_AFTER_PIN = -8,
  CADLUS_NO_LINE_MARK = -11,
  CADLUS_NO_LEADING_BLANK = -12,
  CADLUS_NO_BLANK_AFTER_TABLE_NET = -14,
  CADLUS_NO_DASH_IN_PIN = -15,
  CADLUS_NO_BLANK_AFTER_TABLE_PIN = -16,
};

inline constexpr FailureMeaning CADLUS_FAILURES[] = {
    {CADLUS_NO_BLANK_AFTER_NET, "a net name has no blank after it",
     "ネット名の後に空白がありません"},
    {CADLUS_NO_BLANK_AFTER_DESIGNATOR, "a designator has no blank after it",
     "部品番号の後に空白がありません"},
    {CADLUS_NO_MARK_AFTER_PIN, "a pin name has no line end after it",
     "ピン名の後に改行がありません"},
    {CADLUS_NO_LINE_MARK, "the table does not start on the line after a rule of dashes",
     "表が '-' の罫線の次の行から始まっていません"},
    {CADLUS_NO_LEADING_BLANK, "a table line does not begin with a blank",
     "表の行が空白で始まっていません"},
    {CADLUS_NO_BLANK_AFTER_TABLE_NET, "a net name in the table has no blank after it",
     "表のネット名の後に空白がありません"},
    {CADLUS_NO_DASH_IN_PIN, "a pin in the table has no '-'", "表のピンに '-' がありません"},
    {CADLUS_NO_BLANK_AFTER_TABLE_PIN, "a pin name in the table has no blank after it",
     "表のピン名の後に空白がありません"},
};

enum TelesisError : int {
  TELESIS_NO_SECTION = -1,  // neither $PACKAGES nor $NETS
};

inline constexpr FailureMeaning TELESIS_FAILURES[] = {
    {TELESIS_NO_SECTION, "no '$PACKAGES' or '$NETS' in the file",
     "'$PACKAGES' も '$NETS' もありません"},
};

enum PadsError : int {
  PADS_NO_NET_NAME = -2,
};

inline constexpr FailureMeaning PADS_FAILURES[] = {
    {PADS_NO_NET_NAME, "a '*SIGNAL*' line has no net name",
     "'*SIGNAL*' の行にネット名がありません"},
};

}  // namespace veltrax
