#pragma once

#include "Tournament.h"

#include <QList>
#include <QString>

namespace rr {

// The host's three lists as game indexes, in the order shown.
// Nearest: the games to play of the earliest round that has any, or every game to play when
// the tournament's settings ask for it. A withdrawn player's games are not to play.
QList<int> NearestGames(const Tournament& tournament);
// Current: games with a result in rounds not yet complete, and the withdrawn players' games
// that become forfeits when their round is done, for rounds under way (the earliest round not
// complete, and any with a result): there a result can still be entered, for a game that was
// played after all. A later round's games of a withdrawn player are in no list until then.
QList<int> CurrentGames(const Tournament& tournament);
// Last: the games of complete rounds, latest round first, boards in order. Cancelled games
// are in no list: they count for no one, and the crosstable shows them as cancelled.
QList<int> LastGames(const Tournament& tournament);

// "3 тур, доска 2: Иванов Иван — Петров Пётр 1–0", or with scores "1 тур: Спартак — Динамо
// 2:1" (no result part for an unplayed game; a note for a withdrawn player's game awaiting its
// round, and for a cancelled game).
QString GameLine(const Tournament& tournament, int game);

} // namespace rr
