#include "Generator.h"

#include "Dutch.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace velmora::swiss {

Tournament truncateBefore(const Tournament& t, int round) {
    Tournament c = t;
    for (Player& p : c.players) {
        if (int(p.rounds.size()) >= round) {
            const RoundEntry e = p.rounds[round - 1];
            p.rounds.resize(round - 1);
            if (e.opponent == 0 && e.outcome != Outcome::PairingBye)
                p.rounds.push_back(e); // an absence known before the pairing
        }
    }
    return c;
}

GeneratedTournament generateTournament(const GeneratorOptions& o) {
    GeneratedTournament g;
    Tournament& t = g.tournament;
    std::mt19937_64 rng(o.seed);
    std::uniform_real_distribution<double> u01(0.0, 1.0);
    t.name = "Generated " + std::to_string(o.seed);
    t.totalRounds = o.rounds;
    t.initialColour = (rng() & 1) ? Colour::White : Colour::Black;
    std::vector<int> ratings(o.players);
    std::normal_distribution<double> rating(1800, 300);
    for (int& r : ratings)
        r = std::clamp(int(rating(rng)), 1000, 2850);
    std::sort(ratings.rbegin(), ratings.rend());
    std::vector<int> joins(o.players, 1), leaves(o.players, o.rounds + 1);
    for (int i = 0; i < o.players; ++i) {
        Player p;
        p.id = i + 1;
        p.name = "Player " + std::to_string(i + 1);
        p.rating = ratings[i];
        t.players.push_back(p);
        if (o.rounds > 1 && u01(rng) < o.lateEntryRate)
            joins[i] = 2 + int(rng() % std::max(1, (o.rounds - 1) / 2));
        if (o.rounds > 2 && u01(rng) < o.withdrawRate)
            leaves[i] = 2 + int(rng() % (o.rounds - 1));
    }
    const int play = o.playRounds < 0 ? o.rounds : std::min(o.playRounds, o.rounds);
    for (int r = 1; r <= play; ++r) {
        for (int i = 0; i < o.players; ++i) {
            Player& p = t.players[i];
            if (r < joins[i] || r >= leaves[i]) {
                p.rounds.push_back(RoundEntry{0, Colour::None, Outcome::ZeroBye});
                continue;
            }
            const double x = u01(rng);
            if (x < o.halfByeRate)
                p.rounds.push_back(RoundEntry{0, Colour::None, Outcome::HalfBye});
            else if (x < o.halfByeRate + o.zeroByeRate)
                p.rounds.push_back(RoundEntry{0, Colour::None, Outcome::ZeroBye});
        }
        const PairingResult pr = pairDutch(t, r);
        if (!pr.ok) {
            g.error = pr.error;
            return g;
        }
        auto entryOf = [&](int id) -> Player& { return t.players[id - 1]; };
        for (const Pair& pair : pr.pairs) {
            if (pair.black == 0) {
                entryOf(pair.white).rounds.push_back(RoundEntry{0, Colour::None, Outcome::PairingBye});
                continue;
            }
            Player& w = entryOf(pair.white);
            Player& b = entryOf(pair.black);
            RoundEntry ew{b.id, Colour::White, Outcome::Draw}, eb{w.id, Colour::Black, Outcome::Draw};
            if (u01(rng) < o.forfeitRate) {
                const bool whiteShows = rng() & 1;
                ew.outcome = whiteShows ? Outcome::ForfeitWin : Outcome::ForfeitLoss;
                eb.outcome = whiteShows ? Outcome::ForfeitLoss : Outcome::ForfeitWin;
            } else {
                const double expected = 1.0 / (1.0 + std::pow(10.0, (b.rating - w.rating + 35) / 400.0));
                const double y = u01(rng);
                const double draw = o.drawRate;
                if (y < draw) {
                    // drawn
                } else if (u01(rng) < expected) {
                    ew.outcome = Outcome::Win;
                    eb.outcome = Outcome::Loss;
                } else {
                    ew.outcome = Outcome::Loss;
                    eb.outcome = Outcome::Win;
                }
            }
            w.rounds.push_back(ew);
            b.rounds.push_back(eb);
        }
    }
    g.ok = true;
    return g;
}

} // namespace velmora::swiss
