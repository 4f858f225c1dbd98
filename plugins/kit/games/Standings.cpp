#include "Standings.h"

#include "HeadToHead.h"
#include "Ledger.h"
#include "Rating.h"
#include "Unplayed.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace kit {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Same(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}

double Sum(const std::vector<Contribution>& entries, bool sonnebornBerger) {
    double sum = 0;
    for (const Contribution& c : entries)
        sum += sonnebornBerger ? c.value : c.score;
    return sum;
}

// Splits an ordered group wherever the value changes, best first.
std::vector<std::vector<int>> SplitByValue(const std::vector<int>& group,
                                           const std::vector<double>& value) {
    std::vector<int> order = group;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return value[size_t(a)] > value[size_t(b)]; });
    std::vector<std::vector<int>> parts;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || !Same(value[size_t(order[i])], value[size_t(order[i - 1])]))
            parts.emplace_back();
        parts.back().push_back(order[i]);
    }
    return parts;
}

} // namespace

Standings::Standings(const GameRecord& record) : m_ledger(std::make_unique<Ledger>(record)) {
    const int n = m_ledger->PlayerCount();
    m_asOpponent.resize(static_cast<size_t>(n));
    m_points.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        m_asOpponent[size_t(i)] = kit::ScoreAsOpponent(*m_ledger, i);
        m_points[size_t(i)] = m_ledger->GamePoints(i) - m_ledger->PlayerAt(i).deduction;
    }
}

Standings::~Standings() = default;

double Standings::ScoreAsOpponent(int player) const {
    const int i = m_ledger->IndexOf(player);
    return i < 0 ? kNaN : m_asOpponent[size_t(i)];
}

double Standings::Value(TieBreak tieBreak, int player) const {
    const int i = m_ledger->IndexOf(player);
    if (i < 0 || IsGroupTieBreak(tieBreak))
        return kNaN;
    return ValueAt(tieBreak, i);
}

double Standings::ValueAt(TieBreak tb, int index) const {
    const Ledger& l = *m_ledger;
    const std::vector<Slot>& own = l.SlotsOf(index);
    auto count = [&](auto predicate) {
        return double(std::count_if(own.begin(), own.end(), predicate));
    };
    auto buchholz = [&](int low, int high, bool sonnebornBerger) {
        std::vector<Contribution> entries = Contributions(l, index, m_asOpponent);
        Cut(entries, low, high, sonnebornBerger);
        return Sum(entries, sonnebornBerger);
    };
    auto progressive = [&](int firstCounted) {
        double running = 0, sum = 0;
        size_t s = 0;
        for (int r = 1; r <= l.Rounds(); ++r) {
            for (; s < own.size() && own[s].round == r; ++s)
                running += own[s].points;
            if (r >= firstCounted)
                sum += running;
        }
        return sum;
    };
    // Ratings of the opponents met at the board; 0 for an unrated one.
    auto opponentRatings = [&] {
        std::vector<int> ratings;
        for (const Slot& s : own) {
            if (s.IsPlayed())
                ratings.push_back(std::max(0, l.PlayerAt(s.opponent).rating));
        }
        return ratings;
    };
    auto rated = [](std::vector<int> ratings) {
        ratings.erase(std::remove(ratings.begin(), ratings.end(), 0), ratings.end());
        return ratings;
    };

    switch (tb) {
    case TieBreak::Wins:
        return count([](const Slot& s) { return s.win; });
    case TieBreak::WinsPlayed:
        return count([](const Slot& s) { return s.IsPlayed() && s.win; });
    case TieBreak::BlackGames:
        return count([](const Slot& s) { return s.IsPlayed() && s.black; });
    case TieBreak::BlackWins:
        return count([](const Slot& s) { return s.IsPlayed() && s.black && s.win; });
    case TieBreak::SonnebornBerger:
        return buchholz(0, 0, true);
    case TieBreak::SonnebornBergerCut1:
        return buchholz(1, 0, true);
    case TieBreak::Buchholz:
        return buchholz(0, 0, false);
    case TieBreak::BuchholzCut1:
        return buchholz(1, 0, false);
    case TieBreak::BuchholzCut2:
        return buchholz(2, 0, false);
    case TieBreak::BuchholzMedian1:
        return buchholz(1, 1, false);
    case TieBreak::Koya: {
        // Opponents with at least half of what the rounds so far could have brought.
        const double limit = 0.5 * l.Record().points.win * l.MostSlots();
        double sum = 0;
        for (const Slot& s : own) {
            if (s.HasOpponent() && l.GamePoints(s.opponent) >= limit - 1e-9)
                sum += s.points;
        }
        return sum;
    }
    case TieBreak::ProgressiveScore:
        return progressive(1);
    case TieBreak::ProgressiveCut1:
        return progressive(2);
    case TieBreak::AverageRatingOfOpponents:
        return AverageRating(rated(opponentRatings()));
    case TieBreak::AverageRatingOfOpponentsCut1: {
        // The lowest goes, and an unrated opponent is the lowest.
        std::vector<int> ratings = opponentRatings();
        if (!ratings.empty())
            ratings.erase(std::min_element(ratings.begin(), ratings.end()));
        return AverageRating(rated(ratings));
    }
    case TieBreak::PerformanceRating: {
        std::vector<int> ratings;
        double score = 0;
        for (const Slot& s : own) {
            if (s.IsPlayed() && l.PlayerAt(s.opponent).rating > 0) {
                ratings.push_back(l.PlayerAt(s.opponent).rating);
                score += s.share;
            }
        }
        return PerformanceRating(score, ratings);
    }
    case TieBreak::GoalDifference:
    case TieBreak::Goals: {
        double sum = 0;
        for (const Slot& s : own)
            sum += tb == TieBreak::Goals ? s.goalsFor : s.goalsFor - s.goalsAgainst;
        return sum;
    }
    case TieBreak::DirectEncounter:
    case TieBreak::HeadToHeadGoalDifference:
    case TieBreak::HeadToHeadGoals:
        break;
    }
    return kNaN;
}

