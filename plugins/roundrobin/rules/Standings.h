#pragma once

#include "Tournament.h"

#include <QList>

#include <vector>

namespace rr {

struct Standing {
    int player = 0;   // start number - 1
    int points = 0;   // half-points, after deductions
    int deducted = 0; // half-points the organiser took off, already out of `points`
    int games = 0;    // games with a result, forfeits included
    int played = 0;   // games played at the board: a forfeit is not a game played
    int wins = 0;
    int draws = 0;
    int losses = 0;
    int goalsFor = 0;
    int goalsAgainst = 0;
    // One value per tie-break of the settings, in their order; points-like ones (direct
    // encounter, Sonneborn-Berger, Koya) in half-points. Direct encounter is the player's
    // score against the others tied with him when it is applied (games played at the board
    // only, an average where they met more than once), and NaN for a player not tied.
    QList<double> tieBreaks;
    int placeFrom = 0; // 1-based; a shared place has placeFrom < placeTo; 0: no place
    int placeTo = 0;
};

// The table, best first. Players level on points are separated by the tie-breaks in the
// settings' order; those still level share a place and stand by start number. Players whose
// results are cancelled come last, by start number, with nothing counted and no place.
std::vector<Standing> ComputeStandings(const Tournament& tournament);

// What the table and the reports add to a withdrawn player's name: "(выбыл)", or "(выбыл,
// результаты аннулированы)"; empty for a player still playing.
QString WithdrawalNote(const Tournament& tournament, int player);

// "3" or "3–4"; empty without a place.
QString PlaceText(const Standing& standing);
// A tie-break value as shown: points as "2½", counts as integers; empty when not applied.
QString TieBreakText(TieBreak tieBreak, double value);

} // namespace rr
