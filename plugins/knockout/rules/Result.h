#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace ko {

// How a match is scored: a score per game (goals, sets, points) or only who won each game.
enum class Scoring : std::uint8_t { Scores = 0, WinLoss = 1 };

struct MatchFormat {
    int bestOf = 1; // 1, 3, 5 or 7 games
    Scoring scoring = Scoring::Scores;
    int GamesToWin() const { return bestOf / 2 + 1; }
    bool operator==(const MatchFormat&) const = default;
};
bool ValidBestOf(int bestOf);

// What settles a game that ended level: the winner is whoever leads the decider's score.
enum class Decider : std::uint8_t { None = 0, ExtraTime, Penalties, Armageddon };
QString DeciderShortName(Decider decider); // "доп. вр.", "пен.", "арм."
QString DeciderName(Decider decider);      // "Дополнительное время" …

constexpr int kMaxScore = 999;

struct GameScore {
    int a = 0, b = 0; // the sides' score; in win/loss scoring 1:0 or 0:1
    Decider decider = Decider::None;
    int deciderA = 0, deciderB = 0;
    bool operator==(const GameScore&) const = default;
    // 0 or 1 for the side that won; -1 if the game is not settled (level without a decider,
    // or a decider that is level too).
    int Winner() const;
    QString Text() const; // "2:1", "2:2 (пен. 4:3)"
};

// The result of one match between the two sides as the bracket shows them.
struct MatchResult {
    enum class Kind : std::uint8_t { None, Games, Walkover };
    Kind kind = Kind::None;
    int walkoverWinner = 0;       // Walkover: the side that goes on; -1 when neither came
    std::vector<GameScore> games; // Games: in the order played

    static MatchResult Walkover(int winner) { return {Kind::Walkover, winner, {}}; }
    static MatchResult Single(int a, int b, Decider d = Decider::None, int da = 0, int db = 0) {
        return {Kind::Games, 0, {GameScore{a, b, d, da, db}}};
    }
    bool IsSet() const { return kind != Kind::None; }
    bool operator==(const MatchResult&) const = default;

    // Games won by each side.
    int Wins(int side) const;
    // 0 or 1 for the side that has won the match, -1 while it is undecided (a series not
    // yet won) and for a walkover where neither side came.
    int Winner(const MatchFormat& format) const;
    // A series begun but not yet won.
    bool Partial(const MatchFormat& format) const;
    // Empty if the result can stand in a match of this format, else why not: every game
    // settled, scores in range, no game after the series is won, no more than bestOf.
    QString Check(const MatchFormat& format) const;

    // As people read it: "+:−", "−:+", "−:−", "2:1", "2:2 (пен. 4:3)", a series "3:1";
    // `withGames` adds a series' game scores: "3:1 (11:7, 9:11, 11:5, 11:3)".
    QString Text(const MatchFormat& format, bool withGames = false) const;
    // The same seen from the other side (the sides of a match swapped).
    MatchResult Swapped() const;
};

} // namespace ko
