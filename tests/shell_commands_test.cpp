// The commands of the main window, driven by clicks through the real window procedure.
#include <algorithm>
#include <cstring>

#include "compare/run.h"
#include "netlist/run_memory.h"
#include "shell/control_table.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

using Commands = Desktop;

const std::string kRef = pads_netlist("R1 10k@R0603\nU1 LM358@SO8", "GND: R1.1 U1.4");
const std::string kCmp = pads_netlist("R1 22k@R0603\nU1 LM358@SO8", "GND: R1.1 U1.4");

TEST_F(Commands, LanguageButtonRelabelsEveryControlAndNamesTheOtherLanguage) {
  const struct {
    int id;
    const char* english;
    const char* japanese;
  } labels[] = {
      {ID_LANGUAGE, "Japanese", "English"},
      {ID_REF_FILE, "File Select", "ファイル選択"},
      {ID_AUTO_INC, "Auto inc. name", "自動増加名"},
      {48, "Select parameter saving area", "パラメータの保存先選択"},
      {ID_CMP_FORMAT_0, "CADVANCE", "CADVANCE"},
  };
  run([&labels](HWND main) {
    for (const bool english : {true, false}) {
      click(main, ID_LANGUAGE);
      for (const auto& l : labels)
        EXPECT_EQ(text_of(main, l.id), english ? l.english : shift_jis(l.japanese)) << l.id;
    }
  });
}

TEST_F(Commands, HashButtonGivesTheDefaultSizeInPlace) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {1, 30}, {2, 40}, {3, 1030}, {4, 840}}, {}));
  run([](HWND main) {
    click(main, ID_DEFAULT_SIZE);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 550);
    EXPECT_EQ(r.bottom - r.top, 544);
    // A frame that leaves less than the canvas and one unit more each way: the window grows.
    headless::set_frame(40, 80);
    click(main, ID_DEFAULT_SIZE);
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 53 * 10 + 40);
    EXPECT_EQ(r.bottom - r.top, 31 * 16 + 80);
  });
}

TEST_F(Commands, FileChoiceFillsTheSlotAndEmptiesTheMessages) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {PARAM_AREA, 1}},
                                  {{ref_path_slot(1), "old-ref.net"},
                                   {SLOT_DISPLAYED_MESSAGE, "shown"},
                                   {area_message_slot(1), "kept until a change"},
                                   {area_message_slot(0), "other area"}}));
  headless::answer_file_dialog("Z:\\boards\\rev-a.net");
  headless::answer_file_dialog("Z:\\boards\\rev-b.net");
  headless::answer_file_dialog(std::nullopt);
  run([](HWND main) {
    click(main, ID_REF_FILE);
    EXPECT_EQ(text_of(main, ID_AREA_0 + 1), "No.2");  // a reference file names no area
    EXPECT_EQ(painted_texts(main), (std::vector<std::string>{"Z:\\boards\\rev-a.net", "", ""}));
    click(main, ID_CMP_FILE);
    EXPECT_EQ(text_of(main, ID_AREA_0 + 1), "rev-b.net");
    EXPECT_EQ(text_of(main, ID_AREA_0), "No.1");
    click(main, ID_CMP_FILE);  // cancelled: the path stays
    EXPECT_EQ(painted_texts(main).at(1), "Z:\\boards\\rev-b.net");
  });
  // Each dialog opens on the path the slot holds.
  const auto& dialogs = headless::file_dialogs();
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0].initial_name, "old-ref.net");
  EXPECT_EQ(dialogs[2].initial_name, "Z:\\boards\\rev-b.net");

  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.slot(ref_path_slot(1)), "Z:\\boards\\rev-a.net");
  EXPECT_EQ(ini.slot(cmp_path_slot(1)), "Z:\\boards\\rev-b.net");
  EXPECT_EQ(ini.slot(SLOT_DISPLAYED_MESSAGE), "");
  EXPECT_EQ(ini.slot(area_message_slot(1)), "");
  EXPECT_EQ(ini.slot(area_message_slot(0)), "other area");
}

