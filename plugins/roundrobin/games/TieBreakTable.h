#pragma once

#include <vector>

// The round robin's order of places and tie-break values, as the kit's game model (kit_games)
// computes them, so that every system counts unplayed games and direct encounter alike.
//
// This header names no kit type on purpose: the game model and the kit's core each declare a
// kit::Player and a kit::Result of their own, so no source file may see both. The rules fill
// these plain records; TieBreakTable.cpp alone includes the game model.
namespace rr::games {

enum class Measure {
    DirectEncounter,
    Wins,
    SonnebornBerger,
    Koya,
    BlackGames,
    GoalDifference,
    Goals,
    HeadToHeadGoalDifference,
    HeadToHeadGoals
};

enum class Outcome { Pending, WhiteWin, Draw, BlackWin, WhiteForfeit, BlackForfeit, DoubleForfeit };

struct Match {
    int round = 0;
    int board = 0;
    int white = 0; // player index, 0-based
    int black = 0;
    Outcome outcome = Outcome::Pending;
    bool hasGoals = false;
    int whiteGoals = 0;
    int blackGoals = 0;
    double whitePoints = 0; // what each side got, by the tournament's points
    double blackPoints = 0;
};

struct Input {
    int players = 0;
    double win = 1; // points of a win, for Koya's half and a head-to-head not yet played
    double draw = 0.5;
    double loss = 0;
    double forfeitLoss = 0;
    std::vector<Match> games;
    std::vector<Measure> measures;
    std::vector<double> deductions; // points taken off, by player index; empty for none
};

struct Line {
    int player = 0;             // index, 0-based
    std::vector<double> values; // in points, one per measure; NaN where it does not apply
    int placeFrom = 0;          // 1-based; a shared place has placeFrom < placeTo
    int placeTo = 0;
};

// Best first; players level after the last measure share a place, by start number.
std::vector<Line> Rank(const Input& input);

} // namespace rr::games
