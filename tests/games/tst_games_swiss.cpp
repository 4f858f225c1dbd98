// Tie-breaks of round-by-round events (Swiss) with byes, forfeits and a withdrawal, worked
// out by hand. Articles are those of FIDE's tie-break regulations C.07 (2024).
#include "GamesTestUtil.h"

#include "Rating.h"

#include <QRandomGenerator>
#include <QSet>

using namespace gamestest;

namespace {

// Six players, three rounds.
//   R1: A–B 1-0, C–D ½-½, E–F 1-0
//   R2: A–C 1-0, E–B +:− (B does not come), D asks for a zero-point bye, F has withdrawn
//   R3: A–E ½-½, B–D 1-0, C gets the pairing-allocated bye, F absent
// Points: A 2½, B 1, C 1½, D ½, E 2½, F 0.
// As opponents (16.3): F's two rounds after withdrawing count as draws, 1 in all; D's bye,
// followed by a game, counts as the 0 it gave; B's forfeit loss counts as 0.
Event Open() {
    Event e(6, false);
    e.Play(1, 1, 2, '1').Play(1, 3, 4, '=').Play(1, 5, 6, '1');
    e.Play(2, 1, 3, '1').Play(2, 5, 2, '+').ByeFor(2, 4, Bye::Zero).Withdraw(6, 2);
    e.Play(3, 1, 5, '=').Play(3, 2, 4, '1').ByeFor(3, 3, Bye::PairingAllocated);
    e.Rate({2000, 1800, 1700, 1600, 1900, 0});
    return e;
}

} // namespace

class TestSwiss : public QObject {
    Q_OBJECT
private slots:
    void scoresAsOpponents() {
        const Standings s(Open().Record());
        QList<double> scores;
        for (int i = 1; i <= 6; ++i)
            scores << s.ScoreAsOpponent(i);
        QCOMPARE(scores, (QList<double>{2.5, 1.0, 1.5, 0.5, 2.5, 1.0}));
    }

    // A requested bye or absence with nothing but voluntary unplayed rounds after it counts as
    // a draw for the opponents (16.2.5, 16.3.2); a forfeit loss counts as it is (16.2.4).
    void unplayedRoundsAtTheEnd() {
        Event e(4, false);
        e.Play(1, 1, 2, '1').Play(1, 3, 4, '1');
        e.ByeFor(2, 2, Bye::Zero).Play(2, 3, 4, '+').ByeFor(2, 1, Bye::Half);
        const Standings s(e.Record());
        QCOMPARE(s.ScoreAsOpponent(2), 0.5); // 0 + the zero-point bye as ½
        QCOMPARE(s.ScoreAsOpponent(4), 0.0); // forfeit loss stays 0
        QCOMPARE(s.ScoreAsOpponent(1), 1.5); // the half-point bye counts ½ either way
    }

    // Own unplayed rounds are games against a dummy with the player's own score (16.4):
    // E's forfeit win brings 2½, not B's 1; C's bye brings 1½, B's forfeit loss 1, D's bye ½.
    //   A: B 1 + C 1½ + E 2½ = 5        E: F 1 + dummy 2½ + A 2½ = 6
    //   B: A 2½ + dummy 1 + D ½ = 4     C: D ½ + A 2½ + dummy 1½ = 4½
    //   D: C 1½ + dummy ½ + B 1 = 3     F: E 2½ + dummy 0 + dummy 0 = 2½
    void buchholzWithUnplayedRounds() {
        const Standings s(Open().Record());
        QCOMPARE(Values(s, TieBreak::Buchholz, 6), (QList<double>{5.0, 4.0, 4.5, 3.0, 6.0, 2.5}));
        QCOMPARE(Order(s.Table({TieBreak::Buchholz})),
                 (QStringList{"E 1", "A 2", "C 3", "B 4", "D 5", "F 6"}));
    }

