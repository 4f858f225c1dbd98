#include "HandPairing.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>

namespace sw {

namespace {

enum class Colour { White, Black };

// The games a player played at the board before the round: colours in order, opponents met.
struct History {
    QList<Colour> colours;
    QSet<int> met;
    bool hadBye = false; // a pairing-allocated bye, a full-point bye or a forfeit win
};

History HistoryOf(const Tournament& t, int player) {
    History h;
    for (const Board& b : t.Boards()) {
        if (b.IsBye()) {
            h.hadBye = h.hadBye || b.white == player;
            continue;
        }
        if (b.white != player && b.black != player)
            continue;
        const bool white = b.white == player;
        const Outcome o = b.result.outcome;
        if ((white && o == Outcome::ForfeitBlack) || (!white && o == Outcome::ForfeitWhite))
            h.hadBye = true; // the opponent did not appear: a win without playing
        // Forfeited games count neither as a meeting nor for colours (the engine's view too).
        if (!b.result.IsSet() || b.result.IsForfeit())
            continue;
        h.colours.append(white ? Colour::White : Colour::Black);
        h.met.insert(white ? b.black : b.white);
    }
    for (const RoundBye& bye : t.Byes())
        if (bye.player == player && bye.kind == ByeKind::Full && bye.round <= t.PairedRounds())
            h.hadBye = true;
    return h;
}

QString Name(const Tournament& t, int player) {
    return QStringLiteral("%1. %2").arg(player + 1).arg(t.PlayerAt(player).name);
}

void ColourWarnings(const Tournament& t, int player, Colour next, const History& h,
                    QStringList* out) {
    QList<Colour> colours = h.colours;
    colours.append(next);
    int difference = 0;
    for (Colour c : colours)
        difference += c == Colour::White ? 1 : -1;
    const QString colour =
        next == Colour::White ? QStringLiteral("белыми") : QStringLiteral("чёрными");
    if (difference > 2 || difference < -2)
        out->append(QStringLiteral("C.04.1.6 (разница между числом партий чёрными и белыми не "
                                   "больше 2): %1 будет играть %2, разница станет %3.")
                        .arg(Name(t, player), colour, QString::number(std::abs(difference))));
    const qsizetype n = colours.size();
    if (n >= 3 && colours[n - 1] == colours[n - 2] && colours[n - 2] == colours[n - 3])
        out->append(QStringLiteral("C.04.1.7 (один и тот же цвет не три раза подряд): %1 будет "
                                   "играть %2 третий раз подряд.")
                        .arg(Name(t, player), colour));
}

} // namespace

QStringList PairingWarnings(const Tournament& t, const std::vector<Board>& boards) {
    QStringList out;
    const int round = t.PairedRounds() + 1;
    for (const Board& b : boards) {
        if (b.white < 0 || b.white >= t.PlayerCount() || b.black >= t.PlayerCount())
            continue;
        const History white = HistoryOf(t, b.white);
        if (b.IsBye()) {
            if (white.hadBye)
                out.append(QStringLiteral("C.04.1.4 (участник, уже получивший свободный тур по "
                                          "жеребьёвке или очко без игры, не получает его снова): "
                                          "%1.")
                               .arg(Name(t, b.white)));
            continue;
        }
        if (white.met.contains(b.black))
            out.append(QStringLiteral("C.04.1.2 (два участника не встречаются между собой более "
                                      "одного раза): %1 и %2 уже играли.")
                           .arg(Name(t, b.white), Name(t, b.black)));
        if (t.ForbiddenIn(b.white, b.black, round))
            out.append(QStringLiteral("Запрещённая пара (параметры турнира): %1 и %2 не должны "
                                      "встречаться в %3 туре.")
                           .arg(Name(t, b.white), Name(t, b.black), QString::number(round)));
        ColourWarnings(t, b.white, Colour::White, white, &out);
        ColourWarnings(t, b.black, Colour::Black, HistoryOf(t, b.black), &out);
    }
    return out;
}

bool SwapSeats(std::vector<Board>& boards, Seat a, Seat b) {
    auto seat = [&](Seat s) -> int* {
        if (s.board < 0 || s.board >= int(boards.size()))
            return nullptr;
        Board& board = boards[size_t(s.board)];
        if (s.black && board.IsBye())
            return nullptr;
        return s.black ? &board.black : &board.white;
    };
    int* x = seat(a);
    int* y = seat(b);
    if (!x || !y || x == y)
        return false;
    std::swap(*x, *y);
    return true;
}

} // namespace sw
