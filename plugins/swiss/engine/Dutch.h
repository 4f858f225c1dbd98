// The Dutch pairing system: pairs the next round of a Swiss tournament from the rounds played.
#pragma once

#include "SwissTypes.h"

namespace velmora::swiss {

// Pairs round `round` (0: the round after the last one with any pairing). Players with an
// entry for that round that is not a game (a requested or recorded bye, an absence), players
// with a bye request for it and withdrawn players are left out.
PairingResult pairDutch(const Tournament& t, int round = 0);

// The Baku acceleration's virtual points for every player (group A: the first half of the
// players by pairing number, rounded up to an even number), written into Player::accel.
void applyBakuAcceleration(Tournament& t);

} // namespace velmora::swiss