    // Cuts remove the least significant value (14.1–14.3), but a voluntary unplayed round is
    // cut first (16.5): B loses the dummy's 1, not D's ½. C's bye was allocated, so his
    // lowest opponent goes.
    void cutsTakeVoluntaryUnplayedRoundsFirst() {
        const Standings s(Open().Record());
        QCOMPARE(Values(s, TieBreak::BuchholzCut1, 6),
                 (QList<double>{4.0, 3.0, 4.0, 2.5, 5.0, 2.5}));
        QCOMPARE(s.Value(TieBreak::BuchholzCut2, 2), 2.5);
        QCOMPARE(s.Value(TieBreak::BuchholzMedian1, 2), 0.5);
        QCOMPARE(s.Value(TieBreak::BuchholzMedian1, 1), 1.5);
    }

    // Sonneborn-Berger weighs each round's score by the points it brought, dummies included
    // (9.1, 16.4):
    //   A: 1·1 + 1·1½ + ½·2½ = 3¾      E: 1·1 + 1·2½ + ½·2½ = 4¾
    //   C: ½·½ + 0 + 1·1½ = 1¾         D: ½·1½ + 0 + 0 = ¾
    // For the cut, B's lowest opponent (D, ½ from a win) is worth more than the dummy's 0 from
    // the forfeit loss, and the higher of the two goes (16.5): nothing is left.
    void sonnebornBerger() {
        const Standings s(Open().Record());
        QCOMPARE(Values(s, TieBreak::SonnebornBerger, 6),
                 (QList<double>{3.75, 0.5, 1.75, 0.75, 4.75, 0.0}));
        QCOMPARE(s.Value(TieBreak::SonnebornBergerCut1, 2), 0.0);
        QCOMPARE(s.Value(TieBreak::SonnebornBergerCut1, 1), 2.75);
    }

    // Wins with or without playing (7.1), at the board (7.2), black games played and won with
    // black (7.3, 7.4), progressive score and its cut (7.5, 14.1).
    void ownRecord() {
        const Standings s(Open().Record());
        QCOMPARE(Values(s, TieBreak::Wins, 6), (QList<double>{2, 1, 1, 0, 2, 0}));
        QCOMPARE(Values(s, TieBreak::WinsPlayed, 6), (QList<double>{2, 1, 0, 0, 1, 0}));
        QCOMPARE(Values(s, TieBreak::BlackGames, 6), (QList<double>{0, 1, 1, 2, 1, 1}));
        QCOMPARE(Values(s, TieBreak::BlackWins, 6), (QList<double>{0, 0, 0, 0, 0, 0}));
        QCOMPARE(Values(s, TieBreak::ProgressiveScore, 6),
                 (QList<double>{5.5, 1.0, 2.5, 1.5, 5.5, 0.0}));
        QCOMPARE(s.Value(TieBreak::ProgressiveCut1, 1), 4.5);
        const std::vector<StandingRow> t = s.Table({});
        QCOMPARE(RowOf(t, 3).byes, 1);
        QCOMPARE(RowOf(t, 6).played, 1);
    }

    // Opponents met at the board only, unrated ones left out (10.1); the cut takes the lowest,
    // and an unrated opponent is the lowest. Performance: A scored 2½ of 3 (83 %, +273) against
    // an average of 1800 (10.2).
    void ratings() {
        const Standings s(Open().Record());
        QCOMPARE(Values(s, TieBreak::AverageRatingOfOpponents, 6),
                 (QList<double>{1800, 1800, 1800, 1750, 2000, 1900}));
        QCOMPARE(s.Value(TieBreak::AverageRatingOfOpponentsCut1, 1), 1850.0);
        QCOMPARE(s.Value(TieBreak::AverageRatingOfOpponentsCut1, 5), 2000.0);
        QCOMPARE(s.Value(TieBreak::PerformanceRating, 1), 2073.0);
        QCOMPARE(s.Value(TieBreak::PerformanceRating, 5), 2000.0);
        QCOMPARE(s.Value(TieBreak::PerformanceRating, 6), 1100.0); // 0 of 1 against 1900
    }

