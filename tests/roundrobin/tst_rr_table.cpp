// The table page and the reports as organisers read them: the league table of a score
// tournament, games played and performance in a chess crosstable, points deductions, sport
// wording, large fields and the pairings sheet.
#include "MatchLists.h"
#include "Reports.h"
#include "RrTestUtil.h"
#include "TablePage.h"
#include "TournamentFile.h"

#include <QRegularExpression>
#include <QTest>

using namespace rr;

namespace {

// The rows of the first table of `cls` in a page, each as its cells' text without markup.
QList<QStringList> Rows(const QString& html, const QString& cls) {
    const qsizetype start = html.indexOf(QStringLiteral("<table class=\"") + cls);
    if (start < 0)
        return {};
    const QString table = html.mid(start, html.indexOf(QStringLiteral("</table>"), start) - start);
    static const QRegularExpression row(QStringLiteral("<tr[^>]*>(.*?)</tr>"));
    static const QRegularExpression cell(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QList<QStringList> rows;
    for (const QRegularExpressionMatch& r : row.globalMatch(table)) {
        QStringList cells;
        for (const QRegularExpressionMatch& c : cell.globalMatch(r.captured(1)))
            cells << c.captured(1).remove(tag);
        rows << cells;
    }
    return rows;
}

// Four teams, one cycle, football points. Berger table: R1 1-4 2-3, R2 4-3 1-2, R3 2-4 3-1.
//   Спартак–Зенит 2:0, Динамо–Торпедо 1:1, Зенит–Торпедо 0:3, Спартак–Динамо 1:2,
//   Динамо–Зенит 0:0; Торпедо–Спартак not played yet.
Tournament League() {
    Tournament t(QStringLiteral("Лига"), MakePlayers(4, {"Спартак", "Динамо", "Торпедо", "Зенит"}),
                 DefaultSettings(ResultKind::Scores));
    Play(t, 1, 1, "2:0");
    Play(t, 1, 2, "1:1");
    Play(t, 2, 1, "0:3");
    Play(t, 2, 2, "1:2");
    Play(t, 3, 1, "0:0");
    return t;
}

// Four chess players; Дарья is unrated. Results by round and board:
//   Анна–Дарья 1-0, Борис–Вера ½, Дарья–Вера 0-1, Анна–Борис 1-0, Борис–Дарья +:− (not
//   played), Вера–Анна ½.
Tournament RatedField() {
    QList<Player> players = MakePlayers(4, {"Анна", "Борис", "Вера", "Дарья"});
    players[0].rating = 2000;
    players[1].rating = 1800;
    players[2].rating = 1600;
    Tournament t(QStringLiteral("Т"), players, DefaultSettings(ResultKind::Games));
    Play(t, 1, 1, "1-0");
    Play(t, 1, 2, "=");
    Play(t, 2, 1, "0-1");
    Play(t, 2, 2, "1-0");
    Play(t, 3, 1, "+-");
    Play(t, 3, 2, "=");
    return t;
}

// Enters `code` for the first `count` games of a round (all of them for -1).
void PlayRound(Tournament& t, int round, const QString& code, int count = -1) {
    Result r;
    QVERIFY(Result::Parse(code, &r));
    for (int i = 0; i < t.GameCount() && count != 0; ++i)
        if (t.Games()[size_t(i)].round == round) {
            QVERIFY(t.SetResult(i, r));
            --count;
        }
}

QStringList AllLines(const Tournament& t) {
    QStringList lines;
    for (const QList<int>& list : {NearestGames(t), CurrentGames(t), LastGames(t)})
        for (int game : list)
            lines << GameLine(t, game);
    return lines;
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT
private slots:
    // Worked by hand from the results above: played, won, drawn, lost, goals for and
    // against, difference and points (3 for a win, 1 for a draw), best first.
    void leagueTableColumns() {
        const QString html = TablePageHtml(League());
        QVERIFY(html.indexOf(QStringLiteral("<table class=\"league\"")) <
                html.indexOf(QStringLiteral("<table class=\"crosstable\"")));
        const QList<QStringList> rows = Rows(html, QStringLiteral("league"));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].mid(0, 10), (QStringList{"Место", "Команда", "И", "В", "Н", "П", "Заб.",
                                                  "Проп.", "±", "Очки"}));
        QCOMPARE(rows[0].mid(10), (QStringList{"Л.в.", "Разн.", "Заб.", "Поб."}));
        QCOMPARE(rows[1].mid(0, 10),
                 (QStringList{"1", "Динамо", "3", "1", "2", "0", "3", "2", "+1", "5"}));
        QCOMPARE(rows[2].mid(0, 10),
                 (QStringList{"2", "Торпедо", "2", "1", "1", "0", "4", "1", "+3", "4"}));
        QCOMPARE(rows[3].mid(0, 10),
                 (QStringList{"3", "Спартак", "2", "1", "0", "1", "3", "2", "+1", "3"}));
        QCOMPARE(rows[4].mid(0, 10),
                 (QStringList{"4", "Зенит", "3", "0", "1", "2", "0", "5", "−5", "1"}));
        // The same table heads the crosstable report; a chess page has none.
        QVERIFY(CrosstableReport(League()).contains(QStringLiteral("<table class=\"league\"")));
        QVERIFY(!TablePageHtml(RatedField()).contains(QStringLiteral("class=\"league\"")));
    }

