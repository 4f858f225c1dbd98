#pragma once

#include "SwissTypes.h"
#include "Tournament.h"

namespace sw {

// The engine's view of the tournament: every round paired so far (rounds without a board
// for a player as his bye or absence), the options, and the bye requests and forbidden pairs
// for `nextRound` (every forbidden pair with its rounds in the groups).
// Start numbers are the engine's ids (index + 1).
velmora::swiss::Tournament ToEngine(const Tournament& tournament, int nextRound);

// Pairs `round` (PairedRounds() + 1) with the Dutch system: boards numbered from 1, the
// pairing-allocated bye last. An empty list with `error` set when no pairing exists.
std::vector<Board> PairRound(const Tournament& tournament, QString* error);

} // namespace sw