    // FIDE's table 8.1(a) after rounding the score to a whole per cent, halves up; the
    // average rating rounds halves up too (C.07 10.1, 10.2).
    void ratingArithmetic() {
        QCOMPARE(RatingDifference(2.0 / 3.0), 125); // 67 %
        QCOMPARE(RatingDifference(0.675), 133);     // 68 %
        QCOMPARE(RatingDifference(0.5), 0);
        QCOMPARE(RatingDifference(0.3), -149);
        QCOMPARE(RatingDifference(1.0), 800);
        QCOMPARE(RatingDifference(0.0), -800);
        QCOMPARE(AverageRating({1601, 1600}), 1601);
        QCOMPARE(AverageRating({1600, 1600, 1601}), 1600);
        QCOMPARE(AverageRating({}), 0);
        QCOMPARE(PerformanceRating(1.5, {2000, 2100, 1900}), 2000);
    }

    // Not all of the tied have met (6.3): A beat B and C, who never met and cannot reach A's
    // 2 even by winning their missing game, so A is first; B and C stay level.
    void directEncounterOneAloneAtTheTop() {
        Event e(4, false);
        e.Play(1, 1, 2, '1').Play(1, 3, 4, '1').Play(2, 1, 3, '1').Play(2, 2, 4, '1');
        e.ByeFor(3, 2, Bye::Full).ByeFor(3, 3, Bye::Full).ByeFor(3, 1, Bye::Zero);
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"A 1", "B 2–3", "C 2–3", "D 4"}));
        QCOMPARE(RowOf(t, 1).values[0], 2.0);
    }

    // A beat B, but C met neither and could still reach 2 by winning both missing games, so
    // nobody is alone at the top and all three stay level (6.3).
    void directEncounterNotAloneAtTheTop() {
        Event e(4, false);
        e.Play(1, 1, 2, '1').Play(1, 3, 4, '1');
        e.ByeFor(2, 1, Bye::Zero).ByeFor(2, 3, Bye::Zero).Play(2, 2, 4, '1');
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"A 1–3", "B 1–3", "C 1–3", "D 4"}));
    }

    // Only one alone at the top is placed (6.3): A and B beat C and D, who drew, but never
    // met each other; neither is alone at the top, so all four stay level although C and D
    // could not reach them.
    void directEncounterTwoLevelAtTheTopPlaceNobody() {
        Event e(4, false);
        e.Play(1, 1, 3, '1').Play(1, 2, 4, '1').Play(2, 1, 4, '1').Play(2, 2, 3, '1');
        e.Play(3, 3, 4, '=').ByeFor(3, 1, Bye::Zero).ByeFor(3, 2, Bye::Zero);
        for (int round : {4, 5}) {
            e.ByeFor(round, 1, Bye::Zero).ByeFor(round, 2, Bye::Zero);
            e.ByeFor(round, 3, round == 4 ? Bye::Full : Bye::Half);
            e.ByeFor(round, 4, round == 4 ? Bye::Full : Bye::Half);
        }
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"A 1–4", "B 1–4", "C 1–4", "D 1–4"}));
        QCOMPARE(RowOf(t, 1).values[0], 2.0);
        QCOMPARE(RowOf(t, 3).values[0], 0.5);
    }

    // Bad input loses nothing and breaks nothing: a game of a stranger, a player against
    // himself and an empty record are left out.
    void strayGames() {
        Event e(2, false);
        e.Play(1, 1, 9, '1').Play(1, 2, 2, '1').Play(1, 1, 2, '=');
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::Buchholz});
        QCOMPARE(Order(t), (QStringList{"A 1–2", "B 1–2"}));
        QCOMPARE(t[0].points, 0.5);
        QVERIFY(std::isnan(Standings(e.Record()).Value(TieBreak::Buchholz, 9)));
        QVERIFY(Standings(GameRecord{}).Table({TieBreak::DirectEncounter}).empty());
    }

    // One style per table: quarters from Sonneborn-Berger as glyphs or as decimals, counts
    // and ratings whole.
    void valueText() {
        QCOMPARE(ValueText(TieBreak::SonnebornBerger, 2.75, Fractions::Glyphs), u"2¾"_qs);
        QCOMPARE(ValueText(TieBreak::SonnebornBerger, 2.75, Fractions::Decimals), u"2,75"_qs);
        QCOMPARE(ValueText(TieBreak::SonnebornBerger, 0.5, Fractions::Glyphs), u"½"_qs);
        QCOMPARE(ValueText(TieBreak::DirectEncounter, 4.0 / 3, Fractions::Glyphs), u"1,33"_qs);
        QCOMPARE(ValueText(TieBreak::Buchholz, 0, Fractions::Glyphs), u"0"_qs);
        QCOMPARE(ValueText(TieBreak::GoalDifference, -3, Fractions::Glyphs), u"−3"_qs);
        QCOMPARE(ValueText(TieBreak::PerformanceRating, 2073, Fractions::Decimals), u"2073"_qs);
        QCOMPARE(PointsText(-1.5, Fractions::Glyphs), u"−1½"_qs);
        QVERIFY(ValueText(TieBreak::Koya, std::nan(""), Fractions::Glyphs).isEmpty());
    }

    // Random records of every shape (byes, forfeits, pending games, strangers, withdrawals,
    // rematches) with every tie-break: the table holds each player once, best points first,
    // and shared places cover exactly the players level on everything.
    void randomRecordsGiveSoundTables() {
        QRandomGenerator rng(20241208);
        const QList<TieBreak> list = AllTieBreaks();
        const std::vector<TieBreak> all(list.begin(), list.end());
        for (int run = 0; run < 300; ++run) {
            const int n = 1 + int(rng.bounded(12));
            Event e(n, rng.bounded(2) == 0,
                    rng.bounded(2) ? PointSystem::Chess() : PointSystem::Football());
            for (int i = 1; i <= n; ++i) {
                if (rng.bounded(8) == 0)
                    e.Withdraw(i, 1 + int(rng.bounded(6)));
            }
            const int games = int(rng.bounded(30));
            for (int g = 0; g < games; ++g) {
                const int round = 1 + int(rng.bounded(6));
                const int a = 1 + int(rng.bounded(n + 1));
                if (rng.bounded(6) == 0) {
                    e.ByeFor(round, a, Bye(rng.bounded(5)));
                } else if (rng.bounded(3) == 0) {
                    e.Score(round, a, 1 + int(rng.bounded(n)), int(rng.bounded(4)),
                            int(rng.bounded(4)));
                } else {
                    e.Play(round, a, 1 + int(rng.bounded(n)), "1=0+-."[rng.bounded(6)]);
                }
            }
            const std::vector<StandingRow> t = Standings(e.Record()).Table(all);
            QCOMPARE(int(t.size()), n);
            QSet<int> seen;
            for (size_t i = 0; i < t.size(); ++i) {
                seen << t[i].player;
                QCOMPARE(t[i].values.size(), all.size());
                QVERIFY(t[i].placeFrom <= int(i) + 1 && int(i) + 1 <= t[i].placeTo);
                if (i > 0) {
                    QVERIFY(t[i].points <= t[i - 1].points + 1e-9);
                    const bool shared = t[i].placeFrom == t[i - 1].placeFrom;
                    QCOMPARE(shared, t[i].placeTo == t[i - 1].placeTo);
                    if (shared)
                        QCOMPARE(t[i].points, t[i - 1].points);
                }
            }
            QCOMPARE(seen.size(), n);
        }
    }

    void codesRoundTrip() {
        QSet<QString> codes;
        for (TieBreak tb : AllTieBreaks()) {
            TieBreak back = TieBreak::Wins;
            QVERIFY(TieBreakFromCode(TieBreakCode(tb), &back));
            QCOMPARE(back, tb);
            codes << TieBreakCode(tb);
        }
        QCOMPARE(codes.size(), AllTieBreaks().size());
        TieBreak unused;
        QVERIFY(!TieBreakFromCode(QStringLiteral("nonsense"), &unused));
    }
};

QTEST_GUILESS_MAIN(TestSwiss)
#include "tst_games_swiss.moc"
