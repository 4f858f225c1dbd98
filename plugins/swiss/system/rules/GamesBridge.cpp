#include "GamesBridge.h"

#include "Standings.h"

namespace sw::bridge {

std::vector<Row> Rank(const Input& in, const QList<kit::TieBreak>& tieBreaks) {
    kit::GameRecord record;
    // Forfeit wins and byes are worth a win, a half-point bye a draw.
    record.points = {in.win, in.draw, in.loss, in.win, in.forfeitLoss, in.win, in.win, in.draw, 0};
    record.allPlayAll = false;
    for (const InputPlayer& p : in.players) {
        kit::GamePlayer kp;
        kp.id = p.id;
        kp.rating = p.rating;
        kp.withdrawnFrom = p.withdrawnFrom;
        record.players.push_back(kp);
    }
    for (const InputGame& g : in.games) {
        switch (g.kind) {
        case Kind::PairingBye:
            record.games.push_back(kit::Game::ByeFor(g.round, g.white, kit::Bye::PairingAllocated));
            break;
        case Kind::FullBye:
            record.games.push_back(kit::Game::ByeFor(g.round, g.white, kit::Bye::Full));
            break;
        case Kind::HalfBye:
            record.games.push_back(kit::Game::ByeFor(g.round, g.white, kit::Bye::Half));
            break;
        case Kind::ZeroBye:
            record.games.push_back(kit::Game::ByeFor(g.round, g.white, kit::Bye::Zero));
            break;
        default:
            record.games.push_back(kit::Game::Played(g.round, g.board, g.white, g.black,
                                                     kit::GameResult(int(g.kind))));
            break;
        }
    }
    const kit::Standings standings(record);
    std::vector<Row> rows;
    for (const kit::StandingRow& s :
         standings.Table(std::vector<kit::TieBreak>(tieBreaks.begin(), tieBreaks.end()))) {
        rows.push_back({s.player, s.points, s.values, s.placeFrom, s.placeTo});
    }
    return rows;
}

} // namespace sw::bridge
