// The TRF reader and writer, and velmora-pair's command line: line ends, malformed lines named
// by their number, the lines that steer the pairing, and what the writer writes reading back.
#include "SwissTestUtil.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace swisstest;

namespace {

const char* const kThree =
    "012 Three rounds\n"
    "001    1      Alpha                             2400                             2.0    1     3 w 1     2 b =\n"
    "001    2      Beta                              2300                             1.5    2     4 b 1     1 w =\n"
    "001    3      Gamma                             2200                             0.0    3     1 b 0     4 w 0\n"
    "001    4      Delta                             2100                             0.5    4     2 w 0     3 b 1\n"
    "XXR 5\n";

std::string withEnds(std::string s, const char* eol) {
    std::string out;
    for (char c : s) {
        if (c == '\n')
            out += eol;
        else
            out += c;
    }
    return out;
}

} // namespace

class TestSwissTrf : public QObject {
    Q_OBJECT
private slots:
    void lineEndsDoNotMatter();
    void malformedLinesAreNamed_data();
    void malformedLinesAreNamed();
    void steeringLines();
    void writerReadsBack();
    void trf2026Records();
    void bothRevisionsPairAlike();
    void commandLine();
    void commandLineRefusesBadInput();
};

void TestSwissTrf::lineEndsDoNotMatter() {
    const TrfReadResult lf = readTrf(kThree);
    QVERIFY2(lf.ok, lf.error.c_str());
    for (const char* eol : {"\r", "\r\n"}) {
        const TrfReadResult r = readTrf(withEnds(kThree, eol));
        QVERIFY2(r.ok, r.error.c_str());
        QCOMPARE(normalised(pairDutch(r.tournament)), normalised(pairDutch(lf.tournament)));
    }
    QCOMPARE(lf.tournament.totalRounds, 5);
    QCOMPARE(lf.tournament.players[1].rounds[0].opponent, 4);
    QVERIFY(lf.tournament.players[1].rounds[1].outcome == Outcome::Draw);
}

void TestSwissTrf::malformedLinesAreNamed_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString p1 = "001    1      Alpha                             2400                             1.0    1     2 w 1\n";
    const QString p2 = "001    2      Beta                              2300                             0.0    2     1 b 0\n";
    QTest::newRow("bad number") << p1 + "001   x2      Beta\n" << "line 2: starting number";
    QTest::newRow("duplicate") << p1 + p2 + p1 << "line 3: starting number 1 already used on line 1";
    QTest::newRow("no opponent line") << p1 << "line 1: round 1: opponent 2 has no player line";
    QTest::newRow("one-sided game")
        << p1 + "001    2      Beta                              2300                             0.0    2  0000 - Z\n"
        << "line 1: round 1: player 2 does not have 1 as opponent";
    QTest::newRow("same colours")
        << p1 + "001    2      Beta                              2300                             0.0    2     1 w 0\n"
        << "both players of the game have the same colour";
    QTest::newRow("bad result")
        << "001    1      Alpha                             2400                             1.0    1     2 w 7\n" + p2
        << "line 1: round 1: result '7' is unknown";
    QTest::newRow("bad colour")
        << "001    1      Alpha                             2400                             1.0    1     2 x 1\n" + p2
        << "line 1: round 1: colour 'x'";
    QTest::newRow("bad rating") << "001    1      Alpha                             24x0\n" << "line 1: rating";
    QTest::newRow("bad rounds") << p1 + p2 + "XXR many\n" << "line 3: the number of rounds";
    QTest::newRow("bad points system") << p1 + p2 + "162  W x.0\n" << "line 3: point system";
    QTest::newRow("bad forbidden pair") << p1 + p2 + "XXP 1\n" << "line 3: forbidden pairs";
    QTest::newRow("bad bye request") << p1 + p2 + "240 Q 2 1\n" << "line 3: requested byes";
    QTest::newRow("2026 forbidden pair without rounds")
        << p1 + p2 + "260          0001 0002\n" << "line 3: forbidden pairs: the first round";
    QTest::newRow("2026 forbidden pair, last round before the first")
        << p1 + p2 + "260   5   2 0001 0002\n" << "line 3: forbidden pairs: the last round";
    QTest::newRow("2026 forbidden pair of an unknown player")
        << p1 + p2 + "260   1   9 0001 0007\n" << "line 3: forbidden pairs: 7 is not a player";
    QTest::newRow("2026 acceleration without points")
        << p1 + p2 + "250           1   2    1    2\n" << "line 3: acceleration: \"\" is not";
    QTest::newRow("2026 acceleration for nobody")
        << p1 + p2 + "250  1.0  1.0   1   2    9\n" << "line 3: acceleration: 9 is not";
    QTest::newRow("binary") << QString(p1 + p2 + "\x01\x02garbage\n") << "line 3: control character";
    QTest::newRow("unknown line") << p1 + p2 + "hello\n" << "line 3: unknown line";
    QTest::newRow("empty") << QString() << "no player lines";
}