    // Performance by FIDE's rules: the average rating of the opponents met at the board
    // (C.07 10.1, rounded half up), plus the rating difference for the percentage scored
    // against them (C.07 10.2; B.02 table 8.1(a): 75 % gives +193, 25 % −193, 0 % −800).
    // Unrated opponents and games not played at the board do not count.
    void chessCrosstableHasGamesAndPerformance() {
        const Tournament t = RatedField();
        const std::vector<Performance> p = Performances(t);
        QCOMPARE(p[0].averageRating, 1700); // Анна: Борис and Вера; Дарья is unrated
        QCOMPARE(p[0].rating, 1700 + 193); // 1½ of 2
        QCOMPARE(p[1].games, 2);           // Борис: the forfeit win is no game
        QCOMPARE(p[1].rating, 1800 - 193); // ½ of 2
        QCOMPARE(p[2].rating, 1900);       // Вера: 1 of 2 against 1800 and 2000
        QCOMPARE(p[3].rating, 1800 - 800); // Дарья: nothing scored

        const QString html = TablePageHtml(t);
        const QList<QStringList> rows = Rows(html, QStringLiteral("crosstable"));
        QCOMPARE(rows[0].mid(8), (QStringList{"Очки", "Партии", "Л.в.", "Поб.", "Берг.", "Койя",
                                              "Ср. рейт.", "Перф."}));
        QCOMPARE(rows[1][2], QStringLiteral("Анна"));
        QCOMPARE(rows[1].mid(8, 2), (QStringList{"2½", "3"}));
        QCOMPARE(rows[1].mid(14), (QStringList{"1700", "1893"}));
        const QStringList boris = rows[2][2] == QLatin1String("Борис") ? rows[2] : rows[3];
        QCOMPARE(boris[9], QStringLiteral("2")); // played: the forfeit is not counted

        // Without ratings there is no performance to show.
        Tournament unrated(QStringLiteral("Т"), MakePlayers(2), {});
        Play(unrated, 1, 1, "1-0");
        QVERIFY(!TablePageHtml(unrated).contains(QStringLiteral("Перф.")));
        QVERIFY(TablePageHtml(unrated).contains(QStringLiteral(">Партии</th>")));
    }

    // Teams play matches: no board and no colours anywhere in a score tournament's lines
    // and reports; chess keeps them. Every line starts with its round.
    void sportWording() {
        Tournament t(QStringLiteral("Лига"),
                     MakePlayers(4, {"Спартак", "Динамо", "Торпедо", "Зенит"}),
                     DefaultSettings(ResultKind::Scores));
        QVERIFY(Play(t, 1, 1, "2:1")); // Спартак–Зенит
        QCOMPARE(GameLine(t, GameOf(t, 1, 1)), QStringLiteral("1 тур: Спартак — Зенит 2:1"));
        QCOMPARE(GameLine(t, GameOf(t, 1, 2)), QStringLiteral("1 тур: Динамо — Торпедо"));
        QStringList texts = AllLines(t);
        for (int r = 0; r < int(Reports().size()); ++r)
            texts << QString::fromUtf8(ReportContent(t, Report(r)));
        texts << TablePageHtml(t);
        for (const QString& text : texts) {
            const QString lower = text.toLower();
            for (const char* word : {"доск", "белы", "белых", "чёрн", "черн"})
                QVERIFY2(!lower.contains(QString::fromUtf8(word)),
                         qPrintable(word + (u' ' + text.left(200))));
        }
        QVERIFY(RoundsReport(t).contains(QStringLiteral("<th>Хозяева</th>")));
        QVERIFY(RoundsReport(t).contains(QStringLiteral("<th>Гости</th>")));
        for (const QString& line : AllLines(t))
            QVERIFY(line.contains(QRegularExpression(QStringLiteral("^\\d+ тур: "))));

        const Tournament chess = RatedField();
        QVERIFY(GameLine(chess, 0).startsWith(QStringLiteral("1 тур, доска 1: ")));
        QVERIFY(RoundsReport(chess).contains(QStringLiteral("<th>Белые</th>")));
        QVERIFY(PairingsReport(chess).contains(QStringLiteral(">Чёрные</th>")));
    }

