// Results: series and deciders, changes that clear the dependent matches, the grand final's
// reset, withdrawals and walkovers, the host's three lists and the final standings.
#include "KoTestUtil.h"
#include "Standings.h"

#include <QTest>

using namespace ko;
using kotest::At;
using kotest::Win;

namespace {

QStringList Lines(const Tournament& t, const QList<int>& matches) {
    QStringList lines;
    for (int m : matches)
        lines << MatchLine(t, m);
    return lines;
}

QStringList Places(const Tournament& t) {
    QStringList places;
    for (const Standing& s : ComputeStandings(t))
        places << PlaceText(s);
    return places;
}

} // namespace

class ResultsTest : public QObject {
    Q_OBJECT
private slots:
    void levelScoreNeedsADecider() {
        const MatchFormat single{1, Scoring::Scores};
        QVERIFY(!MatchResult::Single(2, 2).Check(single).isEmpty());
        QVERIFY(!MatchResult::Single(2, 2, Decider::Penalties, 4, 4).Check(single).isEmpty());
        QVERIFY(!MatchResult::Single(3, 2, Decider::Penalties, 4, 3).Check(single).isEmpty());
        const MatchResult pens = MatchResult::Single(2, 2, Decider::Penalties, 4, 3);
        QCOMPARE(pens.Check(single), QString());
        QCOMPARE(pens.Winner(single), 0);
        QCOMPARE(pens.Text(single), QStringLiteral("2:2 (пен. 4:3)"));
        QCOMPARE(pens.Swapped().Text(single), QStringLiteral("2:2 (пен. 3:4)"));
        QCOMPARE(MatchResult::Single(1, 1, Decider::Armageddon, 0, 1).Winner(single), 1);
        QCOMPARE(MatchResult::Walkover(0).Text(single), QStringLiteral("+:−"));
        QCOMPARE(MatchResult::Walkover(1).Text(single), QStringLiteral("−:+"));
        // Win/loss scoring takes no goals.
        QVERIFY(!MatchResult::Single(3, 1).Check({1, Scoring::WinLoss}).isEmpty());
        QCOMPARE(MatchResult::Single(0, 1).Check({1, Scoring::WinLoss}), QString());
    }

    void seriesBestOfFive() {
        const MatchFormat bo5{5, Scoring::Scores};
        MatchResult r;
        r.kind = MatchResult::Kind::Games;
        r.games = {{11, 7}, {9, 11}, {11, 5}};
        QVERIFY(r.Partial(bo5));
        QCOMPARE(r.Check(bo5), QString());
        r.games.push_back({11, 3});
        QCOMPARE(r.Winner(bo5), 0);
        QCOMPARE(r.Text(bo5), QStringLiteral("3:1"));
        QCOMPARE(r.Text(bo5, true), QStringLiteral("3:1 (11:7, 9:11, 11:5, 11:3)"));
        r.games.push_back({5, 11}); // after the series is won
        QVERIFY(!r.Check(bo5).isEmpty());
    }

    void partialSeriesIsCurrent() {
        Options o = kotest::SingleOptions();
        o.format = {3, Scoring::Scores};
        Tournament t("T", kotest::Entrants(4), o);
        const int semi = At(t, Section::Upper, 1, 1);
        MatchResult r;
        r.kind = MatchResult::Kind::Games;
        r.games = {{3, 1}};
        QVERIFY(t.SetResult(semi, r));
        QCOMPARE(CurrentMatches(t), QList<int>{semi});
        QVERIFY(!NearestMatches(t).contains(semi));
        QCOMPARE(MatchLine(t, semi), QStringLiteral("1/2 финала, матч 1: И1 — И4 1:0"));
        r.games.push_back({2, 0});
        QVERIFY(t.SetResult(semi, r));
        QVERIFY(CurrentMatches(t).isEmpty());
        QCOMPARE(LastMatches(t), QList<int>{semi});
    }

