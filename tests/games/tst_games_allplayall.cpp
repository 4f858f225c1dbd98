// Standings of all-play-all events (round robins and leagues) on small tables worked out by
// hand. Articles are those of FIDE's tie-break regulations C.07 (2024).
#include "GamesTestUtil.h"

using namespace gamestest;

namespace {

// A beats B by forfeit; every other game is drawn. A 2, B 1, C 1½, D 1½.
Event ForfeitThenDraws() {
    Event e(4, true);
    e.Table({"x+==", ".x==", "..x=", "...x"});
    return e;
}

// A and B level on 1 point, their only game a forfeit A won. C beat A, D beat A and B.
// A 1, B 1, C 1½, D 2½.
Event TiedOverAForfeit() {
    Event e(4, true);
    e.Table({"x+00", ".x10", "..x=", "...x"});
    return e;
}

// A league, 3 points a win: F 12 ahead of A, B, C, D on 7. Among those four A and B score 6,
// C 4, D 1, and A beat B 4:0.
Event League() {
    Event e(6, true, PointSystem::Football());
    e.Score(1, 1, 2, 4, 0).Score(2, 1, 3, 0, 1).Score(3, 1, 4, 2, 0);
    e.Score(4, 2, 3, 2, 1).Score(5, 2, 4, 1, 0).Score(6, 3, 4, 1, 1);
    e.Score(7, 1, 5, 1, 1).Score(8, 1, 6, 0, 2).Score(9, 2, 5, 0, 0).Score(10, 2, 6, 0, 1);
    e.Score(11, 3, 5, 3, 0).Score(12, 3, 6, 0, 1).Score(13, 4, 5, 2, 0).Score(14, 4, 6, 1, 0);
    e.Score(15, 5, 6, 1, 2);
    return e;
}

// A beat B 3:0, B beat C 1:0, C beat A 2:1: level on direct encounter. D loses to all, B
// by 0:5, so that B has the best goal difference overall but the worst among the three.
Event Circle() {
    Event e(4, true, PointSystem::Football());
    e.Score(1, 1, 2, 3, 0).Score(2, 2, 3, 1, 0).Score(3, 3, 1, 2, 1);
    e.Score(4, 2, 4, 5, 0).Score(5, 1, 4, 1, 0).Score(6, 3, 4, 1, 0);
    return e;
}

} // namespace

class TestAllPlayAll : public QObject {
    Q_OBJECT
private slots:
    // A round robin's forfeits are its only unplayed games, and FIDE's reference program
    // lets them bring nothing to Sonneborn-Berger or Buchholz (C.07 9.1, 16.4): A's forfeit win
    // over B is worth 0, not B's 1 point. A: ½·1½ + ½·1½ = 1½; C: ½·2 + ½·1 + ½·1½ = 2¼.
    void forfeitBringsNothingToSonnebornBerger() {
        const Standings s(ForfeitThenDraws().Record());
        QCOMPARE(Values(s, TieBreak::SonnebornBerger, 4), (QList<double>{1.5, 1.5, 2.25, 2.25}));
        QCOMPARE(Values(s, TieBreak::Buchholz, 4), (QList<double>{3.0, 3.0, 4.5, 4.5}));
        // Opponents' scores stand as they are: nothing adjusts them in a round robin.
        QCOMPARE(s.ScoreAsOpponent(2), 1.0);
        const std::vector<StandingRow> t = s.Table({TieBreak::SonnebornBerger});
        QCOMPARE(Order(t), (QStringList{"A 1", "C 2–3", "D 2–3", "B 4"}));
        QCOMPARE(RowOf(t, 1).played, 2); // the forfeit is no game played
        QCOMPARE(RowOf(t, 1).forfeitWins, 1);
        QCOMPARE(RowOf(t, 1).wins, 1);
        QCOMPARE(RowOf(t, 2).forfeitLosses, 1);
    }

