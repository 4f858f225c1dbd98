// The schedule against FIDE's published Berger tables (Handbook C.05, Annex 1).
#include "Berger.h"

#include <QSet>
#include <QTest>

using namespace rr;

namespace {

// Published tables, rounds separated by '/', pairings "white-black".
QList<QList<Pairing>> Parse(const char* text) {
    QList<QList<Pairing>> table;
    for (const QString& round : QString::fromLatin1(text).split(u'/')) {
        QList<Pairing> pairings;
        for (const QString& pair : round.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList players = pair.split(u'-');
            pairings.append({players[0].toInt(), players[1].toInt()});
        }
        table.append(pairings);
    }
    return table;
}

const char kTable4[] = "1-4 2-3 / 4-3 1-2 / 2-4 3-1";
const char kTable6[] = "1-6 2-5 3-4 / 6-4 5-3 1-2 / 2-6 3-1 4-5 / 6-5 1-4 2-3 / 3-6 4-2 5-1";
const char kTable8[] = "1-8 2-7 3-6 4-5 / 8-5 6-4 7-3 1-2 / 2-8 3-1 4-7 5-6 / 8-6 7-5 1-4 2-3 / "
                       "3-8 4-2 5-1 6-7 / 8-7 1-6 2-5 3-4 / 4-8 5-3 6-2 7-1";
const char kTable10[] = "1-10 2-9 3-8 4-7 5-6 / 10-6 7-5 8-4 9-3 1-2 / 2-10 3-1 4-9 5-8 6-7 / "
                        "10-7 8-6 9-5 1-4 2-3 / 3-10 4-2 5-1 6-9 7-8 / 10-8 9-7 1-6 2-5 3-4 / "
                        "4-10 5-3 6-2 7-1 8-9 / 10-9 1-8 2-7 3-6 4-5 / 5-10 6-4 7-3 8-2 9-1";
// For 12 to 16 players: the first two and the last round as published.
const char kTable12[] = "1-12 2-11 3-10 4-9 5-8 6-7 / 12-7 8-6 9-5 10-4 11-3 1-2 / "
                        "6-12 7-5 8-4 9-3 10-2 11-1";
const char kTable14[] = "1-14 2-13 3-12 4-11 5-10 6-9 7-8 / 14-8 9-7 10-6 11-5 12-4 13-3 1-2 / "
                        "7-14 8-6 9-5 10-4 11-3 12-2 13-1";
const char kTable16[] = "1-16 2-15 3-14 4-13 5-12 6-11 7-10 8-9 / "
                        "16-9 10-8 11-7 12-6 13-5 14-4 15-3 1-2 / "
                        "8-16 9-7 10-6 11-5 12-4 13-3 14-2 15-1";

// The colours one player gets over the schedule, round by round ('W', 'B', or '-' for a bye).
QString Colours(const std::vector<ScheduledGame>& games, int player, int rounds) {
    QString colours(rounds, u'-');
    for (const ScheduledGame& g : games) {
        if (g.white == player)
            colours[g.round - 1] = u'W';
        if (g.black == player)
            colours[g.round - 1] = u'B';
    }
    return colours;
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private slots:
    void fullPublishedTables_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("published");
        QTest::newRow("4") << 4 << QString(kTable4);
        QTest::newRow("6") << 6 << QString(kTable6);
        QTest::newRow("8") << 8 << QString(kTable8);
        QTest::newRow("10") << 10 << QString(kTable10);
    }
    void fullPublishedTables() {
        QFETCH(int, n);
        QFETCH(QString, published);
        QCOMPARE(BergerTable(n), Parse(published.toLatin1().constData()));
    }