std::vector<std::vector<int>> Standings::SplitGroup(TieBreak tb, const std::vector<int>& group,
                                                    std::vector<double>* values) const {
    HeadToHead h2h(*m_ledger, tb);
    return h2h.Separate(group, values);
}

StandingRow Standings::Row(int index) const {
    StandingRow row;
    const GamePlayer& p = m_ledger->PlayerAt(index);
    row.player = p.id;
    row.points = m_points[size_t(index)];
    row.deduction = p.deduction;
    for (const Slot& s : m_ledger->SlotsOf(index)) {
        if (!s.HasOpponent()) {
            row.byes += s.kind == Slot::Kind::Absent ? 0 : 1;
            continue;
        }
        row.played += s.IsPlayed() ? 1 : 0;
        row.wins += s.win ? 1 : 0;
        row.draws += s.draw ? 1 : 0;
        row.losses += s.loss ? 1 : 0;
        row.forfeitWins += s.kind == Slot::Kind::ForfeitWin ? 1 : 0;
        row.forfeitLosses += s.kind == Slot::Kind::ForfeitLoss ? 1 : 0;
        row.goalsFor += s.goalsFor;
        row.goalsAgainst += s.goalsAgainst;
    }
    return row;
}

std::vector<StandingRow> Standings::Table(const std::vector<TieBreak>& tieBreaks) const {
    const int n = m_ledger->PlayerCount();
    std::vector<StandingRow> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        rows[size_t(i)] = Row(i);
        rows[size_t(i)].values.assign(tieBreaks.size(), kNaN);
    }

    std::vector<int> everyone(static_cast<size_t>(n));
    std::iota(everyone.begin(), everyone.end(), 0);
    std::vector<std::vector<int>> groups = SplitByValue(everyone, m_points);

    for (size_t k = 0; k < tieBreaks.size(); ++k) {
        const TieBreak tb = tieBreaks[k];
        std::vector<std::vector<int>> next;
        if (IsGroupTieBreak(tb)) {
            std::vector<double> values(size_t(n), kNaN);
            for (const std::vector<int>& group : groups) {
                if (group.size() < 2) {
                    next.push_back(group);
                    continue;
                }
                for (std::vector<int>& part : SplitGroup(tb, group, &values))
                    next.push_back(std::move(part));
            }
            for (int i = 0; i < n; ++i)
                rows[size_t(i)].values[k] = values[size_t(i)];
        } else {
            std::vector<double> values(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                rows[size_t(i)].values[k] = values[size_t(i)] = ValueAt(tb, i);
            for (const std::vector<int>& group : groups) {
                for (std::vector<int>& part : SplitByValue(group, values))
                    next.push_back(std::move(part));
            }
        }
        groups = std::move(next);
    }

    std::vector<StandingRow> table;
    table.reserve(static_cast<size_t>(n));
    int place = 1;
    for (std::vector<int>& group : groups) {
        std::sort(group.begin(), group.end(), [&](int a, int b) {
            return m_ledger->PlayerAt(a).id < m_ledger->PlayerAt(b).id;
        });
        const int last = place + int(group.size()) - 1;
        for (int i : group) {
            StandingRow row = std::move(rows[size_t(i)]);
            row.placeFrom = place;
            row.placeTo = last;
            table.push_back(std::move(row));
        }
        place = last + 1;
    }
    return table;
}

QString PlaceText(const StandingRow& row) {
    if (row.placeFrom == row.placeTo)
        return QString::number(row.placeFrom);
    return QStringLiteral("%1–%2").arg(row.placeFrom).arg(row.placeTo);
}

} // namespace kit