void TestSwissTrf::malformedLinesAreNamed() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    const TrfReadResult r = readTrf(text.toStdString());
    QVERIFY(!r.ok);
    QVERIFY2(QString::fromStdString(r.error).contains(message), r.error.c_str());
}

void TestSwissTrf::steeringLines() {
    const std::string text = std::string(kThree) +
                             "162  W 3.0    D 1.0\n"
                             "XXC black1\n"
                             "XXP 1 2\n"
                             "240 H 3 4\n"
                             "XXA    1  1.0  0.5\n";
    const TrfReadResult r = readTrf(text);
    QVERIFY2(r.ok, r.error.c_str());
    const Tournament& t = r.tournament;
    QCOMPARE(t.points.win, 30);
    QCOMPARE(t.points.draw, 10);
    QVERIFY(t.initialColour == Colour::Black);
    QCOMPARE(t.forbidden.size(), size_t(1));
    QCOMPARE(t.byeRequests.size(), size_t(1));
    QCOMPARE(t.byeRequests[0].round, 3);
    QCOMPARE(t.players[0].accel, (std::vector<int>{10, 5}));
    // Round 3: 4 asked for a bye, 1 and 2 must not meet: 3 players, one bye.
    const PairingResult p = pairDutch(t);
    QVERIFY2(p.ok, p.error.c_str());
    QCOMPARE(p.round, 3);
    QCOMPARE(p.pairs.size(), size_t(2));
    for (const Pair& pr : p.pairs) {
        QVERIFY(pr.white != 4 && pr.black != 4);
        QVERIFY(!((pr.white == 1 && pr.black == 2) || (pr.white == 2 && pr.black == 1)));
    }
}

