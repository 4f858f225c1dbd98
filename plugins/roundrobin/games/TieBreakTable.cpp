#include "TieBreakTable.h"

#include "GameRecord.h"
#include "Standings.h"
#include "TieBreak.h"

namespace rr::games {

namespace {

kit::TieBreak ToKit(Measure m) {
    switch (m) {
    case Measure::DirectEncounter:
        return kit::TieBreak::DirectEncounter;
    case Measure::Wins:
        return kit::TieBreak::Wins;
    case Measure::SonnebornBerger:
        return kit::TieBreak::SonnebornBerger;
    case Measure::Koya:
        return kit::TieBreak::Koya;
    case Measure::BlackGames:
        return kit::TieBreak::BlackGames;
    case Measure::GoalDifference:
        return kit::TieBreak::GoalDifference;
    case Measure::Goals:
        return kit::TieBreak::Goals;
    case Measure::HeadToHeadGoalDifference:
        return kit::TieBreak::HeadToHeadGoalDifference;
    case Measure::HeadToHeadGoals:
        return kit::TieBreak::HeadToHeadGoals;
    }
    return kit::TieBreak::Wins;
}

kit::GameResult ToKit(Outcome o) {
    switch (o) {
    case Outcome::Pending:
        return kit::GameResult::Pending;
    case Outcome::WhiteWin:
        return kit::GameResult::WhiteWin;
    case Outcome::Draw:
        return kit::GameResult::Draw;
    case Outcome::BlackWin:
        return kit::GameResult::BlackWin;
    case Outcome::WhiteForfeit:
        return kit::GameResult::WhiteForfeitWin;
    case Outcome::BlackForfeit:
        return kit::GameResult::BlackForfeitWin;
    case Outcome::DoubleForfeit:
        return kit::GameResult::DoubleForfeit;
    }
    return kit::GameResult::Pending;
}

} // namespace

std::vector<Line> Rank(const Input& input) {
    kit::GameRecord record;
    record.allPlayAll = true;
    record.points.win = input.win;
    record.points.draw = input.draw;
    record.points.loss = input.loss;
    record.points.forfeitWin = input.win;
    record.points.forfeitLoss = input.forfeitLoss;
    for (int i = 0; i < input.players; ++i) {
        kit::GamePlayer p;
        p.id = i + 1;
        if (size_t(i) < input.deductions.size())
            p.deduction = input.deductions[size_t(i)];
        record.players.push_back(p);
    }
    for (const Match& m : input.games) {
        kit::Game g = kit::Game::Played(m.round, m.board, m.white + 1, m.black + 1,
                                        ToKit(m.outcome));
        if (m.outcome != Outcome::Pending) {
            // The tournament's own points, so that the kit ranks by the score the table shows.
            g.hasPoints = true;
            g.whitePoints = m.whitePoints;
            g.blackPoints = m.blackPoints;
        }
        if (m.hasGoals) {
            g.whiteGoals = m.whiteGoals;
            g.blackGoals = m.blackGoals;
        }
        record.games.push_back(g);
    }
    std::vector<kit::TieBreak> tieBreaks;
    for (Measure m : input.measures)
        tieBreaks.push_back(ToKit(m));

    const kit::Standings standings(record);
    std::vector<Line> lines;
    for (kit::StandingRow& row : standings.Table(tieBreaks))
        lines.push_back({row.player - 1, std::move(row.values), row.placeFrom, row.placeTo});
    return lines;
}

} // namespace rr::games
