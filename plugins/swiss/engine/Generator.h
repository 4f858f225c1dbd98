// Random Swiss tournaments for property tests and benchmarks: players with ratings, results
// drawn from the rating difference with a draw rate, forfeits, requested half- and zero-point
// byes, late entries and withdrawals; every round is paired by the engine itself.
#pragma once

#include "SwissTypes.h"

#include <cstdint>

namespace velmora::swiss {

struct GeneratorOptions {
    int players = 40;
    int rounds = 7;
    int playRounds = -1; // rounds to play (and pair); -1: all
    double drawRate = 0.3;
    double forfeitRate = 0.02;
    double halfByeRate = 0.02;
    double zeroByeRate = 0.01;
    double lateEntryRate = 0.03; // share of players who join after round 1
    double withdrawRate = 0.02;  // share of players who leave before the end
    std::uint64_t seed = 1;
};

struct GeneratedTournament {
    bool ok = false;
    std::string error; // the engine's message when a round could not be paired
    Tournament tournament;
};

GeneratedTournament generateTournament(const GeneratorOptions& o);

// The tournament as it stands before round `round` is paired: later rounds dropped, and the
// absences already known for that round kept.
Tournament truncateBefore(const Tournament& t, int round);

} // namespace velmora::swiss
