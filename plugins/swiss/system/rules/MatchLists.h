#pragma once

#include "Tournament.h"

#include <QList>
#include <QString>

namespace sw {

// The host's three lists as board indexes, in the order shown.
// Nearest: the current round's boards without a result; once the round is complete, the
// one line kNextRoundLine that pairs the next round (none after the last round). While no
// result of the round is in, a last line kUnpairLine takes its pairing back.
QList<int> NearestGames(const Tournament& tournament);
// Current: boards of the current round that have a result, while the round is open.
QList<int> CurrentGames(const Tournament& tournament);
// Last: boards with a result of complete rounds, latest round first, boards in order.
QList<int> LastGames(const Tournament& tournament);

// "3 тур, доска 2: Иванов Иван — Петров Пётр 1–0", "Жеребьёвка 4 тура" or
// "Отменить жеребьёвку 3 тура".
QString GameLine(const Tournament& tournament, int game);

} // namespace sw
