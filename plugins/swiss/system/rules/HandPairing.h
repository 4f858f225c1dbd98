// A pairing changed by hand: what it breaks of the FIDE rules, so that the organiser decides
// knowing it.
#pragma once

#include "Tournament.h"

#include <QStringList>

#include <vector>

namespace sw {

// One line per broken rule and player (or pair), naming the article and the players: a
// rematch (C.04.1.2), a second pairing-allocated bye (C.04.1.4), a colour difference beyond
// two (C.04.1.6), the same colour three times running (C.04.1.7), a pair forbidden in the
// round. The boards are those of the round after the last one paired.
QStringList PairingWarnings(const Tournament& tournament, const std::vector<Board>& boards);

// A place in a round's boards: the white or black side of a board, by its position in the
// list. The pairing-allocated bye has only its white side.
struct Seat {
    int board = 0;
    bool black = false;
};

// The boards with the players on two seats exchanged; false (nothing changed) when a seat is
// not there or is the bye's empty side.
bool SwapSeats(std::vector<Board>& boards, Seat a, Seat b);

} // namespace sw
