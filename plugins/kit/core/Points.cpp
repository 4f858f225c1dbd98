#include "Points.h"

namespace kit {

QList<PointsPreset> PointsPresets() {
    return {{QStringLiteral("Шахматы: 1 – ½ – 0"), {2, 1, 0, 0}},
            {QStringLiteral("Футбол: 3 – 1 – 0"), {6, 2, 0, 0}},
            {QStringLiteral("Хоккей: 2 – 1 – 0"), {4, 2, 0, 0}}};
}

int PointsFor(const SideOutcome& s, const Points& p) {
    if (!s.decided)
        return 0;
    if (s.win)
        return p.win;
    if (s.draw)
        return p.draw;
    return s.forfeit ? p.forfeitLoss : p.loss;
}

} // namespace kit
