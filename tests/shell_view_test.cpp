// Layout units, the control table's labels, painting, resizing and scrolling.
#include "shell/control_table.h"
#include "shell/layout.h"
#include "shell_support.h"

namespace veltrax::test {
namespace {

TEST(Layout, UnitsComeFromTheFontMetrics) {
  const struct {
    LONG average, height, leading;
    BYTE pitch;
    int cell, line;
  } cases[] = {
      {7, 16, 0, TMPF_FIXED_PITCH, 10, 16},  // variable pitch: one and a half times
      {9, 16, 0, TMPF_FIXED_PITCH, 13, 16},  // truncated
      {8, 13, 2, 0, 8, 15},                  // fixed pitch, with external leading
      {0, 0, 0, 0, 1, 1},                    // no usable font: one pixel, never zero
  };
  for (const auto& c : cases) {
    TEXTMETRICA tm{};
    tm.tmAveCharWidth = c.average;
    tm.tmHeight = c.height;
    tm.tmExternalLeading = c.leading;
    tm.tmPitchAndFamily = c.pitch;
    const Layout l = layout_from_metrics(tm);
    EXPECT_EQ(l.cell_width, c.cell) << c.average;
    EXPECT_EQ(l.line_height, c.line) << c.average;
  }
}

TEST(Layout, ResizingAndScrollingNeverMoveTheContentPastItsOrigin) {
  EXPECT_EQ(resize_shift(40, -5, 30), 5);  // at most back to the origin
  EXPECT_EQ(resize_shift(27, -5, 30), 2);  // just enough to close the band
  EXPECT_EQ(resize_shift(25, -5, 30), 0);  // no band
  EXPECT_EQ(resize_shift(100, 0, 52), 0);  // never positive
  EXPECT_EQ(scroll_shift(3, 5, -3), -2);
  EXPECT_EQ(scroll_shift(5, 0, -3), 3);
}

TEST(ControlTable, RowTextsNeverReadOutsideTheTable) {
  EXPECT_STREQ(row_text(ID_LANGUAGE, 5), "English");  // any other language reads Japanese
  EXPECT_STREQ(row_text(-1, 0), "");
  EXPECT_STREQ(row_text(CONTROL_COUNT, 1), "");
  EXPECT_STREQ(row_text(ID_RESULT_MESSAGE, 1), "");
}

using View = Desktop;

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

    const struct {
      UINT message;
      int code;
      int track;  // for SB_THUMBTRACK
      int h_offset, v_offset;
      bool scrolled;
    } steps[] = {
        {WM_VSCROLL, SB_PAGEDOWN, 0, 0, -10, true},
        {WM_VSCROLL, SB_BOTTOM, 0, 0, -21, true},     // the last page starts at 30 - 9
        {WM_VSCROLL, SB_LINEDOWN, 0, 0, -21, false},  // already at the end
        {WM_VSCROLL, SB_PAGEUP, 0, 0, -11, true},
        {WM_VSCROLL, SB_LINEUP, 0, 0, -10, true},
        {WM_HSCROLL, SB_LINERIGHT, 0, -1, -10, true},
        {WM_HSCROLL, SB_PAGERIGHT, 0, -21, -10, true},
        {WM_HSCROLL, SB_THUMBPOSITION, 0, -21, -10, false},
        {WM_HSCROLL, SB_ENDSCROLL, 0, -21, -10, false},
        {WM_HSCROLL, SB_THUMBTRACK, 5, -5, -10, true},
        {WM_HSCROLL, SB_LEFT, 0, 0, -10, true},
        {WM_HSCROLL, SB_LINELEFT, 0, 0, -10, false},
        {WM_VSCROLL, SB_TOP, 0, 0, 0, true},
    };
    for (const auto& step : steps) {
      const std::size_t before = headless::scrolls().size();
      headless::set_track_position(main, step.message == WM_VSCROLL ? SB_VERT : SB_HORZ,
                                   step.track);
      SendMessageA(main, step.message, static_cast<WPARAM>(step.code), 0);
      SCOPED_TRACE(testing::Message() << step.message << " " << step.code);
      EXPECT_EQ(headless::scrolls().size() > before, step.scrolled);
      // The Execute button moves with the content.
      const RECT r = headless::rect_of(item(main, ID_EXECUTE));
      EXPECT_EQ(r.left, step.h_offset * 10 + 150);
      EXPECT_EQ(r.top, step.v_offset * 16 + 320);
    }
  });
}

TEST_F(View, EnlargingAfterScrollingMovesTheContentBackAndSkipsItemsLeftOfTheEdge) {
  write_parameters(parameter_file({{PARAM_LAYOUT, 1}}, {{SLOT_DISPLAYED_MESSAGE, "message"}}));
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
    EXPECT_EQ(painted_texts(main).size(), 2u);  // rows 7 and 22; row 47 starts at -70 + 15

    MoveWindow(main, 0, 0, 2000, 2000, FALSE);  // far larger than the canvas: back to 0, 0
    EXPECT_EQ(headless::rect_of(item(main, ID_EXECUTE)).left, 150);
    EXPECT_EQ(headless::rect_of(item(main, ID_EXECUTE)).top, 320);
    EXPECT_EQ(painted_texts(main).at(2), "message");
    EXPECT_EQ(headless::paints().back().texts.at(2).rect.bottom, 491);  // 307 * 1.6, truncated
    EXPECT_EQ(headless::paints().back().texts.at(2).font, GetStockObject(DEFAULT_GUI_FONT));
  });
}

}  // namespace
}  // namespace veltrax::test
