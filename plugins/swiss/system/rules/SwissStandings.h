#pragma once

#include "Tournament.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sw {

struct Standing {
    int player = 0;     // index, start number − 1
    double points = 0;  // in points, as the point system gives them
    std::vector<double> values; // one per tie-break of the settings; NaN where not applied
    int placeFrom = 0;
    int placeTo = 0;
};

// The table, best first: points, then the settings' tie-breaks as FIDE's tie-break
// regulations (C.07, 2024) compute them, unplayed rounds included.
std::vector<Standing> ComputeStandings(const Tournament& tournament);

QString PlaceText(const Standing& standing);

// One cell per paired round of a player's record: "12w1", "5b½", "7w+" (forfeit), "–1" (the
// pairing bye), "–½" (a half-point bye), "–0" (absent), "12w" (no result yet).
QStringList RoundRecord(const Tournament& tournament, int player);

// A player's points so far, in half-points.
int PlayerHalves(const Tournament& tournament, int player);

} // namespace sw
