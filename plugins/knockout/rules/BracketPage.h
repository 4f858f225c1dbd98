#pragma once

#include "Tournament.h"

#include <QString>

namespace ko {

// The table page: HTML5 in UTF-8, no script, that takes its look from the skin's style.css
// beside it. It holds the bracket drawn as nested boxes with connecting lines, the same
// matches round by round for narrow screens (radio-button tabs, CSS only), the bracket cut
// into parts of 32 lines for printing when it is larger, and the standings.
QString BracketPageHtml(const Tournament& tournament);

// The pieces, for the reports.
QString HeadingHtml(const Tournament& tournament);
QString BracketViewsHtml(const Tournament& tournament);
QString StandingsHtml(const Tournament& tournament);
// The matches that can be played now, for the wall: round, match, table or court, sides.
QString ScheduleHtml(const Tournament& tournament);

// A match's display number in the bracket (1-based, bracket order), as the boxes show it.
std::vector<int> DisplayNumbers(const Tournament& tournament);

} // namespace ko
