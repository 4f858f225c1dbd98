#include "MatchLists.h"
#include "Text.h"

namespace sw {

QList<int> NearestGames(const Tournament& t) {
    QList<int> games;
    const int round = t.PairedRounds();
    for (int i = 0; i < int(t.Boards().size()); ++i) {
        const Board& b = t.Boards()[size_t(i)];
        if (b.round == round && !b.Decided())
            games.append(i);
    }
    if (games.isEmpty() && round < t.TotalRounds() && t.PlayerCount() > 0)
        games.append(kNextRoundLine);
    if (round > 0 && CurrentGames(t).isEmpty() && !t.RoundComplete(round))
        games.append(kUnpairLine);
    return games;
}

QList<int> CurrentGames(const Tournament& t) {
    QList<int> games;
    const int round = t.PairedRounds();
    if (t.RoundComplete(round))
        return games;
    for (int i = 0; i < int(t.Boards().size()); ++i) {
        const Board& b = t.Boards()[size_t(i)];
        if (b.round == round && !b.IsBye() && b.result.IsSet())
            games.append(i);
    }
    return games;
}

QList<int> LastGames(const Tournament& t) {
    QList<int> games;
    for (int round = t.PairedRounds(); round >= 1; --round) {
        if (!t.RoundComplete(round))
            continue;
        for (int i = 0; i < int(t.Boards().size()); ++i) {
            const Board& b = t.Boards()[size_t(i)];
            if (b.round == round && !b.IsBye())
                games.append(i);
        }
    }
    return games;
}

QString GameLine(const Tournament& t, int game) {
    if (game == kNextRoundLine)
        return QStringLiteral("Жеребьёвка %1 тура").arg(t.PairedRounds() + 1);
    if (game == kUnpairLine)
        return QStringLiteral("Отменить жеребьёвку %1 тура").arg(t.PairedRounds());
    if (!t.ValidGame(game))
        return {};
    const Board& b = t.Boards()[size_t(game)];
    const QString& white = t.PlayerAt(b.white).name;
    const QString& black = t.PlayerAt(b.black).name;
    return kit::RoundLine(b.round, b.board, white, black, b.result.Text());
}

} // namespace sw
