#include "MatchLists.h"
#include "Text.h"

#include <algorithm>
#include <vector>

namespace rr {

namespace {
std::vector<char> CompleteRounds(const Tournament& t) {
    std::vector<char> complete(size_t(t.RoundCount()) + 1, 1);
    for (int i = 0; i < t.GameCount(); ++i) {
        const GameState state = t.State(i);
        if (state == GameState::Open || state == GameState::Awaiting)
            complete[size_t(t.Games()[size_t(i)].round)] = 0;
    }
    return complete;
}
} // namespace

QList<int> NearestGames(const Tournament& t) {
    QList<int> games;
    int round = -1;
    for (int i = 0; i < t.GameCount(); ++i) {
        if (t.State(i) != GameState::Open)
            continue;
        const int r = t.Games()[size_t(i)].round;
        if (!t.GetSettings().nearestAll) {
            if (round < 0)
                round = r;
            else if (r != round)
                break; // games are stored by round, so the earliest round is over
        }
        games.append(i);
    }
    return games;
}

QList<int> CurrentGames(const Tournament& t) {
    const std::vector<char> complete = CompleteRounds(t);
    // Rounds under way: the earliest one not complete, and any with a result.
    std::vector<char> underWay(complete.size(), 0);
    const auto earliest = std::find(complete.begin() + 1, complete.end(), 0);
    if (earliest != complete.end())
        *(underWay.begin() + (earliest - complete.begin())) = 1;
    for (int i = 0; i < t.GameCount(); ++i)
        if (t.State(i) == GameState::Decided)
            underWay[size_t(t.Games()[size_t(i)].round)] = 1;
    QList<int> games;
    for (int i = 0; i < t.GameCount(); ++i) {
        const size_t round = size_t(t.Games()[size_t(i)].round);
        const GameState state = t.State(i);
        if (!complete[round] &&
            (state == GameState::Decided || (state == GameState::Awaiting && underWay[round])))
            games.append(i);
    }
    return games;
}

QList<int> LastGames(const Tournament& t) {
    const std::vector<char> complete = CompleteRounds(t);
    QList<int> games;
    // Walk the rounds backwards, each round's boards forwards.
    int end = t.GameCount();
    while (end > 0) {
        const int round = t.Games()[size_t(end - 1)].round;
        int begin = end;
        while (begin > 0 && t.Games()[size_t(begin - 1)].round == round)
            --begin;
        if (complete[size_t(round)])
            for (int i = begin; i < end; ++i)
                if (t.State(i) == GameState::Decided)
                    games.append(i);
        end = begin;
    }
    return games;
}

QString GameLine(const Tournament& t, int game) {
    if (!t.ValidGame(game))
        return {};
    const Game& g = t.Games()[size_t(game)];
    const QString& white = t.Players()[g.white].name;
    const QString& black = t.Players()[g.black].name;
    // Teams play matches, not boards: the round alone says where a match stands.
    const int board = t.GetSettings().kind == ResultKind::Scores ? 0 : g.board;
    QString line = kit::RoundLine(g.round, board, white, black, t.Effective(game).Text());
    switch (t.State(game)) {
    case GameState::Awaiting:
        line += QStringLiteral(" (выбыл: неявка по окончании тура)");
        break;
    case GameState::Cancelled:
        line += QStringLiteral(" (аннулирована)");
        break;
    default:
        break;
    }
    return line;
}

} // namespace rr
