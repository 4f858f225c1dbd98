// Standings and each tie-break on worked examples, shared places, and withdrawal.
#include "RrTestUtil.h"
#include "Standings.h"
#include "Text.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace rr;

namespace {

Settings Chess(QList<TieBreak> tieBreaks) {
    Settings s = DefaultSettings(ResultKind::Games);
    s.tieBreaks = tieBreaks;
    return s;
}

// Four players, Berger table: R1 1-4 2-3, R2 4-3 1-2, R3 2-4 3-1.
// A beats D, draws C, loses to B: 1½. B and C score 2 each, D ½.
Tournament FourPlayers(const QList<TieBreak>& tieBreaks) {
    Tournament t(QStringLiteral("Пример"), MakePlayers(4, {"A", "B", "C", "D"}), Chess(tieBreaks));
    Play(t, 1, 1, "1-0"); // A-D
    Play(t, 1, 2, "=");   // B-C
    Play(t, 2, 1, "0-1"); // D-C
    Play(t, 2, 2, "0-1"); // A-B
    Play(t, 3, 1, "=");   // B-D
    Play(t, 3, 2, "=");   // C-A
    return t;
}

// Enters a result between two players (0-based) given as `white`-`black`; the code is turned
// round when the schedule has them the other way.
void PlayPair(Tournament& t, int white, int black, const QString& code) {
    for (int i = 0; i < t.GameCount(); ++i) {
        const Game& g = t.Games()[size_t(i)];
        if (g.white == white && g.black == black) {
            QVERIFY(Play(t, g.round, g.board, code));
            return;
        }
        if (g.white == black && g.black == white) {
            QString reversed = code;
            if (code.contains(u':'))
                reversed = code.section(u':', 1) + u':' + code.section(u':', 0, 0);
            else
                std::reverse(reversed.begin(), reversed.end());
            QVERIFY(Play(t, g.round, g.board, reversed));
            return;
        }
    }
    QFAIL("no such game");
}

struct Pair {
    int white;
    int black;
    const char* code;
};
void PlayPairs(Tournament& t, std::initializer_list<Pair> pairs) {
    for (const Pair& p : pairs)
        PlayPair(t, p.white, p.black, QString::fromLatin1(p.code));
}

QStringList Order(const Tournament& t) {
    QStringList order;
    for (const Standing& s : ComputeStandings(t))
        order << t.Players()[s.player].name + u' ' + PlaceText(s);
    return order;
}

} // namespace