    void listsInBracketOrder() {
        Tournament t("T", kotest::Entrants(5), kotest::SingleOptions(true));
        // 8 lines, 3 byes: one first-round match, and a semi-final of two bye holders that
        // can be played at once; byes are not listed.
        QCOMPARE(Lines(t, NearestMatches(t)),
                 (QStringList{"1/4 финала, матч 2: И4 — И5", "1/2 финала, матч 2: И2 — И3"}));
        QVERIFY(t.SetResult(NearestMatches(t).front(), MatchResult::Single(2, 2, Decider::Penalties, 4, 3)));
        QCOMPARE(Lines(t, NearestMatches(t)),
                 (QStringList{"1/2 финала, матч 1: И1 — И4", "1/2 финала, матч 2: И2 — И3"}));
        QCOMPARE(Lines(t, LastMatches(t)), QStringList{"1/4 финала, матч 2: И4 — И5 2:2 (пен. 4:3)"});
        kotest::PlayOut(t);
        QCOMPARE(Lines(t, LastMatches(t)).mid(0, 2),
                 (QStringList{"Финал: И1 — И2 1:0", "Матч за 3-е место: И4 — И3 0:1"}));
    }

    void changingAWinnerClearsExactlyTheDependentMatches() {
        Tournament t("T", kotest::Entrants(8), kotest::SingleOptions(true));
        kotest::PlayOut(t);
        const int qf1 = At(t, Section::Upper, 1, 1), qf2 = At(t, Section::Upper, 1, 2);
        const int sf1 = At(t, Section::Upper, 2, 1), sf2 = At(t, Section::Upper, 2, 2);
        const int final = At(t, Section::Upper, 3), third = At(t, Section::ThirdPlace, 1);
        // The same winner with another score changes no one else's match.
        QVERIFY(t.WouldClear(qf1, MatchResult::Single(3, 0)).isEmpty());
        QList<int> cleared;
        QVERIFY(t.SetResult(qf1, MatchResult::Single(3, 0), &cleared));
        QVERIFY(cleared.isEmpty());
        // Another winner: the semi-final, the final and the third-place match go, nothing else.
        const QList<int> expected{sf1, final, third};
        QCOMPARE(t.WouldClear(qf1, Win(t, 1)), expected);
        QVERIFY(t.SetResult(qf1, Win(t, 1), &cleared));
        QCOMPARE(cleared, expected);
        QVERIFY(t.Stored(qf2) && t.Stored(sf2));
        QCOMPARE(t.State(sf1).side[0].entrant, 7); // the new winner went on: И8
        QCOMPARE(t.State(sf1).status, MatchState::Status::Ready);
        QCOMPARE(t.State(final).status, MatchState::Status::Pending);
        // Deleting a result clears its dependants the same way.
        QVERIFY(t.SetResult(sf1, Win(t, 0)));
        QVERIFY(t.ClearResult(qf2, &cleared));
        QCOMPARE(cleared, QList<int>{sf1});
    }

    void doubleEliminationChangeClearsBothPaths() {
        Tournament t("T", kotest::Entrants(8), kotest::DoubleOptions());
        kotest::PlayOut(t);
        QVERIFY(t.Finished());
        const int u1 = At(t, Section::Upper, 1, 1);
        Tournament before = t;
        QList<int> cleared;
        QVERIFY(t.SetResult(u1, Win(t, 1), &cleared));
        // Cleared: exactly the matches that now have other entrants (or unknown ones).
        QList<int> expected;
        for (int m = 0; m < t.MatchCount(); ++m) {
            if (m == u1 || !before.Stored(m))
                continue;
            const MatchState& a = before.State(m);
            const MatchState& b = t.State(m);
            if (!(a.side[0] == b.side[0] && a.side[1] == b.side[1]))
                expected << m;
            else
                QCOMPARE(t.Stored(m), before.Stored(m));
        }
        QCOMPARE(cleared, expected);
        QVERIFY(cleared.contains(At(t, Section::Lower, 1, 1))); // the loser changed too
        QVERIFY(cleared.contains(At(t, Section::GrandFinal, 1)));
        QVERIFY(!cleared.contains(At(t, Section::Upper, 1, 2)));
    }