    void largerTablesFirstAndLastRounds_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("published");
        QTest::newRow("12") << 12 << QString(kTable12);
        QTest::newRow("14") << 14 << QString(kTable14);
        QTest::newRow("16") << 16 << QString(kTable16);
    }
    void largerTablesFirstAndLastRounds() {
        QFETCH(int, n);
        QFETCH(QString, published);
        const QList<QList<Pairing>> expected = Parse(published.toLatin1().constData());
        const QList<QList<Pairing>> table = BergerTable(n);
        QCOMPARE(table.size(), n - 1);
        QCOMPARE(table[0], expected[0]);
        QCOMPARE(table[1], expected[1]);
        QCOMPARE(table.back(), expected[2]);
    }

    // Every number of players from 3 to 16: each pair meets exactly once, nobody plays twice
    // in a round, an odd number gives each player exactly one bye, and colours balance.
    void everyPairOnceFrom3To16() {
        for (int n = 3; n <= 16; ++n) {
            const std::vector<ScheduledGame> games = MakeSchedule(n, 1);
            QCOMPARE(int(games.size()), n * (n - 1) / 2);
            QCOMPARE(RoundsPerCycle(n), n % 2 ? n : n - 1);
            QSet<QPair<int, int>> pairs;
            for (const ScheduledGame& g : games) {
                QVERIFY(g.white != g.black);
                QVERIFY(g.white >= 0 && g.white < n && g.black >= 0 && g.black < n);
                QVERIFY(!pairs.contains({qMin(g.white, g.black), qMax(g.white, g.black)}));
                pairs.insert({qMin(g.white, g.black), qMax(g.white, g.black)});
            }
            for (int p = 0; p < n; ++p) {
                const QString colours = Colours(games, p, RoundsPerCycle(n));
                QCOMPARE(colours.count(u'-'), n % 2 ? 1 : 0);
                QVERIFY2(qAbs(colours.count(u'W') - colours.count(u'B')) <= (n % 2 ? 2 : 1),
                         qPrintable(
                             QStringLiteral("n=%1 player %2: %3").arg(n).arg(p + 1).arg(colours)));
            }
        }
    }

    // Five players play the table of six; number 6 is the bye, and boards count from 1.
    void oddNumberUsesNextTableWithBye() {
        const std::vector<ScheduledGame> games = MakeSchedule(5, 1);
        const QList<QList<Pairing>> six = BergerTable(6);
        QList<Pairing> round2;
        for (const ScheduledGame& g : games)
            if (g.round == 2)
                round2.append({g.white + 1, g.black + 1});
        QCOMPARE(round2, (QList<Pairing>{{5, 3}, {1, 2}})); // 6-4 dropped: 4 sits out
        QCOMPARE(games[0].board, 1);
        QCOMPARE(games[0].white + 1, 2); // round 1: 1-6 dropped, 2-5 is board 1
        QCOMPARE(six.size(), 5);
    }

    // Double round robin: the first cycle's last two rounds swap places, the second cycle
    // repeats the table with colours reversed.
    void doubleRoundSwapsAndReverses() {
        const int n = 6;
        const std::vector<ScheduledGame> games = MakeSchedule(n, 2);
        QCOMPARE(int(games.size()), n * (n - 1));
        const QList<QList<Pairing>> table = BergerTable(n);
        auto round = [&](int r) {
            QList<Pairing> pairings;
            for (const ScheduledGame& g : games)
                if (g.round == r)
                    pairings.append({g.white + 1, g.black + 1});
            return pairings;
        };
        auto reversed = [](QList<Pairing> pairings) {
            for (Pairing& p : pairings)
                std::swap(p.white, p.black);
            return pairings;
        };
        QCOMPARE(round(1), table[0]);
        QCOMPARE(round(3), table[2]);
        QCOMPARE(round(4), table[4]);
        QCOMPARE(round(5), table[3]);
        for (int r = 0; r < 5; ++r)
            QCOMPARE(round(6 + r), reversed(table[r])); // the last cycle is not swapped
    }

    // What the swap is for: nobody gets one colour three times running, across the cycles.
    void noThreeSameColoursRunningInDoubleRound() {
        for (int n = 4; n <= 16; n += 2) {
            const int rounds = 2 * (n - 1);
            const std::vector<ScheduledGame> games = MakeSchedule(n, 2);
            for (int p = 0; p < n; ++p) {
                const QString colours = Colours(games, p, rounds);
                QVERIFY2(!colours.contains(QStringLiteral("WWW")) &&
                             !colours.contains(QStringLiteral("BBB")),
                         qPrintable(
                             QStringLiteral("n=%1 player %2: %3").arg(n).arg(p + 1).arg(colours)));
            }
        }
    }

    // Past two cycles the swap alone left four players with one colour three times running
    // (number 4 White in rounds 3, 4 and 5 of three cycles); the joins are mended for every
    // field, byes skipped, and nothing else moves: a schedule that was sound stays as it was.
    void noThreeSameColoursRunningInThreeAndFourCycles() {
        for (int n = 3; n <= 16; ++n) {
            for (int cycles = 1; cycles <= 4; ++cycles) {
                const int rounds = RoundsPerCycle(n) * cycles;
                const std::vector<ScheduledGame> games = MakeSchedule(n, cycles);
                for (int p = 0; p < n; ++p) {
                    const QString colours = Colours(games, p, rounds).remove(u'-');
                    QVERIFY2(!colours.contains(QStringLiteral("WWW")) &&
                                 !colours.contains(QStringLiteral("BBB")),
                             qPrintable(QStringLiteral("n=%1 cycles=%2 player %3: %4")
                                            .arg(n)
                                            .arg(cycles)
                                            .arg(p + 1)
                                            .arg(colours)));
                }
                const std::vector<ScheduledGame> legacy = MakeSchedule(n, cycles, Joins::Legacy);
                QCOMPARE(JoinsDiffer(n, cycles), n == 4 && cycles >= 3);
                if (!JoinsDiffer(n, cycles))
                    for (size_t i = 0; i < games.size(); ++i)
                        QVERIFY(games[i].white == legacy[i].white &&
                                games[i].black == legacy[i].black &&
                                games[i].round == legacy[i].round);
            }
        }
    }

    void threeAndFourCyclesAlternateColours() {
        const std::vector<ScheduledGame> games = MakeSchedule(4, 4);
        QCOMPARE(int(games.size()), 4 * 6);
        // Pair 1-4 meets once per cycle: white, black, white, black for player 1.
        QStringList colours;
        for (const ScheduledGame& g : games)
            if ((g.white == 0 && g.black == 3) || (g.white == 3 && g.black == 0))
                colours << (g.white == 0 ? QStringLiteral("W") : QStringLiteral("B"));
        QCOMPARE(colours, (QStringList{"W", "B", "W", "B"}));
    }

    void degenerateCounts() {
        QVERIFY(MakeSchedule(0, 1).empty());
        QVERIFY(MakeSchedule(1, 2).empty());
        QCOMPARE(int(MakeSchedule(2, 2).size()), 2);
        QVERIFY(BergerTable(7).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_rr_schedule.moc"
