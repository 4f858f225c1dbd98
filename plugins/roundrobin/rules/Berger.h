#pragma once

#include <QList>

#include <vector>

namespace rr {

// One pairing of a Berger table by start numbers (1-based); white is named first.
struct Pairing {
    int white = 0;
    int black = 0;
    bool operator==(const Pairing&) const = default;
};

// FIDE's Berger table for an even number of players n (2 or more): n - 1 rounds of n / 2
// pairings, boards in the published order. Empty for an odd or smaller n.
QList<QList<Pairing>> BergerTable(int n);

// Rounds in one cycle: n - 1 for an even number of players, n for an odd one (each player
// sits out once), none below two players.
int RoundsPerCycle(int players);

struct ScheduledGame {
    int round = 0; // 1-based, counted over all cycles
    int board = 0; // 1-based within the round
    int white = 0; // player indexes, 0-based start numbers
    int black = 0;
};

// The whole schedule, by round and board. An odd number of players plays the table of the
// next even number, the highest number being the bye. Later cycles repeat the first with
// colours reversed each time, and every cycle followed by another has its last two rounds
// swapped, as FIDE recommends, so that nobody gets the same colour three times running
// where the cycles meet.
std::vector<ScheduledGame> MakeSchedule(int players, int cycles);

} // namespace rr
