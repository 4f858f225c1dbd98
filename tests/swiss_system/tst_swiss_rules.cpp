// The Swiss system's rules: pairings through whole tournaments, standings, the lists the
// host shows, the tournament file and the pages.
#include "SwissSystemTestUtil.h"

#include "MatchLists.h"
#include "Reports.h"
#include "SwissStandings.h"
#include "TablePage.h"
#include "TournamentFile.h"
#include "Dutch.h"
#include "HandPairing.h"
#include "Pairing.h"
#include "Trf.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

using namespace swisstest;

namespace {

std::vector<Board> RoundBoards(const Tournament& t, int round) {
    std::vector<Board> boards;
    for (const Board& b : t.Boards())
        if (b.round == round)
            boards.push_back(b);
    return boards;
}


namespace eng = velmora::swiss;

// What the pairing program knew before round r, from a report of the whole tournament: the
// rounds before it and the absences already known for round r (a requested bye, a
// withdrawal, the rounds before a late entry).
eng::Tournament BeforeRound(const eng::Tournament& full, int r) {
    eng::Tournament t = full;
    t.byeRequests.clear();
    for (eng::Player& p : t.players) {
        std::vector<eng::RoundEntry> keep(p.rounds.begin(),
                                          p.rounds.begin() + std::min<size_t>(p.rounds.size(), size_t(r - 1)));
        if (int(p.rounds.size()) >= r && p.rounds[size_t(r - 1)].opponent == 0 &&
            p.rounds[size_t(r - 1)].outcome != eng::Outcome::PairingBye)
            keep.push_back(p.rounds[size_t(r - 1)]);
        p.rounds = keep;
    }
    eng::forbiddenFor(t, r);
    return t;
}

// A round's boards as "white black" by start number, the bye as "n 0", in board order.
QStringList HostPairs(const Tournament& t, int round) {
    QStringList out;
    for (const Board& b : RoundBoards(t, round))
        out << QStringLiteral("%1 %2").arg(b.white + 1).arg(b.black + 1);
    return out;
}
QStringList EnginePairs(const eng::PairingResult& r) {
    QStringList out;
    for (const eng::Pair& p : r.pairs)
        out << QStringLiteral("%1 %2").arg(p.white).arg(p.black);
    return out;
}

Entrant Late(const QString& name, int rating) {
    Entrant e;
    e.player.name = name;
    e.player.rating = rating;
    e.player.fideId = QStringLiteral("24100001");
    e.player.birthYear = 2001;
    return e;
}

// Twelve players, five rounds, with what organisers do on the way: a forbidden pair, a
// half-point bye asked for round 3, a late entrant before round 3, a withdrawal from round 4;
// `played` rounds paired and played.
std::unique_ptr<Tournament> EventfulTournament(int played = 5) {
    auto t = std::make_unique<Tournament>(QStringLiteral("Открытый турнир"), MakeEntrants(12),
                                          RoundsOf(5));
    t->SetForbidden({{0, 2}});
    for (int r = 1; r <= 5; ++r) {
        if (r == 3) {
            t->SetByes({{3, 4, ByeKind::Half}});
            t->AddLateEntrant(Late(QStringLiteral("Опоздавший"), 2390), ByeKind::Zero);
        }
        if (r == 4)
            t->SetWithdrawnFrom(8, 4);
        if (r > played)
            break;
        const QString error = t->PairNextRound();
        if (!error.isEmpty())
            qFatal("round %d: %s", r, qPrintable(error));
        PlayCurrentRound(*t, true);
    }
    return t;
}

// What the rules never allow (C.04.1 b, f; C.04.3 C.1–C.3): a rematch, a player twice in a
// round or left out, a second pairing bye, and, before the last round, a colour difference
// above 2 or the same colour three times running.
QString Illegal(const Tournament& t) {
    std::set<std::pair<int, int>> met;
    std::vector<int> byes(size_t(t.PlayerCount()), 0);
    for (int r = 1; r <= t.PairedRounds(); ++r) {
        std::vector<int> seen(size_t(t.PlayerCount()), 0);
        for (const Board& b : RoundBoards(t, r)) {
            ++seen[size_t(b.white)];
            if (b.IsBye()) {
                if (++byes[size_t(b.white)] > 1)
                    return QStringLiteral("second bye for %1 in round %2").arg(b.white + 1).arg(r);
                continue;
            }
            ++seen[size_t(b.black)];
            // A forfeit is no game played: the two may still meet (C.04.1 b).
            if (b.result.IsForfeit())
                continue;
            if (!met.insert({std::min(b.white, b.black), std::max(b.white, b.black)}).second)
                return QStringLiteral("rematch %1-%2 in round %3").arg(b.white + 1).arg(b.black + 1).arg(r);
        }
        for (int p = 0; p < t.PlayerCount(); ++p) {
            const int expected = t.Active(p, r) && !t.ByeOf(p, r) ? 1 : 0;
            if (seen[size_t(p)] != expected)
                return QStringLiteral("player %1 appears %2 times in round %3")
                    .arg(p + 1).arg(seen[size_t(p)]).arg(r);
        }
    }
    const int lastChecked = std::min(t.PairedRounds(), t.TotalRounds() - 1);
    for (int p = 0; p < t.PlayerCount(); ++p) {
        int difference = 0, run = 0, last = 0;
        for (int r = 1; r <= lastChecked; ++r) {
            for (const Board& b : RoundBoards(t, r)) {
                // Colours count only from games played at the board.
                if (b.IsBye() || b.result.IsForfeit() || (b.white != p && b.black != p))
                    continue;
                const int c = b.white == p ? 1 : -1;
                difference += c;
                run = c == last ? run + 1 : 1;
                last = c;
                if (std::abs(difference) > 2 || run > 2)
                    return QStringLiteral("colour conflict for %1 in round %2").arg(p + 1).arg(r);
            }
        }
    }
    return {};
}

// `rounds` paired and played of `total` (as many when 0).
std::unique_ptr<Tournament> Played(int players, int rounds, bool forfeits = false, int total = 0) {
    auto t = std::make_unique<Tournament>(QStringLiteral("Кубок"), MakeEntrants(players),
                                          RoundsOf(std::max(rounds, total)));
    for (int r = 1; r <= rounds; ++r) {
        const QString error = t->PairNextRound();
        if (!error.isEmpty())
            qWarning() << error;
        PlayCurrentRound(*t, forfeits);
    }
    return t;
}

} // namespace

