// Reading and writing tournament report files (TRF-16 and the 2026 revision): the players'
// 001 lines with their rounds, and the lines that steer the pairing (total rounds, first
// colour, point system, forbidden pairs, requested byes, acceleration).
#pragma once

#include "SwissTypes.h"

#include <string>
#include <string_view>

namespace velmora::swiss {

struct TrfReadResult {
    bool ok = false;
    std::string error; // "line N: ..." for the first malformed line
    Tournament tournament;
};

// Lines may end in CR, LF or CR LF. Refuses anything it cannot read faithfully.
TrfReadResult readTrf(std::string_view text);

// Writes the tournament so that reading it back gives the same state. Lines end in CR LF.
std::string writeTrf(const Tournament& t);

} // namespace velmora::swiss
