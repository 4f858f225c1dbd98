// Generated tournaments of every shape: each round the engine pairs must be legal (C.04.1 and
// the absolute criteria) and must leave nobody out, and the TRF of the tournament must read
// back to the same pairing.
#include "Generator.h"
#include "SwissTestUtil.h"

#include <QtTest>

using namespace swisstest;

class TestSwissProperties : public QObject {
    Q_OBJECT
private slots:
    void generatedTournamentsAreLegal();
    void oneByePerPlayerAtMost();
};

void TestSwissProperties::generatedTournamentsAreLegal() {
    int tournaments = 0, rounds = 0;
    for (std::uint64_t seed = 1; seed <= 1000; ++seed) {
        GeneratorOptions o;
        o.seed = seed;
        o.players = 6 + int(seed * 7919 % 45);   // 6 to 50 players
        o.rounds = 3 + int(seed % 7);            // 3 to 9 rounds
        o.drawRate = (seed % 5) * 0.12;
        o.forfeitRate = (seed % 3) * 0.03;
        o.halfByeRate = (seed % 4) * 0.02;
        o.zeroByeRate = (seed % 2) * 0.02;
        o.lateEntryRate = (seed % 6 == 0) ? 0.15 : 0.02;
        o.withdrawRate = (seed % 7 == 0) ? 0.15 : 0.02;
        o.rounds = std::min(o.rounds, o.players - 1);
        const GeneratedTournament g = generateTournament(o);
        if (!g.ok) {
            // Only a tournament whose remaining players have all met may refuse a round.
            QVERIFY2(g.error.find("cannot be paired") != std::string::npos, g.error.c_str());
            continue;
        }
        ++tournaments;
        for (int r = 1; r <= o.rounds; ++r) {
            const Tournament before = truncateBefore(g.tournament, r);
            const PairingResult p = pairDutch(before, r);
            QVERIFY2(p.ok, p.error.c_str());
            const std::string bad = checkLegal(before, r, p);
            QVERIFY2(bad.empty(), ("seed " + std::to_string(seed) + " round " + std::to_string(r) + ": " + bad).c_str());
            ++rounds;
        }
        // What the plug-in exports replays identically.
        if (seed % 10 == 0) {
            const int r = o.rounds;
            const Tournament before = truncateBefore(g.tournament, r);
            const TrfReadResult back = readTrf(writeTrf(before));
            QVERIFY2(back.ok, back.error.c_str());
            QCOMPARE(normalised(pairDutch(back.tournament, r)), normalised(pairDutch(before, r)));
        }
    }
    qInfo("%d generated tournaments, %d rounds paired and checked", tournaments, rounds);
    QVERIFY(tournaments >= 950);
}

void TestSwissProperties::oneByePerPlayerAtMost() {
    // Odd fields over many rounds make the pairing-allocated bye travel down the standings.
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        GeneratorOptions o;
        o.seed = seed;
        o.players = 7 + 2 * int(seed % 6);
        o.rounds = o.players - 2;
        o.forfeitRate = 0;
        o.halfByeRate = o.zeroByeRate = o.lateEntryRate = o.withdrawRate = 0;
        const GeneratedTournament g = generateTournament(o);
        if (!g.ok)
            continue;
        for (const Player& p : g.tournament.players) {
            int byes = 0;
            for (const RoundEntry& e : p.rounds)
                byes += e.outcome == Outcome::PairingBye ? 1 : 0;
            QVERIFY2(byes <= 1, ("seed " + std::to_string(seed) + ": player " + std::to_string(p.id) +
                                 " got " + std::to_string(byes) + " byes").c_str());
        }
    }
}

QTEST_GUILESS_MAIN(TestSwissProperties)
#include "tst_swiss_properties.moc"
