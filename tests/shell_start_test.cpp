// Start-up and exit of the desktop program: the window, its controls, the parameter file read at
// creation (and its fix-ups) and written at destruction.
#include <climits>

#include "shell/control_table.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

using Start = Desktop;

TEST_F(Start, FirstStartWithoutParameterFileUsesDefaultsAtTheTopLeft) {
  const int result = run([](HWND main) {
    ASSERT_NE(main, nullptr);
    char title[100];
    GetWindowTextA(main, title, sizeof title);
    EXPECT_STREQ(title, "Veltrax_Diffr : Netlist comparison R3.00");
    // The system font: 7 pixels wide, variable pitch, so cells of 10 pixels; lines of 16.
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
              (std::array<LONG, 4>{0, 0, 550, 544}));
    EXPECT_EQ(text_of(main, ID_LANGUAGE), "English");
    EXPECT_EQ(text_of(main, ID_EXECUTE), shift_jis("実行"));
    EXPECT_EQ(marks(main, ID_AREA_0, 8), "10000000");
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "1000000");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "1000000");
    EXPECT_FALSE(checked(main, ID_AUTO_INC));
    EXPECT_EQ(text_of(main, ID_FORMAT_OPTION), "0");
    for (int k = 0; k < AREA_COUNT; ++k)
      EXPECT_EQ(text_of(main, ID_AREA_0 + k), "No." + std::to_string(k + 1));
    // Every control in the GUI font that the layout was measured in (the System font would have
    // given cells of 8 by 18).
    for (int id = 0; id < CONTROL_COUNT; ++id) {
      if (HWND h = item(main, id)) {
        EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)))
            << id;
      }
    }
  });
  EXPECT_EQ(result, 0);

  const ParameterLines ini = split_parameter_file(written_parameters());
  ASSERT_EQ(ini.lines.size(), 82u);
  EXPECT_EQ(ini.param(PARAM_LAYOUT), 1);
  EXPECT_EQ(ini.param(PARAM_WINDOW_RIGHT), 550);
  EXPECT_EQ(ini.param(PARAM_WINDOW_BOTTOM), 544);
  EXPECT_EQ(ini.slot(SLOT_FORMAT_OPTION_TEXT), "0");
}

TEST_F(Start, OpensStoredFilesWithTheirFixUps) {
  // Language 2, a window stored beyond the right edge of a 2000-pixel screen, the current area
  // No.3 with "Auto inc. name" on but its mask bit clear, area No.3's compare path.
  headless::set_virtual_screen(2000, 1000);
  write_parameters(parameter_file(
      {{PARAM_LANGUAGE, 2},
       {PARAM_WINDOW_LEFT, 1900},
       {PARAM_WINDOW_TOP, 100},
       {PARAM_WINDOW_RIGHT, 2500},
       {PARAM_WINDOW_BOTTOM, 500},
       {PARAM_LAYOUT, 1},
       {ref_format_param(2), 3},
       {cmp_format_param(2), 6},
       {PARAM_AUTO_INC, 1},
       {PARAM_AREA, 2},
       {PARAM_FORMAT_OPTION, 4}},
      {{cmp_path_slot(2), "C:\\work\\rev b\\board.net"}, {cmp_path_slot(5), "plain.net"}}));
  run([](HWND main) {
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
              (std::array<LONG, 4>{0, 100, 600, 500}));
    EXPECT_EQ(text_of(main, ID_LANGUAGE), "English");  // Japanese labels
    EXPECT_EQ(marks(main, ID_AREA_0, 8), "00100000");
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0001000");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "0000001");
    EXPECT_TRUE(checked(main, ID_AUTO_INC));
    EXPECT_EQ(text_of(main, ID_FORMAT_OPTION), "4");
    EXPECT_EQ(text_of(main, ID_AREA_0 + 2), "board.net");
    EXPECT_EQ(text_of(main, ID_AREA_0 + 5), "plain.net");
    EXPECT_EQ(text_of(main, ID_AREA_0 + 3), "No.4");
  });
  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.param(PARAM_LANGUAGE), 0);
  EXPECT_EQ(ini.param(PARAM_AUTO_INC_MASK), 1 << 2);
  EXPECT_EQ(ini.param(PARAM_WINDOW_LEFT), 0);
  EXPECT_EQ(ini.param(PARAM_WINDOW_RIGHT), 600);
}