TEST_F(Commands, FormatsAndAutoIncAreKeptPerSavingArea) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}}, {{area_message_slot(0), "No.1 message"},
                                                        {area_message_slot(1), "No.2 message"}}));
  run([](HWND main) {
    click(main, ID_REF_FORMAT_0 + 6);
    click(main, ID_CMP_FORMAT_0 + 3);
    click(main, ID_AUTO_INC);
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0000001");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "0001000");
    EXPECT_TRUE(checked(main, ID_AUTO_INC));

    click(main, ID_AREA_0 + 1);
    EXPECT_EQ(marks(main, ID_AREA_0, 8), "01000000");
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "1000000");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "1000000");
    EXPECT_FALSE(checked(main, ID_AUTO_INC));
    EXPECT_EQ(painted_texts(main).at(2), "No.2 message");
    click(main, ID_AUTO_INC);
    click(main, ID_AUTO_INC);
    EXPECT_EQ(painted_texts(main).at(2), "No.2 message");  // the option keeps the messages
    click(main, ID_CMP_FORMAT_0 + 5);
    click(main, ID_CMP_FORMAT_0 + 5);  // the selected one again: stays selected

    click(main, ID_AREA_0);
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0000001");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "0001000");
    EXPECT_TRUE(checked(main, ID_AUTO_INC));
    EXPECT_EQ(painted_texts(main).at(2), "");  // changing a format discarded No.1's message

    click(main, ID_AREA_0 + 1);
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "0000010");
    click(main, ID_AUTO_INC);
    click(main, ID_AUTO_INC);
    EXPECT_FALSE(checked(main, ID_AUTO_INC));
  });
  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.param(ref_format_param(0)), 6);
  EXPECT_EQ(ini.param(cmp_format_param(0)), 3);
  EXPECT_EQ(ini.param(cmp_format_param(1)), 5);
  EXPECT_EQ(ini.param(PARAM_AUTO_INC_MASK), 1);
  EXPECT_EQ(ini.param(PARAM_AUTO_INC), 0);
  EXPECT_EQ(ini.param(PARAM_AREA), 1);
  EXPECT_EQ(ini.slot(area_message_slot(1)), "");  // emptied by the format change
}

// The message a run of the same inputs leaves, from the engine itself.
std::string expected_message(const std::string& ref, const std::string& cmp, const char* out) {
  auto s = new_settings();
  set_slot(*s, ref_path_slot(0), ref);
  set_slot(*s, cmp_path_slot(0), cmp);
  s->param[ref_format_param(0)] = 6;
  s->param[cmp_format_param(0)] = 6;
  RunOptions options;
  options.result_name = out;
  comparison_run(*s, options);
  return s->slot[SLOT_DISPLAYED_MESSAGE];
}

