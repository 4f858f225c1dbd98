#pragma once

#include "GameRecord.h"
#include "TieBreak.h"

#include <memory>
#include <vector>

namespace kit {

class Ledger;

// One line of the table.
struct StandingRow {
    int player = 0;       // starting number
    double points = 0;    // after deductions
    double deduction = 0; // already taken off `points`
    int played = 0;       // games played at the board
    int wins = 0;         // games won, at the board or by forfeit
    int draws = 0;
    int losses = 0; // games lost, at the board or by forfeit
    int forfeitWins = 0;
    int forfeitLosses = 0; // a double forfeit too
    int byes = 0;          // byes of any kind
    int goalsFor = 0;
    int goalsAgainst = 0;
    // One value per tie-break asked for, in that order; NaN where it does not apply (direct
    // encounter and head-to-head values exist only for players tied when they are applied).
    std::vector<double> values;
    int placeFrom = 0; // 1-based; a shared place has placeFrom < placeTo
    int placeTo = 0;
};

// Standings over a game record. Build once per change of results; Table() may be called for
// several lists of tie-breaks. A system fills the record from its own data:
//
//     kit::GameRecord record;
//     record.points = kit::PointSystem::Chess();
//     record.allPlayAll = true; // a round robin; false for Swiss
//     record.players.push_back({1, 2150}); // starting number, rating
//     record.games.push_back(kit::Game::Played(1, 1, 1, 4, kit::GameResult::WhiteWin));
//     record.games.push_back(kit::Game::ByeFor(1, 5, kit::Bye::PairingAllocated));
//     const kit::Standings standings(record);
//     for (const kit::StandingRow& row :
//          standings.Table({kit::TieBreak::DirectEncounter, kit::TieBreak::SonnebornBerger}))
//         ... row.player, kit::PlaceText(row), row.points, row.values[0], row.values[1] ...
class Standings {
public:
    explicit Standings(const GameRecord& record);
    ~Standings();
    Standings(const Standings&) = delete;
    Standings& operator=(const Standings&) = delete;

    // Best first: points, then each tie-break in order among those still level. Players level
    // after the last one share a place and stand by starting number.
    std::vector<StandingRow> Table(const std::vector<TieBreak>& tieBreaks) const;

    // A player's value of a tie-break that does not depend on who else is tied; NaN for a
    // group tie-break or a starting number not in the record.
    double Value(TieBreak tieBreak, int player) const;

    // The player's score as his opponents' tie-breaks count it (unplayed rounds adjusted).
    double ScoreAsOpponent(int player) const;

private:
    double ValueAt(TieBreak tieBreak, int index) const;
    std::vector<std::vector<int>> SplitGroup(TieBreak tieBreak, const std::vector<int>& group,
                                             std::vector<double>* values) const;
    StandingRow Row(int index) const;

    std::unique_ptr<Ledger> m_ledger;
    std::vector<double> m_asOpponent;
    std::vector<double> m_points;
};

// "3" or "3–4".
QString PlaceText(const StandingRow& row);

} // namespace kit
