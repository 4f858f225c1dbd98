#pragma once

#include "Tournament.h"

#include <QString>

#include <vector>

namespace ko {

struct Standing {
    int entrant = -1;
    int first = 0, last = 0; // the place or shared places; 0 while still in the running
    int match = -1;          // the match that put the entrant out, or -1
};

// Everyone in order of place: those still in the running first (by seed), then the rest by
// how far they came. Entrants put out in the same round share the range of places
// (5–8, 9–16 …); without a third-place match both semi-final losers are third.
std::vector<Standing> ComputeStandings(const Tournament& tournament);

// "1", "3", "5–8"; "" while still in the running.
QString PlaceText(const Standing& standing);

} // namespace ko