void TestSwissTrf::writerReadsBack() {
    const TrfReadResult r = readTrf(readAll(QStringLiteral(SWISS_REFERENCE_DIR "/swiss_014p_07r_141_p310.trf")));
    QVERIFY2(r.ok, r.error.c_str());
    Tournament t = r.tournament;
    t.forbidden.push_back({3, 9});
    t.byeRequests.push_back({8, 5, ByeKind::Zero});
    t.players[2].name = "Иванов Иван";
    const std::string written = writeTrf(t);
    const TrfReadResult back = readTrf(written);
    QVERIFY2(back.ok, back.error.c_str());
    QCOMPARE(writeTrf(back.tournament), written);
    QCOMPARE(back.tournament.points.win, 30);
    QCOMPARE(back.tournament.players[2].name, std::string("Иванов Иван"));
    // 33 columns hold 16 Cyrillic letters and a half: the half goes, not half a letter.
    Tournament longName = t;
    longName.players[0].name = "Константинопольский Александр";
    const TrfReadResult cut = readTrf(writeTrf(longName));
    QVERIFY2(cut.ok, cut.error.c_str());
    QCOMPARE(cut.tournament.players[0].name, std::string("Константинопольс"));
    QCOMPARE(cut.tournament.players[0].rating, longName.players[0].rating);
    QCOMPARE(back.tournament.players.size(), t.players.size());
    // Built without a TRF (no 162 line to carry over), the point system is still written.
    Tournament bare = t;
    bare.otherLines.clear();
    bare.points.pairingBye = 15;
    const TrfReadResult bareBack = readTrf(writeTrf(bare));
    QVERIFY2(bareBack.ok, bareBack.error.c_str());
    QCOMPARE(bareBack.tournament.points.win, 30);
    QCOMPARE(bareBack.tournament.points.draw, 10);
    QCOMPARE(bareBack.tournament.points.pairingBye, 15);
    QCOMPARE(normalised(pairDutch(bareBack.tournament, 7)), normalised(pairDutch(bare, 7)));
    // TRF-16 has no record for a requested bye: player 5's for the next round is in its column.
    QVERIFY(back.tournament.byeRequests.empty());
    QVERIFY(back.tournament.players[4].rounds.at(7).outcome == Outcome::ZeroBye);
    QCOMPARE(back.tournament.pairedRounds(), t.pairedRounds());
    for (size_t i = 0; i < t.players.size(); ++i) {
        QCOMPARE(back.tournament.players[i].rounds.size(), t.players[i].rounds.size() + (i == 4 ? 1 : 0));
        for (size_t k = 0; k < t.players[i].rounds.size(); ++k) {
            QCOMPARE(back.tournament.players[i].rounds[k].opponent, t.players[i].rounds[k].opponent);
            QVERIFY(back.tournament.players[i].rounds[k].outcome == t.players[i].rounds[k].outcome);
        }
    }
}

// TRF-2026's own records at their columns: rounds, first colour, points, byes, acceleration
// by ranges of rounds and players, forbidden pairs for a range of rounds.
void TestSwissTrf::trf2026Records() {
    const std::string text = std::string(kThree) +
                             "142 5\n"
                             "152 B\n"
                             "162  W 3.0    D 1.0    L 0.0    P 1.0    A 0.0\n"
                             "240 H   3 0004\n"
                             "250  1.0  1.0   1   2    1    2\n"
                             "260   3   5 0001 0002\n"
                             "260   1   2 0003 0004\n";
    const TrfReadResult r = readTrf(text);
    QVERIFY2(r.ok, r.error.c_str());
    const Tournament& t = r.tournament;
    QCOMPARE(t.totalRounds, 5);
    QVERIFY(t.initialColour == Colour::Black);
    QCOMPARE(t.points.win, 30);
    QCOMPARE(t.points.draw, 10);
    QCOMPARE(t.points.pairingBye, 10);
    QCOMPARE(t.byeRequests.size(), size_t(1));
    QCOMPARE(t.byeRequests[0].player, 4);
    QCOMPARE(t.players[0].accel, (std::vector<int>{10, 10}));
    QCOMPARE(t.players[1].accel, (std::vector<int>{10, 10}));
    QVERIFY(t.players[2].accel.empty());
    // Round 3 is the one to pair: 1-2 are forbidden in rounds 3 to 5, 3-4 only in 1 and 2.
    QCOMPARE(t.forbidden, (std::vector<std::pair<int, int>>{{1, 2}}));
    // Written as TRF-2026 it reads back the same.
    const TrfReadResult back = readTrf(writeTrf(t, TrfVersion::Trf2026));
    QVERIFY2(back.ok, back.error.c_str());
    QCOMPARE(back.tournament.forbidden, t.forbidden);
    QCOMPARE(back.tournament.players[0].accel, t.players[0].accel);
    QCOMPARE(back.tournament.points.win, 30);
    QCOMPARE(back.tournament.byeRequests.size(), size_t(1));
    QVERIFY(back.tournament.initialColour == Colour::Black);
    QCOMPARE(normalised(pairDutch(back.tournament)), normalised(pairDutch(t)));
}

