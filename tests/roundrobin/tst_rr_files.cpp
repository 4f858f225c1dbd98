// Tournament files (round trip, every kind of bad file), players files and CSV from
// spreadsheets, the table page and the reports, escaping included.
#include "AtomicFile.h"
#include "PlayersFile.h"
#include "Reports.h"
#include "RrTestUtil.h"
#include "TablePage.h"
#include "TournamentFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace rr;

namespace {

Tournament Sample() {
    Settings s = DefaultSettings(ResultKind::Scores);
    s.cycles = 2;
    s.points = {6, 2, 0, -2};
    s.nearestAll = true;
    QList<Player> players = MakePlayers(5, {"Спартак", "Динамо", "Торпедо", "Зенит", "Локомотив"});
    players[1] = {QStringLiteral("Динамо"), 1500, QStringLiteral("КМС"), QStringLiteral("ДСО"),
                  QStringLiteral("Москва")};
    DrawRecord draw{DrawMethod::Random, 4000000000u, {2, 0, 1, 4, 3}};
    Tournament t(QStringLiteral("Лига «Осень» & Co"), players, s, draw);
    Play(t, 1, 1, "3:1");
    Play(t, 1, 2, "0:0");
    Play(t, 2, 1, "+-");
    Play(t, 10, 2, "999:0");
    t.SetWithdrawn(4, true);
    t.SetInfo({QStringLiteral("Казань"), QStringLiteral("1–9 мая"), QStringLiteral("Судья С. С."),
               QStringLiteral("Строка 1\nСтрока 2")});
    return t;
}

// A file without withdrawals, in the version its joins need.
bool SetEqual(const QByteArray& bytes, Joins joins) {
    return !bytes.contains("withdraw") && !bytes.contains("\"joins\"") &&
           bytes.contains(joins == Joins::Legacy ? "\"version\": 1" : "\"version\": 2");
}

// A valid file with one edit applied to its text.
QByteArray Edited(const QString& from, const QString& to) {
    QByteArray content = SerializeTournament(Sample());
    const QByteArray before = from.toUtf8();
    if (!content.contains(before))
        qFatal("sample has no %s", before.constData());
    return content.replace(content.indexOf(before), before.size(), to.toUtf8());
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void tournamentRoundTrip() {
        QTemporaryDir dir;
        const Tournament t = Sample();
        const QString path = dir.filePath(QStringLiteral("лига.trn"));
        QCOMPARE(SaveTournament(t, path), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray(kFormatId) + "\n");

        QString error;
        const std::unique_ptr<Tournament> loaded = LoadTournament(path, &error);
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(loaded->Name(), t.Name());
        QCOMPARE(loaded->Info(), t.Info());
        QCOMPARE(loaded->GetSettings(), t.GetSettings());
        QCOMPARE(loaded->Players(), t.Players());
        QCOMPARE(loaded->Draw().seed, 4000000000u);
        QCOMPARE(loaded->Draw().entryOrder, (QList<int>{2, 0, 1, 4, 3}));
        QVERIFY(loaded->Withdrawn(4));
        for (int i = 0; i < t.GameCount(); ++i)
            QCOMPARE(loaded->Games()[size_t(i)].result, t.Games()[size_t(i)].result);
        QCOMPARE(SerializeTournament(*loaded), SerializeTournament(t));
        QVERIFY(!loaded->Modified());
        QVERIFY(loaded->TableModified()); // the host writes the page after opening
    }

    void badFilesAreRefusedWithReason_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QByteArray valid = SerializeTournament(Sample());
        QTest::newRow("empty") << QByteArray() << "первая строка";
        QTest::newRow("foreign system") << QByteArray("Velmora Swiss 3\n{}") << "первая строка";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff", 4) << "первая строка";
        QTest::newRow("id only") << QByteArray(kFormatId) << "не читаются";
        QTest::newRow("truncated") << valid.left(valid.size() / 2) << "не читаются";
        QTest::newRow("not an object") << QByteArray(kFormatId) + "\n[1,2]"
                                       << "не читаются";
        QTest::newRow("newer version")
            << Edited("\"version\": 1", "\"version\": 4") << "более новой";
        QTest::newRow("no name") << Edited("\"name\": \"Лига", "\"title\": \"Лига") << "«name»";
        QTest::newRow("empty player name")
            << Edited("\"name\": \"Торпедо\"", "\"name\": \" \"") << "Участник";
        QTest::newRow("rating") << Edited("\"rating\": 1500", "\"rating\": -5") << "Участник 2";
        QTest::newRow("fractional rating")
            << Edited("\"rating\": 1500", "\"rating\": 15.5") << "Участник 2";
        QTest::newRow("duplicate entry") << Edited("\"entry\": 1,", "\"entry\": 2,") << "уже занят";
        QTest::newRow("entry out of range") << Edited("\"entry\": 1,", "\"entry\": 9,") << "entry";
        QTest::newRow("withdrawn not bool")
            << Edited("\"withdrawn\": true", "\"withdrawn\": 1") << "withdrawn";
        QTest::newRow("cycles") << Edited("\"cycles\": 2", "\"cycles\": 7") << "cycles";
        QTest::newRow("kind") << Edited("\"kind\": \"scores\"", "\"kind\": \"tennis\"") << "tennis";
        QTest::newRow("chess kind, football tie-breaks")
            << Edited("\"kind\": \"scores\"", "\"kind\": \"games\"") << "не подходит";
        Tournament chess(QStringLiteral("Т"), MakePlayers(2), {});
        Play(chess, 1, 1, "1-0");
        QTest::newRow("score in a chess file")
            << SerializeTournament(chess).replace("\"1-0\"", "\"1:0\"") << "недопустимый";
        QTest::newRow("points") << Edited("\"win\": 3", "\"win\": 0.3") << "win";
        QTest::newRow("points type") << Edited("\"win\": 3", "\"win\": \"3\"") << "win";
        QTest::newRow("unknown tie-break") << Edited("\"direct\"", "\"coin\"") << "coin";
        QTest::newRow("tie-break for other kind")
            << Edited("\"direct\"", "\"black\"") << "не подходит";
        QTest::newRow("duplicate tie-break")
            << Edited("\"goal-difference\"", "\"direct\"") << "дважды";
        QTest::newRow("game count") << Edited("\"games\": 20", "\"games\": 21") << "противоречив";
        QTest::newRow("round count") << Edited("\"rounds\": 10", "\"rounds\": 9") << "противоречив";
        QTest::newRow("result") << Edited("\"3:1\"", "\"3-1\"") << "Партия 1 (1 тур, доска 1)";
        QTest::newRow("goals") << Edited("\"999:0\"", "\"1000:0\"") << "Партия";
        QTest::newRow("signed goals") << Edited("\"3:1\"", "\"+3:1\"") << "Партия 1";
        QTest::newRow("result type") << Edited("\"3:1\"", "31") << "Партия 1";
        QTest::newRow("one result short") << Edited("\"3:1\",", "") << "ожидалось 20";
        QTest::newRow("players not array")
            << Edited("\"players\": [", "\"players\": {\"x\":[") << "не читаются";
        // Qt would keep the last of two values without a word.
        QTest::newRow("repeated key")
            << Edited("\"name\": \"Лига", "\"name\": \"Другая\", \"name\": \"Лига")
            << "ключ «name» повторяется";
        QTest::newRow("seed") << Edited("\"seed\": 4000000000", "\"seed\": 5000000000") << "seed";
        QTest::newRow("unknown withdrawal rule")
            << Edited("\"withdrawn\": true", "\"withdrawn\": true, \"withdrawal\": \"later\"")
            << "withdrawal";
        QTest::newRow("withdrawal rule of a player still playing")
            << Edited("\"name\": \"Зенит\"", "\"name\": \"Зенит\", \"withdrawal\": \"cancel\"")
            << "withdrawal";
        // P1 of three has played one game of two: half, so his results may not be cancelled.
        Tournament half(QStringLiteral("Т"), MakePlayers(3), {});
        for (int i = 0; i < half.GameCount(); ++i)
            if (half.Games()[size_t(i)].white == 0 || half.Games()[size_t(i)].black == 0) {
                half.SetResult(i, Result::Of(Outcome::Draw));
                break;
            }
        half.SetWithdrawn(0, true);
        QTest::newRow("cancelled after half the games")
            << SerializeTournament(half).replace("\"withdrawn\": true",
                                                 "\"withdrawn\": true, \"withdrawal\": \"cancel\"")
            << "сыграл 1 из 2";
        QTest::newRow("unknown joins")
            << Edited("\"version\": 1", "\"version\": 3, \"joins\": \"zigzag\"") << "zigzag";
    }
    void badFilesAreRefusedWithReason() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!ParseTournament(content, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    // Results are stored by game, so a file must come back on the schedule it was entered
    // on: four players in three cycles were scheduled with a colour three times running
    // before the joins were mended, and such files keep that schedule.
    void filesKeepTheirSchedule() {
        Settings s = DefaultSettings(ResultKind::Games);
        s.cycles = 3;
        for (const Joins joins : {Joins::Legacy, Joins::Mended}) {
            Tournament t(QStringLiteral("Т"), MakePlayers(4), s, {}, joins);
            for (int i = 0; i < t.GameCount(); i += 2)
                t.SetResult(i, Result::Of(Outcome::WhiteWin));
            const QByteArray bytes = SerializeTournament(t);
            QVERIFY(bytes.contains(joins == Joins::Legacy ? "\"version\": 1" : "\"version\": 2"));
            QString error;
            const std::unique_ptr<Tournament> back = ParseTournament(bytes, &error);
            QVERIFY2(back, qPrintable(error));
            QCOMPARE(back->GetJoins(), joins);
            for (int i = 0; i < t.GameCount(); ++i) {
                const Game& a = t.Games()[size_t(i)];
                const Game& b = back->Games()[size_t(i)];
                QVERIFY(a.white == b.white && a.black == b.black && a.round == b.round);
                QCOMPARE(b.result, a.result);
            }
        }
        // Where the schedules agree the file stays readable by older programs.
        Tournament five(QStringLiteral("Т"), MakePlayers(5), s);
        QVERIFY(SerializeTournament(five).contains("\"version\": 1"));
    }

    // A withdrawal by forfeits is written as it always was (version 1, "withdrawn" alone);
    // cancelled results need version 3, which older programs refuse rather than read as
    // forfeits, and which keeps the old joins of a file that had them.
    void cancelledResultsAreStoredAndKeepTheSchedule() {
        QVERIFY(!SerializeTournament(Sample()).contains("withdrawal"));
        QVERIFY(SerializeTournament(Sample()).contains("\"version\": 1"));
        Settings s = DefaultSettings(ResultKind::Games);
        s.cycles = 3;
        for (const Joins joins : {Joins::Legacy, Joins::Mended}) {
            Tournament t(QStringLiteral("Т"), MakePlayers(4), s, {}, joins);
            t.SetResult(0, Result::Of(Outcome::WhiteWin));
            QVERIFY(t.SetWithdrawal(2, Withdrawal::Cancelled));
            const QByteArray bytes = SerializeTournament(t);
            QVERIFY(bytes.contains("\"version\": 3"));
            QVERIFY(bytes.contains("\"withdrawal\": \"cancel\""));
            QCOMPARE(bytes.contains("\"joins\": \"legacy\""), joins == Joins::Legacy);
            QString error;
            const std::unique_ptr<Tournament> back = ParseTournament(bytes, &error);
            QVERIFY2(back, qPrintable(error));
            QCOMPARE(back->GetJoins(), joins);
            QCOMPARE(back->WithdrawalOf(2), Withdrawal::Cancelled);
            QCOMPARE(back->Games()[0].result, Result::Of(Outcome::WhiteWin));
            QCOMPARE(SerializeTournament(*back), bytes);
            // A penalty beside the cancellation shares the one version, and each comes back.
            QVERIFY(back->AddDeduction({1, 2, QStringLiteral("опоздание")}));
            const std::unique_ptr<Tournament> both =
                ParseTournament(SerializeTournament(*back), &error);
            QVERIFY2(both, qPrintable(error));
            QCOMPARE(both->WithdrawalOf(2), Withdrawal::Cancelled);
            QCOMPARE(both->Deductions(), back->Deductions());
            QCOMPARE(both->GetJoins(), joins);
            QVERIFY(back->RemoveDeduction(0));
            // Taken back, the file is what it was before: version 1 or 2, no new keys.
            QVERIFY(back->SetWithdrawal(2, Withdrawal::None));
            QVERIFY(SetEqual(SerializeTournament(*back), joins));
        }
    }

    void unreadableFiles() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!LoadTournament(dir.filePath(QStringLiteral("нет.trn")), &error));
        QVERIFY(error.contains(QStringLiteral("нет.trn")));
        QVERIFY(!LoadTournament(dir.path(), &error)); // a folder
        QVERIFY(!LoadPlayers(dir.path()).ok);
#ifdef Q_OS_UNIX
        // A pipe with no writer: refused at once instead of waiting for one.
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("труба.plr")));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        const PlayersReadResult players = LoadPlayers(QFile::decodeName(fifo));
        QVERIFY(!players.ok);
        QVERIFY(players.error.contains(QStringLiteral("труба.plr")));
        QVERIFY(!LoadTournament(QFile::decodeName(fifo), &error));
