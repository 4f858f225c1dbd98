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

// Lines may end in CR, LF or CR LF. Refuses anything it cannot read faithfully. The forbidden
// pairs are those of the round after the last one paired (forbiddenFor).
TrfReadResult readTrf(std::string_view text);

// Sets `forbidden` to the pairs that the forbidden groups keep apart in `round`.
void forbiddenFor(Tournament& t, int round);

// The two revisions the writer knows. TRF-16 carries the pairing options in the lines the
// pairing programs added to it (XXR, XXC, XXP, XXA) and a round's known absences in that
// round's column; TRF-2026 has records of its own for them (142, 152, 162, 240, 250, 260).
enum class TrfVersion { Trf16, Trf2026 };

// Writes the tournament so that reading it back gives the same state for the next pairing.
// A withdrawn player's rounds from the next one to the last are written as absences, so that
// no reader pairs him again. Lines end in CR LF.
std::string writeTrf(const Tournament& t, TrfVersion version = TrfVersion::Trf16);

} // namespace velmora::swiss
