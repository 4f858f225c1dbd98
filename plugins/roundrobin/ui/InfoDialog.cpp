#include "InfoDialog.h"

#include "Standings.h"
#include "Text.h"

namespace rr::ui {

QString LeaderText(const Tournament& t) {
    if (t.GamesDecided() == 0)
        return {};
    const std::vector<Standing> table = ComputeStandings(t);
    QStringList names;
    for (const Standing& s : table)
        if (s.placeFrom == 1)
            names << t.Players()[s.player].name;
    return names.join(QStringLiteral(", ")) + QStringLiteral(" (") +
           PointsText(table.front().points) + u')';
}

namespace {
QList<Figure> Figures(const Tournament& t) {
    const QString leader = LeaderText(t);
    return {{"playersFigure", QStringLiteral("Участников:"), QString::number(t.PlayerCount())},
            {"gamesFigure", QStringLiteral("Сыграно встреч:"),
             QStringLiteral("%1 из %2").arg(t.GamesPlayed()).arg(t.GameCount())},
            {"roundsFigure", QStringLiteral("Туров:"),
             RoundsPlayedText(t.CompletedRounds(), t.RoundCount())},
            {"leaderFigure", QStringLiteral("Лидер:"),
             leader.isEmpty() ? QStringLiteral("пока нет") : leader}};
}
} // namespace

InfoDialog::InfoDialog(const Tournament& t, QWidget* parent)
    : DetailsDialog(t.Name(), t.Info(), Figures(t), parent) {}

} // namespace rr::ui
