// The Dutch rules on small tournaments built by hand, each case citing the article it checks
// (FIDE Handbook C.04.1 basic rules, C.04.3 Dutch system, C.04.5.1 Baku acceleration), and
// the weighted matching under it against exhaustive search.
#include "Generator.h"
#include "MaxWeightMatching.h"
#include "WarmMatching.h"
#include "SwissTestUtil.h"
#include "WideInt.h"

#include <QtTest>

#include <random>

using namespace swisstest;

namespace {

Tournament field(int n, int rounds) {
    Tournament t;
    t.totalRounds = rounds;
    for (int i = 1; i <= n; ++i) {
        Player p;
        p.id = i;
        p.name = "P" + std::to_string(i);
        p.rating = 2500 - 10 * i;
        t.players.push_back(p);
    }
    return t;
}

// Records a game of round r (1-based): result from white's side, '1', '=', '0', '+' or '-'.
void game(Tournament& t, int r, int white, int black, char result) {
    auto put = [&](int id, RoundEntry e) {
        auto& rounds = t.players[id - 1].rounds;
        if (int(rounds.size()) < r)
            rounds.resize(r);
        rounds[r - 1] = e;
    };
    Outcome w = Outcome::Draw, b = Outcome::Draw;
    if (result == '1') { w = Outcome::Win; b = Outcome::Loss; }
    if (result == '0') { w = Outcome::Loss; b = Outcome::Win; }
    if (result == '+') { w = Outcome::ForfeitWin; b = Outcome::ForfeitLoss; }
    if (result == '-') { w = Outcome::ForfeitLoss; b = Outcome::ForfeitWin; }
    put(white, {black, Colour::White, w});
    put(black, {white, Colour::Black, b});
}

void absent(Tournament& t, int r, int id, Outcome o) {
    auto& rounds = t.players[id - 1].rounds;
    if (int(rounds.size()) < r)
        rounds.resize(r);
    rounds[r - 1] = {0, Colour::None, o};
}

std::vector<std::string> pairs(const Tournament& t, int round = 0) {
    const PairingResult r = pairDutch(t, round);
    if (!r.ok)
        return {"error: " + r.error};
    return normalised(r);
}

bool hasPair(const std::vector<std::string>& p, int a, int b) {
    const std::string x = std::to_string(a) + " " + std::to_string(b);
    const std::string y = std::to_string(b) + " " + std::to_string(a);
    return std::find(p.begin(), p.end(), x) != p.end() || std::find(p.begin(), p.end(), y) != p.end();
}

using W2 = velmora::swiss::WideInt<2>;

W2 big(std::uint64_t hi, std::uint64_t lo) {
    W2 w;
    w.w[0] = lo;
    w.w[1] = hi;
    return w;
}

} // namespace

class TestSwissDutch : public QObject {
    Q_OBJECT
private slots:
    void firstRoundFollowsTheBracketOrder();
    void firstRoundColoursAlternateFromTheInitialColour();
    void byeGoesToTheLowestEligiblePlayer();
    void forfeitWinnerGetsNoBye();
    void rematchesAndForbiddenPairsAreAvoided();
    void tiedExchangesFollowTheExchangeOrder();
    void absoluteColourPreferencesNeverMeetBeforeTheLastRound();
    void absentWithdrawnAndLateEntries();
    void bakuAccelerationSplitsTheFirstRound();
    void impossibleRoundIsRefused();
    void matchingIsOptimal();
    void warmMatchingFollowsChanges();
    void wideIntegers();
};

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

void TestSwissDutch::firstRoundFollowsTheBracketOrder() {
    // C.04.3 B.2, B.3, D.1: eleven players, S1 = 1-5, S2 = 6-11; the first candidate pairs
    // 1-6 ... 5-10, and 11, left over in the last bracket, gets the bye (A.5). E.5: the higher
    // ranked player takes the initial colour with an odd pairing number, the other with an even.
    QCOMPARE(pairs(field(11, 5)), sorted({"1 6", "7 2", "3 8", "9 4", "5 10", "BYE 11"}));
}

void TestSwissDutch::firstRoundColoursAlternateFromTheInitialColour() {
    Tournament t = field(6, 5);
    t.initialColour = Colour::Black; // E: the initial colour drawn by lot
    QCOMPARE(pairs(t), sorted({"4 1", "2 5", "6 3"}));
    // E.5 counts the players who take part: with 2 absent, 3 is second and takes black.
    Tournament u = field(6, 5);
    absent(u, 1, 2, Outcome::ZeroBye);
    QCOMPARE(pairs(u), sorted({"1 4", "5 3", "BYE 6"}));
}

