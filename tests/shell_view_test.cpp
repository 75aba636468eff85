// Layout units, the control table's labels, painting, resizing and scrolling.
#include "shell/control_table.h"
#include "shell/layout.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

TEST(Layout, UnitsComeFromTheFontMetrics) {
  struct Case {
    LONG average;
    LONG height;
    LONG leading;
    BYTE pitch;
    int cell;
    int line;
  };
  const Case cases[] = {
      {7, 16, 0, TMPF_FIXED_PITCH, 10, 16},  // variable pitch: one and a half times
      {9, 16, 0, TMPF_FIXED_PITCH, 13, 16},  // truncated
      {8, 13, 2, 0, 8, 15},                  // fixed pitch, with external leading
      {0, 0, 0, 0, 1, 1},                    // no usable font: one pixel, never zero
  };
  for (const Case& c : cases) {
    TEXTMETRICA tm{};
    tm.tmAveCharWidth = c.average;
    tm.tmHeight = c.height;
    tm.tmExternalLeading = c.leading;
    tm.tmPitchAndFamily = c.pitch;
    const Layout l = layout_from_metrics(tm);
    EXPECT_EQ(l.cell_width, c.cell) << c.average;
    EXPECT_EQ(l.line_height, c.line) << c.average;
  }
  const Size size = default_window_size(Layout{13, 15, 0, 0});
  EXPECT_EQ(size.width, 540 * 13 / 10 + 10);
  EXPECT_EQ(size.height, 340 * 15 / 10);
}

TEST(Layout, RowsScaleWithTheOffsetsAndTruncateEachProduct) {
  const ControlRow& execute = control_table()[ID_EXECUTE];  // 150, 200, 210, 212
  const RECT r = scale_row(execute, Layout{13, 15, -3, -2});
  EXPECT_EQ(r.left, -39 + 195);
  EXPECT_EQ(r.top, -30 + 300);
  EXPECT_EQ(r.right, -39 + 273);
  EXPECT_EQ(r.bottom, -30 + 318);
  const RECT edit = scale_row(control_table()[ID_FORMAT_OPTION], Layout{7, 13, 0, 0});
  EXPECT_EQ(edit.left, 370 * 7 / 10);
  EXPECT_EQ(edit.top, 218 * 13 / 10);  // 283.4 truncated
}

TEST(Layout, ResizingAndScrollingArithmetic) {
  EXPECT_EQ(resize_shift(40, -5, 30), 5);  // at most back to the origin
  EXPECT_EQ(resize_shift(27, -5, 30), 2);  // just enough to close the band
  EXPECT_EQ(resize_shift(25, -5, 30), 0);  // no band
  EXPECT_EQ(resize_shift(100, 0, 52), 0);  // never positive
  SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 30, 10, 12, 4};
  EXPECT_EQ(scroll_request(SB_LINEUP, bar), 11);
  EXPECT_EQ(scroll_request(SB_LINEDOWN, bar), 13);
  EXPECT_EQ(scroll_request(SB_PAGEUP, bar), 2);
  EXPECT_EQ(scroll_request(SB_PAGEDOWN, bar), 22);
  EXPECT_EQ(scroll_request(SB_THUMBTRACK, bar), 4);
  EXPECT_EQ(scroll_request(SB_TOP, bar), 0);
  EXPECT_EQ(scroll_request(SB_BOTTOM, bar), 30);
  EXPECT_EQ(scroll_request(SB_THUMBPOSITION, bar), 12);
  EXPECT_EQ(scroll_request(SB_ENDSCROLL, bar), 12);
  EXPECT_EQ(scroll_shift(3, 5, -3), -2);
  EXPECT_EQ(scroll_shift(5, 0, -3), 3);  // the offset never becomes positive
}

TEST(ControlTable, ButtonGroupsSitOnTheirLines) {
  struct Place {
    int id;
    int left, top, right, bottom;
  };
  const Place places[] = {
      {ID_REF_FORMAT_0, 20, 100, 110, 112},      {ID_REF_FORMAT_0 + 4, 430, 100, 510, 112},
      {ID_REF_FORMAT_0 + 5, 20, 115, 110, 127},  {ID_CMP_FORMAT_0 + 2, 230, 165, 310, 177},
      {ID_CMP_FORMAT_0 + 6, 120, 180, 220, 192}, {ID_AREA_0 + 3, 395, 35, 510, 47},
      {ID_AREA_0 + 5, 145, 50, 260, 62},
  };
  for (const Place& p : places) {
    const ControlRow& r = control_table()[p.id];
    EXPECT_EQ(r.kind, KIND_RADIO) << p.id;
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
              (std::array{p.left, p.top, p.right, p.bottom}))
        << p.id;
  }
  EXPECT_EQ(control_table()[ID_CMP_FORMAT_0 + 6].index, PARAM_FORMAT_0 + 1);
  EXPECT_EQ(control_table()[ID_CMP_FORMAT_0 + 6].aux, ID_CMP_FORMAT_0);
}

TEST(ControlTable, RowTextsNeverReadOutsideTheTable) {
  EXPECT_STREQ(row_text(ID_LANGUAGE, 5), "English");  // any other language reads Japanese
  EXPECT_STREQ(row_text(-1, 0), "");
  EXPECT_STREQ(row_text(CONTROL_COUNT, 1), "");
  EXPECT_STREQ(row_text(ID_RESULT_MESSAGE, 1), "");
}

using View = Desktop;

