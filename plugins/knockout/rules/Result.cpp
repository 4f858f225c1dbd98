#include "Result.h"

#include <QStringList>

namespace ko {

bool ValidBestOf(int bestOf) { return bestOf == 1 || bestOf == 3 || bestOf == 5 || bestOf == 7; }

QString DeciderShortName(Decider decider) {
    switch (decider) {
    case Decider::ExtraTime:
        return QStringLiteral("доп. вр.");
    case Decider::Penalties:
        return QStringLiteral("пен.");
    case Decider::Armageddon:
        return QStringLiteral("арм.");
    case Decider::None:
        break;
    }
    return {};
}

QString DeciderName(Decider decider) {
    switch (decider) {
    case Decider::ExtraTime:
        return QStringLiteral("Дополнительное время");
    case Decider::Penalties:
        return QStringLiteral("Серия пенальти");
    case Decider::Armageddon:
        return QStringLiteral("Армагеддон");
    case Decider::None:
        break;
    }
    return QStringLiteral("Нет");
}

int GameScore::Winner() const {
    if (a != b)
        return a > b ? 0 : 1;
    if (decider == Decider::None || deciderA == deciderB)
        return -1;
    return deciderA > deciderB ? 0 : 1;
}

QString GameScore::Text() const {
    QString text = QString::number(a) + u':' + QString::number(b);
    if (decider != Decider::None && a == b)
        text += QStringLiteral(" (") + DeciderShortName(decider) + u' ' +
                QString::number(deciderA) + u':' + QString::number(deciderB) + u')';
    return text;
}

int MatchResult::Wins(int side) const {
    int wins = 0;
    for (const GameScore& g : games)
        wins += g.Winner() == side ? 1 : 0;
    return wins;
}

int MatchResult::Winner(const MatchFormat& format) const {
    switch (kind) {
    case Kind::None:
        return -1;
    case Kind::Walkover:
        return walkoverWinner;
    case Kind::Games:
        break;
    }
    const int need = format.GamesToWin();
    if (Wins(0) >= need)
        return 0;
    if (Wins(1) >= need)
        return 1;
    return -1;
}

bool MatchResult::Partial(const MatchFormat& format) const {
    return kind == Kind::Games && Winner(format) < 0;
}

QString MatchResult::Check(const MatchFormat& format) const {
    if (kind == Kind::None)
        return {};
    if (kind == Kind::Walkover)
        return walkoverWinner >= -1 && walkoverWinner <= 1 && games.empty()
                   ? QString()
                   : QStringLiteral("Неверная неявка.");
    if (games.empty())
        return QStringLiteral("Не введено ни одной игры.");
    if (int(games.size()) > format.bestOf)
        return QStringLiteral("Игр больше, чем может быть в серии до %1 побед.")
            .arg(format.GamesToWin());
    const int need = format.GamesToWin();
    int wins[2] = {0, 0};
    for (const GameScore& g : games) {
        if (wins[0] >= need || wins[1] >= need)
            return QStringLiteral("Серия уже выиграна: лишние игры.");
        if (g.a < 0 || g.b < 0 || g.a > kMaxScore || g.b > kMaxScore || g.deciderA < 0 ||
            g.deciderB < 0 || g.deciderA > kMaxScore || g.deciderB > kMaxScore)
            return QStringLiteral("Счёт должен быть от 0 до %1.").arg(kMaxScore);
        if (format.scoring == Scoring::WinLoss && !((g.a == 1 && g.b == 0) || (g.a == 0 && g.b == 1)))
            return QStringLiteral("Без счёта игра записывается только как победа одной стороны.");
        if (g.a != g.b && g.decider != Decider::None)
            return QStringLiteral("Дополнительный показатель нужен только при равном счёте.");
        const int w = g.Winner();
        if (w < 0)
            return g.decider == Decider::None
                       ? QStringLiteral("Ничья невозможна: укажите, как определён победитель.")
                       : QStringLiteral("Счёт дополнительного показателя не может быть равным.");
        ++wins[w];
    }
    return {};
}

QString MatchResult::Text(const MatchFormat& format, bool withGames) const {
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Walkover:
        return walkoverWinner == 0   ? QStringLiteral("+:−")
               : walkoverWinner == 1 ? QStringLiteral("−:+")
                                     : QStringLiteral("−:−");
    case Kind::Games:
        break;
    }
    if (format.bestOf == 1 && games.size() == 1)
        return games.front().Text();
    QString text = QString::number(Wins(0)) + u':' + QString::number(Wins(1));
    if (withGames && format.scoring == Scoring::Scores) {
        QStringList parts;
        for (const GameScore& g : games)
            parts << g.Text();
        text += QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
    }
    return text;
}

MatchResult MatchResult::Swapped() const {
    MatchResult r = *this;
    if (kind == Kind::Walkover && walkoverWinner >= 0)
        r.walkoverWinner = 1 - walkoverWinner;
    for (GameScore& g : r.games) {
        std::swap(g.a, g.b);
        std::swap(g.deciderA, g.deciderB);
    }
    return r;
}

} // namespace ko
