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

// How the cycles of a schedule meet. Every cycle followed by another has its last two rounds
// swapped, as FIDE recommends for a double round robin, so that nobody gets the same colour
// three times running where the cycles meet. Past two cycles that alone is not always
// enough (four players, three cycles: number 4 is White in rounds 3, 4 and 5):
//  - Mended: where it is not, the later cycles' rounds are reordered (their first or last
//    two swapped) until no player has one colour three times running, byes skipped;
//  - Legacy: the swap alone, as files of format version 1 were scheduled. Their results
//    are stored by game, so they must keep the schedule they were entered on.
// The two differ only where the legacy schedule gives someone a colour three times running.
enum class Joins { Mended, Legacy };

// The whole schedule, by round and board. An odd number of players plays the table of the
// next even number, the highest number being the bye. Later cycles repeat the first with
// colours reversed each time, joined as `joins` says.
std::vector<ScheduledGame> MakeSchedule(int players, int cycles, Joins joins = Joins::Mended);
// Whether the two kinds of joins give different schedules for this field.
bool JoinsDiffer(int players, int cycles);

} // namespace rr