TEST_F(View, PaintsThePathsOfTheCurrentAreaAndTheDisplayedMessage) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}, {PARAM_AREA, 1}},
                                  {{ref_path_slot(0), "a0.net"},
                                   {ref_path_slot(1), "C:\\long\\path\\a1.net"},
                                   {cmp_path_slot(1), "b1.net"},
                                   {SLOT_DISPLAYED_MESSAGE,
                                    "Parts: same=2\x07"
                                    "Completed\x07"}}));
  run([](HWND main) {
    painted_texts(main);
    const headless::Paint& p = headless::paints().back();
    EXPECT_EQ(p.text_color, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(p.background_color, GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(p.background_erased);
    EXPECT_TRUE(p.edges.empty());
    ASSERT_EQ(p.texts.size(), 3u);
    EXPECT_EQ(p.texts[0].text, "C:\\long\\path\\a1.net");
    EXPECT_EQ(p.texts[0].format, DT_PATH_ELLIPSIS);
    EXPECT_EQ(p.texts[0].rect.left, 130);
    EXPECT_EQ(p.texts[0].rect.top, 85 * 16 / 10);
    EXPECT_EQ(p.texts[0].rect.right, 510);
    EXPECT_EQ(p.texts[1].text, "b1.net");
    EXPECT_EQ(p.texts[2].text, "Parts: same=2\nCompleted\n");
    EXPECT_EQ(p.texts[2].format, DT_WORDBREAK);
    EXPECT_EQ(p.texts[2].rect.bottom, 307 * 16 / 10);
  });
}

struct ScrollStep {
  UINT message;
  int code;
  int track;  // for SB_THUMBTRACK
  int h_offset;
  int v_offset;
  bool scrolled;
};

TEST_F(View, ScrollsOverTheCanvasWithinItsRange) {
  run([](HWND main) {
    headless::set_frame(0, 0);
    MoveWindow(main, 0, 0, 200, 160, TRUE);  // 20 cells by 10 lines
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(main, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 30);
    EXPECT_EQ(si.nPage, 10u);
    GetScrollInfo(main, SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 52);
    EXPECT_EQ(si.nPage, 20u);

    const ScrollStep steps[] = {
        {WM_VSCROLL, SB_PAGEDOWN, 0, 0, -10, true},
        {WM_VSCROLL, SB_BOTTOM, 0, 0, -21, true},     // the last page starts at 30 - 9
        {WM_VSCROLL, SB_LINEDOWN, 0, 0, -21, false},  // already at the end
        {WM_VSCROLL, SB_LINEUP, 0, 0, -20, true},
        {WM_HSCROLL, SB_LINERIGHT, 0, -1, -20, true},
        {WM_HSCROLL, SB_PAGERIGHT, 0, -21, -20, true},
        {WM_HSCROLL, SB_THUMBPOSITION, 0, -21, -20, false},
        {WM_HSCROLL, SB_THUMBTRACK, 5, -5, -20, true},
        {WM_HSCROLL, SB_LEFT, 0, 0, -20, true},
        {WM_HSCROLL, SB_LINELEFT, 0, 0, -20, false},
        {WM_VSCROLL, SB_TOP, 0, 0, 0, true},
    };
    for (const ScrollStep& step : steps) {
      const std::size_t before = headless::scrolls().size();
      headless::set_track_position(main, step.message == WM_VSCROLL ? SB_VERT : SB_HORZ,
                                   step.track);
      SendMessageA(main, step.message, static_cast<WPARAM>(step.code), 0);
      SCOPED_TRACE(testing::Message() << step.message << " " << step.code);
      EXPECT_EQ(headless::scrolls().size() > before, step.scrolled);
      // The Execute button moves with the content; row 47 paints at the same offsets.
      const RECT r = headless::rect_of(item(main, ID_EXECUTE));
      EXPECT_EQ(r.left, step.h_offset * 10 + 150);
      EXPECT_EQ(r.top, step.v_offset * 16 + 320);
    }
  });
}

TEST_F(View, EnlargingAfterScrollingMovesTheContentBackAndSkipsItemsLeftOfTheEdge) {
  run([](HWND main) {
    headless::set_frame(0, 0);
    MoveWindow(main, 0, 0, 200, 160, TRUE);
    SendMessageA(main, WM_VSCROLL, SB_BOTTOM, 0);  // 21 lines up
    SendMessageA(main, WM_HSCROLL, SB_PAGERIGHT, 0);
    SendMessageA(main, WM_HSCROLL, SB_LINERIGHT, 0);  // 21 cells left
    EXPECT_TRUE(painted_texts(main).empty());         // every painted row starts left of the edge

    const int invalidated = headless::invalidations(main);
    MoveWindow(main, 0, 0, 450, 400, FALSE);  // 45 cells by 25 lines
    EXPECT_EQ(headless::invalidations(main), invalidated + 1);
    const headless::Scroll down = headless::scrolls()[headless::scrolls().size() - 2];
    const headless::Scroll right = headless::scrolls().back();
    EXPECT_EQ(down.dy, 16 * 16);   // 25 - (30 - 21) lines
    EXPECT_EQ(right.dx, 14 * 10);  // 45 - (52 - 21) cells
    const RECT r = headless::rect_of(item(main, ID_EXECUTE));
    EXPECT_EQ(r.left, -7 * 10 + 150);
    EXPECT_EQ(r.top, -5 * 16 + 320);
    const std::vector<std::string> texts = painted_texts(main);
    EXPECT_EQ(texts.size(), 2u);  // rows 7 and 22; row 47 starts at -70 + 15

    MoveWindow(main, 0, 0, 2000, 2000, FALSE);  // far larger than the canvas: back to 0, 0
    const RECT back = headless::rect_of(item(main, ID_EXECUTE));
    EXPECT_EQ(back.left, 150);
    EXPECT_EQ(back.top, 320);
  });
}

}  // namespace
}  // namespace veltrax::test