    // A penalty lowers the points the table shows and ranks by, marked, with its reason
    // under the table and in the reports; the opponents' tie-breaks stay as they were.
    // Removing it gives back the table as it was.
    void deductionsInTableAndReports() {
        Tournament t = League();
        const QString before = TablePageHtml(t);
        const QByteArray csvBefore = StandingsCsv(t);
        QVERIFY(t.AddDeduction({2, 6, QStringLiteral("неявка на матч <3 тура>")})); // Торпедо, 3
        QVERIFY(t.Modified() && t.TableModified());
        const QString html = TablePageHtml(t);
        const QList<QStringList> rows = Rows(html, QStringLiteral("league"));
        // Торпедо 4 − 3 = 1, level with Зенит: their direct encounter (3:0) puts it ahead.
        QCOMPARE(rows[3][1], QStringLiteral("Торпедо"));
        QCOMPARE(rows[3][9], QStringLiteral("1*"));
        QCOMPARE(rows[4][1], QStringLiteral("Зенит"));
        QCOMPARE(rows[4][9], QStringLiteral("1"));
        QVERIFY(
            html.contains(QStringLiteral("Торпедо: снято 3 очка — неявка на матч &lt;3 тура&gt;")));
        QVERIFY(CrosstableReport(t).contains(QStringLiteral("снято 3 очка")));
        QVERIFY(ProtocolText(t).contains(QStringLiteral("Торпедо — 1 (снято 3 очка)")));
        QVERIFY(ProtocolText(t).contains(QStringLiteral("\nСнятие очков\nТорпедо: снято 3 очка")));
        const QStringList csv = QString::fromUtf8(StandingsCsv(t)).split(QStringLiteral("\r\n"));
        QVERIFY(csv[0].endsWith(QStringLiteral(";Снято очков;Причина снятия")));
        QVERIFY2(csv[3].endsWith(QStringLiteral(";3;неявка на матч <3 тура>")), qPrintable(csv[3]));
        QVERIFY(csv[1].endsWith(QStringLiteral(";;")));

        QVERIFY(t.AddDeduction({0, 1, QStringLiteral("опоздание")}));
        QCOMPARE(ComputeStandings(t)[1].points, 6 - 1); // Спартак: 3 − ½
        QVERIFY(TablePageHtml(t).contains(QStringLiteral("Спартак: снято ½ очка — опоздание")));

        // Refused: no reason, nothing to take off, nobody to take it from.
        QVERIFY(!t.AddDeduction({1, 2, QStringLiteral("  ")}));
        QVERIFY(!t.AddDeduction({1, 0, QStringLiteral("x")}));
        QVERIFY(!t.AddDeduction({4, 2, QStringLiteral("x")}));
        QVERIFY(!t.AddDeduction({1, kMaxDeduction + 1, QStringLiteral("x")}));
        QCOMPARE(t.Deductions().size(), 2);

        QVERIFY(t.RemoveDeduction(1));
        QVERIFY(t.RemoveDeduction(0));
        QVERIFY(!t.RemoveDeduction(0));
        QCOMPARE(TablePageHtml(t), before);
        QCOMPARE(StandingsCsv(t), csvBefore);
    }

    // A file with deductions is version 3 and reads back the same; without them the file is
    // byte for byte what it was before, so that older programs still read it.
    void deductionsInTheFile() {
        Tournament t = League();
        const QByteArray plain = SerializeTournament(t);
        QVERIFY(plain.contains("\"version\": 1"));
        t.AddDeduction({2, 6, QStringLiteral("неявка")});
        t.AddDeduction({0, 1, QStringLiteral("опоздание")});
        const QByteArray content = SerializeTournament(t);
        QVERIFY(content.contains("\"version\": 3"));
        QString error;
        const std::unique_ptr<Tournament> loaded = ParseTournament(content, &error);
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(loaded->Deductions(), t.Deductions());
        QVERIFY(!loaded->Modified());
        QCOMPARE(SerializeTournament(*loaded), content);
        loaded->RemoveDeduction(1);
        loaded->RemoveDeduction(0);
        QCOMPARE(SerializeTournament(*loaded), plain);

        // Version 3 keeps a file's older schedule: four players in three cycles were scheduled
        // with a colour three times running before the joins were mended.
        Settings three = DefaultSettings(ResultKind::Games);
        three.cycles = 3;
        Tournament legacy(QStringLiteral("Т"), MakePlayers(4), three, {}, Joins::Legacy);
        legacy.AddDeduction({3, 2, QStringLiteral("x")});
        const std::unique_ptr<Tournament> again =
            ParseTournament(SerializeTournament(legacy), &error);
        QVERIFY2(again, qPrintable(error));
        QCOMPARE(again->GetJoins(), Joins::Legacy);
        QCOMPARE(again->Deductions().size(), 1);

        const QByteArray good = content;
        const QList<QPair<QByteArray, QByteArray>> bad{
            {"\"player\": 3", "\"player\": 5"},
            {"\"points\": 3", "\"points\": 0"},
            {"\"points\": 3", "\"points\": 0.3"},
            {"\"points\": 3", "\"points\": \"3\""},
            {"\"reason\": \"неявка\"", "\"reason\": \" \""},
            {"\"deductions\": [", "\"deductions\": {\"x\": ["}};
        for (const auto& [from, to] : bad) {
            QByteArray edited = good;
            QVERIFY2(edited.contains(from), from.constData());
            edited.replace(from, to);
            QVERIFY2(!ParseTournament(edited, &error), to.constData());
            QVERIFY2(error.contains(QStringLiteral("Снятие очков")) ||
                         error.contains("не читаются"),
                     qPrintable(error));
        }
    }

