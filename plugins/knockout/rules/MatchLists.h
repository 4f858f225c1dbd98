#pragma once

#include "Tournament.h"

#include <QList>
#include <QString>

namespace ko {

// The host's three lists as match indexes, in the order shown.
// Nearest: both sides known and nothing entered, in bracket order (round, then position).
QList<int> NearestMatches(const Tournament& tournament);
// Current: series begun and not yet won.
QList<int> CurrentMatches(const Tournament& tournament);
// Last: played (walkovers included), latest round first, positions in order.
QList<int> LastMatches(const Tournament& tournament);

// "1/4 финала, матч 3: Спартак — Динамо 2:1" (no result part for an unplayed match).
QString MatchLine(const Tournament& tournament, int match);

// Bracket order: by wave, then section, round and position.
bool BracketOrderLess(const BracketShape& shape, int a, int b);

} // namespace ko
