// The three match lists through a tournament's life, their lines, and host buffers.
#include "MatchLists.h"
#include "RrTestUtil.h"
#include "Text.h"

#include <QTest>

using namespace rr;

namespace {
QStringList Lines(const Tournament& t, const QList<int>& games) {
    QStringList lines;
    for (int g : games)
        lines << GameLine(t, g);
    return lines;
}
} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void throughATournamentsLife() {
        Tournament t(
            QStringLiteral("Турнир"),
            MakePlayers(4, {"Иванов Иван", "Петров Пётр", "Сидоров Сидор", "Козлов Кирилл"}),
            DefaultSettings(ResultKind::Games));
        // Start: round 1 is nearest, nothing else.
        QCOMPARE(Lines(t, NearestGames(t)),
                 (QStringList{"1 тур, доска 1: Иванов Иван — Козлов Кирилл",
                              "1 тур, доска 2: Петров Пётр — Сидоров Сидор"}));
        QVERIFY(CurrentGames(t).isEmpty() && LastGames(t).isEmpty());

        // One result: it moves to current, the other game stays nearest.
        QVERIFY(Play(t, 1, 1, "1-0"));
        QCOMPARE(Lines(t, CurrentGames(t)),
                 (QStringList{"1 тур, доска 1: Иванов Иван — Козлов Кирилл 1–0"}));
        QCOMPARE(NearestGames(t).size(), 1);

        // The round complete: both games go to last, round 2 becomes nearest.
        QVERIFY(Play(t, 1, 2, "="));
        QVERIFY(CurrentGames(t).isEmpty());
        QCOMPARE(Lines(t, LastGames(t)),
                 (QStringList{"1 тур, доска 1: Иванов Иван — Козлов Кирилл 1–0",
                              "1 тур, доска 2: Петров Пётр — Сидоров Сидор ½–½"}));
        QCOMPARE(Lines(t, NearestGames(t)),
                 (QStringList{"2 тур, доска 1: Козлов Кирилл — Сидоров Сидор",
                              "2 тур, доска 2: Иванов Иван — Петров Пётр"}));

        // A game played out of order (board 2 first), then the option that lists every
        // unplayed game, for leagues.
        QVERIFY(Play(t, 2, 2, "0-1"));
        QCOMPARE(Lines(t, NearestGames(t)),
                 (QStringList{"2 тур, доска 1: Козлов Кирилл — Сидоров Сидор"}));
        QCOMPARE(Lines(t, CurrentGames(t)),
                 (QStringList{"2 тур, доска 2: Иванов Иван — Петров Пётр 0–1"}));
        Settings all = t.GetSettings();
        all.nearestAll = true;
        QVERIFY(t.SetSettings(all));
        QCOMPARE(NearestGames(t).size(), 3);
        QVERIFY(Play(t, 3, 1, "+-")); // a round-3 game before round 2 is over
        QCOMPARE(CurrentGames(t).size(), 2);

        // Round 2 complete: last lists it first.
        QVERIFY(Play(t, 2, 1, "0-1"));
        QCOMPARE(Lines(t, LastGames(t)).first(),
                 QStringLiteral("2 тур, доска 1: Козлов Кирилл — Сидоров Сидор 0–1"));
        QCOMPARE(LastGames(t).size(), 4);
        QCOMPARE(Lines(t, CurrentGames(t)),
                 (QStringList{"3 тур, доска 1: Петров Пётр — Козлов Кирилл +:−"}));

        // Deleting a result of a complete round reopens it.
        QVERIFY(t.SetResult(GameOf(t, 1, 2), Result{}));
        QCOMPARE(LastGames(t).size(), 2);
        QCOMPARE(Lines(t, CurrentGames(t)).first(),
                 QStringLiteral("1 тур, доска 1: Иванов Иван — Козлов Кирилл 1–0"));

        QVERIFY(Play(t, 1, 2, "="));
        QVERIFY(Play(t, 3, 2, "1-0"));
        QVERIFY(NearestGames(t).isEmpty() && CurrentGames(t).isEmpty());
        QCOMPARE(LastGames(t).size(), 6);
        QCOMPARE(t.CompletedRounds(), 3);
    }

    void scoresLinesAndWithdrawnGames() {
        Tournament t(QStringLiteral("Лига"), MakePlayers(3, {"Спартак", "Динамо", "Торпедо"}),
                     DefaultSettings(ResultKind::Scores));
        QVERIFY(Play(t, 1, 1, "3:1"));
        QCOMPARE(GameLine(t, GameOf(t, 1, 1)), QStringLiteral("1 тур: Динамо — Торпедо 3:1"));
        QVERIFY(!Play(t, 2, 1, "1-0"));   // not a score
        QVERIFY(t.SetWithdrawn(0, true)); // Спартак: both its games are forfeits now
        QVERIFY(NearestGames(t).isEmpty());
        QCOMPARE(Lines(t, LastGames(t)).first(), QStringLiteral("3 тур: Торпедо — Спартак +:−"));
    }

    // Round by round, the lists meanwhile: a withdrawn player's game is not to be played, so
    // it leaves "Ближайшие"; until the rest of its round is done it waits among the current
    // games, marked, where a result that was played after all can still be entered; then it
    // is a forfeit of a complete round. The last list runs latest round first, by board.
    void withdrawnGamesRoundByRound() {
        Tournament t(QStringLiteral("Т"), MakePlayers(6, {"A", "B", "C", "D", "E", "F"}),
                     DefaultSettings(ResultKind::Games));
        for (int board = 1; board <= 3; ++board)
            QVERIFY(Play(t, 1, board, "1-0"));
        const int dGame = [&] { // D's game of round 2
            for (int i = 0; i < t.GameCount(); ++i)
                if (t.Games()[size_t(i)].round == 2 &&
                    (t.Games()[size_t(i)].white == 3 || t.Games()[size_t(i)].black == 3))
                    return i;
            return -1;
        }();
        QVERIFY(t.SetWithdrawn(3, true));
        QCOMPARE(NearestGames(t).size(), 2); // round 2 without D's game
        QVERIFY(!NearestGames(t).contains(dGame));
        QCOMPARE(CurrentGames(t), QList<int>{dGame});
        QVERIFY(GameLine(t, dGame).endsWith(QStringLiteral(" (выбыл: неявка по окончании тура)")));
        for (int g : NearestGames(t))
            QVERIFY(t.SetResult(g, Result::Of(Outcome::Draw)));
        // Round 2 complete: D's game is a forfeit of the last list, latest round first.
        QVERIFY(!CurrentGames(t).contains(dGame));
        const QStringList last = Lines(t, LastGames(t));
        QCOMPARE(last.size(), 6);
        QVERIFY(last[0].startsWith(QStringLiteral("2 тур, доска 1: ")));
        QVERIFY(last[2].startsWith(QStringLiteral("2 тур, доска 3: ")));
        QVERIFY(last[3].startsWith(QStringLiteral("1 тур, доска 1: ")));
        QVERIFY(GameLine(t, dGame).contains(u'+') && !GameLine(t, dGame).contains(u'('));
        // A result entered for an awaiting game counts as entered, and stays after undo.
        const int next = [&] {
            for (int g : CurrentGames(t) + NearestGames(t))
                if (t.State(g) == GameState::Awaiting)
                    return g;
            return -1;
        }();
        QVERIFY(next >= 0);
        QVERIFY(t.SetResult(next, Result::Of(Outcome::Draw)));
        QCOMPARE(t.State(next), GameState::Decided);
        QVERIFY(t.SetWithdrawn(3, false));
        QCOMPARE(t.Effective(next), Result::Of(Outcome::Draw));
        QCOMPARE(t.State(dGame), GameState::Open);

        // Cancelled results: D's games are in no list, and rounds complete without them.
        QVERIFY(t.SetResult(next, Result{}));
        QVERIFY(t.SetWithdrawal(3, Withdrawal::Cancelled));
        QCOMPARE(t.CompletedRounds(), 2);
        for (int g : NearestGames(t) + CurrentGames(t) + LastGames(t))
            QVERIFY(!t.Cancelled(g));
        QVERIFY(GameLine(t, dGame).endsWith(QStringLiteral(" (аннулирована)")));
        QCOMPARE(LastGames(t).size(), 4); // rounds 2 and 1 less D's two games
    }

    void linesFitHostBuffers() {
        const QString longName = QString(200, QChar(0x0416)); // "Ж", two bytes each
        Tournament t(QStringLiteral("Т"), MakePlayers(2, {longName, QStringLiteral("Б")}), {});
        const QString line = GameLine(t, 0);
        char buffer[256];
        std::memset(buffer, 'x', sizeof buffer);
        CopyToBuffer(buffer, sizeof buffer, line);
        const QByteArray written(buffer);
        QVERIFY(written.size() <= 255);
        QVERIFY(line.toUtf8().startsWith(written));
        QCOMPARE(QString::fromUtf8(written).toUtf8(), written); // no broken character at the end
        QVERIFY(written.size() >= 254);
    }

    void truncationAtCharacterBoundaries() {
        QCOMPARE(TruncateUtf8("abc", 2), QByteArray("ab"));
        QCOMPARE(TruncateUtf8("\xD0\x96\xD0\x96", 3), QByteArray("\xD0\x96"));
        QCOMPARE(TruncateUtf8("a\xF0\x9F\x98\x80", 4), QByteArray("a")); // an emoji is 4 bytes
        QCOMPARE(TruncateUtf8("a\xF0\x9F\x98\x80", 5), QByteArray("a\xF0\x9F\x98\x80"));
        char tiny[1] = {'x'};
        CopyToBuffer(tiny, 1, QStringLiteral("abc"));
        QCOMPARE(tiny[0], '\0');
        CopyToBuffer(nullptr, 10, QStringLiteral("abc")); // no crash
    }

    void roundsPlayedText() {
        QCOMPARE(RoundsPlayedText(3, 9), QStringLiteral("Сыграно 3 тура из 9"));
        QCOMPARE(RoundsPlayedText(1, 9), QStringLiteral("Сыгран 1 тур из 9"));
        QCOMPARE(RoundsPlayedText(5, 9), QStringLiteral("Сыграно 5 туров из 9"));
        QCOMPARE(RoundsPlayedText(11, 19), QStringLiteral("Сыграно 11 туров из 19"));
        QCOMPARE(RoundsPlayedText(21, 39), QStringLiteral("Сыгран 21 тур из 39"));
        QCOMPARE(RoundsPlayedText(0, 9), QStringLiteral("Сыграно 0 туров из 9"));
    }

    void flagsAnswerTruthfully() {
        Tournament t(QStringLiteral("Т"), MakePlayers(4), {});
        QVERIFY(t.Modified() && t.TableModified()); // new: nothing saved yet
        t.Saved();
        t.TableSaved();
        QVERIFY(!Play(t, 1, 1, "")); // clearing an empty result changes nothing
        QVERIFY(!t.SetResult(-1, Result::Of(Outcome::Draw)));
        QVERIFY(!t.SetResult(t.GameCount(), Result::Of(Outcome::Draw)));
        QVERIFY(!t.Modified() && !t.TableModified());
        QVERIFY(Play(t, 1, 1, "="));
        QVERIFY(!Play(t, 1, 1, "=")); // the same again
        QVERIFY(t.Modified() && t.TableModified());
        t.TableSaved();
        QVERIFY(t.Modified() && !t.TableModified());
    }
};

QTEST_GUILESS_MAIN(TestLists)
#include "tst_rr_lists.moc"
