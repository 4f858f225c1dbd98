#include "Standings.h"

#include <algorithm>
#include <map>

namespace ko {

namespace {

using Status = MatchState::Status;

// How far an entrant put out by this match came: higher is better.
int Depth(const BracketShape& shape, int match) {
    const MatchSpec& m = shape.Match(match);
    switch (m.section) {
    case Section::Upper:
        if (shape.Options().format == Format::Single)
            return 4 * m.round;
        // Out of the upper bracket without dropping (a withdrawal): as if out in the lower
        // round it would have dropped to.
        return 2 * (m.round == 1 ? 1 : 2 * (m.round - 1)) - 1;
    case Section::Lower:
        return 2 * m.round;
    case Section::ThirdPlace:
        return 4 * shape.UpperRounds() - 3; // the loser; the winner one above, the final's
                                            // loser above both
    case Section::GrandFinal:
    case Section::Reset:
        return 1000;
    }
    return 0;
}

// Whether losing this match puts one out (rather than sending one to a second chance).
bool Eliminates(const Tournament& t, int match) {
    const MatchSpec& m = t.Shape().Match(match);
    const BracketOptions& o = t.Shape().Options();
    if (m.section == Section::Upper)
        return o.format == Format::Single &&
               !(o.thirdPlace && m.round == t.Shape().UpperRounds() - 1);
    if (m.section == Section::GrandFinal)
        return !o.reset || t.State(match).winnerSide == 0;
    return true;
}

} // namespace

std::vector<Standing> ComputeStandings(const Tournament& t) {
    const int n = t.EntrantCount();
    std::vector<Standing> out(static_cast<size_t>(n));
    std::vector<int> depth(size_t(n), -1);
    for (int e = 0; e < n; ++e)
        out[size_t(e)].entrant = e;
    auto putOut = [&](int entrant, int match, int d) {
        if (entrant < 0 || depth[size_t(entrant)] >= 0)
            return;
        depth[size_t(entrant)] = d;
        out[size_t(entrant)].match = match;
    };
    const int champion = t.Champion();
    for (int m = 0; m < t.MatchCount(); ++m) {
        const MatchState& st = t.State(m);
        if (st.status != Status::Decided && st.status != Status::Bye)
            continue;
        const int d = Depth(t.Shape(), m);
        if (st.status == Status::Decided && st.winnerSide < 0) {
            // Neither side came: both are out here.
            for (const Side& s : st.side)
                if (s.IsEntrant())
                    putOut(s.entrant, m, d);
            continue;
        }
        if (!st.loser.IsEntrant())
            continue;
        const MatchSpec& spec = t.Shape().Match(m);
        if (spec.section == Section::ThirdPlace) {
            putOut(st.loser.entrant, m, d);
            putOut(st.winner.entrant, m, d + 1);
        } else if (spec.section == Section::GrandFinal || spec.section == Section::Reset) {
            if (Eliminates(t, m) || spec.section == Section::Reset)
                putOut(st.loser.entrant, m, d);
        } else if (Eliminates(t, m) || st.status == Status::Bye) {
            putOut(st.loser.entrant, m, d);
        }
    }
    if (champion >= 0)
        depth[size_t(champion)] = 2000;

    std::map<int, int> perDepth;
    int running = 0;
    for (int e = 0; e < n; ++e) {
        if (depth[size_t(e)] < 0)
            ++running;
        else
            ++perDepth[depth[size_t(e)]];
    }
    std::stable_sort(out.begin(), out.end(), [&](const Standing& a, const Standing& b) {
        const int da = depth[size_t(a.entrant)], db = depth[size_t(b.entrant)];
        if ((da < 0) != (db < 0))
            return da < 0;
        return da > db;
    });
    int better = running;
    for (auto it = perDepth.rbegin(); it != perDepth.rend(); ++it) {
        for (Standing& s : out)
            if (depth[size_t(s.entrant)] == it->first) {
                s.first = better + 1;
                s.last = better + it->second;
            }
        better += it->second;
    }
    // Without a third-place match the two semi-final losers share the bronze.
    const BracketShape& shape = t.Shape();
    if (shape.Options().format == Format::Single && !shape.Options().thirdPlace &&
        shape.UpperRounds() >= 2)
        for (Standing& s : out)
            if (s.match >= 0 && shape.Match(s.match).section == Section::Upper &&
                shape.Match(s.match).round == shape.UpperRounds() - 1 && s.first == 3)
                s.last = 3;
    return out;
}

QString PlaceText(const Standing& s) {
    if (s.first <= 0)
        return {};
    if (s.last <= s.first)
        return QString::number(s.first);
    return QString::number(s.first) + QChar(0x2013) + QString::number(s.last);
}

} // namespace ko