class TestSwissRules : public QObject {
    Q_OBJECT

private slots:
    // C.04.3 (round 1): the top half meets the bottom half, S1 against S2 in order, the
    // first board's colour as chosen and alternating down the boards.
    void roundOnePairsTopHalfAgainstBottomHalf() {
        for (FirstColour colour : {FirstColour::White, FirstColour::Black}) {
            Settings s = RoundsOf(5);
            s.firstColour = colour;
            Tournament t(QStringLiteral("T"), MakeEntrants(12), s);
            QCOMPARE(t.PairNextRound(), QString());
            const std::vector<Board> boards = RoundBoards(t, 1);
            QCOMPARE(int(boards.size()), 6);
            for (int k = 0; k < 6; ++k) {
                const int top = k, bottom = k + 6;
                const bool topWhite = (k % 2 == 0) == (colour == FirstColour::White);
                QCOMPARE(boards[size_t(k)].board, k + 1);
                QCOMPARE(boards[size_t(k)].white, topWhite ? top : bottom);
                QCOMPARE(boards[size_t(k)].black, topWhite ? bottom : top);
            }
        }
    }

    // C.04.1 c: an odd player out gets the pairing bye, worth a win; the lowest ranked in
    // round 1 (C.04.3 C.2).
    void oddPlayerGetsThePairingBye() {
        Tournament t(QStringLiteral("T"), MakeEntrants(11), RoundsOf(3));
        QCOMPARE(t.PairNextRound(), QString());
        const std::vector<Board> boards = RoundBoards(t, 1);
        QCOMPARE(int(boards.size()), 6);
        QVERIFY(boards.back().IsBye());
        QCOMPARE(boards.back().white, 10);
        QCOMPARE(PlayerHalves(t, 10), 2);
        QCOMPARE(RoundRecord(t, 10), QStringList{QStringLiteral("–1")});
    }

    void twelvePlayersFiveRoundsArePairedLegally() {
        const auto t = Played(12, 5);
        QCOMPARE(t->PairedRounds(), 5);
        QCOMPARE(t->CompletedRounds(), 5);
        QCOMPARE(Illegal(*t), QString());
        QVERIFY(NearestGames(*t).isEmpty());

        const std::vector<Standing> table = ComputeStandings(*t);
        QCOMPARE(int(table.size()), 12);
        double total = 0;
        for (size_t i = 0; i < table.size(); ++i) {
            total += table[i].points;
            QCOMPARE(table[i].points * 2, double(PlayerHalves(*t, table[i].player)));
            if (i > 0)
                QVERIFY(table[i - 1].points >= table[i].points);
        }
        QCOMPARE(total, 6.0 * 5); // a point a board, every board played
        // The first tie-break of the FIDE open set is Buchholz cut-1 (C.07 8.1, 14.1): every
        // round was played, so it is the opponents' points less the lowest.
        QCOMPARE(t->GetSettings().tieBreaks.front(), TieBreak::BuchholzCut1);
        QCOMPARE(t->GetSettings().tieBreaks.at(1), TieBreak::Buchholz);
        for (const Standing& s : table) {
            std::vector<double> scores;
            for (const Board& b : t->Boards())
                if (b.white == s.player || b.black == s.player)
                    scores.push_back(PlayerHalves(*t, b.white == s.player ? b.black : b.white) / 2.0);
            std::sort(scores.begin(), scores.end());
            const double sum = std::accumulate(scores.begin(), scores.end(), 0.0);
            QCOMPARE(s.values[1], sum);
            QCOMPARE(s.values[0], sum - scores.front());
        }
    }