void TestSwissDutch::byeGoesToTheLowestEligiblePlayer() {
    // C.04.1.c / A.5: the bye goes to the last bracket; C.2: never twice to the same player.
    Tournament t = field(5, 5);
    game(t, 1, 1, 3, '1');
    game(t, 1, 4, 2, '0');
    absent(t, 1, 5, Outcome::PairingBye);
    const auto p = pairs(t);
    QVERIFY(std::find(p.begin(), p.end(), "BYE 5") == p.end());
    QCOMPARE(std::count_if(p.begin(), p.end(), [](const std::string& s) { return s.rfind("BYE", 0) == 0; }), 1L);
    QVERIFY(std::find(p.begin(), p.end(), "BYE 4") != p.end()); // the lowest eligible of the zero-pointers

    // 1.4.3 and the 2025 change to the bye: 5 sat out round 1 for nothing, which is no
    // downfloat, but with fewer games than 4 he is not the bye's candidate; 4 takes it.
    Tournament u = field(5, 5);
    game(u, 1, 1, 3, '1');
    game(u, 1, 4, 2, '0');
    absent(u, 1, 5, Outcome::ZeroBye);
    const auto q = pairs(u);
    QVERIFY(std::find(q.begin(), q.end(), "BYE 4") != q.end());
    QVERIFY(hasPair(q, 3, 5));
}

void TestSwissDutch::forfeitWinnerGetsNoBye() {
    // C.04.1.d: a player who scored a forfeit win does not receive the pairing-allocated bye.
    Tournament t = field(5, 5);
    game(t, 1, 1, 3, '1');
    game(t, 1, 2, 4, '+');
    absent(t, 1, 5, Outcome::HalfBye);
    // Scores: 1 and 2 have 1, 5 has a half, 3 and 4 nothing. Make 2 the natural bye by
    // giving the others more points in round 2.
    game(t, 2, 1, 5, '0');
    game(t, 2, 3, 4, '=');
    absent(t, 2, 2, Outcome::ZeroBye);
    const auto p = pairs(t, 3);
    QVERIFY2(std::find(p.begin(), p.end(), "BYE 2") == p.end(), "forfeit winner must not get the bye");
    QCOMPARE(p.size(), size_t(3));
}

void TestSwissDutch::rematchesAndForbiddenPairsAreAvoided() {
    // C.1 (C.04.1.b): no rematch. Round 2 of four after 1-3 and 4-2 won by 1 and 2.
    Tournament t = field(4, 3);
    game(t, 1, 1, 3, '1');
    game(t, 1, 4, 2, '0');
    QCOMPARE(pairs(t), sorted({"2 1", "3 4"}));
    // Forbidden pairs are kept apart like players who met: the bracket transposes (D.1).
    Tournament f = field(4, 3);
    f.forbidden.push_back({1, 3});
    const auto p = pairs(f);
    QVERIFY(!hasPair(p, 1, 3));
    QVERIFY(hasPair(p, 1, 4) && hasPair(p, 2, 3));
}

void TestSwissDutch::tiedExchangesFollowTheExchangeOrder() {
    // D.2: 1 and 2 may not meet 5 or 6, so S1 = 1-3 cannot stay whole, and 3 for 4 (a
    // difference of 1) leaves 1 and 2 without partners. Two exchanges differ by 2: 2 for 4
    // and 3 for 5. D.2 c takes the one whose player moved down from S1 has the higher BSN:
    // S1 = 1, 2, 5 against S2 = 3, 4, 6, first transposition 1-3, 2-4, 5-6 (D.1).
    Tournament t = field(6, 5);
    for (auto [a, b] : {std::pair{1, 5}, {1, 6}, {2, 5}, {2, 6}})
        t.forbidden.push_back({a, b});
    const auto p = pairs(t);
    QVERIFY(hasPair(p, 1, 3) && hasPair(p, 2, 4) && hasPair(p, 5, 6));
}

