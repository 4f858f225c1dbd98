// Seeding: the standard order, byes to the top seeds, the three seeding methods and the
// separation of clubs in the first round.
#include "KoTestUtil.h"
#include "Seeding.h"

#include <QTest>

#include <algorithm>
#include <bit>

using namespace ko;

namespace {
// The upper-bracket round in which the entrants on two lines can meet at the earliest.
int MeetRound(int lineA, int lineB) { return std::bit_width(unsigned(lineA ^ lineB)); }
} // namespace

class SeedingTest : public QObject {
    Q_OBJECT
private slots:
    void standardOrderOf16() {
        const std::vector<int> expected{1, 16, 8, 9, 4, 13, 5, 12, 2, 15, 7, 10, 3, 14, 6, 11};
        QCOMPARE(StandardOrder(16), expected);
        QCOMPARE(StandardOrder(2), (std::vector<int>{1, 2}));
    }

    void bracketSizes() {
        QCOMPARE(BracketSize(2), 2);
        QCOMPARE(BracketSize(3), 4);
        QCOMPARE(BracketSize(64), 64);
        QCOMPARE(BracketSize(65), 128);
        QCOMPARE(BracketSize(256), 256);
        QCOMPARE(RoundCount(256), 8);
    }

    // Every size from 2 to 256: seeds 1 and 2 meet only in the final and seeds 1–4 not
    // before the semi-finals; the byes go to the top seeds, never meet each other, and bye
    // holders meet in round 2 no more often than the count of byes forces.
    void seedingPromisesHoldForEverySize() {
        for (int n = 2; n <= kMaxEntrants; ++n) {
            const std::vector<int> lines = PlaceSeeds(n);
            const int size = BracketSize(n), rounds = RoundCount(size), byes = size - n;
            QCOMPARE(int(lines.size()), size);
            std::vector<int> lineOf(size_t(n), -1);
            for (int l = 0; l < size; ++l)
                if (lines[size_t(l)] >= 0) {
                    QCOMPARE(lineOf[size_t(lines[size_t(l)])], -1);
                    lineOf[size_t(lines[size_t(l)])] = l;
                }
            QVERIFY(std::find(lineOf.begin(), lineOf.end(), -1) == lineOf.end());
            QCOMPARE(MeetRound(lineOf[0], lineOf[1]), rounds);
            for (int a = 0; a < std::min(n, 4); ++a)
                for (int b = a + 1; b < std::min(n, 4); ++b)
                    QVERIFY2(MeetRound(lineOf[size_t(a)], lineOf[size_t(b)]) >= rounds - 1,
                             qPrintable(QStringLiteral("n=%1").arg(n)));
            int byeHolders = 0, byePairsInRound2 = 0;
            for (int l = 0; l < size; l += 2) {
                QVERIFY(lines[size_t(l)] >= 0 || lines[size_t(l + 1)] >= 0); // no bye meets a bye
                const int holder = lines[size_t(l)] < 0 ? lines[size_t(l + 1)]
                                   : lines[size_t(l + 1)] < 0 ? lines[size_t(l)]
                                                              : -1;
                if (holder < 0)
                    continue;
                ++byeHolders;
                QVERIFY2(holder < byes, qPrintable(QStringLiteral("n=%1 seed %2").arg(n).arg(holder + 1)));
                if (l % 4 == 0 && (lines[size_t(l + 2)] < 0 || lines[size_t(l + 3)] < 0))
                    ++byePairsInRound2;
            }
            QCOMPARE(byeHolders, byes);
            QCOMPARE(byePairsInRound2, std::max(0, byes - size / 4));
        }
    }

    void seedOrderMethods() {
        QList<Entrant> list{{"А", 1500, {}, {}, {}}, {"Б", 0, {}, {}, {}}, {"В", 2100, {}, {}, {}}, {"Г", 1500, {}, {}, {}}};
        QCOMPARE(SeedOrder(list, Seeding::ByRating, 0), (QList<int>{2, 0, 3, 1}));
        QCOMPARE(SeedOrder(list, Seeding::ListOrder, 0), (QList<int>{0, 1, 2, 3}));
        const QList<Entrant> many = kotest::Entrants(40);
        const QList<int> drawn = SeedOrder(many, Seeding::Random, 12345);
        // The seed kept in the file gives the same draw again; the draw is a permutation.
        QCOMPARE(SeedOrder(many, Seeding::Random, 12345), drawn);
        QVERIFY(SeedOrder(many, Seeding::Random, 12346) != drawn);
        QList<int> sorted = drawn;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, SeedOrder(many, Seeding::ListOrder, 0));
        // Pinned so that a change of the generator, which would redraw stored brackets, shows.
        QCOMPARE(SeedOrder(kotest::Entrants(6), Seeding::Random, 1), (QList<int>{3, 5, 2, 0, 4, 1}));
    }

    void clubsSeparatedWithinSeedBands() {
        // 8 entrants, seeds 1 and 8 of one club, 4 and 5 of another: both clashes go.
        QList<Entrant> list = kotest::Entrants(8);
        list[0].club = list[7].club = QStringLiteral("Спартак");
        list[3].club = QStringLiteral("Динамо");
        list[4].club = QStringLiteral(" динамо ");
        std::vector<int> lines = PlaceSeeds(8);
        QCOMPARE(ClubClashes(lines, list), 2);
        QCOMPARE(SeparateClubs(lines, list), 0);
        // Seeds 1 and 2 stay apart, and every move stayed inside a seed band.
        const std::vector<int> before = PlaceSeeds(8);
        for (size_t l = 0; l < lines.size(); ++l) {
            const int was = before[l] + 1, now = lines[l] + 1;
            auto band = [](int s) { return s <= 2 ? s : s <= 4 ? 4 : s <= 8 ? 8 : 16; };
            QCOMPARE(band(now), band(was));
        }
    }

    void clubsNotSeparableAreLeftAlone() {
        // One club for everyone: nothing can help, and nothing may be broken trying.
        QList<Entrant> list = kotest::Entrants(6);
        for (Entrant& e : list)
            e.club = QStringLiteral("Клуб");
        std::vector<int> lines = PlaceSeeds(6);
        const std::vector<int> before = lines;
        SeparateClubs(lines, list);
        for (size_t l = 0; l < lines.size(); ++l)
            QCOMPARE(lines[l] < 0, before[l] < 0); // byes where they were
        // Two entrants of one club with a bye each never count as a clash.
        QList<Entrant> three = kotest::Entrants(3);
        three[0].club = three[2].club = QStringLiteral("X");
        std::vector<int> l3 = PlaceSeeds(3);
        QCOMPARE(SeparateClubs(l3, three), 0);
    }

    void tournamentSeparatesWhenAsked() {
        QList<Entrant> list = kotest::Entrants(16);
        list[0].club = list[15].club = QStringLiteral("ЦСКА");
        Options o = kotest::SingleOptions();
        QCOMPARE(ClubClashes(Tournament("T", list, o).Lines(), list), 1);
        o.separateClubs = true;
        QCOMPARE(ClubClashes(Tournament("T", list, o).Lines(), list), 0);
    }
};

QTEST_APPLESS_MAIN(SeedingTest)
#include "tst_ko_seeding.moc"