    void grandFinalReset() {
        Tournament t("T", kotest::Entrants(4), kotest::DoubleOptions(true));
        const int grand = At(t, Section::GrandFinal, 1), reset = At(t, Section::Reset, 1);
        kotest::PlayNext(t, [](int) { return 0; }); // upper round 1
        kotest::PlayNext(t, [](int) { return 0; });
        while (NearestMatches(t).front() != grand)
            kotest::PlayNext(t, [](int) { return 0; });
        const int upperChampion = t.State(grand).side[0].entrant;
        const int lowerChampion = t.State(grand).side[1].entrant;
        // The upper winner takes the grand final: no reset, the title is decided.
        Tournament upperWins = t;
        QVERIFY(upperWins.SetResult(grand, Win(t, 0)));
        QCOMPARE(upperWins.State(reset).status, MatchState::Status::Void);
        QCOMPARE(upperWins.Champion(), upperChampion);
        QVERIFY(upperWins.Finished());
        // The lower winner takes it: the reset is due, upper winner listed first again.
        QVERIFY(t.SetResult(grand, Win(t, 1)));
        QCOMPARE(t.Champion(), -1);
        QCOMPARE(Lines(t, NearestMatches(t)),
                 QStringList{QStringLiteral("Суперфинал: %1 — %2")
                                 .arg(t.Entrants()[upperChampion].name, t.Entrants()[lowerChampion].name)});
        QVERIFY(t.SetResult(reset, Win(t, 1)));
        QCOMPARE(t.Champion(), lowerChampion);
        QCOMPARE(Places(t), (QStringList{"1", "2", "3", "4"}));
        // Turning the grand final around removes the reset's result.
        QList<int> cleared;
        QVERIFY(t.SetResult(grand, Win(t, 0), &cleared));
        QCOMPARE(cleared, QList<int>{reset});
        QCOMPARE(t.Champion(), upperChampion);
        // Without a reset the grand final alone decides.
        Tournament once("T", kotest::Entrants(4), kotest::DoubleOptions(false));
        QCOMPARE(once.Shape().Find(Section::Reset, 1), -1);
        kotest::PlayOut(once);
        QVERIFY(once.Finished());
        QCOMPARE(once.Champion(), 0);
    }

    void withdrawalGivesWalkoversInBothBrackets() {
        Tournament t("T", kotest::Entrants(8), kotest::DoubleOptions());
        const int u1 = At(t, Section::Upper, 1, 1); // И1 — И8
        QVERIFY(t.SetWithdrawn(7, true));
        QCOMPARE(t.State(u1).status, MatchState::Status::Decided);
        QVERIFY(t.State(u1).byWithdrawal);
        QCOMPARE(MatchLine(t, u1), QStringLiteral("Верхняя сетка, раунд 1, матч 1: И1 — И8 +:−"));
        // Dropped to the lower bracket, and out of it by a walkover as soon as it is due.
        QVERIFY(t.SetResult(At(t, Section::Upper, 1, 2), Win(t, 0))); // И4 beats И5
        const int l1 = At(t, Section::Lower, 1, 1);
        QCOMPARE(MatchLine(t, l1), QStringLiteral("Нижняя сетка, раунд 1, матч 1: И8 — И5 −:+"));
        QVERIFY(!NearestMatches(t).contains(l1));
        // Taking the withdrawal back before anything depends on it restores the match.
        QVERIFY(t.WouldClearWithdrawal(7, false).isEmpty());
        QVERIFY(t.SetWithdrawn(7, false));
        QCOMPARE(t.State(u1).status, MatchState::Status::Ready);
    }

