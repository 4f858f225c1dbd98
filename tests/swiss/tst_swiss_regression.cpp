// Pairings that must not change when the engine is made faster: generated tournaments of 8 to
// 440 players, every round paired by the engine, compared through a digest of all their rounds
// with what the engine gave before its matchings started from the solutions before them (the
// file says which changed since, and why). The
// generator feeds each round's pairing into the next, so one changed board anywhere changes
// the digest.
#include "Generator.h"
#include "SwissTestUtil.h"

#include <QtTest>

#include <cstdio>
#include <sstream>

using namespace swisstest;

namespace {

std::uint64_t digest(const Tournament& t) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&](std::uint64_t v) {
        h ^= v;
        h *= 1099511628211ull;
    };
    for (const Player& p : t.players) {
        mix(std::uint64_t(p.id));
        for (const RoundEntry& e : p.rounds) {
            mix(std::uint64_t(e.opponent));
            mix(std::uint64_t(int(e.colour) + 5));
            mix(std::uint64_t(e.outcome));
        }
    }
    return h;
}

std::string hex(std::uint64_t v) {
    char b[17];
    std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(v));
    return b;
}

// Small and middle-sized fields of every shape.
GeneratorOptions mixed(int s) {
    GeneratorOptions o;
    o.seed = 7000 + std::uint64_t(s);
    o.players = 8 + (s * 37) % 193;
    o.rounds = 5 + s % 7;
    o.drawRate = (s % 4) * 0.15;
    o.forfeitRate = (s % 3) * 0.02;
    o.halfByeRate = (s % 5) * 0.01;
    o.zeroByeRate = (s % 2) * 0.01;
    o.lateEntryRate = (s % 6 == 0) ? 0.1 : 0.02;
    o.withdrawRate = (s % 7 == 0) ? 0.1 : 0.02;
    return o;
}

// Fields whose brackets are big enough for the matchings to start warm.
GeneratorOptions large(int s) {
    GeneratorOptions o;
    o.seed = 9000 + std::uint64_t(s);
    o.players = 200 + (s * 53) % 240;
    o.rounds = 7;
    o.playRounds = 5;
    o.drawRate = (s % 4) * 0.15;
    return o;
}

} // namespace

class TestSwissRegression : public QObject {
    Q_OBJECT
private slots:
    void pairingsUnchanged();
};

void TestSwissRegression::pairingsUnchanged() {
    const std::string text = readAll(QStringLiteral(SWISS_TESTS_DIR "/regression_digests.txt"));
    QVERIFY(!text.empty());
    std::istringstream in(text);
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream f(line);
        std::string kind, want;
        int seed = 0, players = 0, rounds = 0, ok = 0;
        f >> kind >> seed >> players >> rounds >> ok >> want;
        const GeneratorOptions o = kind == "large" ? large(seed) : mixed(seed);
        QCOMPARE(o.players, players);
        const GeneratedTournament g = generateTournament(o);
        QCOMPARE(int(g.ok), ok);
        QVERIFY2(hex(digest(g.tournament)) == want,
                 (kind + " " + std::to_string(seed) + ": the pairings changed").c_str());
        ++checked;
    }
    QVERIFY(checked >= 300);
}

QTEST_GUILESS_MAIN(TestSwissRegression)
#include "tst_swiss_regression.moc"