class TestStandings : public QObject {
    Q_OBJECT
private slots:
    void pointsAndCounts() {
        const Tournament t = FourPlayers({});
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[0].points, 4);
        QCOMPARE(table[2].points, 3); // A: 1½
        QCOMPARE(table[2].wins, 1);
        QCOMPARE(table[2].draws, 1);
        QCOMPARE(table[2].losses, 1);
        QCOMPARE(table[3].points, 1);
        QCOMPARE(PointsText(3), QStringLiteral("1½"));
        QCOMPARE(PointsText(1), QStringLiteral("½"));
        QCOMPARE(PointsText(0), QStringLiteral("0"));
        QCOMPARE(PointsText(-3), QStringLiteral("−1½"));
    }

    // B and C drew each other and have one win each: level after direct encounter and wins,
    // so they share first place, listed by start number.
    void remainingTieSharesPlace() {
        const Tournament t = FourPlayers({TieBreak::DirectEncounter, TieBreak::Wins});
        QCOMPARE(Order(t), (QStringList{"B 1–2", "C 1–2", "A 3", "D 4"}));
    }

    // Sonneborn-Berger: B beat A (1½) and drew C (2) and D (½): 1½ + 1 + ¼ = 2¾.
    // C beat D (½), drew B (2) and A (1½): ½ + 1 + ¾ = 2¼.
    void sonnebornBerger() {
        const Tournament t = FourPlayers({TieBreak::SonnebornBerger});
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(Order(t), (QStringList{"B 1", "C 2", "A 3", "D 4"}));
        QCOMPARE(table[0].tieBreaks[0] / 2, 2.75);
        QCOMPARE(table[1].tieBreaks[0] / 2, 2.25);
        // Written in the fractions the points use, not as a decimal beside them.
        QCOMPARE(TieBreakText(TieBreak::SonnebornBerger, table[0].tieBreaks[0]),
                 QStringLiteral("2¾"));
    }

    // Koya counts points against those with at least half the possible score: A (1½ of 3),
    // B and C qualify, D does not. B: 1 (A) + ½ (C) = 1½; C: ½ (B) + ½ (A) = 1.
    void koya() {
        const Tournament t = FourPlayers({TieBreak::Koya});
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(Order(t), (QStringList{"B 1", "C 2", "A 3", "D 4"}));
        QCOMPARE(table[0].tieBreaks[0], 3.0);
        QCOMPARE(table[1].tieBreaks[0], 2.0);
    }

    // C had black twice (rounds 1 and 2), B once: more blacks ranks higher.
    void gamesWithBlack() {
        const Tournament t = FourPlayers({TieBreak::BlackGames});
        QCOMPARE(Order(t), (QStringList{"C 1", "B 2", "A 3", "D 4"}));
    }

    // A and B both have 2; A beat B. Wins are level (2 each), the direct encounter decides.
    void directEncounterDecides() {
        Tournament t(QStringLiteral("Пример"), MakePlayers(4, {"A", "B", "C", "D"}),
                     Chess({TieBreak::Wins, TieBreak::DirectEncounter}));
        Play(t, 1, 1, "0-1"); // A-D
        Play(t, 1, 2, "1-0"); // B-C
        Play(t, 2, 1, "=");   // D-C
        Play(t, 2, 2, "1-0"); // A-B
        Play(t, 3, 1, "1-0"); // B-D
        Play(t, 3, 2, "0-1"); // C-A
        QCOMPARE(Order(t), (QStringList{"A 1", "B 2", "D 3", "C 4"}));
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[0].tieBreaks[1], 2.0);
        QCOMPARE(table[1].tieBreaks[1], 0.0);
    }

    // Tied players who have not met yet are not separated by a partial mini-table.
    void directEncounterWaitsUntilAllHaveMet() {
        Tournament t(QStringLiteral("Пример"), MakePlayers(4, {"A", "B", "C", "D"}),
                     Chess({TieBreak::DirectEncounter}));
        Play(t, 1, 1, "1-0"); // A beats D
        Play(t, 1, 2, "1-0"); // B beats C; A and B have not met
        QCOMPARE(Order(t), (QStringList{"A 1–2", "B 1–2", "C 3–4", "D 3–4"}));
        // Nothing among them yet (C.07 6.3: either could still win the game they have to play).
        QCOMPARE(ComputeStandings(t)[0].tieBreaks[0], 0.0);
        QCOMPARE(TieBreakText(TieBreak::DirectEncounter, NAN), QString());
    }

    // FIDE C.07 (2024), article 16, unplayed games in a round robin: a game won by forfeit
    // brings nothing to Sonneborn-Berger. P1 beats P2 by forfeit, all else drawn: P1 has 2,
    // P2 1, P3 and P4 1½ each. P1: ½ × 1½ + ½ × 1½ = 1½ (not 2½, as if the forfeit had been
    // played); P3: ½ × 2 + ½ × 1 + ½ × 1½ = 2¼.
    void sonnebornBergerCountsNothingForAForfeit() {
        Tournament t(QStringLiteral("Неявка"), MakePlayers(4), Chess({TieBreak::SonnebornBerger}));
        PlayPair(t, 0, 1, "+-");
        for (const auto& [a, b] : {std::pair{0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}})
            PlayPair(t, a, b, "=");
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[0].player, 0);
        QCOMPARE(table[0].tieBreaks[0] / 2, 1.5);
        QCOMPARE(TieBreakText(TieBreak::SonnebornBerger, table[0].tieBreaks[0]),
                 QStringLiteral("1½"));
        QCOMPARE(table[1].tieBreaks[0] / 2, 2.25); // P3, ahead of P4 by start number
        QCOMPARE(table.back().tieBreaks[0] / 2, 1.5); // P2: ½ × 1½ twice
    }

    // C.07 6.1.1: a forfeit is no encounter. P1 beat P2 by forfeit; both end on 1½, P3 on 2.
    // Direct encounter leaves them level (0 each), and Sonneborn-Berger puts P2 ahead:
    // P2 beat P3 (2) and drew P4 (1): 2 + ½ = 2½; P1 lost to P3 and drew P4: ½.
    void forfeitIsNoDirectEncounter() {
        Tournament t(QStringLiteral("Неявка"), MakePlayers(4),
                     Chess({TieBreak::DirectEncounter, TieBreak::SonnebornBerger}));
        PlayPair(t, 0, 1, "+-");
        PlayPair(t, 2, 0, "1-0");
        PlayPair(t, 0, 3, "=");
        PlayPair(t, 1, 2, "1-0");
        PlayPair(t, 1, 3, "=");
        PlayPair(t, 2, 3, "1-0");
        QCOMPARE(Order(t), (QStringList{"P3 1", "P2 2", "P1 3", "P4 4"}));
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[1].tieBreaks[0], 0.0);
        QCOMPARE(table[2].tieBreaks[0], 0.0);
        QCOMPARE(table[1].tieBreaks[1] / 2, 2.5);
    }

    // C.07 6.3: not all of the tied have met. A, B and C have 2 each; A beat B and C, who
    // have still to play each other. Whatever that game brings, neither can reach A's 2 among
    // the three, so A goes first; B and C stay level.
    void directEncounterSeparatesWhomTheMissingGamesCannotCatch() {
        Tournament t(QStringLiteral("Пример"), MakePlayers(5, {"A", "B", "C", "D", "E"}),
                     Chess({TieBreak::DirectEncounter}));
        enum { A, B, C, D, E };
        PlayPair(t, A, B, "1-0");
        PlayPair(t, A, C, "1-0");
        PlayPair(t, D, A, "1-0");
        PlayPair(t, E, A, "1-0");
        for (int winner : {B, C}) {
            PlayPair(t, winner, D, "1-0");
            PlayPair(t, winner, E, "1-0");
        }
        PlayPair(t, D, E, "=");
        QCOMPARE(Order(t), (QStringList{"A 1", "B 2–3", "C 2–3", "D 4–5", "E 4–5"}));
    }

    // C.07 6.2: direct encounter is applied again to those it left level. Seven teams,
    // football 3-1-0; A, B, C and D finish on 12. Among the four A and B score 6, C and D 3.
    // Applied again, A beat B 4:0 and C beat D 1:0, although B and D have the better goal
    // difference (B +17 to A's +5, D +14 to C's +2), the next tie-break.
    void directEncounterAppliedAgainToTheStillLevel() {
        Settings s = DefaultSettings(ResultKind::Scores);
        s.tieBreaks = {TieBreak::DirectEncounter, TieBreak::GoalDifference};
        Tournament t(QStringLiteral("Лига"),
                     MakePlayers(7, {"A", "B", "C", "D", "E", "F", "G"}), s);
        enum { A, B, C, D, E, F, G };
        PlayPair(t, A, B, "4:0");
        PlayPair(t, A, C, "1:0");
        PlayPair(t, D, A, "1:0");
        PlayPair(t, B, C, "1:0");
        PlayPair(t, B, D, "1:0");
        PlayPair(t, C, D, "1:0");
        for (int other : {E, F}) {
            PlayPair(t, A, other, "1:0");
            PlayPair(t, B, other, "10:0");
        }
        PlayPair(t, G, A, "1:0");
        PlayPair(t, G, B, "1:0");
        for (int other : {E, F, G}) {
            PlayPair(t, C, other, "1:0");
            PlayPair(t, D, other, "5:0");
        }
        PlayPair(t, E, F, "0:0");
        PlayPair(t, E, G, "0:0");
        PlayPair(t, F, G, "0:0");
        QCOMPARE(Order(t), (QStringList{"A 1", "B 2", "C 3", "D 4", "G 5", "E 6–7", "F 6–7"}));
        const std::vector<Standing> table = ComputeStandings(t);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(table[size_t(k)].points, 24);
        // The value shown is the score among all four, before it was applied again.
        QCOMPARE(table[0].tieBreaks[0] / 2, 6.0);
        QCOMPARE(table[1].tieBreaks[0] / 2, 6.0);
        QCOMPARE(table[1].tieBreaks[1], 17.0);
    }

    // Three players who beat each other in a circle cannot be separated by anything.
    void circularTieSharesThreePlaces() {
        Tournament t(QStringLiteral("Круг"), MakePlayers(3, {"A", "B", "C"}),
                     Chess({TieBreak::DirectEncounter, TieBreak::Wins, TieBreak::SonnebornBerger,
                            TieBreak::Koya}));
        // Three players use the table of four with 4 as the bye.
        Play(t, 1, 1, "1-0"); // 2-3: B beats C
        Play(t, 2, 1, "1-0"); // 1-2: A beats B
        Play(t, 3, 1, "1-0"); // 3-1: C beats A
        QCOMPARE(Order(t), (QStringList{"A 1–3", "B 1–3", "C 1–3"}));
    }

    // Football points 3-1-0, scores: three teams on 5 points, level in their mini-table;
    // goal difference puts T2 (+4) ahead of T3 (+3) and T1 (+2).
    void goalDifferenceAndGoalsScored() {
        Settings s = DefaultSettings(ResultKind::Scores);
        s.tieBreaks = {TieBreak::DirectEncounter, TieBreak::GoalDifference};
        Tournament t(QStringLiteral("Лига"), MakePlayers(4, {"T1", "T2", "T3", "T4"}), s);
        Play(t, 1, 1, "2:0"); // T1-T4
        Play(t, 1, 2, "1:1"); // T2-T3
        Play(t, 2, 1, "0:3"); // T4-T3
        Play(t, 2, 2, "1:1"); // T1-T2
        Play(t, 3, 1, "4:0"); // T2-T4
        Play(t, 3, 2, "0:0"); // T3-T1
        QCOMPARE(Order(t), (QStringList{"T2 1", "T3 2", "T1 3", "T4 4"}));
        std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[0].points, 10);
        QCOMPARE(table[0].goalsFor, 6);
        QCOMPARE(table[0].tieBreaks[1], 4.0);

        s.tieBreaks = {TieBreak::GoalsScored};
        QVERIFY(t.SetSettings(s));
        table = ComputeStandings(t);
        QCOMPARE(table[0].tieBreaks[0], 6.0); // T2
        QCOMPARE(table[1].tieBreaks[0], 4.0); // T3
        QCOMPARE(table[2].tieBreaks[0], 3.0); // T1
    }

    // League head-to-head figures count only the games among the tied teams. T1, T2 and T3
    // beat each other in a circle (T1 3:0 T2, T2 2:1 T3, T3 1:0 T1) and T4 (T2 by 9:0): 6
    // points each, 3 among themselves. Head-to-head goal difference: T1 +2, T3 0, T2 −2,
    // although T2 has the best overall (+7). Head-to-head goals: T1 3, T2 and T3 2 each;
    // applied again to those two, T2 scored 2 against T3's 1.
    void headToHeadGoalsCountTheTiedOnly() {
        Settings s = DefaultSettings(ResultKind::Scores);
        s.tieBreaks = {TieBreak::DirectEncounter, TieBreak::HeadToHeadGoalDifference};
        QVERIFY(CheckSettings(s).isEmpty());
        Tournament t(QStringLiteral("Лига"), MakePlayers(4, {"T1", "T2", "T3", "T4"}), s);
        PlayPair(t, 0, 1, "3:0");
        PlayPair(t, 1, 2, "2:1");
        PlayPair(t, 2, 0, "1:0");
        PlayPair(t, 0, 3, "1:0");
        PlayPair(t, 1, 3, "9:0");
        PlayPair(t, 2, 3, "1:0");
        QCOMPARE(Order(t), (QStringList{"T1 1", "T3 2", "T2 3", "T4 4"}));
        QCOMPARE(ComputeStandings(t)[2].tieBreaks[1], -2.0); // T2

        s.tieBreaks = {TieBreak::HeadToHeadGoals};
        QVERIFY(t.SetSettings(s));
        QCOMPARE(Order(t), (QStringList{"T1 1", "T2 2", "T3 3", "T4 4"}));
    }

    void forfeitsScorePointsButNotBlackGames() {
        Settings s = Chess({TieBreak::BlackGames});
        s.points.forfeitLoss = -2; // a no-show costs a point
        Tournament t(QStringLiteral("Неявки"), MakePlayers(4), s);
        Play(t, 1, 1, "-+"); // P1 (white) does not come: P4 wins
        Play(t, 1, 2, "--"); // neither P2 nor P3
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(table[0].player, 3);
        QCOMPARE(table[0].points, 2);
        QCOMPARE(table[0].tieBreaks[0], 0.0); // a forfeit is not a game played with black
        for (const Standing& row : table)
            if (row.player != 3)
                QCOMPARE(row.points, -2);
    }

    // A player withdraws after round 1. His games become forfeits round by round: one counts
    // only once the rest of its round is complete, so the table after round 1 holds nothing of
    // round 2. Entered results stay, and taking the withdrawal back restores everything.
    // Tie-breaks: a game still awaiting its round is a game to come, so direct encounter waits
    // for it (C.07 6.3); once forfeited it is no encounter (C.07 6.1.1).
    void withdrawalForfeitsRoundByRoundAndUndo() {
        Tournament t(QStringLiteral("Выбыл"), MakePlayers(4, {"A", "B", "C", "D"}), Chess({}));
        Play(t, 1, 1, "1-0"); // A beats D
        Play(t, 1, 2, "=");   // B-C
        const Tournament before = t;
        t.Saved();
        t.TableSaved();
        QVERIFY(t.SetWithdrawn(3, true)); // D
        QVERIFY(t.Modified() && t.TableModified());
        QCOMPARE(t.WithdrawalOf(3), Withdrawal::Forfeits);
        QCOMPARE(t.State(GameOf(t, 2, 1)), GameState::Awaiting); // D-C: A-B still to play
        QCOMPARE(t.State(GameOf(t, 3, 1)), GameState::Awaiting); // B-D
        QVERIFY(!t.Effective(GameOf(t, 2, 1)).IsSet());
        QCOMPARE(t.Effective(GameOf(t, 1, 1)), Result::Of(Outcome::WhiteWin)); // kept
        QCOMPARE(t.CompletedRounds(), 1);
        QCOMPARE(Order(t), (QStringList{"A 1", "B 2–3", "C 2–3", "D 4"})); // nothing of round 2

        Play(t, 2, 2, "0-1"); // A-B: round 2 is otherwise complete, D-C becomes a forfeit
        QCOMPARE(t.Effective(GameOf(t, 2, 1)), Result::Of(Outcome::ForfeitBlack));
        QCOMPARE(t.State(GameOf(t, 3, 1)), GameState::Awaiting);
        QCOMPARE(t.CompletedRounds(), 2);
        const std::vector<Standing> table = ComputeStandings(t);
        QCOMPARE(t.Players()[table[0].player].name, QStringLiteral("B")); // ½ + 1
        QCOMPARE(table[0].points, 3);
        QCOMPARE(table[1].points, 3); // C: ½ + the forfeit
        Play(t, 3, 2, "=");           // C-A: round 3 done, B-D too
        QCOMPARE(t.Effective(GameOf(t, 3, 1)), Result::Of(Outcome::ForfeitWhite));
        QCOMPARE(t.CompletedRounds(), 3);
        QCOMPARE(ComputeStandings(t).back().losses, 3);

        QVERIFY(!t.SetWithdrawn(3, true)); // no change, no flag
        QVERIFY(t.SetWithdrawn(3, false));
        QVERIFY(!t.Effective(GameOf(t, 2, 1)).IsSet());
        QCOMPARE(t.CompletedRounds(), 1);
        QCOMPARE(ComputeStandings(t)[0].points, 3); // B: ½ + 1, and no forfeit
        // Undo straight after the withdrawal gives the very same tournament back.
        Tournament again = before;
        QVERIFY(again.SetWithdrawn(3, true));
        QVERIFY(again.SetWithdrawn(3, false));
        for (int i = 0; i < again.GameCount(); ++i)
            QCOMPARE(again.State(i), before.State(i));
        QCOMPARE(Order(again), Order(before));
    }

    // With D directly forfeited in round 2, B and C end level: the forfeit brings C no
    // encounter (C.07 6.1.1) and nothing to Sonneborn-Berger (C.07 9.1, 16.4), as the kit
    // counts an entered forfeit. A withdrawal must give the same figures as entering it.
    void withdrawalForfeitsCountAsEnteredForfeits() {
        const QList<TieBreak> tbs{TieBreak::DirectEncounter, TieBreak::SonnebornBerger,
                                  TieBreak::Wins};
        Tournament withdrawn(QStringLiteral("В"), MakePlayers(4, {"A", "B", "C", "D"}), Chess(tbs));
        Tournament entered = withdrawn;
        for (Tournament* t : {&withdrawn, &entered}) {
            Play(*t, 1, 1, "1-0");
            Play(*t, 1, 2, "=");
            Play(*t, 2, 2, "0-1");
            Play(*t, 3, 2, "=");
        }
        QVERIFY(withdrawn.SetWithdrawn(3, true));
        Play(entered, 2, 1, "-+");
        Play(entered, 3, 1, "+-");
        const std::vector<Standing> a = ComputeStandings(withdrawn), b = ComputeStandings(entered);
        QCOMPARE(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].player, b[i].player);
            QCOMPARE(a[i].points, b[i].points);
            QCOMPARE(PlaceText(a[i]), PlaceText(b[i]));
            for (int k = 0; k < int(tbs.size()); ++k)
                QCOMPARE(TieBreakText(tbs[k], a[i].tieBreaks[k]),
                         TieBreakText(tbs[k], b[i].tieBreaks[k]));
        }
    }

    // The other rule: D played one game of three, fewer than half, so his results may be
    // cancelled. His games drop out of everyone's table: the others rank, and their
    // tie-breaks come out, as in a tournament D never entered; D stands last without a place.
    // Undo brings every result back; a player with half his games played may not be cancelled.
    void cancelledResultsDropOutAndComeBack() {
        const QList<TieBreak> tbs{TieBreak::SonnebornBerger, TieBreak::Wins};
        Tournament t(QStringLiteral("Аннул."), MakePlayers(4, {"A", "B", "C", "D"}), Chess(tbs));
        Play(t, 1, 1, "1-0"); // A beats D: the game D played
        Play(t, 1, 2, "=");   // B-C
        Play(t, 2, 2, "0-1"); // A-B
        const Tournament before = t;
        QCOMPARE(t.PlayedBy(3), 1);
        QCOMPARE(t.GamesOf(3), 3);
        QVERIFY(t.MayCancel(3));
        QVERIFY(t.SetWithdrawal(3, Withdrawal::Cancelled));
        QVERIFY(t.Cancelled(GameOf(t, 1, 1)) && t.Cancelled(GameOf(t, 2, 1)));
        QVERIFY(!t.Effective(GameOf(t, 1, 1)).IsSet());
        QCOMPARE(t.CompletedRounds(), 2); // round 2 had only A-B left to play
        Play(t, 3, 2, "1-0");             // C beats A

        // Without D: B beat A, drew C; C drew B, beat A.
        Tournament three(QStringLiteral("Без D"), MakePlayers(3, {"A", "B", "C"}), Chess(tbs));
        PlayPairs(three, {{1, 0, "1-0"}, {1, 2, "="}, {2, 0, "1-0"}});
        const std::vector<Standing> table = ComputeStandings(t), expected = ComputeStandings(three);
        QCOMPARE(table.size(), size_t(4));
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(table[i].player, expected[i].player);
            QCOMPARE(table[i].points, expected[i].points);
            QCOMPARE(table[i].tieBreaks, expected[i].tieBreaks);
            QCOMPARE(PlaceText(table[i]), PlaceText(expected[i]));
        }
        QCOMPARE(table[3].player, 3);
        QCOMPARE(table[3].points, 0);
        QCOMPARE(table[3].games, 0);
        QCOMPARE(PlaceText(table[3]), QString());
        QCOMPARE(TieBreakText(tbs[0], table[3].tieBreaks[0]), QString());

        // Undo: the entered results count again, as before the withdrawal.
        QVERIFY(t.SetWithdrawal(3, Withdrawal::None));
        QCOMPARE(t.Effective(GameOf(t, 1, 1)), Result::Of(Outcome::WhiteWin));
        Tournament back = before;
        QVERIFY(back.SetWithdrawal(3, Withdrawal::Cancelled));
        QVERIFY(back.SetWithdrawal(3, Withdrawal::Forfeits)); // the rule can be changed too
        QVERIFY(back.SetWithdrawal(3, Withdrawal::None));
        QCOMPARE(Order(back), Order(before));
        for (int i = 0; i < back.GameCount(); ++i)
            QCOMPARE(back.Effective(i), before.Effective(i));

        // B has played two of three: half or more, so his results stay.
        QCOMPARE(back.PlayedBy(1), 2);
        QVERIFY(!back.MayCancel(1));
        back.Saved();
        QVERIFY(!back.SetWithdrawal(1, Withdrawal::Cancelled));
        QVERIFY(!back.Modified());
        QCOMPARE(back.WithdrawalOf(1), Withdrawal::None);
        // A forfeit is no game played: a player with only forfeits may be cancelled.
        Tournament forfeits(QStringLiteral("Н"), MakePlayers(3), Chess({}));
        PlayPairs(forfeits, {{0, 1, "-+"}, {0, 2, "-+"}});
        QCOMPARE(forfeits.PlayedBy(0), 0);
        QVERIFY(forfeits.MayCancel(0));
    }

    void placeTexts() {
        Standing s;
        s.placeFrom = 3;
        s.placeTo = 4;
        QCOMPARE(PlaceText(s), QStringLiteral("3–4"));
        s.placeTo = 3;
        QCOMPARE(PlaceText(s), QStringLiteral("3"));
    }
};

QTEST_GUILESS_MAIN(TestStandings)
#include "tst_rr_standings.moc"