    void forfeitsAndOddFieldsStayLegal() {
        for (int n : {7, 9, 13, 20, 31}) {
            const auto t = Played(n, std::min(n - 1, 7), true);
            QCOMPARE(Illegal(*t), QString());
        }
    }

    void withdrawnPlayerIsNoLongerPaired() {
        Tournament t(QStringLiteral("T"), MakeEntrants(8), RoundsOf(4));
        t.PairNextRound();
        PlayCurrentRound(t);
        QVERIFY(t.SetWithdrawnFrom(3, 2));
        QCOMPARE(t.PairNextRound(), QString());
        for (const Board& b : RoundBoards(t, 2))
            QVERIFY(b.white != 3 && b.black != 3);
        QVERIFY(RoundBoards(t, 2).back().IsBye()); // seven left
        QCOMPARE(Illegal(t), QString());
        QCOMPARE(RoundRecord(t, 3).at(1), QStringLiteral("–0"));
    }

    void startingOrderIsRatingTitleName() {
        QList<Entrant> list = MakeEntrants(4, {QStringLiteral("Яков"), QStringLiteral("Борис"),
                                               QStringLiteral("Антон"), QStringLiteral("Вера")});
        for (Entrant& e : list)
            e.player.rating = 2000;
        list[0].player.rating = 2100;
        list[3].player.title = QStringLiteral("WFM");
        const QList<Entrant> ordered = StartingOrder(list);
        QStringList names;
        for (const Entrant& e : ordered)
            names << e.player.name;
        QCOMPARE(names, (QStringList{QStringLiteral("Яков"), QStringLiteral("Вера"),
                                     QStringLiteral("Антон"), QStringLiteral("Борис")}));
    }

    // The host's lists: open boards, then the pairing line once the round is complete; the
    // line that takes a pairing back only while nothing of the round is played.
    void listsFollowTheRound() {
        Tournament t(QStringLiteral("T"), MakeEntrants(6), RoundsOf(2));
        QCOMPARE(NearestGames(t), QList<int>{kNextRoundLine});
        QCOMPARE(GameLine(t, kNextRoundLine), QStringLiteral("Жеребьёвка 1 тура"));
        t.PairNextRound();
        QCOMPARE(NearestGames(t), (QList<int>{0, 1, 2, kUnpairLine}));
        QCOMPARE(GameLine(t, kUnpairLine), QStringLiteral("Отменить жеребьёвку 1 тура"));
        QCOMPARE(GameLine(t, 0), QStringLiteral("1 тур, доска 1: P1 — P4"));
        t.SetResult(1, Result::Of(Outcome::Draw));
        QCOMPARE(NearestGames(t), (QList<int>{0, 2}));
        QCOMPARE(CurrentGames(t), QList<int>{1});
        QVERIFY(!t.UnpairLastRound().isEmpty());
        PlayCurrentRound(t);
        QCOMPARE(NearestGames(t), QList<int>{kNextRoundLine});
        QCOMPARE(GameLine(t, kNextRoundLine), QStringLiteral("Жеребьёвка 2 тура"));
        QCOMPARE(LastGames(t), (QList<int>{0, 1, 2}));
        t.PairNextRound();
        PlayCurrentRound(t);
        QCOMPARE(LastGames(t), (QList<int>{3, 4, 5, 0, 1, 2}));
        QVERIFY(NearestGames(t).isEmpty()); // all rounds played
        // A result of round 1 stays while round 2 is paired; round 2's own may go.
        QVERIFY(!t.DeleteResult(0).isEmpty());
        QVERIFY(t.Boards()[0].result.IsSet());
        QCOMPARE(t.DeleteResult(3), QString());
        QVERIFY(!t.Boards()[3].result.IsSet());
    }

    void unpairingTakesTheRoundBack() {
        Tournament t(QStringLiteral("T"), MakeEntrants(6), RoundsOf(3));
        t.PairNextRound();
        PlayCurrentRound(t);
        t.PairNextRound();
        const std::vector<Board> second = RoundBoards(t, 2);
        QCOMPARE(t.UnpairLastRound(), QString());
        QCOMPARE(t.PairedRounds(), 1);
        QCOMPARE(int(t.Boards().size()), 3);
        QCOMPARE(t.PairNextRound(), QString());
        QCOMPARE(RoundBoards(t, 2), second); // the same rules give the same pairing
    }