// Each reference tournament, written at each round as TRF-16 and as TRF-2026 with a
// withdrawal and a forbidden pair added, pairs alike: the two revisions say the same.
void TestSwissTrf::bothRevisionsPairAlike() {
    const TrfReadResult r = readTrf(readAll(QStringLiteral(SWISS_REFERENCE_DIR "/swiss_020p_06r_201.trf")));
    QVERIFY2(r.ok, r.error.c_str());
    for (int round = 2; round <= 6; ++round) {
        Tournament in = inputForRound(r.tournament, round);
        in.players[5].withdrawn = true;
        in.forbidden.push_back({1, 2});
        in.byeRequests.push_back({round, 7, ByeKind::Half});
        const TrfReadResult v16 = readTrf(writeTrf(in, TrfVersion::Trf16));
        const TrfReadResult v26 = readTrf(writeTrf(in, TrfVersion::Trf2026));
        QVERIFY2(v16.ok, v16.error.c_str());
        QVERIFY2(v26.ok, v26.error.c_str());
        const PairingResult direct = pairDutch(in, round);
        QVERIFY2(direct.ok, direct.error.c_str());
        QCOMPARE(normalised(pairDutch(v16.tournament, round)), normalised(direct));
        QCOMPARE(normalised(pairDutch(v26.tournament, round)), normalised(direct));
        for (const Pair& p : direct.pairs) {
            QVERIFY(p.white != 6 && p.black != 6 && p.white != 7 && p.black != 7);
            QVERIFY(!((p.white == 1 && p.black == 2) || (p.white == 2 && p.black == 1)));
        }
    }
}

void TestSwissTrf::commandLine() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("турнир с пробелами"));
    QVERIFY(QDir().mkpath(folder));
    const QString in = folder + QStringLiteral("/раунд 3.trf");
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(withEnds(kThree, "\r").c_str());
    f.close();
    const QString out = folder + QStringLiteral("/пары.txt");
    QProcess p;
    p.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--dutch"), in, QStringLiteral("-p"), out});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QFile o(out);
    QVERIFY(o.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(o.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("2"));
    QCOMPARE(lines.size(), 3);

    QProcess s;
    s.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--dutch"), in, QStringLiteral("-p")});
    QVERIFY(s.waitForFinished(30000));
    QCOMPARE(s.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(s.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), lines);

    // The same tournament as TRF-2026, with 1 and 2 kept apart from round 3 on: the command
    // line reads the new records too, and pairs as the engine does.
    Tournament t = readTrf(kThree).tournament;
    t.forbiddenGroups.push_back({3, 0, {1, 2}});
    forbiddenFor(t, 3);
    const QString in2026 = folder + QStringLiteral("/раунд 3 (2026).trf");
    QFile g(in2026);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write(writeTrf(t, TrfVersion::Trf2026).c_str());
    g.close();
    QProcess n;
    n.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--dutch"), in2026, QStringLiteral("-p")});
    QVERIFY(n.waitForFinished(30000));
    QCOMPARE(n.exitCode(), 0);
    QStringList expected{QString::number(pairDutch(t).pairs.size())};
    for (const Pair& pr : pairDutch(t).pairs)
        expected << QStringLiteral("%1 %2").arg(pr.white).arg(pr.black);
    QCOMPARE(QString::fromUtf8(n.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), expected);
    QVERIFY(!expected.contains(QStringLiteral("1 2")) && !expected.contains(QStringLiteral("2 1")));
}

void TestSwissTrf::commandLineRefusesBadInput() {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("bad.trf"));
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("012 Bad\n001    1      Alpha                             2400                             1.0    1     9 w 1\n");
    f.close();
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    QProcess p;
    p.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--dutch"), in, QStringLiteral("-p"), out});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY2(p.readAllStandardError().contains("line 2: round 1: opponent 9 has no player line"), "names the line");
    QVERIFY(!QFile::exists(out));

    QProcess missing;
    missing.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--dutch"), dir.filePath("none.trf"), QStringLiteral("-p")});
    QVERIFY(missing.waitForFinished(30000));
    QCOMPARE(missing.exitCode(), 1);

    QProcess usage;
    usage.start(QStringLiteral(VELMORA_PAIR), {QStringLiteral("--swiss")});
    QVERIFY(usage.waitForFinished(30000));
    QCOMPARE(usage.exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestSwissTrf)
#include "tst_swiss_trf.moc"
