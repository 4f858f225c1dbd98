#pragma once

#include "Tournament.h"

#include <QString>

namespace sw {

// The table page: HTML5 in UTF-8 that takes its look from the skin's style.css beside it.
QString TablePageHtml(const Tournament& tournament);

// The page's pieces, shared with the reports.
QString HeadingHtml(const Tournament& tournament);
// Standings with each player's round-by-round record and the tie-break columns.
QString StandingsHtml(const Tournament& tournament);
// The boards of one round; `resultBoxes` leaves an empty box to write each result in.
QString PairingsHtml(const Tournament& tournament, int round, bool resultBoxes);

} // namespace sw
