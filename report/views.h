// The views of a review: the terminal listing, JSON, the HTML report and Markdown. Each returns
// the whole text; names are escaped for the medium, so that no netlist can inject anything.
#pragma once

#include <string>

#include "report/review.h"

namespace veltrax {

struct ListingStyle {
  bool color = false;        // ANSI colours, for a terminal
  bool counts_only = false;  // --stat: the counts alone
  bool japanese = false;     // labels in Japanese (names are UTF-8, see text.h)
};

// Plain lines for a terminal or a pipe, in UTF-8 (the command line converts to the terminal's
// encoding).
std::string review_listing(const Review& review, const ListingStyle& style);

// One UTF-8 JSON document; see docs/review.schema.json.
std::string review_json(const Review& review);

// One self-contained HTML file (inline style and script, nothing fetched).
std::string review_html(const Review& review);

// A short summary for a pull-request comment.
std::string review_markdown(const Review& review);

// The word for a kind of net change: "added", "deleted", "renamed", "merged", "split", "changed".
const char* net_change_word(NetChangeKind kind);

}  // namespace veltrax
