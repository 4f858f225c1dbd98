#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace kit {

// How a game ended, as the first-named side (white, or the home side) sees it. The forfeit
// results are games that were not played at the board.
enum class GameResult : std::uint8_t {
    Pending, // not played yet, or no result entered
    WhiteWin,
    Draw,
    BlackWin,
    WhiteForfeitWin, // +:−
    BlackForfeitWin, // −:+
    DoubleForfeit    // −:− both lose
};

// A round in which a player has no opponent. Absence (no game and no bye in a round that was
// played) needs no record: a tournament that pairs round by round gets it from the rounds.
enum class Bye : std::uint8_t {
    None,
    PairingAllocated, // the odd player out of the pairing
    Full,             // a full-point bye the rules grant
    Half,             // requested
    Zero              // requested
};

struct GamePlayer {
    int id = 0;            // the starting number: 1, 2, ... and never changes
    int rating = 0;        // 0 when unrated
    int withdrawnFrom = 0; // the first round the player no longer plays; 0 = did not withdraw
    double deduction = 0;  // points taken off by the organiser, not by a game
    QString deductionReason;
};

struct Game {
    int round = 0;
    int board = 0; // board or match number within the round
    int white = 0; // starting number; white, or the home side
    int black = 0; // starting number; 0 for a bye
    GameResult result = GameResult::Pending;
    Bye bye = Bye::None;
    int whiteGoals = -1; // a score, for games that keep one (−1: none)
    int blackGoals = -1;
    // Points each side was given, where the game's own scale sets them (a match of boards,
    // 2½:1½; victory points); otherwise the point system gives them by the result.
    bool hasPoints = false;
    double whitePoints = 0;
    double blackPoints = 0;

    static Game Played(int round, int board, int white, int black, GameResult result);
    // A match with a score; the winner follows from the goals. An awarded match (3:0 without
    // playing, say) is a forfeit that still keeps its score for the goals columns.
    static Game Score(int round, int board, int home, int away, int homeGoals, int awayGoals,
                      bool forfeit = false);
    // A result given as points per side; the winner is the side with more.
    static Game Points(int round, int board, int white, int black, double whitePoints,
                       double blackPoints, bool forfeit = false);
    static Game ByeFor(int round, int player, Bye bye);

    bool IsBye() const { return black == 0; }
    bool HasScore() const { return whiteGoals >= 0 && blackGoals >= 0; }
    bool IsForfeit() const {
        return result == GameResult::WhiteForfeitWin || result == GameResult::BlackForfeitWin ||
               result == GameResult::DoubleForfeit;
    }
};

// What each result is worth. Chess is 1 / ½ / 0; football 3 / 1 / 0.
struct PointSystem {
    double win = 1;
    double draw = 0.5;
    double loss = 0;
    double forfeitWin = 1;
    double forfeitLoss = 0;
    double pairingBye = 1;
    double fullBye = 1;
    double halfBye = 0.5;
    double zeroBye = 0;

    static PointSystem Chess() { return {}; }
    static PointSystem Football() { return {3, 1, 0, 3, 0, 3, 3, 1, 0}; }
    bool operator==(const PointSystem&) const = default;
};

// Everything a tournament system knows about its games, in neutral form: build one from the
// system's own data, then hand it to Standings.
struct GameRecord {
    PointSystem points;
    // Round robin: every pairing is known in advance. A round without a game is the schedule's
    // free round, not an absence, and unplayed games bring no one a virtual opponent.
    bool allPlayAll = false;
    // Rounds to take into account; 0 = up to the last round that has a result.
    int rounds = 0;
    std::vector<GamePlayer> players;
    std::vector<Game> games;
};

} // namespace kit