    void withdrawalAfterPlayingAndWithABye() {
        Tournament t("T", kotest::Entrants(5), kotest::SingleOptions());
        // И1 has a bye; withdrawn, its next match is a walkover for the opponent.
        QVERIFY(t.SetWithdrawn(0, true));
        QVERIFY(t.SetResult(NearestMatches(t).front(), Win(t, 0))); // И4 beats И5
        const int sf1 = At(t, Section::Upper, 2, 1);
        QCOMPARE(MatchLine(t, sf1), QStringLiteral("1/2 финала, матч 1: И1 — И4 −:+"));
        QCOMPARE(t.State(sf1).winner.entrant, 3);
        // A played result stands when the player withdraws later; the next match is walked over.
        QVERIFY(t.SetResult(At(t, Section::Upper, 2, 2), Win(t, 0))); // И2 beats И3
        QVERIFY(t.SetWithdrawn(1, true));
        const int final = At(t, Section::Upper, 3);
        QCOMPARE(t.State(final).effective.Text(t.Format()), QStringLiteral("+:−"));
        QCOMPARE(t.Champion(), 3);
        QCOMPARE(Places(t), (QStringList{"1", "2", "3", "3", "5"}));
        // И4 gone too: neither side of its semi-final came, nobody reached the final from
        // there, and the finalist who left does not take the title.
        QVERIFY(t.SetWithdrawn(3, true));
        QCOMPARE(t.State(sf1).effective.Text(t.Format()), QStringLiteral("−:−"));
        QCOMPARE(t.State(final).status, MatchState::Status::Bye);
        QCOMPARE(t.Champion(), -1);
        QVERIFY(t.Finished());
    }

    void enteredWalkover() {
        Tournament t("T", kotest::Entrants(4), kotest::SingleOptions());
        QVERIFY(t.SetResult(0, MatchResult::Walkover(1)));
        QCOMPARE(MatchLine(t, 0), QStringLiteral("1/2 финала, матч 1: И1 — И4 −:+"));
        QCOMPARE(t.State(At(t, Section::Upper, 2)).side[0].entrant, 3);
        QVERIFY(!t.SetResult(At(t, Section::Upper, 2), Win(t, 0))); // one side not known yet
    }

    void standings() {
        Tournament single("T", kotest::Entrants(8), kotest::SingleOptions(false));
        kotest::PlayOut(single);
        QCOMPARE(Places(single), (QStringList{"1", "2", "3", "3", "5–8", "5–8", "5–8", "5–8"}));
        Tournament third("T", kotest::Entrants(8), kotest::SingleOptions(true));
        kotest::PlayOut(third);
        QCOMPARE(Places(third), (QStringList{"1", "2", "3", "4", "5–8", "5–8", "5–8", "5–8"}));
        Tournament twice("T", kotest::Entrants(8), kotest::DoubleOptions());
        kotest::PlayOut(twice);
        QCOMPARE(Places(twice), (QStringList{"1", "2", "3", "4", "5–6", "5–6", "7–8", "7–8"}));
        // In progress: those still in have no place; those out already have theirs.
        Tournament half("T", kotest::Entrants(16), kotest::SingleOptions());
        for (int i = 0; i < 8; ++i)
            kotest::PlayNext(half, [](int) { return 0; });
        const QStringList places = Places(half);
        QCOMPARE(places.count(QString()), 8);
        QCOMPARE(places.count(QStringLiteral("9–16")), 8);
    }

    void strictRestore() {
        Tournament t("T", kotest::Entrants(4), kotest::SingleOptions());
        std::vector<std::optional<StoredResult>> stored(size_t(t.MatchCount()));
        stored[2] = StoredResult{{0, 1}, Win(t, 0)}; // a final before its semi-finals
        QVERIFY(!t.Restore(stored, QList<bool>(4, false), QList<QString>(3), {}).isEmpty());
        stored[2].reset();
        stored[0] = StoredResult{{0, 3}, MatchResult::Single(1, 1)}; // a level score
        QVERIFY(!t.Restore(stored, QList<bool>(4, false), QList<QString>(3), {}).isEmpty());
        stored[0] = StoredResult{{0, 3}, Win(t, 0)};
        QCOMPARE(t.Restore(stored, QList<bool>(4, false), QList<QString>(3), {}), QString());
        QVERIFY(!t.Restore(stored, QList<bool>(3, false), QList<QString>(3), {}).isEmpty());
    }
};

QTEST_APPLESS_MAIN(ResultsTest)
#include "tst_ko_results.moc"
