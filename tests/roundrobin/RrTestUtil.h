#pragma once

#include "Tournament.h"

#include <QString>
#include <QStringList>

// Players "P1".."Pn" (or the given names) in start-number order.
inline QList<rr::Player> MakePlayers(int n, const QStringList& names = {}) {
    QList<rr::Player> players;
    for (int i = 0; i < n; ++i)
        players.append(
            {i < names.size() ? names[i] : QStringLiteral("P%1").arg(i + 1), 0, {}, {}, {}});
    return players;
}

// The game index of a round and board, or -1.
inline int GameOf(const rr::Tournament& t, int round, int board) {
    for (int i = 0; i < t.GameCount(); ++i)
        if (t.Games()[size_t(i)].round == round && t.Games()[size_t(i)].board == board)
            return i;
    return -1;
}

// Enters a result by round and board; the code is the file form ("1-0", "=", "3:1", ...).
inline bool Play(rr::Tournament& t, int round, int board, const QString& code) {
    rr::Result r;
    return rr::Result::Parse(code, &r) && t.SetResult(GameOf(t, round, board), r);
}
