#include "HeadToHead.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace kit {

namespace {

bool Same(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}

} // namespace

std::vector<HeadToHead::Mini> HeadToHead::Score(const std::vector<int>& group) const {
    std::unordered_map<int, size_t> position;
    for (size_t i = 0; i < group.size(); ++i)
        position.emplace(group[i], i);
    const bool allPlayAll = m_ledger.Record().allPlayAll;
    const double win = m_ledger.Record().points.win;

    std::vector<Mini> minis(group.size());
    for (size_t m = 0; m < group.size(); ++m) {
        if (m_tieBreak != TieBreak::DirectEncounter) {
            for (const Slot& s : m_ledger.SlotsOf(group[m])) {
                if (s.IsPlayed() && s.hasGoals && position.count(s.opponent))
                    minis[m].value += m_tieBreak == TieBreak::HeadToHeadGoals
                                          ? s.goalsFor
                                          : s.goalsFor - s.goalsAgainst;
            }
            minis[m].most = minis[m].value;
            continue;
        }
        // Per opponent in the group: games played at the board, points from them, and games
        // still to come. A forfeit is no encounter (C.07 6.1.1).
        struct Pair {
            int games = 0;
            int pending = 0;
            double points = 0;
        };
        std::unordered_map<int, Pair> pairs;
        for (const Slot& s : m_ledger.SlotsOf(group[m])) {
            if (s.IsPlayed() && position.count(s.opponent)) {
                Pair& p = pairs[s.opponent];
                ++p.games;
                p.points += s.points;
            }
        }
        for (int opponent : m_ledger.PendingOpponents(group[m])) {
            if (position.count(opponent))
                ++pairs[opponent].pending;
        }
        for (const auto& [opponent, p] : pairs) {
            // Several games between the same two count as their average (C.07 6.1.2), so a
            // double round robin weighs each opponent once.
            if (p.games > 0)
                minis[m].value += p.points / p.games;
            minis[m].most += (p.points + p.pending * win) / (p.games + p.pending);
        }
        // In a round-by-round event two of the tied who have not met might have, as far as
        // the rules reckon (C.07 6.3); a round robin's pairings are all known.
        if (!allPlayAll)
            minis[m].most += double(group.size() - 1 - pairs.size()) * win;
    }
    return minis;
}

std::vector<std::vector<int>> HeadToHead::Split(const std::vector<int>& group) const {
    const std::vector<Mini> minis = Score(group);
    std::vector<size_t> order(group.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return minis[a].value > minis[b].value; });

    bool complete = true;
    for (const Mini& m : minis)
        complete = complete && Same(m.value, m.most);
    // The most anyone from each place down could reach.
    std::vector<double> reach(order.size() + 1, -1e300);
    for (size_t k = order.size(); k-- > 0;)
        reach[k] = std::max(reach[k + 1], minis[order[k]].most);

    std::vector<std::vector<int>> parts;
    size_t i = 0;
    while (i < order.size()) {
        size_t end = i + 1;
        if (complete) {
            // Nothing is left to play among them (C.07 6.2): the mini-table ranks them, level
            // ones together.
            while (end < order.size() && Same(minis[order[end]].value, minis[order[i]].value))
                ++end;
        } else {
            // Some have not met (C.07 6.3): one alone at the top whatever the missing games
            // bring goes first, then the same for the next place; the first who could be
            // caught stops it, and everyone from him down stays level.
            if (!(minis[order[i]].value > reach[i + 1] + 1e-9))
                end = order.size();
        }
        parts.emplace_back();
        for (size_t k = i; k < end; ++k)
            parts.back().push_back(group[order[k]]);
        i = end;
    }
    return parts;
}

std::vector<std::vector<int>> HeadToHead::Separate(const std::vector<int>& group,
                                                   std::vector<double>* values) const {
    if (values) {
        const std::vector<Mini> minis = Score(group);
        for (size_t i = 0; i < group.size(); ++i)
            (*values)[size_t(group[i])] = minis[i].value;
    }
    std::vector<std::vector<int>> parts = Split(group);
    if (parts.size() == 1)
        return parts;
    // Applied again to each sub-group still level (C.07 6.2, 6.3): among fewer players the
    // encounters with those now placed no longer count.
    std::vector<std::vector<int>> result;
    for (std::vector<int>& part : parts) {
        if (part.size() < 2) {
            result.push_back(std::move(part));
            continue;
        }
        for (std::vector<int>& sub : Separate(part, nullptr))
            result.push_back(std::move(sub));
    }
    return result;
}

} // namespace kit
