// The tournament file: what is written reads back the same, and anything damaged or foreign
// is refused with a reason instead of being half read.
#include "KoTestUtil.h"
#include "Reports.h"
#include "TournamentFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace ko;

namespace {

// A double-elimination cup part played: a series, a shoot-out, a walkover, a withdrawal,
// a court, and names that need care.
Tournament Sample() {
    Options o = kotest::DoubleOptions();
    o.format = {3, Scoring::Scores};
    QList<Entrant> list = kotest::Entrants(6);
    list[1].name = QStringLiteral("<b>\"Ёлки\"; =1+1</b>");
    list[2].club = QStringLiteral("Клуб «Ладья»");
    Tournament t(QStringLiteral("Кубок; \"осень\""), list, o, {Seeding::Random, 4242});
    t.SetInfo({QStringLiteral("Зал"), QStringLiteral("1–2 мая"), QStringLiteral("Судья"), QStringLiteral("строка 1\nстрока 2")});
    const QList<int> nearest = NearestMatches(t);
    MatchResult series;
    series.kind = MatchResult::Kind::Games;
    series.games = {{11, 7}, {9, 11}, {11, 5}};
    t.SetResult(nearest[0], series);
    t.SetResult(nearest[1], MatchResult::Walkover(1));
    t.SetCourt(NearestMatches(t).front(), QStringLiteral("Стол 3"));
    t.SetWithdrawn(5, true);
    return t;
}

QByteArray Text(const Tournament& t) { return SerializeTournament(t); }

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip() {
        const Tournament t = Sample();
        const QByteArray bytes = Text(t);
        QVERIFY(bytes.startsWith(QByteArray(kFormatId) + '\n') || bytes.startsWith(QByteArray(kFormatId) + "\r\n"));
        QString error;
        const auto back = ParseTournament(bytes, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(Text(*back), bytes);
        QCOMPARE(back->Lines(), t.Lines());
        QCOMPARE(back->Seeding(), t.Seeding());
        QVERIFY(back->Withdrawn(5));
        QVERIFY(!back->Modified());
        QVERIFY(back->TableModified());
        QCOMPARE(ReportContent(*back, Report::ResultsCsv), ReportContent(t, Report::ResultsCsv));
    }

    void savedInAFolderWithSpacesAndCyrillic() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Кубок школы 2026/сетка №1.trn"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Text(Sample()));
        file.close();
        QString error;
        QVERIFY2(LoadTournament(path, &error), qPrintable(error));
        QVERIFY(!LoadTournament(path + QStringLiteral(".нет"), &error));
        QVERIFY(!error.isEmpty());
    }

    void damagedFilesAreRefusedWithAReason() {
        const QByteArray good = Text(Sample());
        const qsizetype eol = good.indexOf('\n');
        const QJsonObject root = QJsonDocument::fromJson(good.mid(eol + 1)).object();
        QVERIFY(!root.isEmpty());
        auto firstMatch = [](QJsonObject& r, auto edit) {
            QJsonArray matches = r["matches"].toArray();
            QJsonObject m = matches[0].toObject();
            edit(m);
            matches[0] = m;
            r["matches"] = matches;
        };
        const std::vector<std::pair<const char*, std::function<void(QJsonObject&)>>> damage{
            {"two byes in one match", [](QJsonObject& r) { QJsonArray l = r["lines"].toArray(); l[0] = 0; l[1] = 0; r["lines"] = l; }},
            {"an entrant twice", [](QJsonObject& r) { QJsonArray l = r["lines"].toArray(); l[2] = l[0]; r["lines"] = l; }},
            {"entrant out of range", [](QJsonObject& r) { QJsonArray l = r["lines"].toArray(); l[0] = 99; r["lines"] = l; }},
            {"lines short", [](QJsonObject& r) { QJsonArray l = r["lines"].toArray(); l.removeLast(); r["lines"] = l; }},
            {"unknown bracket", [](QJsonObject& r) { QJsonObject o = r["options"].toObject(); o["bracket"] = "triple"; r["options"] = o; }},
            {"best of 4", [](QJsonObject& r) { QJsonObject o = r["options"].toObject(); o["best_of"] = 4; r["options"] = o; }},
            {"one entrant", [](QJsonObject& r) { r["entrants"] = QJsonArray{r["entrants"].toArray()[0]}; }},
            {"level game", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["games"] = QJsonArray{QJsonArray{7, 7}}; }); }},
            {"huge score", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["games"] = QJsonArray{QJsonArray{4.9e90, 1}}; }); }},
            {"fractional score", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["games"] = QJsonArray{QJsonArray{2.5, 1}}; }); }},
            {"other sides", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["sides"] = QJsonArray{2, 3}; }); }},
            {"games and walkover", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["walkover"] = 1; }); }},
            {"match out of range", [&](QJsonObject& r) { firstMatch(r, [](QJsonObject& m) { m["match"] = 999; }); }},
            {"no matches", [](QJsonObject& r) { r.remove("matches"); }},
        };
        for (const auto& [name, edit] : damage) {
            QJsonObject bad = root;
            edit(bad);
            const QByteArray bytes = good.left(eol + 1) + QJsonDocument(bad).toJson();
            QString error;
            QVERIFY2(!ParseTournament(bytes, &error), name);
            QVERIFY2(!error.isEmpty(), name);
        }
        QString error;
        QVERIFY(!ParseTournament("Velmora Round Robin 1\n{}", &error));
        QVERIFY(!ParseTournament(good.left(good.size() / 2), &error));
        QVERIFY(ParseTournament(good.left(eol + 1) + QJsonDocument(root).toJson(), &error));
    }

    // Files written by hand in the documented form (they also seed the fuzzer) are read.
    void handWrittenFiles() {
        for (const char* name : {"single.trn", "double.trn"}) {
            QString error;
            const auto t = LoadTournament(QStringLiteral(KO_SEEDS "/") + QLatin1String(name), &error);
            QVERIFY2(t, qPrintable(QLatin1String(name) + u' ' + error));
            QVERIFY(!LastMatches(*t).isEmpty());
        }
        QString error;
        const auto single = LoadTournament(QStringLiteral(KO_SEEDS "/single.trn"), &error);
        QCOMPARE(MatchLine(*single, 1), QStringLiteral("1/4 финала, матч 2: Участник 4 — Участник 5 2:0"));
        QCOMPARE(single->Court(1), QStringLiteral("Корт 1"));
    }

    void resultsCsvIsSpreadsheetSafe() {
        const QByteArray csv = ReportContent(Sample(), Report::ResultsCsv);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QVERIFY(csv.contains("\r\n"));
        QVERIFY(!csv.contains(";=1+1")); // a name is never read as a formula
        const QString bracket = QString::fromUtf8(ReportContent(Sample(), Report::Bracket));
        QVERIFY(bracket.contains(QStringLiteral("<style")));
        QVERIFY(!bracket.contains(QStringLiteral("<b>\"Ёлки")));
    }
};

QTEST_APPLESS_MAIN(FilesTest)
#include "tst_kom_files.moc"
