#pragma once

#include <QString>

#include <cstdint>

namespace kit {

// The result of one game or match. "White" is the first-named side: white in chess, the
// home side in team sports. Forfeits: +:− (white wins), −:+ (black wins), −:− (both lose).
enum class Outcome : std::uint8_t {
    None,
    WhiteWin,
    Draw,
    BlackWin,
    ForfeitWhite,
    ForfeitBlack,
    DoubleForfeit,
    Score // goals in `home` and `away`; who won follows from them
};

constexpr int kMaxGoals = 999;

struct Result {
    Outcome outcome = Outcome::None;
    std::uint16_t home = 0;
    std::uint16_t away = 0;

    static Result Of(Outcome outcome) { return {outcome, 0, 0}; }
    static Result Goals(int home, int away) {
        return {Outcome::Score, std::uint16_t(home), std::uint16_t(away)};
    }
    bool IsSet() const { return outcome != Outcome::None; }
    bool IsForfeit() const {
        return outcome == Outcome::ForfeitWhite || outcome == Outcome::ForfeitBlack ||
               outcome == Outcome::DoubleForfeit;
    }
    bool operator==(const Result&) const = default;

    // The file form: "1-0", "=", "0-1", "+-", "-+", "--", "3:1"; "" for none.
    QString Code() const;
    // Parses a file form; false for anything else, goals above kMaxGoals included.
    static bool Parse(const QString& code, Result* result);
    // As people read it: "1–0", "½–½", "+:−", "3:1"; "" for none.
    QString Text() const;
};

// One side's view of a result.
enum class Side { White, Black };
struct SideOutcome {
    bool decided = false; // a result exists
    bool win = false;
    bool draw = false;
    bool loss = false;
    bool forfeit = false; // not played at the board
    int goalsFor = 0;
    int goalsAgainst = 0;
};
SideOutcome ForSide(const Result& result, Side side);

// The side's result as one crosstable cell: "1", "½", "0", "+", "−", "3:1".
QString CellText(const Result& result, Side side, bool scores);

} // namespace kit