    // Past 60 players the page has the standings and the round being played, and leaves the
    // crosstable to its report; at 60 the crosstable stays.
    void largeFieldsLeaveTheCrosstableToItsReport() {
        Tournament sixty(QStringLiteral("Т"), MakePlayers(kCrosstableOnPageMax), {});
        QVERIFY(TablePageHtml(sixty).contains(QStringLiteral("class=\"crosstable\"")));

        Tournament t(QStringLiteral("Т"), MakePlayers(kCrosstableOnPageMax + 1), {});
        PlayRound(t, 1, QStringLiteral("1-0"));
        PlayRound(t, 2, QStringLiteral("="), 1);
        const QString html = TablePageHtml(t);
        QVERIFY(!html.contains(QStringLiteral("class=\"crosstable\"")));
        QCOMPARE(Rows(html, QStringLiteral("standings")).size(), 62);
        QVERIFY(html.contains(QStringLiteral("<h2>2 тур</h2>")));
        QCOMPARE(Rows(html, QStringLiteral("pairings")).size(), 31); // 30 boards, one rests
        QVERIFY(html.contains(QStringLiteral("Свободен от игры")));
        QVERIFY(html.contains(QStringLiteral("«Турнирная таблица для отправки по почте»")));
        QVERIFY(CrosstableReport(t).contains(QStringLiteral("class=\"crosstable\"")));
        // A page that grows with the players, not with their square.
        QVERIFY(html.size() < 40 * 1024);

        Tournament league(QStringLiteral("Л"), MakePlayers(kCrosstableOnPageMax + 1),
                          DefaultSettings(ResultKind::Scores));
        const QString leaguePage = TablePageHtml(league);
        QVERIFY(leaguePage.contains(QStringLiteral("class=\"league\"")));
        QVERIFY(!leaguePage.contains(QStringLiteral("class=\"crosstable\"")));
    }

    // The sheet of the round being played: numbers, names, ratings, an empty box for each
    // result not yet in, who rests; names escaped.
    void pairingsReport() {
        QList<Player> players = MakePlayers(5, {"<script>", "Борис", "Вера", "Глеб", "Дарья"});
        players[1].rating = 1850;
        Tournament t(QStringLiteral("Т"), players, {});
        const int boards = 2; // five players: two boards a round, one rests
        PlayRound(t, 1, QStringLiteral("1-0"));
        PlayRound(t, 2, QStringLiteral("="), 1);
        QCOMPARE(CurrentRound(t), 2);
        const QString html = PairingsReport(t);
        QVERIFY(html.contains(QStringLiteral("<title>Т — пары 2 тура</title>")));
        QVERIFY(html.contains(QStringLiteral("<h2>2 тур</h2>")));
        const QList<QStringList> rows = Rows(html, QStringLiteral("pairings"));
        QCOMPARE(rows[0], (QStringList{"Доска", "№", "Белые", "Рейтинг", "Результат", "Рейтинг",
                                       "Чёрные", "№"}));
        QCOMPARE(rows.size(), 1 + boards);
        QCOMPARE(rows[1][4], QStringLiteral("½–½")); // a result already in is shown
        QCOMPARE(html.count(QStringLiteral("<span class=\"box\"></span>")), 1);
        QVERIFY(html.contains(QStringLiteral("1850")));
        QVERIFY(html.contains(QStringLiteral("Свободен от игры")));
        QVERIFY(!html.contains(QStringLiteral("<script>")));
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;")));
        QVERIFY(html.contains(QStringLiteral("size:A4")));
        QCOMPARE(Reports()[int(Report::Pairings)].name, QStringLiteral("Пары тура"));

        // All played: the last round's sheet, with its results.
        Tournament two(QStringLiteral("Т"), MakePlayers(2), {});
        Play(two, 1, 1, "0-1");
        QVERIFY(PairingsReport(two).contains(QStringLiteral("0–1")));
        QVERIFY(PairingsReport(Tournament(QStringLiteral("Т"), {}, {}))
                    .contains(QStringLiteral("нет встреч")));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_rr_table.moc"
