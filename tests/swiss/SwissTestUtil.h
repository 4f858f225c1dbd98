// Shared by the Swiss engine's tests: reading the reference tournaments, building the input
// of one round the way the reference replay does, and checking a pairing's legality.
#pragma once

#include "Dutch.h"
#include "Trf.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace swisstest {

using namespace velmora::swiss;

inline std::string readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

// The colour of pairing number 1's side in round 1, from the games of round 1 (the reference
// files carry no XXC line).
inline Colour initialColourFromRoundOne(const Tournament& t) {
    int counted = 0;
    for (const Player& p : t.players) {
        if (p.rounds.empty())
            continue;
        const RoundEntry& e = p.rounds[0];
        if (e.opponent == 0 && e.outcome != Outcome::PairingBye)
            continue;
        if (e.colour != Colour::None) {
            bool white = e.colour == Colour::White;
            if (counted % 2)
                white = !white;
            return white ? Colour::White : Colour::Black;
        }
        ++counted;
    }
    return Colour::White;
}

// What the organiser knew before pairing round r: the rounds before it, and the absences
// already entered for round r.
inline Tournament inputForRound(const Tournament& full, int r) {
    Tournament t = full;
    t.initialColour = initialColourFromRoundOne(full);
    int rounds = 0;
    for (const Player& p : full.players)
        rounds = std::max(rounds, int(p.rounds.size()));
    t.totalRounds = std::max(full.totalRounds, rounds);
    for (Player& p : t.players) {
        std::vector<RoundEntry> keep(p.rounds.begin(), p.rounds.begin() + std::min<size_t>(p.rounds.size(), r - 1));
        while (int(keep.size()) < r - 1)
            keep.push_back(RoundEntry{}); // blank cell: not there
        if (int(p.rounds.size()) >= r) {
            const RoundEntry& e = p.rounds[r - 1];
            if (e.opponent == 0 && e.outcome != Outcome::PairingBye)
                keep.push_back(e);
        } else {
            keep.push_back(RoundEntry{}); // no entry at all: absent
        }
        p.rounds = keep;
    }
    forbiddenFor(t, r); // the pairs kept apart in round r
    return t;
}

// The pairing of round r as played: "w b" and "BYE n", sorted.
inline std::vector<std::string> actualPairing(const Tournament& full, int r) {
    std::set<std::string> out;
    for (const Player& p : full.players) {
        if (int(p.rounds.size()) < r)
            continue;
        const RoundEntry& e = p.rounds[r - 1];
        if (e.outcome == Outcome::PairingBye)
            out.insert("BYE " + std::to_string(p.id));
        else if (e.opponent != 0 && e.colour == Colour::White)
            out.insert(std::to_string(p.id) + " " + std::to_string(e.opponent));
        else if (e.opponent != 0 && e.colour == Colour::Black)
            out.insert(std::to_string(e.opponent) + " " + std::to_string(p.id));
    }
    return {out.begin(), out.end()};
}

inline std::vector<std::string> normalised(const PairingResult& r) {
    std::vector<std::string> out;
    for (const Pair& p : r.pairs)
        out.push_back(p.black == 0 ? "BYE " + std::to_string(p.white)
                                   : std::to_string(p.white) + " " + std::to_string(p.black));
    std::sort(out.begin(), out.end());
    return out;
}

// Legality of a round's pairing (C.04.1 and the absolute criteria): an empty string when legal.
inline std::string checkLegal(const Tournament& before, int round, const PairingResult& r) {
    std::map<int, const Player*> byId;
    for (const Player& p : before.players)
        byId[p.id] = &p;
    std::set<int> seen;
    auto metBefore = [&](int a, int b) {
        const Player* p = byId[a];
        for (int k = 0; k < round - 1 && k < int(p->rounds.size()); ++k)
            if (p->rounds[k].opponent == b && p->rounds[k].played())
                return true;
        return false;
    };
    auto colours = [&](int id) {
        std::vector<Colour> c;
        const Player* p = byId[id];
        for (int k = 0; k < round - 1 && k < int(p->rounds.size()); ++k)
            if (p->rounds[k].played())
                c.push_back(p->rounds[k].colour);
        return c;
    };
    const bool lastRound = before.totalRounds == round;
    for (const Pair& pr : r.pairs) {
        for (int id : {pr.white, pr.black}) {
            if (id == 0)
                continue;
            if (!byId.count(id))
                return "unknown player " + std::to_string(id);
            if (!seen.insert(id).second)
                return "player " + std::to_string(id) + " paired twice";
            const Player* p = byId[id];
            if (p->withdrawn || int(p->rounds.size()) >= round)
                return "player " + std::to_string(id) + " is not to be paired";
        }
        if (pr.black == 0) {
            const Player* p = byId[pr.white];
            for (int k = 0; k < round - 1 && k < int(p->rounds.size()); ++k)
                if (p->rounds[k].outcome == Outcome::PairingBye || p->rounds[k].outcome == Outcome::ForfeitWin)
                    return "second pairing-allocated bye for " + std::to_string(pr.white);
            continue;
        }
        if (metBefore(pr.white, pr.black))
            return "rematch " + std::to_string(pr.white) + "-" + std::to_string(pr.black);
        for (const auto& [a, b] : before.forbidden)
            if ((a == pr.white && b == pr.black) || (a == pr.black && b == pr.white))
                return "forbidden pair " + std::to_string(a) + "-" + std::to_string(b);
        if (!lastRound) {
            // C.3: nobody gets a colour difference beyond 2 or a third colour in a row.
            for (auto [id, c] : {std::pair{pr.white, Colour::White}, std::pair{pr.black, Colour::Black}}) {
                std::vector<Colour> h = colours(id);
                int cd = 0;
                for (Colour x : h)
                    cd += x == Colour::White ? 1 : -1;
                cd += c == Colour::White ? 1 : -1;
                if (cd > 2 || cd < -2)
                    return "colour difference beyond 2 for " + std::to_string(id);
                const size_t n = h.size();
                if (n >= 2 && h[n - 1] == c && h[n - 2] == c)
                    return "third colour in a row for " + std::to_string(id);
            }
        }
    }
    for (const Player& p : before.players) {
        if (p.withdrawn || int(p.rounds.size()) >= round)
            continue;
        bool requested = false;
        for (const auto& q : before.byeRequests)
            requested = requested || (q.round == round && q.player == p.id);
        if (!requested && !seen.count(p.id))
            return "player " + std::to_string(p.id) + " left unpaired";
    }
    return {};
}

} // namespace swisstest
