#pragma once

#include "MatchLists.h"
#include "Tournament.h"

#include <QList>
#include <QString>

#include <random>

namespace kotest {

// Entrants "И1" … "In" in seed order, rated from the top down.
inline QList<ko::Entrant> Entrants(int n) {
    QList<ko::Entrant> list;
    for (int i = 1; i <= n; ++i)
        list.append({QStringLiteral("И%1").arg(i), 3000 - i, {}, {}, {}});
    return list;
}

inline ko::Options SingleOptions(bool thirdPlace = false) {
    ko::Options o;
    o.bracket.format = ko::Format::Single;
    o.bracket.thirdPlace = thirdPlace;
    return o;
}

inline ko::Options DoubleOptions(bool reset = true) {
    ko::Options o;
    o.bracket.format = ko::Format::Double;
    o.bracket.reset = reset;
    return o;
}

// Side `winner` wins the match 1:0 (or the series 2:0 …).
inline ko::MatchResult Win(const ko::Tournament& t, int winner) {
    ko::MatchResult r;
    r.kind = ko::MatchResult::Kind::Games;
    for (int g = 0; g < t.Format().GamesToWin(); ++g)
        r.games.push_back(winner == 0 ? ko::GameScore{1, 0} : ko::GameScore{0, 1});
    return r;
}

// Plays the first nearest match, `pick` choosing the winning side. False when none is left.
template <typename Pick>
bool PlayNext(ko::Tournament& t, Pick pick) {
    const QList<int> nearest = ko::NearestMatches(t);
    if (nearest.isEmpty())
        return false;
    const int m = nearest.front();
    return t.SetResult(m, Win(t, pick(m)));
}

// Plays everything to the end; the higher seed (lower entrant index) wins unless `upsets`.
inline void PlayOut(ko::Tournament& t, std::mt19937* upsets = nullptr) {
    while (PlayNext(t, [&](int m) {
        if (upsets)
            return int((*upsets)() % 2);
        const ko::MatchState& st = t.State(m);
        return st.side[0].entrant < st.side[1].entrant ? 0 : 1;
    })) {
    }
}

// Index of the match of a section, round and number; fails the test if there is none.
inline int At(const ko::Tournament& t, ko::Section s, int round, int number = 1) {
    return t.Shape().Find(s, round, number);
}

} // namespace kotest
