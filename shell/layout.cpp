#include "shell/layout.h"

#include <algorithm>

namespace veltrax {

Layout layout_from_metrics(const TEXTMETRICA& tm) {
  Layout l;
  int cell = tm.tmAveCharWidth;
  if ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0) cell = (3 * cell) / 2;
  l.cell_width = std::max(1, cell);
  l.line_height = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
  return l;
}

Size default_window_size(const Layout& layout, Size frame) {
  const int cw = layout.cell_width;
  const int lh = layout.line_height;
  return {std::max((540 * cw) / 10 + 10, (CANVAS_CELLS + 1) * cw + frame.width),
          std::max((340 * lh) / 10, (CANVAS_LINES + 1) * lh + frame.height)};
}

RECT scale_row(const ControlRow& row, const Layout& l) {
  const int cw = l.cell_width;
  const int lh = l.line_height;
  return RECT{l.h_offset * cw + (row.left * cw) / 10, l.v_offset * lh + (row.top * lh) / 10,
              l.h_offset * cw + (row.right * cw) / 10, l.v_offset * lh + (row.bottom * lh) / 10};
}

int resize_shift(int visible, int offset, int extent) {
  if (offset >= 0 || visible <= offset + extent) return 0;
  return std::min(visible - (offset + extent), -offset);
}

int scroll_request(int code, const SCROLLINFO& bar) {
  const int page = static_cast<int>(bar.nPage);
  switch (code) {
    case SB_LINEUP:
      return bar.nPos - 1;
    case SB_LINEDOWN:
      return bar.nPos + 1;
    case SB_PAGEUP:
      return bar.nPos - page;
    case SB_PAGEDOWN:
      return bar.nPos + page;
    case SB_THUMBTRACK:
      return bar.nTrackPos;
    case SB_TOP:
      return bar.nMin;
    case SB_BOTTOM:
      return bar.nMax;
    default:
      return bar.nPos;
  }
}

int scroll_shift(int p0, int p1, int offset) {
  return std::min(p0 - p1, -offset);
}

}  // namespace veltrax