#endif
        QVERIFY(!SaveTournament(Sample(), dir.filePath(QStringLiteral("нет/такой/папки.trn")))
                     .isEmpty());
    }

    // A failed save leaves the old file as it was: a folder in the way of the temporary file
    // makes the write fail after the old file exists.
    void failedSaveKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.trn"));
        QCOMPARE(SaveTournament(Sample(), path), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(!WriteFileAtomically(dir.path(), "x").isEmpty()); // the folder itself
        QVERIFY(!SaveTournament(Sample(), path + QStringLiteral("/sub")).isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void playersFileRoundTrip() {
        QTemporaryDir dir;
        QList<Player> players{
            {QStringLiteral("Иванов \"Ваня\" Иван"), 2350, QStringLiteral("ГМ"),
             QStringLiteral("Спартак"), QStringLiteral("Тула")},
            {QStringLiteral("Tab\tName"), 0, {}, {}, {}},
            {QStringLiteral("Петров; Пётр, мл."), 1200, {}, QStringLiteral("«Ладья»"), {}}};
        const QString path = dir.filePath(QStringLiteral("игроки.plr"));
        QCOMPARE(SavePlayers(players, path), QString());
        const PlayersReadResult read = LoadPlayers(path);
        QVERIFY2(read.ok, qPrintable(read.error));
        players[1].name = QStringLiteral("Tab Name"); // a tab would split the line
        QCOMPARE(read.players, players);
        QVERIFY(WritePlayers(players).startsWith("Имя\tРейтинг\tЗвание\tКлуб\tГород\n"));
    }

    void csvVariants_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("ratings");
        QTest::addColumn<QString>("firstClub");
        QTest::newRow("comma, header, quotes")
            << QByteArray("Name,Rating,Club\n\"Smith, John\",2100,\"The \"\"Rooks\"\"\"\nDoe,,\n")
            << QStringList{"Smith, John", "Doe"} << QList<int>{2100, 0} << "The \"Rooks\"";
        QTest::newRow("semicolon, BOM, no header, CRLF")
            << QByteArray(
                   "\xEF\xBB\xBFИванов Иван;2000;КМС;Спартак;Тула\r\n\r\nПетров Пётр;1800\r\n")
            << QStringList{"Иванов Иван", "Петров Пётр"} << QList<int>{2000, 1800} << "Спартак";
        QTest::newRow("Windows-1251 from a Russian spreadsheet")
            << QByteArray("\xd4\xc8\xce;\xd0\xe5\xe9\xf2\xe8\xed\xe3\n\xb8\xeb\xea\xe8\xed "
                          "\xc0\xed\xf2\xee\xed;1900\n")
            << QStringList{"ёлкин Антон"} << QList<int>{1900} << "";
        QTest::newRow("columns in another order")
            << QByteArray("Город;Рейтинг;ФИО;Команда\nОмск;1650;Сидоров;Иртыш\n")
            << QStringList{"Сидоров"} << QList<int>{1650} << "Иртыш";
        QTest::newRow("names only") << QByteArray("Анна\nБорис\n") << QStringList{"Анна", "Борис"}
                                    << QList<int>{0, 0} << "";
        QTest::newRow("quoted line break") << QByteArray("\"Анна\nМария\";1\n")
                                           << QStringList{"Анна Мария"} << QList<int>{1} << "";
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QList<int>{} << "";
    }
    void csvVariants() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, ratings);
        QFETCH(QString, firstClub);
        const PlayersReadResult read = ReadPlayers(content);
        QVERIFY2(read.ok, qPrintable(read.error));
        QStringList readNames;
        QList<int> readRatings;
        for (const Player& p : read.players)
            readNames << p.name, readRatings << p.rating;
        QCOMPARE(readNames, names);
        QCOMPARE(readRatings, ratings);
        if (!names.isEmpty())
            QCOMPARE(read.players[0].club, firstClub);
    }

    void badPlayersFilesNameTheLine_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("rating") << QByteArray("Имя;Рейтинг\nАнна;1500\nБорис;сильный\n")
                                << "Строка 3: рейтинг «сильный»";
        QTest::newRow("rating range") << QByteArray("Анна;12000\n") << "Строка 1: рейтинг";
        QTest::newRow("no name") << QByteArray("Имя;Рейтинг\nАнна;1\n;1700\n")
                                 << "Строка 3: не указано имя";
        QTest::newRow("unclosed quote")
            << QByteArray("Анна;1\n\"Борис;2\nВера;3\n") << "Строка 2: кавычка";
        QTest::newRow("binary") << QByteArray("Анна\0;1", 10) << "двоичные";
    }
    void badPlayersFilesNameTheLine() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const PlayersReadResult read = ReadPlayers(content);
        QVERIFY(!read.ok);
        QVERIFY2(read.error.contains(reason), qPrintable(read.error));
    }

    void tablePageEscapesAndLinksTheSkin() {
        QList<Player> players =
            MakePlayers(3, {"<script>alert(1)</script>", "Tom & Jerry", "\"Кавычки\""});
        players[1].club = QStringLiteral("<b>Клуб</b>");
        Tournament t(QStringLiteral("Кубок <i>&</i>"), players, {});
        Play(t, 1, 1, "1-0");
        const QString html = TablePageHtml(t);
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(html.contains(QStringLiteral("<link rel=\"stylesheet\" href=\"style.css\">")));
        QVERIFY(!html.contains(QStringLiteral("<script>")));
        QVERIFY(!html.contains(QStringLiteral("<b>")) && !html.contains(QStringLiteral("<i>")));
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
        QVERIFY(html.contains(QStringLiteral("Tom &amp; Jerry")));
        QVERIFY(html.contains(QStringLiteral("<title>Кубок &lt;i&gt;&amp;&lt;/i&gt;</title>")));
        QVERIFY(
            html.contains(QStringLiteral("Сыгран 1 тур из 3"))); // three players: one game a round
        for (int r = 0; r < int(Reports().size()); ++r) {
            const QString report = QString::fromUtf8(ReportContent(t, Report(r)));
            if (Reports()[r].extension == QLatin1String("html")) {
                QVERIFY(!report.contains(QStringLiteral("<script>")));
                QVERIFY(report.contains(QStringLiteral("Tom &amp; Jerry")));
                QVERIFY(report.contains(QStringLiteral("<style>")));
                QVERIFY(!report.contains(QStringLiteral("style.css")));
            }
        }
    }

    // Rows by place, one cell per cycle, points and the tie-break columns.
    void crosstableContent() {
        Settings s = DefaultSettings(ResultKind::Games);
        s.cycles = 2;
        s.tieBreaks = {TieBreak::SonnebornBerger};
        Tournament t(QStringLiteral("Т"), MakePlayers(2, {"Анна", "Борис"}), s);
        Play(t, 1, 1, "0-1");
        Play(t, 2, 1, "=");
        const QString html = CrosstableHtml(t);
        QVERIFY(html.indexOf(QStringLiteral("Борис")) < html.indexOf(QStringLiteral("Анна")));
        // "№" is the start number, in the rows and over the columns, whatever the places.
        QVERIFY(
            html.contains(QStringLiteral("<td class=\"number\">2</td><td class=\"name\">Борис")));
        QVERIFY(
            html.contains(QStringLiteral("<td class=\"number\">1</td><td class=\"name\">Анна")));
        QVERIFY(html.contains(
            QStringLiteral("<th class=\"opponent\">2</th><th class=\"opponent\">1</th>")));
        QVERIFY(html.contains(
            QStringLiteral("<span class=\"r w\">1</span> <span class=\"r d\">½</span>")));
        QVERIFY(html.contains(QStringLiteral("<td class=\"points\">1½</td>")));
        QVERIFY(html.contains(QStringLiteral("title=\"Коэффициент Бергера\"")));
        QVERIFY(html.contains(QStringLiteral("Сыграно 2 тура из 2")) ==
                false); // heading is not in the table
        QVERIFY(TablePageHtml(t).contains(QStringLiteral("Сыграно 2 тура из 2")));

        // One number form in a table: a quarter point of Sonneborn-Berger is "¼" beside
        // "½", never "0,25" (the two who drew: ½ of the other's ½ point = ¼).
        Tournament three(QStringLiteral("Т"), MakePlayers(3, {"Анна", "Борис", "Вера"}), s);
        Play(three, 2, 1, "=");
        const QString quarters = CrosstableHtml(three);
        QVERIFY2(quarters.contains(QStringLiteral("<td class=\"tiebreak\">¼</td>")),
                 qPrintable(quarters));
        QVERIFY(!quarters.contains(u','));
        QVERIFY(ProtocolText(three).contains(QStringLiteral("Берг. ¼")));
    }

    void standingsCsvForRussianSpreadsheets() {
        QList<Player> players = MakePlayers(3, {"=HYPERLINK(\"x\")", "Петров; Пётр", "Анна"});
        Settings s = DefaultSettings(ResultKind::Games);
        s.tieBreaks = {TieBreak::SonnebornBerger};
        Tournament t(QStringLiteral("Т"), players, s);
        Play(t, 1, 1, "=");
        const QByteArray csv = StandingsCsv(t);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList lines =
            QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0],
                 QStringLiteral(
                     "Место;Участник;Рейтинг;Звание;Клуб;Город;Партии;Очки;Коэффициент Бергера"));
        QVERIFY(lines.join(u'\n').contains(QStringLiteral("\"Петров; Пётр\"")));
        QVERIFY(lines.join(u'\n').contains(QStringLiteral("'=HYPERLINK(\"\"x\"\")")));
        QVERIFY(lines.join(u'\n').contains(QStringLiteral(";0,5;0,25")));
        QVERIFY(lines[1].startsWith(QStringLiteral("1–2;")));
        QCOMPARE(CsvField(QStringLiteral("-1,5")), QStringLiteral("-1,5"));

        // "Партии" counts games played: a forfeit scores but is not one (FIDE Handbook C.07,
        // art. 16: forfeits are unplayed games).
        Tournament forfeit(QStringLiteral("Т"), MakePlayers(2, {"Анна", "Борис"}), {});
        Play(forfeit, 1, 1, "+-");
        const QString text = QString::fromUtf8(StandingsCsv(forfeit));
        QVERIFY2(text.contains(QStringLiteral("1;Анна;;;;;0;1;")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("2;Борис;;;;;0;0;")));
    }

    void protocolText() {
        const QString text = ProtocolText(Sample());
        QVERIFY(text.startsWith(QStringLiteral("Лига «Осень» & Co\n")));
        QVERIFY(text.contains(QStringLiteral("Место проведения: Казань")));
        QVERIFY(text.contains(QStringLiteral("5. Локомотив (выбыл)")));
        QVERIFY(text.contains(QStringLiteral("\n1 тур\n  1. Динамо — Локомотив 3:1")));
        QVERIFY(text.contains(QStringLiteral("Положение участников")));
        QVERIFY(text.contains(QStringLiteral("Строка 1\nСтрока 2")));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_rr_files.moc"
