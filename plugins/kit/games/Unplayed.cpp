#include "Unplayed.h"

#include <algorithm>

namespace kit {

bool IsVoluntaryUnplayed(const Slot& slot) {
    switch (slot.kind) {
    case Slot::Kind::ForfeitLoss:
    case Slot::Kind::HalfBye:
    case Slot::Kind::ZeroBye:
    case Slot::Kind::Absent:
        return true;
    case Slot::Kind::Played:
    case Slot::Kind::ForfeitWin:
    case Slot::Kind::PairingBye:
    case Slot::Kind::FullBye:
        return false;
    }
    return false;
}

double ScoreAsOpponent(const Ledger& ledger, int player) {
    const std::vector<Slot>& own = ledger.SlotsOf(player);
    if (ledger.Record().allPlayAll)
        return ledger.GamePoints(player);
    int lastCounted = 0;
    for (const Slot& s : own) {
        if (!IsVoluntaryUnplayed(s))
            lastCounted = std::max(lastCounted, s.round);
    }
    double score = 0;
    for (const Slot& s : own) {
        const bool atEnd = IsVoluntaryUnplayed(s) && !s.HasOpponent() && s.round > lastCounted;
        score += atEnd ? ledger.Record().points.draw : s.points;
    }
    return score;
}

std::vector<Contribution> Contributions(const Ledger& ledger, int player,
                                        const std::vector<double>& scoresAsOpponent) {
    std::vector<Contribution> entries;
    const bool allPlayAll = ledger.Record().allPlayAll;
    const double own = ledger.GamePoints(player);
    for (const Slot& s : ledger.SlotsOf(player)) {
        if (allPlayAll && !s.HasOpponent())
            continue;
        Contribution c;
        c.round = s.round;
        c.voluntary = IsVoluntaryUnplayed(s);
        if (s.IsPlayed())
            c.score = scoresAsOpponent[size_t(s.opponent)];
        else
            c.score = allPlayAll ? 0.0 : own;
        c.value = c.score * s.points;
        entries.push_back(c);
    }
    return entries;
}

void Cut(std::vector<Contribution>& entries, int low, int high, bool sonnebornBerger) {
    auto lessSignificant = [](const Contribution& a, const Contribution& b) {
        return a.score != b.score ? a.score < b.score : a.value < b.value;
    };
    for (; low > 0 && !entries.empty(); --low) {
        auto least = std::min_element(entries.begin(), entries.end(), lessSignificant);
        auto voluntary = entries.end();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->voluntary && (voluntary == entries.end() || lessSignificant(*it, *voluntary)))
                voluntary = it;
        }
        auto cut = least;
        if (voluntary != entries.end()) {
            // Buchholz: the voluntary round always goes first. Sonneborn-Berger: whichever
            // of the two is worth more.
            cut = sonnebornBerger && least->value > voluntary->value ? least : voluntary;
        }
        entries.erase(cut);
    }
    for (; high > 0 && !entries.empty(); --high)
        entries.erase(std::max_element(entries.begin(), entries.end(), lessSignificant));
}

} // namespace kit
