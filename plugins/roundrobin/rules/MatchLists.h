#pragma once

#include "Tournament.h"

#include <QList>
#include <QString>

namespace rr {

// The host's three lists as game indexes, in the order shown.
// Nearest: the unplayed games of the earliest round that has any, or every unplayed game
// when the tournament's settings ask for it.
QList<int> NearestGames(const Tournament& tournament);
// Current: games with a result in rounds not yet complete.
QList<int> CurrentGames(const Tournament& tournament);
// Last: the games of complete rounds, latest round first, boards in order.
QList<int> LastGames(const Tournament& tournament);

// "3 тур, доска 2: Иванов Иван — Петров Пётр 1–0", or with scores "1 тур: Спартак — Динамо
// 2:1" (no result part for an unplayed game).
QString GameLine(const Tournament& tournament, int game);

} // namespace rr
