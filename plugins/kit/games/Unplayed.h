#pragma once

#include "Ledger.h"

#include <vector>

// Everything about rounds that were not played at the board, for the tie-breaks that look at
// opponents (Buchholz and its cuts, Sonneborn-Berger). They follow FIDE's tie-break
// regulations C.07 (2024), article 16, as FIDE's reference tie-break program computes them.
namespace kit {

// A voluntary unplayed round: a forfeit loss, a requested bye (half- or zero-point) or an
// absence (C.07 16.1). Pairing-allocated and full-point byes and forfeit wins are not.
bool IsVoluntaryUnplayed(const Slot& slot);

// A player's score as it counts for his opponents (C.07 16.3): every round at its points,
// except voluntary unplayed rounds without an opponent after the player's last round that was
// not voluntarily unplayed (requested byes at the end, the rounds after a withdrawal), which
// count as draws. In an all-play-all event the score counts as it stands.
double ScoreAsOpponent(const Ledger& ledger, int player);

// What one round of a player brings to his Buchholz and Sonneborn-Berger.
struct Contribution {
    int round = 0;
    double score = 0; // the opponent's score, as Buchholz adds it
    double value = 0; // score × the points the round brought, as Sonneborn-Berger adds it
    bool voluntary = false;
};

// One entry per round of the player (C.07 16.4): a game played counts the opponent's score
// as above; any other round of a round-by-round event counts a dummy opponent with the
// player's own score. In an all-play-all event a game not played at the board counts nothing
// and the schedule's free round is no entry at all.
std::vector<Contribution> Contributions(const Ledger& ledger, int player,
                                        const std::vector<double>& scoresAsOpponent);

// Removes `low` entries from the bottom and then `high` from the top (C.07 14.1, 14.2). At the
// bottom a voluntary unplayed round goes first (C.07 16.5): for Buchholz the lowest such round;
// for Sonneborn-Berger the higher of that round's value and the least significant value.
void Cut(std::vector<Contribution>& entries, int low, int high, bool sonnebornBerger);

} // namespace kit