TEST_F(Commands, ExecuteRunsTheCurrentAreaWithTheButtonDisabledMeanwhile) {
  write_file(dir / "ref.net", kRef);
  write_file(dir / "cmp.net", kCmp);
  write_parameters(parameter_file({{PARAM_LAYOUT, 1},
                                   {PARAM_LANGUAGE, 1},
                                   {PARAM_AREA, 2},
                                   {ref_format_param(2), 6},
                                   {cmp_format_param(2), 6}},
                                  {{ref_path_slot(2), "ref.net"}, {cmp_path_slot(2), "cmp.net"}}));
  const std::string message = expected_message("ref.net", "cmp.net", "expected.csv");
  ASSERT_NE(message.find("Completed\n"), std::string::npos);

  std::vector<std::pair<BOOL, bool>> execute_states;  // new state, result file there
  run([&](HWND main) {
    headless::on_enable([&](HWND h, BOOL enable) {
      if (h == item(main, ID_EXECUTE))
        execute_states.emplace_back(enable, std::filesystem::exists(dir / "cmp.csv"));
    });
    SendMessageA(item(main, ID_FORMAT_OPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    click(main, ID_EXECUTE);
    EXPECT_TRUE(IsWindowEnabled(item(main, ID_EXECUTE)));
    EXPECT_EQ(painted_texts(main).at(2), message);
    click(main, ID_OPEN_CSV);
    click(main, ID_AREA_0);
    EXPECT_EQ(painted_texts(main).at(2), "");
    click(main, ID_AREA_0 + 2);
    EXPECT_EQ(painted_texts(main).at(2), message);
  });
  EXPECT_EQ(execute_states, (std::vector<std::pair<BOOL, bool>>{{FALSE, false}, {TRUE, true}}));
  EXPECT_EQ(read_file(dir / "cmp.csv"), read_file(dir / "expected.csv"));
  ASSERT_EQ(headless::shell_executes().size(), 1u);
  EXPECT_EQ(headless::shell_executes()[0].verb, "open");
  EXPECT_EQ(headless::shell_executes()[0].file, "cmp.csv");

  const ParameterLines ini = split_parameter_file(written_parameters());
  std::string stored = message;
  std::replace(stored.begin(), stored.end(), '\n', '\x07');
  EXPECT_EQ(ini.slot(area_message_slot(2)), stored);
  EXPECT_EQ(ini.slot(result_path_slot(2)), "cmp.csv");
  EXPECT_EQ(ini.slot(SLOT_DISPLAYED_MESSAGE), stored);
}

// A board beyond the tables, then a small one: each run gives back all its memory, and the small
// one reads as it would alone.
TEST_F(Commands, RunsOfDifferentSizesOneAfterTheOtherHoldNothingBetweenThem) {
  std::string parts;
  std::string signals;
  for (int k = 0; k < 7000; ++k) {
    const std::string r = "R" + std::to_string(k);
    parts += r + " 1k@R0603\n";
    signals += "N" + std::to_string(k) + ": " + r + ".1 " + r + ".2 " + r + ".3\n";
  }
  write_file(dir / "big.net", pads_netlist(parts, signals));
  write_file(dir / "ref.net", kRef);
  write_file(dir / "cmp.net", kCmp);
  write_parameters(parameter_file({{PARAM_LAYOUT, 1},
                                   {PARAM_LANGUAGE, 1},
                                   {ref_format_param(0), 6},
                                   {cmp_format_param(0), 6},
                                   {ref_format_param(1), 6},
                                   {cmp_format_param(1), 6}},
                                  {{ref_path_slot(0), "big.net"},
                                   {cmp_path_slot(0), "big.net"},
                                   {ref_path_slot(1), "ref.net"},
                                   {cmp_path_slot(1), "cmp.net"}}));
  const std::string small = expected_message("ref.net", "cmp.net", "expected.csv");
  run([&](HWND main) {
    click(main, ID_EXECUTE);
    EXPECT_NE(painted_texts(main).at(2).find("Warning: the tables are full"), std::string::npos);
    EXPECT_EQ(RunMemory::held_by_all(), 0u);
    click(main, ID_AREA_0 + 1);
    click(main, ID_EXECUTE);
    EXPECT_EQ(painted_texts(main).at(2), small);
    EXPECT_EQ(RunMemory::held_by_all(), 0u);
  });
  EXPECT_EQ(read_file(dir / "cmp.csv"), read_file(dir / "expected.csv"));
}

TEST_F(Commands, AFailedRunShowsItsFailureButKeepsTheAreaMessage) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {PARAM_LANGUAGE, 1}},
                                  {{area_message_slot(0), "last completed"}}));
  run([](HWND main) {
    click(main, ID_EXECUTE);  // no files chosen
    EXPECT_EQ(painted_texts(main).at(2), "Can't open the input file.\n");
    click(main, ID_AREA_0 + 1);
    click(main, ID_AREA_0);
    EXPECT_EQ(painted_texts(main).at(2), "last completed");
  });
}