void TestSwissDutch::absoluteColourPreferencesNeverMeetBeforeTheLastRound() {
    // C.3: 1 and 2 both had black twice (absolute preference for white) and lead the field:
    // they must not meet before the last round; in the last round, as topscorers, they may.
    for (const int rounds : {5, 3}) {
        Tournament t = field(6, rounds);
        game(t, 1, 3, 1, '0');
        game(t, 1, 4, 2, '0');
        game(t, 1, 5, 6, '=');
        game(t, 2, 5, 1, '0');
        game(t, 2, 6, 2, '0');
        game(t, 2, 3, 4, '=');
        const auto p = pairs(t, 3);
        if (rounds == 5) {
            QVERIFY(!hasPair(p, 1, 2));
        } else {
            QVERIFY(hasPair(p, 1, 2)); // A.7: both topscorers
            QVERIFY(std::find(p.begin(), p.end(), "1 2") != p.end()); // E.4: the higher ranked
        }
    }
}

void TestSwissDutch::absentWithdrawnAndLateEntries() {
    Tournament t = field(7, 5);
    game(t, 1, 1, 4, '1');
    game(t, 1, 5, 2, '0');
    game(t, 1, 3, 6, '=');
    absent(t, 1, 7, Outcome::ZeroBye); // joins in round 2 with no points
    t.players[5].withdrawn = true;     // 6 leaves
    t.byeRequests.push_back({2, 3, ByeKind::Half});
    const auto p = pairs(t);
    for (const std::string& s : p) {
        QVERIFY2(s.find('6') == std::string::npos, "a withdrawn player is not paired");
        QVERIFY2(s.find('3') == std::string::npos, "a player with a bye request is not paired");
    }
    QCOMPARE(p.size(), size_t(3)); // 1, 2, 4, 5, 7: two boards and a bye
    QVERIFY(hasPair(p, 1, 2));
    const std::string illegal = checkLegal(t, 2, pairDutch(t));
    QVERIFY2(illegal.empty(), illegal.c_str());
}

void TestSwissDutch::bakuAccelerationSplitsTheFirstRound() {
    // C.04.5.1: group A (the first half, made even) gets a virtual point in round 1, so it is
    // paired within itself: 1-3, 2-4 and 5-7, 6-8.
    Tournament t = field(8, 9);
    applyBakuAcceleration(t);
    QCOMPARE(t.players[0].accel.at(0), 10);
    QCOMPARE(t.players[4].accel.at(0), 0);
    const auto p = pairs(t);
    QVERIFY(hasPair(p, 1, 3) && hasPair(p, 2, 4) && hasPair(p, 5, 7) && hasPair(p, 6, 8));
    // After the accelerated rounds nobody has virtual points.
    QCOMPARE(t.players[0].accel.back(), 0);
}

void TestSwissDutch::impossibleRoundIsRefused() {
    // A.9: if the round cannot be completed the arbiter decides; the engine says so.
    Tournament t = field(2, 3);
    game(t, 1, 1, 2, '1');
    const PairingResult r = pairDutch(t);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.find("cannot be paired") != std::string::npos, r.error.c_str());
    Tournament done = field(2, 1);
    game(done, 1, 1, 2, '1');
    QVERIFY(!pairDutch(done).ok);
}

void TestSwissDutch::matchingIsOptimal() {
    // The blossom matching against every matching of small random graphs, weights spanning
    // both words of a 128-bit integer so that carries and borrows are exercised.
    std::mt19937_64 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 2 + int(rng() % 9);
        std::vector<velmora::swiss::WeightedEdge<W2>> edges;
        std::vector<std::vector<int>> idx(n, std::vector<int>(n, -1));
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                if (rng() % 3) {
                    idx[a][b] = idx[b][a] = int(edges.size());
                    edges.push_back({a, b, big(rng() % 4, rng() % 8 == 0 ? ~std::uint64_t(0) - rng() % 5 : rng() % 50 + 1)});
                }
        const std::vector<int> mate = velmora::swiss::maxWeightMatching<W2>(n, edges);
        W2 got = W2::fromInt(0);
        for (int v = 0; v < n; ++v) {
            if (mate[v] < 0)
                continue;
            QCOMPARE(mate[mate[v]], v);
            QVERIFY(idx[v][mate[v]] >= 0);
            if (mate[v] > v)
                got += edges[idx[v][mate[v]]].w;
        }
        // Exhaustive: best matching of the vertices from `v` on.
        std::function<W2(int, std::vector<char>&)> best = [&](int v, std::vector<char>& usedV) -> W2 {
            while (v < n && usedV[v])
                ++v;
            if (v >= n)
                return W2::fromInt(0);
            usedV[v] = 1;
            W2 b = best(v + 1, usedV); // v unmatched
            for (int u = v + 1; u < n; ++u)
                if (!usedV[u] && idx[v][u] >= 0) {
                    usedV[u] = 1;
                    const W2 c = edges[idx[v][u]].w + best(v + 1, usedV);
                    usedV[u] = 0;
                    if (b < c)
                        b = c;
                }
            usedV[v] = 0;
            return b;
        };
        std::vector<char> usedV(n, 0);
        QVERIFY2(got == best(0, usedV), ("trial " + std::to_string(trial)).c_str());
    }
}

