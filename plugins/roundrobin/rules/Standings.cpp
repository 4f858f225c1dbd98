#include "Standings.h"

#include "Text.h"
#include "TieBreakTable.h"

#include <cmath>

namespace rr {

namespace {

games::Measure ToMeasure(TieBreak tb) {
    switch (tb) {
    case TieBreak::DirectEncounter:
        return games::Measure::DirectEncounter;
    case TieBreak::Wins:
        return games::Measure::Wins;
    case TieBreak::SonnebornBerger:
        return games::Measure::SonnebornBerger;
    case TieBreak::Koya:
        return games::Measure::Koya;
    case TieBreak::BlackGames:
        return games::Measure::BlackGames;
    case TieBreak::GoalDifference:
        return games::Measure::GoalDifference;
    case TieBreak::GoalsScored:
        return games::Measure::Goals;
    case TieBreak::HeadToHeadGoalDifference:
        return games::Measure::HeadToHeadGoalDifference;
    case TieBreak::HeadToHeadGoals:
        return games::Measure::HeadToHeadGoals;
    }
    return games::Measure::Wins;
}

// Values in points-like units are kept in half-points, as the points beside them are.
bool InHalfPoints(TieBreak tb) {
    return tb == TieBreak::DirectEncounter || tb == TieBreak::SonnebornBerger ||
           tb == TieBreak::Koya;
}

games::Outcome ToOutcome(const SideOutcome& white, const Result& r) {
    if (!r.IsSet())
        return games::Outcome::Pending;
    if (r.outcome == Outcome::DoubleForfeit)
        return games::Outcome::DoubleForfeit;
    if (white.forfeit)
        return white.win ? games::Outcome::WhiteForfeit : games::Outcome::BlackForfeit;
    return white.win ? games::Outcome::WhiteWin
                     : white.draw ? games::Outcome::Draw : games::Outcome::BlackWin;
}

} // namespace

std::vector<Standing> ComputeStandings(const Tournament& t) {
    std::vector<Standing> rows(size_t(t.PlayerCount()));
    for (int i = 0; i < t.PlayerCount(); ++i)
        rows[size_t(i)].player = i;
    const Points& p = t.GetSettings().points;
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        const Result r = t.Effective(i);
        if (!r.IsSet())
            continue;
        for (const Side side : {Side::White, Side::Black}) {
            Standing& row = rows[size_t(side == Side::White ? g.white : g.black)];
            const SideOutcome s = ForSide(r, side);
            row.points += PointsFor(s, p);
            row.games += 1;
            row.played += s.forfeit ? 0 : 1;
            row.wins += s.win ? 1 : 0;
            row.draws += s.draw ? 1 : 0;
            row.losses += s.loss ? 1 : 0;
            row.goalsFor += s.goalsFor;
            row.goalsAgainst += s.goalsAgainst;
        }
    }

    for (Standing& row : rows) {
        row.deducted = t.DeductedHalves(row.player);
        row.points -= row.deducted;
    }

    // Order and tie-breaks come from the kit's game model, which every system shares: it
    // counts unplayed games and direct encounter as FIDE's tie-break regulations do. Players
    // whose results are cancelled are not in it, nor are their games: they leave the
    // tournament as if never drawn into it, and stand below everyone without a place.
    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    std::vector<int> ranked(size_t(t.PlayerCount()), -1), cancelled, byRank;
    for (int i = 0; i < t.PlayerCount(); ++i) {
        if (t.WithdrawalOf(i) == Withdrawal::Cancelled) {
            cancelled.push_back(i);
        } else {
            ranked[size_t(i)] = int(byRank.size());
            byRank.push_back(i);
        }
    }
    games::Input input;
    input.players = int(byRank.size());
    input.win = p.win / 2.0;
    input.draw = p.draw / 2.0;
    input.loss = p.loss / 2.0;
    input.forfeitLoss = p.forfeitLoss / 2.0;
    for (TieBreak tb : tieBreaks)
        input.measures.push_back(ToMeasure(tb));
    if (!t.Deductions().isEmpty())
        for (const Standing& row : rows)
            input.deductions.push_back(row.deducted / 2.0);
    input.games.reserve(size_t(t.GameCount()));
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (ranked[size_t(g.white)] < 0 || ranked[size_t(g.black)] < 0)
            continue;
        // A withdrawn player's game awaiting its round is still to come, as any game to play.
        const Result r = t.Effective(i);
        const SideOutcome white = ForSide(r, Side::White);
        games::Match m;
        m.round = g.round;
        m.board = g.board;
        m.white = ranked[size_t(g.white)];
        m.black = ranked[size_t(g.black)];
        m.outcome = ToOutcome(white, r);
        m.hasGoals = r.outcome == Outcome::Score;
        m.whiteGoals = white.goalsFor;
        m.blackGoals = white.goalsAgainst;
        m.whitePoints = PointsFor(white, p) / 2.0;
        m.blackPoints = PointsFor(ForSide(r, Side::Black), p) / 2.0;
        input.games.push_back(m);
    }

    std::vector<Standing> table;
    table.reserve(rows.size());
    for (games::Line& line : games::Rank(input)) {
        Standing row = rows[size_t(byRank[size_t(line.player)])];
        row.tieBreaks.reserve(tieBreaks.size());
        for (qsizetype k = 0; k < tieBreaks.size(); ++k)
            row.tieBreaks.append(InHalfPoints(tieBreaks[k]) ? line.values[size_t(k)] * 2
                                                             : line.values[size_t(k)]);
        row.placeFrom = line.placeFrom;
        row.placeTo = line.placeTo;
        table.push_back(std::move(row));
    }
    for (int player : cancelled) {
        Standing row = rows[size_t(player)];
        row.tieBreaks = QList<double>(tieBreaks.size(), std::nan(""));
        table.push_back(std::move(row));
    }
    return table;
}

QString WithdrawalNote(const Tournament& t, int player) {
    switch (t.WithdrawalOf(player)) {
    case Withdrawal::None:
        return {};
    case Withdrawal::Forfeits:
        return QStringLiteral("(выбыл)");
    case Withdrawal::Cancelled:
        return QStringLiteral("(выбыл, результаты аннулированы)");
    }
    return {};
}

QString PlaceText(const Standing& s) {
    if (s.placeFrom == 0)
        return {};
    if (s.placeFrom == s.placeTo)
        return QString::number(s.placeFrom);
    return QStringLiteral("%1–%2").arg(s.placeFrom).arg(s.placeTo);
}

QString TieBreakText(TieBreak tb, double value) {
    if (std::isnan(value))
        return {};
    switch (tb) {
    case TieBreak::Koya:
        return PointsText(int(std::lround(value)));
    case TieBreak::DirectEncounter: // an average over cycles may end in a quarter
    case TieBreak::SonnebornBerger:
        // Shares of ½ on half-points give quarters of a point; they are written as the
        // points beside them are, "10¼" by "5½", not "10,25".
        return QuarterPointsText(int(std::lround(value * 2)));
    default: {
        // A true minus, as the points and the league table's goal difference beside it.
        const qlonglong whole = std::llround(value);
        return whole < 0 ? QChar(0x2212) + QString::number(-whole) : QString::number(whole);
    }
    }
}

} // namespace rr
