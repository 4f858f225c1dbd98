#include "SwissStandings.h"

#include "GamesBridge.h"
#include "Text.h"

#include <optional>

namespace sw {

namespace {

bridge::Kind KindOf(const Result& r) {
    switch (r.outcome) {
    case Outcome::WhiteWin:
        return bridge::Kind::WhiteWin;
    case Outcome::Draw:
        return bridge::Kind::Draw;
    case Outcome::BlackWin:
        return bridge::Kind::BlackWin;
    case Outcome::ForfeitWhite:
        return bridge::Kind::WhiteForfeitWin;
    case Outcome::ForfeitBlack:
        return bridge::Kind::BlackForfeitWin;
    case Outcome::DoubleForfeit:
        return bridge::Kind::DoubleForfeit;
    default:
        return bridge::Kind::Pending;
    }
}

bridge::Kind ByeKindOf(ByeKind kind) {
    return kind == ByeKind::Half   ? bridge::Kind::HalfBye
           : kind == ByeKind::Full ? bridge::Kind::FullBye
                                   : bridge::Kind::ZeroBye;
}

// Points a side earns, in half-points; nothing without a result.
std::optional<int> SideHalves(const Result& r, bool white, const Points& p) {
    const SideOutcome s = ForSide(r, white ? Side::White : Side::Black);
    return s.decided ? std::optional<int>(PointsFor(s, p)) : std::nullopt;
}

} // namespace

std::vector<Standing> ComputeStandings(const Tournament& t) {
    bridge::Input in;
    const Points& p = t.GetSettings().points;
    in.win = p.win / 2.0;
    in.draw = p.draw / 2.0;
    in.loss = p.loss / 2.0;
    in.forfeitLoss = p.forfeitLoss / 2.0;
    for (int i = 0; i < t.PlayerCount(); ++i)
        in.players.push_back({i + 1, t.PlayerAt(i).rating, t.Entrants()[i].withdrawnFrom});
    for (const Board& b : t.Boards()) {
        if (b.IsBye())
            in.games.push_back({b.round, 0, b.white + 1, 0, bridge::Kind::PairingBye});
        else
            in.games.push_back({b.round, b.board, b.white + 1, b.black + 1, KindOf(b.result)});
    }
    for (const RoundBye& bye : t.Byes())
        if (bye.round <= t.PairedRounds())
            in.games.push_back({bye.round, 0, bye.player + 1, 0, ByeKindOf(bye.kind)});
    std::vector<Standing> table;
    for (const bridge::Row& row : bridge::Rank(in, t.GetSettings().tieBreaks))
        table.push_back({row.player - 1, row.points, row.values, row.placeFrom, row.placeTo});
    return table;
}

QString PlaceText(const Standing& s) {
    if (s.placeFrom == s.placeTo)
        return QString::number(s.placeFrom);
    return QStringLiteral("%1–%2").arg(s.placeFrom).arg(s.placeTo);
}

QStringList RoundRecord(const Tournament& t, int player) {
    const Points& p = t.GetSettings().points;
    QStringList cells(t.PairedRounds(), QString());
    for (const Board& b : t.Boards()) {
        if (b.white != player && b.black != player)
            continue;
        QString& cell = cells[b.round - 1];
        if (b.IsBye()) {
            cell = QStringLiteral("–") + PointsText(p.win);
            continue;
        }
        const bool white = b.white == player;
        cell = QString::number((white ? b.black : b.white) + 1) +
               (white ? QLatin1Char('w') : QLatin1Char('b'));
        const std::optional<int> halves = SideHalves(b.result, white, p);
        if (!halves)
            continue;
        if (b.result.IsForfeit())
            cell += ForSide(b.result, white ? Side::White : Side::Black).win ? QStringLiteral("+")
                                                                               : QStringLiteral("−");
        else
            cell += PointsText(*halves);
    }
    for (int r = 1; r <= t.PairedRounds(); ++r) {
        QString& cell = cells[r - 1];
        if (!cell.isEmpty())
            continue;
        const RoundBye* bye = t.ByeOf(player, r);
        const int halves = !bye                      ? 0
                           : bye->kind == ByeKind::Half ? p.draw
                           : bye->kind == ByeKind::Full ? p.win
                                                        : 0;
        cell = QStringLiteral("–") + PointsText(halves);
    }
    return cells;
}

int PlayerHalves(const Tournament& t, int player) {
    const Points& p = t.GetSettings().points;
    int halves = 0;
    for (const Board& b : t.Boards()) {
        if (b.IsBye()) {
            halves += b.white == player ? p.win : 0;
        } else if (b.white == player || b.black == player) {
            halves += SideHalves(b.result, b.white == player, p).value_or(0);
        }
    }
    for (const RoundBye& bye : t.Byes())
        if (bye.player == player && bye.round <= t.PairedRounds())
            halves += bye.kind == ByeKind::Half ? p.draw : bye.kind == ByeKind::Full ? p.win : 0;
    return halves;
}

} // namespace sw