void TestSwissDutch::warmMatchingFollowsChanges() {
    // One vertex set solved again and again as the pairing does: weights changed in a few
    // places, vertices taken out and brought back, only part of the edges given at first and
    // the rest added while the duals leave them uncovered, now and then a solution from
    // scratch handed over. Each result must weigh what a matching from scratch over every
    // edge weighs. Weights reach into the high word so that raised duals carry.
    std::mt19937_64 rng(11);
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 4 + int(rng() % 50);
        velmora::swiss::WarmMatching<W2> warm(n);
        std::vector<std::vector<W2>> w(n, std::vector<W2>(n, W2::fromInt(0)));
        auto weight = [&] { return big(rng() % 3, rng() % 40 + 1); };
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                if (rng() % 3)
                    w[a][b] = weight();
        std::vector<char> live(n, 1);
        for (int step = 0; step < 8; ++step) {
            if (step % 3 == 2)
                for (int v = 0; v < n; ++v)
                    live[v] = rng() % 6 != 0;
            else if (step > 0)
                live[rng() % n] = 0;
            for (int c = 0; c < 4; ++c) {
                const int a = int(rng() % n), b = int(rng() % n);
                if (a < b)
                    w[a][b] = rng() % 4 ? weight() : W2::fromInt(0);
            }
            std::vector<velmora::swiss::WeightedEdge<W2>> all, given;
            for (int a = 0; a < n; ++a)
                for (int b = a + 1; b < n; ++b)
                    if (live[a] && live[b] && W2::fromInt(0) < w[a][b])
                        all.push_back({a, b, w[a][b]});
            std::vector<char> in(all.size(), 0);
            for (size_t k = 0; k < all.size(); ++k)
                if (rng() % 3 == 0) {
                    in[k] = 1;
                    given.push_back(all[k]);
                }
            std::vector<int> mate;
            for (bool added = true; added;) {
                mate = warm.solve(given, live);
                added = false;
                for (size_t k = 0; k < all.size(); ++k)
                    if (!in[k] && warm.uncovered(all[k].u, all[k].v, all[k].w)) {
                        in[k] = 1;
                        given.push_back(all[k]);
                        added = true;
                    }
            }
            auto value = [&](const std::vector<int>& m) {
                W2 s = W2::fromInt(0);
                for (int v = 0; v < n; ++v)
                    if (m[v] > v) {
                        if (!live[v] || !live[m[v]] || !(W2::fromInt(0) < w[v][m[v]]) || m[m[v]] != v)
                            return W2::fromInt(-1);
                        s += w[v][m[v]];
                    }
                return s;
            };
            const W2 got = value(mate);
            velmora::swiss::MatchingDuals<W2> fresh;
            const std::vector<int> scratch = velmora::swiss::maxWeightMatching<W2>(n, all, nullptr, &fresh);
            QVERIFY2(got == value(scratch), ("trial " + std::to_string(trial) + " step " + std::to_string(step)).c_str());
            // Now and then the next solve starts from one found from scratch, as after phase 3.
            if (step % 4 == 1)
                warm.adopt(scratch, fresh, live);
        }
    }
}

void TestSwissDutch::wideIntegers() {
    const W2 a = big(0, ~std::uint64_t(0));
    const W2 one = W2::fromInt(1);
    QVERIFY((a + one) == big(1, 0));                   // carry into the high word
    QVERIFY((big(1, 0) - one) == a);                   // borrow out of it
    QVERIFY((W2::fromInt(0) - one).isNegative());
    QVERIFY((W2::fromInt(-6).half()) == W2::fromInt(-3));
    QVERIFY(big(1, 0).half() == big(0, std::uint64_t(1) << 63));
    QVERIFY(W2::fromInt(-1) < W2::fromInt(0) && W2::fromInt(0) < big(1, 0));
    W2 s;
    s.addShifted(5, 62);
    QVERIFY(s == big(1, std::uint64_t(1) << 62));
    QVERIFY(big(3, 0xff).dropLow(66) == W2::fromInt(0));
    QVERIFY(big(7, 0xff).dropLow(66) == big(4, 0));
}

QTEST_GUILESS_MAIN(TestSwissDutch)
#include "tst_swiss_dutch.moc"
