#include "Standings.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rr {

namespace {

// The share of a game's value that a side earned, for Sonneborn-Berger: 1, ½ or 0.
double Share(const SideOutcome& s) {
    return s.win ? 1.0 : s.draw ? 0.5 : 0.0;
}

struct Context {
    const Tournament& t;
    std::vector<Standing>& rows;           // indexed by player
    std::vector<std::vector<int>> gamesOf; // each player's game indexes
};

// Half-points of each member against the other members, or NaN for all when some pair of
// them has a game still to play: a partial mini-table would rank by who happened to meet.
std::vector<double> DirectEncounter(const Context& c, const std::vector<int>& group) {
    std::vector<int> position(size_t(c.t.PlayerCount()), -1);
    for (size_t i = 0; i < group.size(); ++i)
        position[size_t(group[i])] = int(i);
    std::vector<double> values(group.size(), 0.0);
    const Points& p = c.t.GetSettings().points;
    for (size_t m = 0; m < group.size(); ++m) {
        for (int i : c.gamesOf[size_t(group[m])]) {
            const Game& g = c.t.Games()[size_t(i)];
            const bool white = g.white == group[m];
            if (position[size_t(white ? g.black : g.white)] < 0)
                continue;
            const Result r = c.t.Effective(i);
            if (!r.IsSet())
                return std::vector<double>(group.size(), std::numeric_limits<double>::quiet_NaN());
            values[m] += PointsFor(ForSide(r, white ? Side::White : Side::Black), p);
        }
    }
    return values;
}

double PlayerValue(const Context& c, TieBreak tb, int player) {
    const Standing& row = c.rows[size_t(player)];
    switch (tb) {
    case TieBreak::Wins:
        return row.wins;
    case TieBreak::GoalDifference:
        return row.goalsFor - row.goalsAgainst;
    case TieBreak::GoalsScored:
        return row.goalsFor;
    default:
        break;
    }
    const Points& p = c.t.GetSettings().points;
    double value = 0;
    for (int i : c.gamesOf[size_t(player)]) {
        const Game& g = c.t.Games()[size_t(i)];
        const Side side = g.white == player ? Side::White : Side::Black;
        const int opponent = side == Side::White ? g.black : g.white;
        const SideOutcome s = ForSide(c.t.Effective(i), side);
        if (!s.decided)
            continue;
        const Standing& opp = c.rows[size_t(opponent)];
        switch (tb) {
        case TieBreak::SonnebornBerger:
            value += Share(s) * opp.points;
            break;
        case TieBreak::Koya:
            // Opponents with at least half of what their games could have brought.
            if (opp.games > 0 && 2 * opp.points >= opp.games * p.win)
                value += PointsFor(s, p);
            break;
        case TieBreak::BlackGames:
            if (side == Side::Black && !s.forfeit)
                value += 1;
            break;
        default:
            break;
        }
    }
    return value;
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

    const QList<TieBreak>& tieBreaks = t.GetSettings().tieBreaks;
    for (Standing& row : rows)
        row.tieBreaks = QList<double>(tieBreaks.size(), std::numeric_limits<double>::quiet_NaN());
    Context c{t, rows, std::vector<std::vector<int>>(rows.size())};
    for (int i = 0; i < t.GameCount(); ++i) {
        c.gamesOf[size_t(t.Games()[size_t(i)].white)].push_back(i);
        c.gamesOf[size_t(t.Games()[size_t(i)].black)].push_back(i);
    }

    // Groups of players still level, best group first; each tie-break splits every group
    // that has more than one member, computing its values within that group.
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return rows[size_t(a)].points > rows[size_t(b)].points; });
    std::vector<std::vector<int>> groups;
    for (int player : order) {
        if (groups.empty() ||
            rows[size_t(groups.back().front())].points != rows[size_t(player)].points)
            groups.emplace_back();
        groups.back().push_back(player);
    }

    for (qsizetype k = 0; k < tieBreaks.size(); ++k) {
        const TieBreak tb = tieBreaks[k];
        std::vector<std::vector<int>> next;
        for (const std::vector<int>& group : groups) {
            std::vector<double> values(group.size());
            if (tb == TieBreak::DirectEncounter) {
                values = group.size() > 1 ? DirectEncounter(c, group) : std::vector<double>{NAN};
            } else {
                for (size_t i = 0; i < group.size(); ++i)
                    values[i] = PlayerValue(c, tb, group[i]);
            }
            for (size_t i = 0; i < group.size(); ++i)
                rows[size_t(group[i])].tieBreaks[k] = values[i];
            if (group.size() < 2 || std::isnan(values[0])) {
                next.push_back(group);
                continue;
            }
            std::vector<size_t> idx(group.size());
            for (size_t i = 0; i < idx.size(); ++i)
                idx[i] = i;
            std::stable_sort(idx.begin(), idx.end(),
                             [&](size_t a, size_t b) { return values[a] > values[b]; });
            for (size_t i = 0; i < idx.size(); ++i) {
                if (i == 0 || values[idx[i]] != values[idx[i - 1]])
                    next.emplace_back();
                next.back().push_back(group[idx[i]]);
            }
        }
        groups = std::move(next);
    }

    std::vector<Standing> table;
    table.reserve(rows.size());
    int place = 1;
    for (std::vector<int>& group : groups) {
        std::sort(group.begin(), group.end());
        const int last = place + int(group.size()) - 1;
        for (int player : group) {
            Standing row = rows[size_t(player)];
            row.placeFrom = place;
            row.placeTo = last;
            table.push_back(row);
        }
        place = last + 1;
    }
    return table;
}

QString PlaceText(const Standing& s) {
    if (s.placeFrom == s.placeTo)
        return QString::number(s.placeFrom);
    return QStringLiteral("%1–%2").arg(s.placeFrom).arg(s.placeTo);
}

QString TieBreakText(TieBreak tb, double value) {
    if (std::isnan(value))
        return {};
    switch (tb) {
    case TieBreak::DirectEncounter:
    case TieBreak::Koya:
        return PointsText(int(std::lround(value)));
    case TieBreak::SonnebornBerger:
        // Shares of ½ on half-points give quarters of a point; they are written as the
        // points beside them are, "10¼" by "5½", not "10,25".
        return QuarterPointsText(int(std::lround(value * 2)));
    default:
        return QString::number(qlonglong(std::llround(value)));
    }
}

} // namespace rr