    // A forfeit between tied players is no encounter (C.07 6.1.1): A and B stay level on
    // direct encounter with 0 each. Number of wins counts the forfeit (7.1), games won at the
    // board do not (7.2), which puts B ahead.
    void forfeitIsNoEncounter() {
        const Standings s(TiedOverAForfeit().Record());
        std::vector<StandingRow> t = s.Table({TieBreak::DirectEncounter, TieBreak::Wins});
        QCOMPARE(Order(t), (QStringList{"D 1", "C 2", "A 3–4", "B 3–4"}));
        QCOMPARE(RowOf(t, 1).values[0], 0.0);
        QCOMPARE(RowOf(t, 2).values[0], 0.0);
        QVERIFY(std::isnan(RowOf(t, 4).values[0])); // D was not tied
        QCOMPARE(RowOf(t, 1).values[1], 1.0);
        t = s.Table({TieBreak::DirectEncounter, TieBreak::WinsPlayed});
        QCOMPARE(Order(t), (QStringList{"D 1", "C 2", "B 3", "A 4"}));
    }

    // Direct encounter among A, B, C, D gives A 6, B 6, C 4, D 1, and is applied again to A
    // and B alone (C.07 6.2): A beat B, so A is second and B third, no shared place.
    void directEncounterAppliedAgainToTheStillTied() {
        const Standings s(League().Record());
        const std::vector<StandingRow> t = s.Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"F 1", "A 2", "B 3", "C 4", "D 5", "E 6"}));
        QCOMPARE(RowOf(t, 1).values[0], 6.0);
        QCOMPARE(RowOf(t, 2).values[0], 6.0);
        QCOMPARE(RowOf(t, 3).values[0], 4.0);
        QCOMPARE(RowOf(t, 4).values[0], 1.0);
        // The league table's own columns.
        const StandingRow& a = RowOf(t, 1);
        QCOMPARE(a.points, 7.0);
        QCOMPARE(a.played, 5);
        QCOMPARE(a.wins, 2);
        QCOMPARE(a.draws, 1);
        QCOMPARE(a.losses, 2);
        QCOMPARE(a.goalsFor, 7);
        QCOMPARE(a.goalsAgainst, 4);
    }

    // Head-to-head goals count only games among the tied: A +2, C 0, B −2, although B has the
    // best goal difference overall (+3, level with A).
    void headToHeadGoalsAmongTheTiedOnly() {
        const Standings s(Circle().Record());
        QCOMPARE(Order(s.Table({TieBreak::DirectEncounter, TieBreak::HeadToHeadGoalDifference})),
                 (QStringList{"A 1", "C 2", "B 3", "D 4"}));
        QCOMPARE(Order(s.Table({TieBreak::HeadToHeadGoals})),
                 (QStringList{"A 1", "C 2", "B 3", "D 4"}));
        QCOMPARE(Order(s.Table({TieBreak::GoalDifference})),
                 (QStringList{"A 1–2", "B 1–2", "C 3", "D 4"}));
        // Sonneborn-Berger multiplies by the points scored (C.07 9.1): 3 for a win here.
        QCOMPARE(s.Value(TieBreak::SonnebornBerger, 1), 18.0);
        const std::vector<StandingRow> t = s.Table({TieBreak::HeadToHeadGoalDifference});
        QCOMPARE(RowOf(t, 1).values[0], 2.0);
        QCOMPARE(RowOf(t, 2).values[0], -2.0);
        QCOMPARE(RowOf(t, 3).values[0], 0.0);
    }

    // While games among the tied are still to be played, direct encounter separates only
    // those whom the rest could not reach (C.07 6.3): A and C, level after round 1 and not
    // yet met, stay level and show 0 each.
    void directEncounterWaitsForGamesToCome() {
        Event e(4, true);
        e.Play(1, 1, 2, '1').Play(1, 3, 4, '1').Play(2, 1, 3, '.').Play(2, 2, 4, '.');
        e.Play(3, 1, 4, '.').Play(3, 2, 3, '.');
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"A 1–2", "C 1–2", "B 3–4", "D 3–4"}));
        QCOMPARE(RowOf(t, 1).values[0], 0.0);
    }

    // Several games between two of the tied count as their average (C.07 6.1.2): A beat B
    // twice and lost to C, B beat C, so each has 1 among the three and all stay level; summed,
    // A's 2 would have put him first.
    void directEncounterAveragesRepeatedGames() {
        Event e(3, true);
        e.Play(1, 1, 2, '1').Play(2, 2, 1, '0').Play(3, 2, 3, '1').Play(4, 3, 1, '1');
        e.ByeFor(5, 2, Bye::Full).ByeFor(5, 3, Bye::Full);
        const std::vector<StandingRow> t = Standings(e.Record()).Table({TieBreak::DirectEncounter});
        QCOMPARE(Order(t), (QStringList{"A 1–3", "B 1–3", "C 1–3"}));
        QCOMPARE(RowOf(t, 1).values[0], 1.0);
    }

    // The games of a player who has withdrawn will not be played, so they leave no one a
    // chance to catch up (C.07 6.3): A beat B, C withdrew before meeting either, so A is
    // first. Had C stayed, C could still reach A, and all three would stay level.
    void directEncounterAfterAWithdrawal() {
        Event e(3, true);
        e.Play(1, 1, 2, '1').ByeFor(1, 3, Bye::Full).Play(2, 1, 3, '.').ByeFor(2, 2, Bye::Full);
        e.Play(3, 2, 3, '.').Withdraw(3, 2);
        QCOMPARE(Order(Standings(e.Record()).Table({TieBreak::DirectEncounter})),
                 (QStringList{"A 1", "B 2–3", "C 2–3"}));
        e.Withdraw(3, 0);
        QCOMPARE(Order(Standings(e.Record()).Table({TieBreak::DirectEncounter})),
                 (QStringList{"A 1–3", "B 1–3", "C 1–3"}));
    }

    // Koya counts points against those with at least half of the 3 points the games could
    // bring (C.07 9.2): C (1½) and D (2½) qualify. A 0, B 1, C ½, D ½.
    void koya() {
        const Standings s(TiedOverAForfeit().Record());
        QCOMPARE(Values(s, TieBreak::Koya, 4), (QList<double>{0.0, 1.0, 0.5, 0.5}));
    }

    // A deduction lowers the table's points, not what the player brings to others' tie-breaks.
    void deductionCountsInTheTableOnly() {
        Event e = ForfeitThenDraws();
        e.Deduct(1, 1.0);
        const Standings s(e.Record());
        const std::vector<StandingRow> t = s.Table({TieBreak::SonnebornBerger});
        QCOMPARE(RowOf(t, 1).points, 1.0);
        QCOMPARE(RowOf(t, 1).deduction, 1.0);
        QCOMPARE(Order(t), (QStringList{"C 1–2", "D 1–2", "A 3–4", "B 3–4"}));
        QCOMPARE(s.Value(TieBreak::SonnebornBerger, 3), 2.25);
    }

    // Points given per side (a match of four boards) stand as given; who won follows.
    void pointsPerSide() {
        GameRecord r = Event(2, true).Record();
        r.games.push_back(Game::Points(1, 1, 1, 2, 2.5, 1.5));
        r.games.push_back(Game::Points(2, 1, 2, 1, 2, 2));
        const std::vector<StandingRow> t = Standings(r).Table({TieBreak::Wins});
        QCOMPARE(t[0].player, 1);
        QCOMPARE(t[0].points, 4.5);
        QCOMPARE(t[0].wins, 1);
        QCOMPARE(t[0].draws, 1);
        QCOMPARE(t[1].points, 3.5);
        QCOMPARE(t[1].losses, 1);
    }

    // Scores of 3:0 awarded without playing are forfeits that keep their goals.
    void awardedMatch() {
        Event e(2, true, PointSystem::Football());
        GameRecord r = e.Record();
        r.games.push_back(Game::Score(1, 1, 1, 2, 3, 0, true));
        const std::vector<StandingRow> t = Standings(r).Table({});
        QCOMPARE(t[0].player, 1);
        QCOMPARE(t[0].points, 3.0);
        QCOMPARE(t[0].played, 0);
        QCOMPARE(t[0].forfeitWins, 1);
        QCOMPARE(t[0].goalsFor, 3);
        QCOMPARE(t[1].forfeitLosses, 1);
    }
};

QTEST_GUILESS_MAIN(TestAllPlayAll)
#include "tst_games_allplayall.moc"