TEST_F(Start, HandEditedValuesOutOfRangeIndexNothingOutside) {
  // Negative language, area 9, format indexes 7 and -1, a stored size too small to use, and a
  // result path too long for the 520-byte buffer of "Open the CSV".
  write_parameters(parameter_file({{PARAM_LANGUAGE, -1},
                                   {PARAM_LAYOUT, 1},
                                   {PARAM_WINDOW_RIGHT, 5},
                                   {PARAM_WINDOW_BOTTOM, INT_MAX},
                                   {ref_format_param(0), 7},
                                   {cmp_format_param(0), -1},
                                   {PARAM_AREA, 9},
                                   {PARAM_FORMAT_OPTION, INT_MIN}},
                                  {{result_path_slot(0), std::string(600, 'x')}}));
  run([](HWND main) {
    EXPECT_EQ(text_of(main, ID_LANGUAGE), "English");
    EXPECT_EQ(marks(main, ID_AREA_0, 8), "10000000");
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0000000");
    EXPECT_EQ(marks(main, ID_CMP_FORMAT_0, 7), "0000000");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 550);  // the default size
    click(main, ID_OPEN_CSV);
    ASSERT_EQ(headless::message_boxes().size(), 1u);
    EXPECT_EQ(headless::message_boxes()[0].caption, "Error");
    EXPECT_TRUE(headless::shell_executes().empty());
    click(main, ID_AREA_0 + 1);  // unchecks nothing outside the groups
    click(main, ID_AREA_0);
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0000000");
    click(main, ID_REF_FORMAT_0 + 2);
    EXPECT_EQ(marks(main, ID_REF_FORMAT_0, 7), "0010000");
  });
  const ParameterLines ini = split_parameter_file(written_parameters());
  EXPECT_EQ(ini.param(PARAM_AREA), 0);
  EXPECT_EQ(ini.param(PARAM_LANGUAGE), 0);
  EXPECT_EQ(ini.param(cmp_format_param(0)), -1);  // kept; the run reports it as a format error
}

TEST_F(Start, ClosingWithoutAParameterPathWritesNothingAndStillQuits) {
  headless::Faults faults;
  faults.full_path = true;
  headless::set_faults(faults);
  EXPECT_EQ(run([](HWND main) { click(main, ID_LANGUAGE); }), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "Veltrax_Diffr.ini"));
}

TEST_F(Start, AParameterFileThatCannotBeWrittenIsSilent) {
  std::filesystem::create_directory(dir / "Veltrax_Diffr.ini");
  EXPECT_EQ(run([](HWND) {}), 0);
  EXPECT_TRUE(headless::message_boxes().empty());
}

TEST_F(Start, ASaveReplacesTheFileWholeOrLeavesTheLastGoodOne) {
  // The file is written beside itself first; on a full disk that fails, so the old file stays.
  const std::string old = "40\r\n1\r\n";
  write_parameters(old);
  {
    const FileSizeLimit full(16);
    EXPECT_EQ(run([](HWND main) { click(main, ID_LANGUAGE); }), 0);
  }
  EXPECT_EQ(written_parameters(), old);
  EXPECT_EQ(folder_names(dir.path()), std::vector<std::string>{"Veltrax_Diffr.ini"});
  headless::reset();
  EXPECT_EQ(run([](HWND main) { click(main, ID_LANGUAGE); }), 0);
  EXPECT_EQ(written_parameters().substr(0, 7), "40\r\n0\r\n");  // English switched to Japanese
  EXPECT_EQ(folder_names(dir.path()), std::vector<std::string>{"Veltrax_Diffr.ini"});
}

TEST_F(Start, FailuresToRegisterOrCreateEndTheProgramWithZero) {
  headless::Faults faults;
  faults.register_class = true;
  headless::set_faults(faults);
  EXPECT_EQ(desktop_main(nullptr, SW_SHOWNORMAL), 0);
  ASSERT_EQ(headless::message_boxes().size(), 1u);
  EXPECT_EQ(headless::message_boxes()[0].text, "Few resource or Wrong coding");
  EXPECT_EQ(headless::message_boxes()[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));

  headless::reset();
  faults = headless::Faults{};
  faults.create_top_level = true;
  headless::set_faults(faults);
  EXPECT_EQ(desktop_main(nullptr, SW_SHOWNORMAL), 0);
  EXPECT_TRUE(headless::message_boxes().empty());
}

TEST_F(Start, AControlThatCannotBeCreatedIsLeftOut) {
  headless::Faults faults;
  faults.child_class = "edit";
  headless::set_faults(faults);
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {PARAM_FORMAT_OPTION, 5}}, {}));
  run([](HWND main) {
    EXPECT_EQ(item(main, ID_FORMAT_OPTION), nullptr);
    click(main, ID_EXECUTE);  // reads the edit box back: the option stays as it was
  });
  EXPECT_EQ(split_parameter_file(written_parameters()).slot(SLOT_FORMAT_OPTION_TEXT), "5");
}

}  // namespace
}  // namespace veltrax::test
