// Shared by the Swiss system's tests: entrants, and playing rounds through with results
// that follow from the start numbers, so that every run is the same.
#pragma once

#include "Tournament.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace swisstest {

using namespace sw;

// Entrants "P1".."Pn" (or the names given) with ratings falling from 2400, all different.
inline QList<Entrant> MakeEntrants(int n, const QStringList& names = {}) {
    QList<Entrant> list;
    for (int i = 0; i < n; ++i) {
        Entrant e;
        e.player.name = i < names.size() ? names[i] : QStringLiteral("P%1").arg(i + 1);
        e.player.rating = 2400 - i * 1400 / std::max(n, 70);
        list.append(e);
    }
    return list;
}

inline Settings RoundsOf(int rounds) {
    Settings s;
    s.rounds = rounds;
    return s;
}

// A result for each board of the current round without one: mostly the higher-rated side
// wins, with draws and now and then an upset or a forfeit, varied by round and board.
inline void PlayCurrentRound(Tournament& t, bool forfeits = false) {
    for (int i = 0; i < int(t.Boards().size()); ++i) {
        const Board& b = t.Boards()[size_t(i)];
        if (b.round != t.PairedRounds() || b.Decided())
            continue;
        const int k = (b.round * 7 + b.board * 3 + b.white) % 10;
        Outcome o = b.white < b.black ? Outcome::WhiteWin : Outcome::BlackWin;
        if (k < 3)
            o = Outcome::Draw;
        else if (k == 9)
            o = b.white < b.black ? Outcome::BlackWin : Outcome::WhiteWin;
        else if (k == 8 && forfeits)
            o = Outcome::ForfeitWhite;
        t.SetResult(i, Result::Of(o));
    }
}

} // namespace swisstest