    void fileRoundTripsExactly() {
        auto t = Played(9, 4, true);
        t->SetName(QStringLiteral("Первенство «школы» №1 <b>"));
        t->SetInfo({QStringLiteral("Москва"), QStringLiteral("май"), QStringLiteral("Иванов"),
                    QStringLiteral("строка 1\nстрока 2")});
        Settings more = t->GetSettings();
        more.rounds = 6;
        QVERIFY(t->SetSettings(more));
        t->SetWithdrawnFrom(2, 5);
        t->SetByes({{5, 5, ByeKind::Half}, {6, 1, ByeKind::Zero}});
        const QByteArray bytes = SerializeTournament(*t);
        QString error;
        const auto back = ParseTournament(bytes, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(SerializeTournament(*back), bytes);
        QCOMPARE(back->Boards(), t->Boards());
        QCOMPARE(back->Entrants(), t->Entrants());
        QVERIFY(!back->Modified());
        QCOMPARE(TablePageHtml(*back), TablePageHtml(*t));
    }

    void corruptFilesAreRefusedWithAMessage_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("format line") << "Velmora Swiss 1" << "Velmora Round Robin 1" << "";
        QTest::newRow("newer version") << "\"version\": 1" << "\"version\": 7" << "";
        QTest::newRow("truncated") << "\"players\"" << "" << "";
        QTest::newRow("player out of range") << "\"white\": 1\n" << "\"white\": 99\n" << "1 тур";
        QTest::newRow("player twice") << "\"white\": 1\n" << "\"white\": 2\n" << "уже играет";
        QTest::newRow("bad result") << "\"result\": \"1-0\"" << "\"result\": \"2-0\"" << "результат";
        QTest::newRow("unknown tie-break") << "\"buchholz-cut1\"" << "\"koya-x\"" << "показатель";
        QTest::newRow("too many rounds") << "\"rounds\": 3," << "\"rounds\": 1," << "туров";
        QTest::newRow("missing result") << "\"result\": \"1-0\"" << "\"result\": \"\"" << "";
    }
    void corruptFilesAreRefusedWithAMessage() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        auto t = Played(6, 2);
        t->SetSettings([&] {
            Settings s = t->GetSettings();
            s.rounds = 3;
            return s;
        }());
        QByteArray bytes = SerializeTournament(*t);
        QVERIFY2(bytes.contains(from.toUtf8()), qPrintable(from));
        if (to.isEmpty())
            bytes.truncate(bytes.indexOf(from.toUtf8()));
        else
            bytes.replace(bytes.indexOf(from.toUtf8()), from.toUtf8().size(), to.toUtf8());
        QString error;
        QVERIFY(!ParseTournament(bytes, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void namesAreShownAsText() {
        Tournament t(QStringLiteral("<i>T</i>"),
                     MakeEntrants(4, {QStringLiteral("<script>alert(1)</script>"),
                                      QStringLiteral("A & B"), QStringLiteral("\"q\""),
                                      QStringLiteral("D")}),
                     RoundsOf(3));
        t.PairNextRound();
        for (const QString& html : {TablePageHtml(t), PairingsReport(t), WallChartReport(t)}) {
            QVERIFY(!html.contains(QStringLiteral("<script>")));
            QVERIFY(!html.contains(QStringLiteral("<i>T")));
            QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
            QVERIFY(html.contains(QStringLiteral("A &amp; B")));
        }
    }

    // The TRF export of the complete rounds, read back by the engine and paired, gives the
    // round that was paired after them.
    void trfExportReplaysThePairing() {
        for (int n : {10, 11}) {
            auto t = std::make_unique<Tournament>(QStringLiteral("Турнир"), MakeEntrants(n),
                                                  RoundsOf(5));
            for (int r = 1; r <= 5; ++r) {
                t->PairNextRound();
                if (r > 1) {
                    std::string text = TrfExport(*t).toStdString();
                    const velmora::swiss::TrfReadResult read = velmora::swiss::readTrf(text);
                    QVERIFY2(read.ok, read.error.c_str());
                    QCOMPARE(read.tournament.pairedRounds(), r - 1);
                    const velmora::swiss::PairingResult pairing =
                        velmora::swiss::pairDutch(read.tournament);
                    QVERIFY(pairing.ok);
                    const std::vector<Board> boards = RoundBoards(*t, r);
                    QCOMPARE(pairing.pairs.size(), boards.size());
                    for (size_t k = 0; k < boards.size(); ++k) {
                        QCOMPARE(pairing.pairs[k].white, boards[k].white + 1);
                        QCOMPARE(pairing.pairs[k].black, boards[k].black + 1);
                    }
                }
                PlayCurrentRound(*t, true);
            }
        }
    }

    // TRF columns are counted in characters: a long Cyrillic name must not push the rounds
    // out of place.
    void trfExportKeepsLongCyrillicNamesInTheirColumns() {
        QList<Entrant> list = MakeEntrants(6);
        list[1].player.name = QStringLiteral("Константинопольский-Задунайский Александр Владимирович");
        list[2].player.name = QStringLiteral("Ёлкина Юлия");
        Tournament t(QStringLiteral("Кубок «Зима»"), list, RoundsOf(3));
        t.PairNextRound();
        PlayCurrentRound(t);
        t.PairNextRound();
        const std::string text = TrfExport(t).toStdString();
        const velmora::swiss::TrfReadResult read = velmora::swiss::readTrf(text);
        QVERIFY2(read.ok, read.error.c_str());
        QCOMPARE(read.tournament.pairedRounds(), 1);
        for (const Board& b : RoundBoards(t, 1)) {
            const auto& w = read.tournament.players[size_t(b.white)].rounds.at(0);
            QCOMPARE(w.opponent, b.black + 1);
        }
        QCOMPARE(QString::fromStdString(read.tournament.players[2].name), QStringLiteral("Ёлкина Юлия"));
    }

    // The report of the whole tournament, as TRF-16 and as TRF-2026, replays through the
    // engine round by round: the bye, the late entry, the withdrawal and the forbidden pair
    // are all in the file, so every round comes out as it was paired.
    void trfReportReplaysRoundByRound() {
        const auto t = EventfulTournament();
        QCOMPARE(Illegal(*t), QString());
        for (TrfKind kind : {TrfKind::Trf16, TrfKind::Trf2026}) {
            const QByteArray text = TrfExport(*t, kind);
            const eng::TrfReadResult read = eng::readTrf(text.toStdString());
            QVERIFY2(read.ok, read.error.c_str());
            QCOMPARE(read.tournament.players.size(), size_t(13));
            for (int r = 1; r <= 5; ++r) {
                const eng::PairingResult again = eng::pairDutch(BeforeRound(read.tournament, r), r);
                QVERIFY2(again.ok, again.error.c_str());
                if (EnginePairs(again) != HostPairs(*t, r))
                    qWarning("round %d, TRF-%s", r, kind == TrfKind::Trf16 ? "16" : "2026");
                QCOMPARE(EnginePairs(again), HostPairs(*t, r));
            }
            // The withdrawn player (9) is absent from round 4 on; the late entrant (number 2
            // by rating) missed rounds 1 and 2 with no points.
            const eng::Player& withdrawn = read.tournament.players[8];
            QCOMPARE(withdrawn.rounds.size(), size_t(5));
            QVERIFY(withdrawn.rounds[3].opponent == 0 && withdrawn.rounds[4].opponent == 0);
            const eng::Player& late = read.tournament.players[1];
            QCOMPARE(late.name, std::string("Опоздавший"));
            QCOMPARE(late.fideId, std::string("24100001"));
            QVERIFY(late.rounds[0].outcome == eng::Outcome::ZeroBye &&
                    late.rounds[1].outcome == eng::Outcome::ZeroBye);
            QCOMPARE(BeforeRound(read.tournament, 5).forbidden,
                     (std::vector<std::pair<int, int>>{{1, 4}}));
            QCOMPARE(read.tournament.totalRounds, 5);
        }
        QVERIFY(TrfExport(*t, TrfKind::Trf2026).contains("\r\n142 5\r\n"));
        QVERIFY(TrfExport(*t, TrfKind::Trf2026).contains("\r\n260   1   5    1    4\r\n"));
        QVERIFY(TrfExport(*t).contains("\r\nXXP 1 4\r\n"));
        // Before round 4 the report says who will not play it: the withdrawal in its column.
        const auto before = EventfulTournament(3);
        const eng::TrfReadResult three = eng::readTrf(TrfExport(*before).toStdString());
        QVERIFY2(three.ok, three.error.c_str());
        QVERIFY(three.tournament.players[8].rounds.size() >= 4);
        QVERIFY(three.tournament.players[8].rounds[3].outcome == eng::Outcome::ZeroBye);
    }

    // A late entrant takes the start number his rating gives (C.04.2): those below move
    // down, their boards and byes with them, and he has the missed rounds as byes.
    void lateEntrantTakesHisPlace() {
        auto t = Played(8, 2, false, 5);
        const QString third = t->PlayerAt(2).name;
        QCOMPARE(t->AddLateEntrant(Late(QStringLiteral("Новичок"), 2395), ByeKind::Half), 1);
        QCOMPARE(t->PlayerCount(), 9);
        QCOMPARE(t->PlayerAt(1).name, QStringLiteral("Новичок"));
        QCOMPARE(t->PlayerAt(3).name, third);
        // The same games, numbered anew.
        for (const Board& b : t->Boards())
            QVERIFY(b.white != 1 && b.black != 1);
        QVERIFY(t->ByeOf(1, 1) && t->ByeOf(1, 1)->kind == ByeKind::Half);
        QVERIFY(t->ByeOf(1, 2));
        const std::vector<Standing> table = ComputeStandings(*t);
        const auto late = std::find_if(table.begin(), table.end(),
                                       [](const Standing& s) { return s.player == 1; });
        QCOMPARE(late->points, 1.0); // two half-point byes
        QCOMPARE(t->PairNextRound(), QString());
        QCOMPARE(Illegal(*t), QString());
        // The file keeps him, his byes and his FIDE ID.
        QString error;
        const auto back = ParseTournament(SerializeTournament(*t), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->Entrants(), t->Entrants());
        QCOMPARE(back->Byes(), t->Byes());
        // Once every round is paired nobody can join.
        auto full = Played(6, 3);
        QCOMPARE(full->AddLateEntrant(Late(QStringLiteral("Поздно"), 1000), ByeKind::Zero), -1);
    }

    // Forbidden pairs: never paired by the engine, kept by the file, refused when malformed.
    void forbiddenPairs() {
        auto t = std::make_unique<Tournament>(QStringLiteral("Семья"), MakeEntrants(10), RoundsOf(5));
        QVERIFY(t->SetForbidden({{3, 0}, {0, 3}, {1, 2}}));
        QCOMPARE(t->Forbidden(), (QList<ForbiddenPair>{{0, 3}, {1, 2}}));
        QVERIFY(!t->SetForbidden({{2, 2}}));
        QVERIFY(!t->SetForbidden({{0, 10}}));
        for (int r = 1; r <= 5; ++r) {
            QCOMPARE(t->PairNextRound(), QString());
            for (const Board& b : RoundBoards(*t, r))
                QVERIFY(!t->Forbidden().contains(
                    ForbiddenPair{std::min(b.white, b.black), std::max(b.white, b.black)}));
            PlayCurrentRound(*t);
        }
        QString error;
        const QByteArray file = SerializeTournament(*t);
        const auto back = ParseTournament(file, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->Forbidden(), t->Forbidden());
        QByteArray bad = file;
        bad.replace("\"forbidden\": [", "\"forbidden\": [[1, 1], ");
        QVERIFY(bad != file);
        QVERIFY(!ParseTournament(bad, &error));
        QVERIFY2(error.contains(QStringLiteral("Запрещённая пара 1")), qPrintable(error));
        // A file without them is as it always was.
        auto plain = Played(4, 1);
        QVERIFY(!SerializeTournament(*plain).contains("forbidden"));
    }

    // A pair forbidden in some rounds only: kept apart in them, free to meet in the others,
    // the hand-pairing warning alike; ranges that are none, or beyond the last round, refused.
    void forbiddenPairForSomeRounds() {
        auto t = std::make_unique<Tournament>(QStringLiteral("Клуб"), MakeEntrants(10), RoundsOf(5));
        const auto meet = [](const std::vector<Board>& boards, int a, int b) {
            return std::any_of(boards.begin(), boards.end(), [&](const Board& x) {
                return std::minmax(x.white, x.black) == std::minmax(a, b);
            });
        };
        QString error;
        QVERIFY(meet(PairRound(*t, &error), 0, 5)); // 1 meets 6 unless kept apart
        QVERIFY(t->SetForbidden({{0, 5, 1, 2}}));
        for (int r = 1; r <= 2; ++r) {
            QCOMPARE(t->PairNextRound(), QString());
            QVERIFY(!meet(RoundBoards(*t, r), 0, 5));
            PlayCurrentRound(*t);
        }
        // Round 3 as if nothing were forbidden, whoever meets in it.
        Tournament free = *t;
        free.SetForbidden({});
        const std::vector<Board> third = PairRound(free, &error);
        QCOMPARE(PairRound(*t, &error), third);
        const int x = std::min(third[0].white, third[0].black);
        const int y = std::max(third[0].white, third[0].black);
        QVERIFY(t->SetForbidden({{x, y, 1, 2}}));
        QCOMPARE(PairRound(*t, &error), third);
        QCOMPARE(PairingWarnings(*t, third), QStringList());
        QVERIFY(t->SetForbidden({{x, y, 3, 3}}));
        QVERIFY(!meet(PairRound(*t, &error), x, y));
        const QString warning = PairingWarnings(*t, third).join(u' ');
        QVERIFY2(warning.contains(QStringLiteral("Запрещённая пара")) &&
                     warning.contains(QStringLiteral("в 3 туре")),
                 qPrintable(warning));
        QCOMPARE(ForbiddenRoundsText({x, y, 3, 3}), QStringLiteral("3 тур"));
        QCOMPARE(ForbiddenRoundsText({x, y, 2, 0}), QStringLiteral("с 2 тура"));
        for (const ForbiddenPair& bad : {ForbiddenPair{0, 1, 3, 2}, ForbiddenPair{0, 1, 0, 2},
                                         ForbiddenPair{0, 1, 2, 6}, ForbiddenPair{0, 1, 6, 0}})
            QVERIFY(!t->SetForbidden({bad}));
        QCOMPARE(t->Forbidden(), (QList<ForbiddenPair>{{x, y, 3, 3}}));
        // The rounds never drop below a pair's, unless the same edit removes the pair; more
        // rounds and a pair in them come together.
        QVERIFY(t->SetForbidden({{0, 1, 2, 4}}));
        t->SetSettings(RoundsOf(3));
        QCOMPARE(t->TotalRounds(), 4);
        QVERIFY(t->SetSettingsAndForbidden(RoundsOf(3), {}));
        QCOMPARE(t->TotalRounds(), 3);
        QVERIFY(t->SetSettingsAndForbidden(RoundsOf(7), {{0, 1, 6, 7}}));
        QCOMPARE(t->TotalRounds(), 7);
        QCOMPARE(t->Forbidden(), (QList<ForbiddenPair>{{0, 1, 6, 7}}));
    }

    // Ranges in the file: a file with none is written as it always was (version 1, pairs as
    // two numbers) and one with them as version 2; bad ranges are refused, saying where; the
    // TRF reports carry them so that each round replays as it was paired.
    void rangedForbiddenPairsInFileAndTrf() {
        auto t = std::make_unique<Tournament>(QStringLiteral("Клуб"), MakeEntrants(10), RoundsOf(4));
        QVERIFY(t->SetForbidden({{0, 5, 1, 2}, {1, 2}}));
        QString error;
        const QByteArray file = SerializeTournament(*t);
        QVERIFY(file.contains("\"version\": 2"));
        const auto back = ParseTournament(file, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->Forbidden(), t->Forbidden());
        QCOMPARE(SerializeTournament(*back), file);
        const auto refused = [&](const char* from, const char* to, const QString& words) {
            QByteArray bad = file;
            bad.replace(from, to);
            QVERIFY(bad != file);
            QVERIFY(!ParseTournament(bad, &error));
            QVERIFY2(error.startsWith(QStringLiteral("Запрещённая пара 1: ")) && error.contains(words),
                     qPrintable(error));
        };
        refused("\"first_round\": 1,", "\"first_round\": 0,", QStringLiteral("first_round"));
        refused("\"last_round\": 2,", "\"last_round\": 5,", QStringLiteral("last_round"));
        refused("\"first_round\": 1,", "\"first_round\": 3,", QStringLiteral("от 3 до 4"));
        refused("\"players\": [\n                1,", "\"players\": [\n                6,",
                QStringLiteral("два разных номера"));
        refused("\"version\": 2", "\"version\": 1", QStringLiteral("версии формата 2"));
        // Without ranges: version 1, and read and written back byte for byte.
        QVERIFY(t->SetForbidden({{0, 5}, {1, 2}}));
        const QByteArray plain = SerializeTournament(*t);
        QVERIFY(plain.contains("\"version\": 1") && !plain.contains("round\""));
        QCOMPARE(SerializeTournament(*ParseTournament(plain, &error)), plain);

        // 1 and 6 kept apart in rounds 1 and 2 only: the TRF-2026 report replays every round,
        // the TRF-16 one (XXP knows no rounds) the round after those it holds.
        QVERIFY(t->SetForbidden({{0, 5, 1, 2}}));
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(t->PairNextRound(), QString());
            // The report leaves out the round paired but not yet played.
            const eng::TrfReadResult read = eng::readTrf(TrfExport(*t).toStdString());
            QVERIFY2(read.ok, read.error.c_str());
            QCOMPARE(EnginePairs(eng::pairDutch(read.tournament)), HostPairs(*t, r));
            PlayCurrentRound(*t);
        }
        QVERIFY(TrfExport(*t, TrfKind::Trf2026).contains("\r\n260   1   2    1    6\r\n"));
        QVERIFY(!TrfExport(*t).contains("XXP"));
        const eng::TrfReadResult read = eng::readTrf(TrfExport(*t, TrfKind::Trf2026).toStdString());
        QVERIFY2(read.ok, read.error.c_str());
        for (int r = 1; r <= 4; ++r)
            QCOMPARE(EnginePairs(eng::pairDutch(BeforeRound(read.tournament, r), r)), HostPairs(*t, r));
    }

    // A pairing changed by hand is checked against the rules, naming article and players:
    // the engine's own pairing breaks none of them before the last round.
    void handChangesNameTheRuleTheyBreak() {
        auto t = Played(8, 2, false, 5);
        QString error;
        std::vector<Board> boards = PairRound(*t, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(PairingWarnings(*t, boards), QStringList());
        // A rematch: put round 1's opponents of board 1's white on one board.
        const Board first = RoundBoards(*t, 1).front();
        std::vector<Board> rematch = boards;
        int seatOf = -1;
        bool black = false;
        for (int k = 0; k < int(rematch.size()); ++k) {
            if (rematch[size_t(k)].white == first.black) { seatOf = k; black = false; }
            if (rematch[size_t(k)].black == first.black) { seatOf = k; black = true; }
        }
        int boardOfWhite = -1;
        bool whiteIsBlack = false;
        for (int k = 0; k < int(rematch.size()); ++k) {
            if (rematch[size_t(k)].white == first.white) { boardOfWhite = k; whiteIsBlack = false; }
            if (rematch[size_t(k)].black == first.white) { boardOfWhite = k; whiteIsBlack = true; }
        }
        QVERIFY(seatOf >= 0 && boardOfWhite >= 0 && seatOf != boardOfWhite);
        QVERIFY(SwapSeats(rematch, {boardOfWhite, !whiteIsBlack}, {seatOf, black}));
        const QString warnings = PairingWarnings(*t, rematch).join(u'\n');
        QVERIFY2(warnings.contains(QStringLiteral("C.04.1.2")) &&
                     warnings.contains(t->PlayerAt(first.white).name) &&
                     warnings.contains(t->PlayerAt(first.black).name),
                 qPrintable(warnings));
        // A forbidden pair, named as such.
        t->SetForbidden({{std::min(boards[0].white, boards[0].black),
                          std::max(boards[0].white, boards[0].black)}});
        QVERIFY(PairingWarnings(*t, boards).join(u' ').contains(QStringLiteral("Запрещённая пара")));
        t->SetForbidden({});
        // Colours: a player with white twice gets white a third time (C.04.1.7).
        int twiceWhite = -1;
        for (int p = 0; p < t->PlayerCount() && twiceWhite < 0; ++p) {
            const std::vector<Board> r1 = RoundBoards(*t, 1), r2 = RoundBoards(*t, 2);
            auto white = [p](const std::vector<Board>& r) {
                return std::any_of(r.begin(), r.end(), [p](const Board& b) { return b.white == p && !b.IsBye(); });
            };
            if (white(r1) && white(r2))
                twiceWhite = p;
        }
        if (twiceWhite >= 0) {
            std::vector<Board> colours = boards;
            for (Board& b : colours)
                if (b.black == twiceWhite)
                    std::swap(b.white, b.black);
            const QString w = PairingWarnings(*t, colours).join(u'\n');
            QVERIFY2(w.contains(QStringLiteral("C.04.1.7")) && w.contains(t->PlayerAt(twiceWhite).name),
                     qPrintable(w));
        }
        // A second pairing-allocated bye (C.04.1.4), and the bye's empty side is no seat.
        auto odd = Played(7, 1, false, 5);
        std::vector<Board> next = PairRound(*odd, &error);
        const Board oldBye = RoundBoards(*odd, 1).back();
        QVERIFY(oldBye.IsBye() && next.back().IsBye());
        QVERIFY(!SwapSeats(next, {int(next.size()) - 1, true}, {0, false}));
        for (int k = 0; k + 1 < int(next.size()); ++k) {
            if (next[size_t(k)].white == oldBye.white)
                QVERIFY(SwapSeats(next, {k, false}, {int(next.size()) - 1, false}));
            if (next[size_t(k)].black == oldBye.white)
                QVERIFY(SwapSeats(next, {k, true}, {int(next.size()) - 1, false}));
        }
        const QString bye = PairingWarnings(*odd, next).join(u'\n');
        QVERIFY2(bye.contains(QStringLiteral("C.04.1.4")) && bye.contains(odd->PlayerAt(oldBye.white).name),
                 qPrintable(bye));
    }

    void standingsCsvHasOneRowPerPlayer() {
        const auto t = Played(7, 3);
        const QByteArray csv = StandingsCsv(*t);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(csv.count("\r\n"), 8);
        QVERIFY(csv.contains(QStringLiteral("Бухгольц").toUtf8()) ||
                csv.contains(TieBreakName(TieBreak::Buchholz).toUtf8()));
    }
};

QTEST_GUILESS_MAIN(TestSwissRules)
#include "tst_swiss_rules.moc"
