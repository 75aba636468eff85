// Layout units and the arithmetic of placing, resizing and scrolling over the canvas. Pure
// integer arithmetic; the window code makes the platform calls.
#pragma once

#include "platform/win32.h"
#include "shell/control_table.h"

namespace veltrax {

struct Layout {
  int cell_width = 1;   // pixels per character cell
  int line_height = 1;  // pixels per line
  int h_offset = 0;     // cells the content is moved left, as a value <= 0
  int v_offset = 0;     // lines the content is moved up, as a value <= 0
};

// The units of a font: its average width, one and a half times it for a variable-pitch font
// (the platform sets TMPF_FIXED_PITCH for those), and its height with external leading. A unit
// below one pixel is taken as one, so that no division by a unit can fail.
Layout layout_from_metrics(const TEXTMETRICA& tm);

struct Size {
  int width;
  int height;
};
// The default outer size of the main window: 54 cells and 10 pixels by 34 lines, or more where a
// window frame of the given size would leave less client than the whole canvas and one unit more
// each way, the room at which the scroll bars hide (so that a large frame or a small font opens
// the window without bars).
Size default_window_size(const Layout& layout, Size frame);

// A row's rectangle in client pixels at the current offsets.
RECT scale_row(const ControlRow& row, const Layout& layout);

// How far a resize moves the content back toward its origin, in cells or lines (>= 0), so that
// no band is left beyond the canvas's end: visible units, the offset and the canvas extent.
int resize_shift(int visible, int offset, int extent);

// The position a scroll request asks for, from the bar's state (code SB_...; codes without a
// move keep the position).
int scroll_request(int code, const SCROLLINFO& bar);

// How far a scroll from position p0 to p1 moves the content (lines or cells; positive moves it
// back toward the origin), so that the offset never becomes positive.
int scroll_shift(int p0, int p1, int offset);

}  // namespace veltrax
