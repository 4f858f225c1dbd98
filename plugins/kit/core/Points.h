#pragma once

#include "Result.h"

#include <QList>
#include <QString>

namespace kit {

// Points in half-points (2 = one point), so that ½ is exact.
struct Points {
    int win = 2;
    int draw = 1;
    int loss = 0;
    int forfeitLoss = 0;
    bool operator==(const Points&) const = default;
};
constexpr int kMinPoints = -20; // half-points: −10 to 10 points
constexpr int kMaxPoints = 20;

struct PointsPreset {
    QString name;
    Points points;
};
// Chess 1–½–0, football 3–1–0, hockey 2–1–0.
QList<PointsPreset> PointsPresets();

// What one side's result is worth; nothing for a game without a result.
int PointsFor(const SideOutcome& side, const Points& points);

} // namespace kit
