#include "Pairing.h"

#include "Dutch.h"
#include "Trf.h"

namespace sw {

namespace eng = velmora::swiss;

namespace {

eng::Outcome EngineOutcome(const Result& r, bool white) {
    switch (r.outcome) {
    case Outcome::WhiteWin:
        return white ? eng::Outcome::Win : eng::Outcome::Loss;
    case Outcome::BlackWin:
        return white ? eng::Outcome::Loss : eng::Outcome::Win;
    case Outcome::Draw:
        return eng::Outcome::Draw;
    case Outcome::ForfeitWhite:
        return white ? eng::Outcome::ForfeitWin : eng::Outcome::ForfeitLoss;
    case Outcome::ForfeitBlack:
        return white ? eng::Outcome::ForfeitLoss : eng::Outcome::ForfeitWin;
    case Outcome::DoubleForfeit:
        return eng::Outcome::ForfeitLoss;
    default:
        // A game still without a result counts as drawn: pairing never starts before the
        // round is complete, so this only shows in a half-finished export.
        return eng::Outcome::Draw;
    }
}

eng::Outcome ByeOutcome(ByeKind kind) {
    switch (kind) {
    case ByeKind::Half:
        return eng::Outcome::HalfBye;
    case ByeKind::Full:
        return eng::Outcome::FullBye;
    case ByeKind::Zero:
        break;
    }
    return eng::Outcome::ZeroBye;
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

} // namespace

eng::Tournament ToEngine(const Tournament& t, int nextRound) {
    eng::Tournament e;
    e.name = Utf8(t.Name());
    e.totalRounds = t.TotalRounds();
    e.initialColour =
        t.GetSettings().firstColour == FirstColour::Black ? eng::Colour::Black : eng::Colour::White;
    // Points in tenths from half-points. A forfeit win and the pairing bye are worth a win,
    // a half-point bye a draw (C.04.1 c, C.04.2 D).
    const Points& p = t.GetSettings().points;
    e.points.win = p.win * 5;
    e.points.draw = p.draw * 5;
    e.points.loss = p.loss * 5;
    e.points.forfeitWin = p.win * 5;
    e.points.forfeitLoss = p.forfeitLoss * 5;
    e.points.pairingBye = p.win * 5;
    e.points.fullBye = p.win * 5;
    e.points.halfBye = p.draw * 5;
    e.points.zeroBye = 0;
    const int played = std::min(t.PairedRounds(), nextRound - 1);
    e.players.resize(size_t(t.PlayerCount()));
    for (int i = 0; i < t.PlayerCount(); ++i) {
        const Entrant& en = t.Entrants()[i];
        eng::Player& ep = e.players[size_t(i)];
        ep.id = i + 1;
        ep.name = Utf8(en.player.name);
        ep.title = Utf8(en.player.title);
        ep.fideId = Utf8(en.player.fideId);
        if (en.player.birthYear > 0)
            ep.birth = std::to_string(en.player.birthYear);
        ep.rating = en.player.rating;
        ep.rounds.resize(size_t(played));
        for (int r = 1; r <= played; ++r) {
            eng::RoundEntry& entry = ep.rounds[size_t(r - 1)];
            if (const RoundBye* bye = t.ByeOf(i, r))
                entry.outcome = ByeOutcome(bye->kind);
            else
                entry.outcome = eng::Outcome::ZeroBye;
        }
        ep.withdrawn = !t.Active(i, nextRound);
    }
    for (const Board& b : t.Boards()) {
        if (b.round > played)
            continue;
        eng::RoundEntry& w = e.players[size_t(b.white)].rounds[size_t(b.round - 1)];
        if (b.IsBye()) {
            w = {0, eng::Colour::None, eng::Outcome::PairingBye};
            continue;
        }
        eng::RoundEntry& k = e.players[size_t(b.black)].rounds[size_t(b.round - 1)];
        w = {b.black + 1, eng::Colour::White, EngineOutcome(b.result, true)};
        k = {b.white + 1, eng::Colour::Black, EngineOutcome(b.result, false)};
    }
    for (const RoundBye& bye : t.Byes())
        if (bye.round == nextRound)
            e.byeRequests.push_back({bye.round, bye.player + 1,
                                     bye.kind == ByeKind::Half   ? eng::ByeKind::Half
                                     : bye.kind == ByeKind::Full ? eng::ByeKind::Full
                                                                 : eng::ByeKind::Zero});
    // Each pair as a group of two with its rounds, which a TRF export writes as they are;
    // the engine pairs with those that hold in the round to pair.
    for (const ForbiddenPair& f : t.Forbidden())
        e.forbiddenGroups.push_back({f.firstRound, f.lastRound, {f.a + 1, f.b + 1}});
    eng::forbiddenFor(e, nextRound);
    e.bakuAcceleration = t.GetSettings().bakuAcceleration;
    if (e.bakuAcceleration)
        eng::applyBakuAcceleration(e);
    return e;
}

std::vector<Board> PairRound(const Tournament& t, QString* error) {
    const int round = t.PairedRounds() + 1;
    const eng::PairingResult result = eng::pairDutch(ToEngine(t, round), round);
    if (!result.ok) {
        if (error)
            *error = QStringLiteral("Пары %1 тура по правилам составить нельзя (%2).")
                         .arg(round)
                         .arg(QString::fromStdString(result.error));
        return {};
    }
    std::vector<Board> boards;
    int number = 0;
    for (const eng::Pair& pair : result.pairs) {
        Board b;
        b.round = round;
        b.white = pair.white - 1;
        b.black = pair.black - 1;
        b.board = b.IsBye() ? 0 : ++number;
        boards.push_back(b);
    }
    return boards;
}

} // namespace sw