TEST_F(Commands, SettingsCommandsAreRefusedWhileARunExecutes) {
  write_file(dir / "ref.net", kRef);
  write_parameters(
      parameter_file({{PARAM_LAYOUT, 1}, {ref_format_param(0), 6}, {cmp_format_param(0), 6}},
                     {{ref_path_slot(0), "ref.net"}, {cmp_path_slot(0), "ref.net"}}));
  run([](HWND main) {
    HWND execute = item(main, ID_EXECUTE);
    headless::on_enable([main, execute](HWND h, BOOL enable) {
      if (h != execute || enable) return;
      for (const int id : {ID_LANGUAGE, ID_REF_FILE, ID_REF_FORMAT_0 + 3, ID_CMP_FILE,
                           ID_CMP_FORMAT_0 + 1, ID_AUTO_INC}) {
        click(main, id);
      }
      for (const int id : {ID_DEFAULT_SIZE, ID_OPEN_CSV, ID_AREA_0 + 4, ID_EXECUTE})
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
      SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_LANGUAGE, EN_CHANGE), 0);
    });
    const int invalidated = headless::invalidations(main);
    click(main, ID_EXECUTE);
    EXPECT_EQ(headless::invalidations(main), invalidated + 1);  // only the after-step's
    const auto& boxes = headless::message_boxes();
    ASSERT_EQ(boxes.size(), 6u);
    for (const headless::MessageBoxCall& box : boxes) {
      EXPECT_EQ(box.text, shift_jis("実行中は変更出来ません"));
      EXPECT_EQ(box.caption, "Parameter");
    }
    EXPECT_TRUE(headless::file_dialogs().empty());
    EXPECT_TRUE(headless::shell_executes().empty());
    EXPECT_EQ(text_of(main, ID_LANGUAGE), "English");
    EXPECT_EQ(marks(main, ID_AREA_0, 8), "10000000");
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0000001");
    EXPECT_FALSE(checked(main, ID_AUTO_INC));
    EXPECT_NE(std::string(desktop_settings().slot[SLOT_DISPLAYED_MESSAGE]).find("Completed"),
              std::string::npos);
  });
}

TEST_F(Commands, OpenTheCsvWithoutAResultFileShowsTheMessageWithItsLineFeed) {
  write_parameters(
      parameter_file({{PARAM_LAYOUT, 1}, {PARAM_AREA, 1}},
                     {{result_path_slot(1), "moved-away.csv"}, {SLOT_DISPLAYED_MESSAGE, "kept"}}));
  run([](HWND main) {
    click(main, ID_OPEN_CSV);
    click(main, ID_LANGUAGE);
    click(main, ID_OPEN_CSV);
    EXPECT_EQ(painted_texts(main).at(2), "kept");
  });
  const auto& boxes = headless::message_boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, shift_jis("CSVファイルが開けません\n"));
  EXPECT_EQ(boxes[1].text, "Can't open the CSV file.\n");
  EXPECT_EQ(boxes[1].caption, "Error");
  EXPECT_TRUE(headless::shell_executes().empty());
}

TEST_F(Commands, TypedFormatOptionTakesEffectAtExecuteAndIsSavedAtExit) {
  run([](HWND main) {
    SendMessageA(item(main, ID_FORMAT_OPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    EXPECT_EQ(desktop_settings().param[PARAM_FORMAT_OPTION], 0);  // typing does nothing yet
    click(main, ID_EXECUTE);
    EXPECT_EQ(desktop_settings().param[PARAM_FORMAT_OPTION], 7);
    SendMessageA(item(main, ID_FORMAT_OPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A"));
  });
  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.param(PARAM_FORMAT_OPTION), 17);
  EXPECT_EQ(ini.slot(SLOT_FORMAT_OPTION_TEXT), "A");
}

TEST_F(Commands, ClosingWritesTheWindowAndATwoLineMessageThatReadsBackAsTwoLines) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {1, 10}, {2, 20}, {3, 710}, {4, 520}},
                                  {{SLOT_DISPLAYED_MESSAGE, "first line\x07second line"}}));
  run([](HWND main) {
    EXPECT_EQ(painted_texts(main).at(2), "first line\nsecond line");
    MoveWindow(main, 50, 60, 800, 600, TRUE);
  });
  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.slot(SLOT_DISPLAYED_MESSAGE), "first line\x07second line");
  EXPECT_EQ(ini.param(1), 50);
  EXPECT_EQ(ini.param(2), 60);
  EXPECT_EQ(ini.param(3), 850);
  EXPECT_EQ(ini.param(4), 660);
}

}  // namespace
}  // namespace veltrax::test
